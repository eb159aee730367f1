#pragma once
// A snapshot built from the router answers a user captured in text files, as
// the window's load-data dialog and tonegraph-cli import build it, with word
// of each file that gave no values of its kind (a README chosen as the SNR
// file is most likely a mistake).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DrayKindState.h"
#include "ParseCounts.h"
#include "TextLines.h"

class TDrayData;

// "HLOG", "QLN", "SNR" or "bins", as the user reads them elsewhere.
const char *DrayKindName(TDrayKind AKind);

// The warning for a captured file that gave no values of its kind, e.g.
// "snr.txt: no SNR values found"; AFileName as the user is to read it.
std::string NoValuesNote(std::string_view AFileName, TDrayKind AKind);

// The captured answers of one snapshot, as the user named them; "" for none.
struct TCapturedFiles {
  std::string HLog, QLN, SNR, Bins;
};

struct TEmptyCapture {
  TDrayKind Kind;
  std::string FileName;
};

// The lines of a captured text file, decoded by its byte order mark or as
// Windows-1252, as every captured answer is read.
TTextLines ReadCapturedText(const std::string &AFileName);

// Loads AFileName ("" does nothing) as the captured answer of AKind.
TParseCounts LoadCapturedFile(TDrayData &AData, TDrayKind AKind, const std::string &AFileName);

// The same, and the file back when it was named and gave no values of AKind.
std::optional<TEmptyCapture> LoadCaptureNotingEmpty(TDrayData &AData, TDrayKind AKind, const std::string &AFileName);

// The file named for AKind.
const std::string &CapturedFileOf(const TCapturedFiles &AFiles, TDrayKind AKind);

// Loads each named file into AData (HLog, QLN, SNR, bins) and returns the
// files that gave no values of their kind, in that order. Load failures pass
// on as the loaders raise them.
std::vector<TEmptyCapture> LoadCapturedFiles(TDrayData &AData, const TCapturedFiles &AFiles);
