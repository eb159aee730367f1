#include "StatusAnswers.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr TDirection US = TDirection::Upstream;
constexpr TDirection DS = TDirection::Downstream;
const char *const InfoHeader =
    "  ---------------------- ATU-R Info (hw: annex B, f/w: annex A/B/C) -----------";

template <typename... TArgs> std::string Format(const char *AFormat, TArgs... AArgs) {
  char Text[160];
  std::snprintf(Text, sizeof Text, AFormat, AArgs...);
  return Text;
}

int Rounded(double AValue) { return static_cast<int>(std::lround(AValue)); }

std::string BandRow(const TLineModel &AModel, const char *ATitle, double AOffset) {
  std::string Row = Format("  %-6s:", ATitle);
  for (TDirection Direction : {US, DS})
    for (const TLineBand &Band : AModel.Bands())
      if (Band.Direction == Direction)
        Row += Format(" %7.1f", AModel.BandAttenuation(Band) - AOffset);
  return Row + "  (dB)";
}

std::string BandTitles(const TLineModel &AModel) {
  std::string Row = "         ";
  for (TDirection Direction : {US, DS})
    for (const TLineBand &Band : AModel.Bands())
      if (Band.Direction == Direction)
        Row += Format(" %7s", Band.Name);
  return Row;
}

// Counters of one period, as "vdsl status counts" prints them.
void AddCounters(TTextLines &ALines, const char *APeriod, int ASeconds, int AFarES) {
  ALines.push_back(Format(" [ Counters: %s ]", APeriod));
  ALines.push_back("                  Near End        Far End    Note");
  ALines.push_back(Format(" ElapsedTime  :   %6d          %6d (seconds)", ASeconds, ASeconds));
  for (const char *Name : {"CRC", "FEC", "HEC", "CRC_P", "CRCP_P", "CVP_P", "NCD", "LCD"})
    ALines.push_back(Format(" %-13s:      0               0", Name));
  ALines.push_back(Format(" ES           :      0          %6d", AFarES));
  for (const char *Name : {"SES", "LOSS", "UAS", "LOFS"})
    ALines.push_back(Format(" %-13s:      0               0", Name));
}

} // namespace

TTextLines BandInfoAnswer(const TLineModel &AModel) {
  return {InfoHeader, " [ Band Info ]", BandTitles(AModel), BandRow(AModel, "LATN", 0),
          BandRow(AModel, "SATN", 0.2), ""};
}

TTextLines StatusAnswer(const TLineModel &AModel) {
  const long long DSRate = AModel.RateBps(DS), USRate = AModel.RateBps(US);
  const int Attenuation = Rounded(AModel.BandAttenuation(AModel.Bands()[1]));
  // The rate stays trained; more noise eats into the margin.
  const int Margin = Rounded(6 - AModel.NoiseShiftDb());
  return {
      InfoHeader,
      Format("  Running Mode            :%9s       State                : SHOWTIME",
             ProfileName(AModel.Profile())),
      Format("  DS Actual Rate          :%9lld bps   US Actual Rate       : %8lld bps", DSRate,
             USRate),
      Format("  DS Attainable Rate      :%9lld bps   US Attainable Rate   : %8lld bps",
             DSRate * 13 / 10, USRate * 13 / 10),
      "  DS Path Mode            :        Fast    US Path Mode         :  Interleave ",
      "  DS Interleave Depth     :        1       US Interleave Depth  :      367 ",
      Format("  NE Current Attenuation  :%9d dB    Cur SNR Margin       :%9d  dB", Attenuation, Margin),
      "  DS actual PSD           :    14. 4 dB    US actual PSD        :    -4.-8  dB",
      "  NE CRC Count            :        0       FE CRC Count         :        0",
      "  NE ES Count             :        0       FE  ES Count         :        0",
      "  Xdsl Reset Times        :        0       Xdsl Link  Times     :        1",
      "  ITU Version[0]          : 00000000       ITU Version[1]       : 00000000",
      "  VDSL Firmware Version   : 08-0B-02-06-00-07   [with Vectoring support] ",
      "  Power Management Mode   : DSL_G997_PMS_L0 ",
      "  Test Mode               : DISABLE ",
      Format("  Far Current Attenuation :%9d dB    Far SNR Margin       :%9d  dB", Attenuation - 2,
             Margin),
      "  CO ITU Version[0]       : b5004244       CO ITU Version[1]    : 434db205",
      "  DSLAM CHIPSET VENDOR    : < BDCM >",
      ""};
}

TTextLines StatusMoreAnswer() {
  TTextLines Lines{InfoHeader, "                  Near End        Far End    Note"};
  const char *const Rows[] = {
      " Trellis      :      1               1",  " Bitswap      :      1               1",
      " ReTxEnable   :      1               1",  " VirtualNoise :      0               0",
      " 20BitSupport :      0               0",  " LatencyPath  :      0               0",
      " LOS          :      0               0",  " LOF          :      0               0",
      " LPR          :      0               0",  " LOM          :      0               0",
      " SosSuccess   :      0               0",  " NCD          :      0               0",
      " LCD          :      0               0",  " FECS         :      0              12 (seconds)",
      " ES           :      0               3 (seconds)",
      " SES          :      0               0 (seconds)",
      " LOSS         :      0               0 (seconds)",
      " UAS          :     27              27 (seconds)",
      " HECError     :      0               0",  " CRC          :      0               4",
      " RsCorrection :      0               0",  " INP          :    230             160 (symbols)",
      " InterleaveDelay :      0              62 (1/100 ms)",
      " NFEC         :     32              32",  " RFEC         :     16              16",
      " LSYMB        :     16              16",  " INTLVBLOCK   :     32              32",
      " AELEM        :      0            ----"};
  Lines.Append(std::begin(Rows), std::end(Rows));
  Lines.emplace_back();
  return Lines;
}

TTextLines StatusOlrAnswer() {
  return {InfoHeader,
          "                  Near End        Far End    Note",
          " BitswapReq   :     41              17",
          " BitswapDone  :     41              17",
          " SRAReq       :      0               0",
          " SRADone      :      0               0",
          " SOSReq       :      0               0",
          " SOSDone      :      0               0",
          ""};
}

TTextLines StatusCountsAnswer() {
  TTextLines Lines{InfoHeader};
  AddCounters(Lines, "Showtime", 145464, 3);
  Lines.emplace_back();
  AddCounters(Lines, "15Min", 184, 0);
  Lines.emplace_back();
  AddCounters(Lines, "1DAY", 64984, 3);
  Lines.emplace_back();
  return Lines;
}

TTextLines AnnexAnswer() {
  return {" Supported annex   : A/B/C", " Current annex     : annex B", ""};
}

TTextLines InventoryAnswer(bool ACentralOffice, bool AWithByte255) {
  if (ACentralOffice)
    return {"  G.994 Vendor ID        : B5004244434D0000 (BDCM)",
            "  System Vendor ID       : B5004244434D0000 (BDCM)",
            "  Version Number         : 0xa45c",
            "  Serial Number          : ",
            ""};
  // Byte 255 is "\xFF" in the router's code page; on the wire it is doubled.
  return {"  G.994 Vendor ID        : B5004946544E5444 (IFTN)",
          "  System Vendor ID       : B5004946544E5444 (IFTN)",
          "  Version Number         : 08-0B-02-06-00-07",
          std::string("  Serial Number          : 1A2B3C4D5E6F") + (AWithByte255 ? "\xFF" : ""),
          ""};
}

TTextLines InvalidCommandAnswer() {
  return {"% Valid subcommands are:",
          "   status               showbins             annex",
          "   inventory            reboot               trace",
          ""};
}
