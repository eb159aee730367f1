#pragma once
// Which stored snapshots a retention policy drops at a given time. Fed the
// snapshots of each line in the order of their time; within a tier's span
// (an hour, a day) it keeps one, a full one where the span has one, as that
// keeps no other alive. A snapshot kept as what differs from its base keeps
// that base too, whatever its age.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "RetentionPolicy.h"

struct TStoredSnapshot {
  std::int64_t Id = 0;
  std::optional<std::int64_t> Base;  // nullopt: a full snapshot
  std::int64_t Time = 0;             // seconds since 1970, UTC
  std::string Line;                  // router and profile: one line's snapshots share bases
};

struct TThinningPlan {
  std::vector<std::int64_t> Drop;  // those made against a base first, then full ones
  std::int64_t Snapshots = 0;
  std::int64_t KeptAsBase = 0;  // dropped by the policy but still a base of a kept one
};

class TThinningPlanner {
public:
  TThinningPlanner(const TRetentionPolicy &APolicy, std::int64_t ANow);
  void Add(const TStoredSnapshot &ASnapshot);
  TThinningPlan Finish();

private:
  // Which tier an age falls in, and which of its spans; nullopt past the last.
  std::optional<std::pair<std::size_t, std::int64_t>> SpanOf(std::int64_t ATime) const;
  void CloseSpan();

  TRetentionPolicy FPolicy;
  std::int64_t FNow;
  std::string FLine;
  std::optional<std::pair<std::size_t, std::int64_t>> FSpan;
  std::vector<TStoredSnapshot> FInSpan;
  // Id and whether it was made against a base: a year of them stays small.
  std::vector<std::pair<std::int64_t, bool>> FDropped;
  std::set<std::int64_t> FNeededBases;
  std::int64_t FSnapshots = 0;
};
