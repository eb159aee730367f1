#pragma once
// Whether two snapshots hold the same: what a snapshot file stores and the
// tables rebuilt from it. A failed comparison aborts, so the fuzzer keeps the
// input that made a saved snapshot come back different.

#include <cstdio>
#include <cstdlib>

#include "DrayData.h"
#include "FuzzFiles.h"

inline void Require(bool ACondition, const char *AWhat) {
  if (!ACondition) {
    std::fprintf(stderr, "round trip broken: %s\n", AWhat);
    std::abort();
  }
}

// A table never built holds unassigned entries; loading a file builds every
// table, which turns them into nulls. Both show as "no value".
inline bool SameValues(const TDrayStatArray &A, const TDrayStatArray &B) {
  for (std::size_t I = 0; I < A.size(); ++I) {
    const bool NoValueA = A[I].IsNull() || A[I].IsUnassigned(), NoValueB = B[I].IsNull() || B[I].IsUnassigned();
    if (NoValueA != NoValueB || (!NoValueA && A[I] != B[I]))
      return false;
  }
  return true;
}

inline void RequireSameSnapshot(const TDrayData &A, const TDrayData &B) {
  Require(A.Name() == B.Name(), "name");
  Require(A.VDSLProfile() == B.VDSLProfile(), "profile");
  Require(A.Stats() == B.Stats(), "status text");
  for (const TDrayKind Kind : DrayKinds)
    for (const TDirection Direction : DrayDirections)
      Require(A.Raw(Kind, Direction) == B.Raw(Kind, Direction), "raw text");
  Require(A.HLogMultipliers() == B.HLogMultipliers() && A.QLNMultipliers() == B.QLNMultipliers() &&
              A.SNRMultipliers() == B.SNRMultipliers(),
          "group sizes");
  Require(SameValues(A.HLogStatsUS(), B.HLogStatsUS()) && SameValues(A.HLogStatsDS(), B.HLogStatsDS()) &&
              SameValues(A.QLNStatsUS(), B.QLNStatsUS()) && SameValues(A.QLNStatsDS(), B.QLNStatsDS()) &&
              SameValues(A.SNRStatsUS(), B.SNRStatsUS()) && SameValues(A.SNRStatsDS(), B.SNRStatsDS()),
          "per-tone tables");
  Require(A.ShowBinStatsUS() == B.ShowBinStatsUS() && A.ShowBinStatsDS() == B.ShowBinStatsDS(), "bins tables");
}

// Saves ASnapshot, loads the file again and requires the same snapshot back.
inline void RequireRoundTrip(const TDrayData &ASnapshot, const char *ATag) {
  const std::string Saved = ScratchName(ATag);
  ASnapshot.SaveToFile(Saved);
  TDrayData Again;
  Again.LoadFromFile(Saved);
  RequireSameSnapshot(ASnapshot, Again);
}
