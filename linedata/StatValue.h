#pragma once
// One per-tone-group value: unassigned (never written, reads as 0), null (the
// router gave no value) or an integer exactly as the router printed it.

#include <array>
#include <cstdint>

class TStatValue {
public:
  enum class TState : std::uint8_t { Unassigned, Null, Value };

  constexpr TStatValue() = default;
  static constexpr TStatValue Null() { return TStatValue(TState::Null, 0); }
  static constexpr TStatValue Of(std::int32_t AValue) { return TStatValue(TState::Value, AValue); }

  constexpr TState State() const { return FState; }
  constexpr bool IsUnassigned() const { return FState == TState::Unassigned; }
  constexpr bool IsNull() const { return FState == TState::Null; }
  constexpr bool HasValue() const { return FState == TState::Value; }
  // Unassigned and null both read as 0; callers that draw check IsNull first.
  constexpr std::int32_t AsInteger() const { return FValue; }

  constexpr bool operator==(const TStatValue &) const = default;

private:
  constexpr TStatValue(TState AState, std::int32_t AValue) : FValue(AValue), FState(AState) {}
  std::int32_t FValue = 0;
  TState FState = TState::Unassigned;
};

inline constexpr int DrayStatCount = 512;
using TDrayStatArray = std::array<TStatValue, DrayStatCount>;

struct TDrayBinEntry {
  std::uint16_t Bin = 0;
  std::int16_t SNR = 0;
  std::int16_t Gain = 0;  // tenths of a dB
  std::int8_t ToneBits = 0;
  bool operator==(const TDrayBinEntry &) const = default;
};

inline constexpr int DrayBinCount = 8192;
using TDrayBinArray = std::array<TDrayBinEntry, DrayBinCount>;

// Element 0 upstream, element 1 downstream: tones per table entry (0 = none read).
using TStatMultipliers = std::array<std::uint8_t, 2>;

enum class TDirection { Upstream, Downstream };
