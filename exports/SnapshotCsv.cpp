#include "SnapshotCsv.h"

#include <array>
#include <charconv>
#include <string_view>

#include "DrayData.h"

namespace {

const char *const Header = "tone,frequency_hz,hlog_us,hlog_ds,qln_us,qln_ds,snr_us,snr_ds,bits_us,bits_ds,"
                           "gain_us,gain_ds,binsnr_us,binsnr_ds";

// The shortest text that reads back as the same double: 4312.5, 8625.
std::string Number(double AValue) {
  std::array<char, 32> Text{};
  const auto Result = std::to_chars(Text.data(), Text.data() + Text.size(), AValue);
  return std::string(Text.data(), Result.ptr);
}

// Entry tone / group size holds the tone's value; no group size means the
// table was never read.
std::string StatCell(const TDrayStatArray &ATable, std::uint8_t AGroupSize, int ATone) {
  if (AGroupSize == 0)
    return "";
  const int Entry = ATone / AGroupSize;
  if (Entry >= DrayStatCount || !ATable[Entry].HasValue())
    return "";
  return std::to_string(ATable[Entry].AsInteger());
}

// A bins table never filled is all zeros: its cells are empty rather than 0.
bool HasBins(const TDrayBinArray &ATable) {
  for (const TDrayBinEntry &Entry : ATable)
    if (Entry != TDrayBinEntry{})
      return true;
  return false;
}

struct TBinCells {
  std::string Bits, Gain, SNR;
};

TBinCells BinCells(const TDrayBinArray &ATable, bool AFilled, int ATone) {
  if (!AFilled || ATone >= DrayBinCount)
    return {};
  const TDrayBinEntry &Entry = ATable[ATone];
  return {std::to_string(Entry.ToneBits), Number(Entry.Gain / 10.0), std::to_string(Entry.SNR)};
}

void AppendStat(std::string &ARow, const TDrayStatArray &AUS, const TDrayStatArray &ADS, TStatMultipliers ASizes,
                int ATone) {
  ARow += ',' + StatCell(AUS, ASizes[0], ATone) + ',' + StatCell(ADS, ASizes[1], ATone);
}

} // namespace

std::string SnapshotCsv(const TDrayData &AData) {
  const bool BinsUS = HasBins(AData.ShowBinStatsUS());
  const bool BinsDS = HasBins(AData.ShowBinStatsDS());
  const double Spacing = ToneSpacingHz(AData.VDSLProfile());
  // Line breaks are CRLF, as the CSV format has them.
  std::string Csv = std::string(Header) + "\r\n";
  for (int Tone = 0; Tone < ProfileToneCount(AData.VDSLProfile()); ++Tone) {
    std::string Row = std::to_string(Tone) + ',' + Number(Tone * Spacing);
    AppendStat(Row, AData.HLogStatsUS(), AData.HLogStatsDS(), AData.HLogMultipliers(), Tone);
    AppendStat(Row, AData.QLNStatsUS(), AData.QLNStatsDS(), AData.QLNMultipliers(), Tone);
    AppendStat(Row, AData.SNRStatsUS(), AData.SNRStatsDS(), AData.SNRMultipliers(), Tone);
    const TBinCells US = BinCells(AData.ShowBinStatsUS(), BinsUS, Tone);
    const TBinCells DS = BinCells(AData.ShowBinStatsDS(), BinsDS, Tone);
    Row += ',' + US.Bits + ',' + DS.Bits + ',' + US.Gain + ',' + DS.Gain + ',' + US.SNR + ',' + DS.SNR;
    Csv += Row + "\r\n";
  }
  return Csv;
}
