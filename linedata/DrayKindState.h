#pragma once
// The four kinds of per-tone table a snapshot holds, and the state of one
// kind: per direction its raw lines, the table rebuilt from them and what that
// rebuild made of them, with the one lock that guards the raw lines.

#include <array>
#include <cstddef>
#include <cstdint>
#include <shared_mutex>

#include "ParseCounts.h"
#include "StatValue.h"
#include "TextLines.h"

using TDrayLock = std::shared_mutex;

// HLog, QLN and SNR hold one value per tone group ("bin=" lines); Bins holds
// the per-tone listing. The order is that of the snapshot file.
enum class TDrayKind : std::uint8_t { HLog, QLN, SNR, Bins };
inline constexpr std::array<TDrayKind, 4> DrayKinds = {TDrayKind::HLog, TDrayKind::QLN, TDrayKind::SNR,
                                                       TDrayKind::Bins};
inline constexpr std::size_t DrayStatKindCount = 3;

// Upstream first, as everywhere the two directions are listed.
inline constexpr std::array<TDirection, 2> DrayDirections = {TDirection::Upstream, TDirection::Downstream};
constexpr std::size_t IndexOf(TDirection ADirection) { return ADirection == TDirection::Upstream ? 0 : 1; }
constexpr std::size_t IndexOf(TDrayKind AKind) { return static_cast<std::size_t>(AKind); }

// What every kind has; the tables differ in type.
struct TDrayRawText {
  mutable TDrayLock Lock;
  std::array<TTextLines, 2> Lines;
  std::array<TParseCounts, 2> Counts{};
};

template <typename TTable>
struct TDrayKindState : TDrayRawText {
  std::array<TTable, 2> Tables{};
};
