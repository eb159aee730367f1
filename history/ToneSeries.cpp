#include "ToneSeries.h"

#include <limits>

namespace {

constexpr std::int16_t NoValue = std::numeric_limits<std::int16_t>::min();

std::vector<std::optional<std::int16_t>> SNRValues(const TDrayStatArray &ATable) {
  std::vector<std::optional<std::int16_t>> Values;
  Values.reserve(ATable.size());
  for (const TStatValue &Entry : ATable)
    Values.push_back(Entry.HasValue() ? std::optional<std::int16_t>(static_cast<std::int16_t>(Entry.AsInteger()))
                                      : std::nullopt);
  // Unwritten groups at the end say nothing: a shorter series.
  while (!Values.empty() && !Values.back())
    Values.pop_back();
  return Values;
}

std::vector<std::int8_t> BitValues(const TDrayBinArray &ATable) {
  std::vector<std::int8_t> Bits;
  Bits.reserve(ATable.size());
  for (const TDrayBinEntry &Entry : ATable)
    Bits.push_back(Entry.ToneBits);
  return Bits;
}

} // namespace

TToneSeries ToneSeriesOf(const TDrayData &AData) {
  TToneSeries Series;
  const TStatMultipliers Groups = AData.SNRMultipliers();
  Series.SNR = {SNRValues(AData.SNRStatsUS()), SNRValues(AData.SNRStatsDS())};
  Series.SNRGroupSize = {Groups[0], Groups[1]};
  if (!AData.BinStatsUSRaw().empty())
    Series.Bits[0] = BitValues(AData.ShowBinStatsUS());
  if (!AData.BinStatsDSRaw().empty())
    Series.Bits[1] = BitValues(AData.ShowBinStatsDS());
  return Series;
}

std::string EncodeSNR(const std::vector<std::optional<std::int16_t>> &AValues) {
  std::string Bytes;
  Bytes.reserve(2 * AValues.size());
  for (const std::optional<std::int16_t> &Value : AValues) {
    const auto Raw = static_cast<std::uint16_t>(Value.value_or(NoValue));
    Bytes += static_cast<char>(Raw & 0xFF);
    Bytes += static_cast<char>(Raw >> 8);
  }
  return Bytes;
}

std::vector<std::optional<std::int16_t>> DecodeSNR(std::string_view ABytes) {
  std::vector<std::optional<std::int16_t>> Values;
  Values.reserve(ABytes.size() / 2);
  for (std::size_t I = 0; I + 1 < ABytes.size(); I += 2) {
    const auto Raw = static_cast<std::int16_t>(static_cast<std::uint8_t>(ABytes[I]) |
                                                (static_cast<std::uint8_t>(ABytes[I + 1]) << 8));
    Values.push_back(Raw == NoValue ? std::nullopt : std::optional<std::int16_t>(Raw));
  }
  return Values;
}
