#pragma once
// The lines of a bins listing: quadruples of tone, SNR, gain and bits, as many
// as a line holds. Two readers that must agree on every line: the pattern,
// which defines what a quadruple is, and a scanner that reads the same
// quadruples and their integers in one pass, several times faster. The
// snapshot uses the scanner; the tests and a fuzz target hold it to the
// pattern.

#include <string_view>

#include "DrayData.h"

// Each fills the entry of every quadruple it reads (tone modulo 65536, tones
// past the table ignored) and gives whether the line held any. A tone number
// that does not fit 32 bits raises EConvertError once the quadruples before it
// are stored; SNR, gain or bits that do not fit are 0.
bool ReadBinsLineByPattern(std::string_view ALine, TDrayBinArray &ATable);
bool ScanBinsLine(std::string_view ALine, TDrayBinArray &ATable);
