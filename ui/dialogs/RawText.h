#pragma once
// Copies of a snapshot's raw router text, one table group at a time, taken
// under that group's read lock so that they never overlap a reader thread
// that is still storing text into the same group.

#include "TextLines.h"

class TDrayData;

enum class TRawKind { HLog, QLN, SNR, Bins };

struct TRawTextCopy {
  TTextLines US;
  TTextLines DS;
};

// Both directions of AKind, copied while the group's lock is held shared.
TRawTextCopy CopyRawText(const TDrayData &AData, TRawKind AKind);
