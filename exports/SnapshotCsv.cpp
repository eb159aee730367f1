#include "SnapshotCsv.h"

#include <charconv>

#include "DrayData.h"
#include "ToneDifference.h"

namespace {

constexpr TDirection Directions[] = {TDirection::Upstream, TDirection::Downstream};

template <typename T> void AppendNumber(std::string &AText, T AValue) {
  char Digits[32];
  const auto Result = std::to_chars(Digits, Digits + sizeof Digits, AValue);
  AText.append(Digits, Result.ptr);
}

void AppendStat(std::string &ARow, const TDrayData &AData, TDrayKind AKind, int ATone) {
  for (const TDirection Direction : Directions) {
    ARow += ',';
    if (const std::optional<double> Value = StatAtTone(AData, AKind, Direction, ATone))
      AppendNumber(ARow, static_cast<int>(*Value));
  }
}

bool HasBins(const TDrayData &AData, TDirection ADirection) {
  return !(ADirection == TDirection::Upstream ? AData.BinStatsUSRaw() : AData.BinStatsDSRaw()).empty();
}

template <typename TField> void AppendBins(std::string &ARow, const TDrayData &AData, int ATone, TField AField) {
  for (const TDirection Direction : Directions) {
    ARow += ',';
    if (HasBins(AData, Direction) && ATone < DrayBinCount)
      AppendNumber(ARow, static_cast<int>(AField(AData.BinTable(Direction)[static_cast<std::size_t>(ATone)])));
  }
}

} // namespace

std::string SnapshotCsv(const TDrayData &AData) {
  std::string Csv = "tone,frequency_hz,hlog_us,hlog_ds,qln_us,qln_ds,snr_us,snr_ds,bits_us,bits_ds,gain_us,gain_ds,"
                    "binsnr_us,binsnr_ds\r\n";
  const double Spacing = ToneSpacingHz(AData.VDSLProfile());
  for (int Tone = 0; Tone < ProfileToneCount(AData.VDSLProfile()); ++Tone) {
    AppendNumber(Csv, Tone);
    Csv += ',';
    AppendNumber(Csv, Tone * Spacing);
    for (const TDrayKind Kind : {TDrayKind::HLog, TDrayKind::QLN, TDrayKind::SNR})
      AppendStat(Csv, AData, Kind, Tone);
    AppendBins(Csv, AData, Tone, [](const TDrayBinEntry &E) { return E.ToneBits; });
    AppendBins(Csv, AData, Tone, [](const TDrayBinEntry &E) { return E.Gain; });
    AppendBins(Csv, AData, Tone, [](const TDrayBinEntry &E) { return E.SNR; });
    Csv += "\r\n";
  }
  return Csv;
}
