#pragma once
// One attempt to capture the line: when, from which router, and either the
// snapshot's key figures (with what it lacks, when partial) or why it failed.

#include <cstdint>
#include <string>

#include "CaptureFigures.h"

struct TCapture {
  std::int64_t Id = 0;
  std::string Time;     // UTC, ISO 8601: "2026-12-10T21:45:04Z"
  std::string Name;     // the router's name, or the snapshot's
  std::string Profile;  // "17A"; empty for a failure
  bool Ok = false;      // a snapshot was stored, complete or partial
  std::string Error;    // why a failed capture failed
  std::string Partial;  // what a partial snapshot lacks, and why; empty when complete
  bool Stored = false;  // its snapshot is still there (a retention policy drops old ones)
  TCaptureFigures Figures;
  bool operator==(const TCapture &) const = default;
};
