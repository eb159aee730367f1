#pragma once
// Which snapshots a history keeps as they age, in tiers from the newest:
//
//   all:7d,1h:90d,1d
//
// keeps every snapshot younger than 7 days, then one an hour until 90 days,
// then one a day for ever. A tier is EVERY:AGE, EVERY "all" or a duration;
// the last may leave out its AGE (for ever). Durations are a number with s,
// m, h, d or w. Snapshots older than a last tier with an AGE are all dropped.
// A capture's key figures are never dropped, whatever the policy.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TRetentionTier {
  std::optional<std::int64_t> Every;  // seconds; nullopt: every snapshot
  std::optional<std::int64_t> Until;  // the age in seconds where it ends; nullopt: never
  bool operator==(const TRetentionTier &) const = default;
};

struct TRetentionPolicy {
  std::vector<TRetentionTier> Tiers;
  bool operator==(const TRetentionPolicy &) const = default;
};

inline constexpr const char *DefaultRetentionPolicy = "all:7d,1h:90d,1d";

// EHistoryError "'%s' is not a retention policy like all:7d,1h:90d,1d: %s".
TRetentionPolicy ParseRetentionPolicy(const std::string &AText);
