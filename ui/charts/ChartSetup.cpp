#include "ChartSetup.h"

#include "ResourceStrings.h"
#include "ToneAxis.h"
#include "ToneChart.h"
#include "ToneTicker.h"
#include "VDSLProfile.h"

namespace {

// The tooltip's unit and decimals; ABinsName names the value on the charts
// of the bins listing, which holds bits, gain and SNR for every tone.
THoverFormat HoverFormat(const char *AUnit, int ADecimals, const char *ABinsName = "") {
  THoverFormat format;
  format.Unit = QString::fromUtf8(AUnit);
  format.Decimals = ADecimals;
  format.ValueName = QString::fromUtf8(ABinsName);
  return format;
}

}  // namespace

void TChartSetup::SetTitles(TToneChart *AChart, const char *ATitle, const char *AToneTitle,
                            const char *AValueTitle) {
  AChart->SetTitle(QString::fromUtf8(ATitle));
  AChart->ToneAxis()->setLabel(QString::fromUtf8(AToneTitle));
  AChart->ValueAxis()->setLabel(QString::fromUtf8(AValueTitle));
}

void TChartSetup::SetToneAxis(TToneChart *AChart, std::uint16_t AMax, int AStep) {
  AChart->SetToneRange(0, AMax);
  AChart->SetToneLabelStep(AStep);
  AChart->ToneTicker().SetAlternateRows(true);
  AChart->QueueReplot();
}

void TChartSetup::SetupHLogChart(TToneChart *AChart, std::uint16_t ATones) {
  AChart->SetValueRangeAutomatic();
  SetTitles(AChart, "HLog", rsTones, "dB");
  AChart->SetHoverFormat(HoverFormat("dB", 1));
  SetToneAxis(AChart, ATones, DesignLabelStep);
}

void TChartSetup::SetupQLNChart(TToneChart *AChart, std::uint16_t ATones) {
  AChart->SetValueRangeFixed(-150, -90);
  SetTitles(AChart, "QLN", rsTones, "dBm/Hz");
  AChart->SetHoverFormat(HoverFormat("dBm/Hz", 1));
  SetToneAxis(AChart, ATones, DesignLabelStep);
}

void TChartSetup::SetupSNRChart(TToneChart *AChart, std::uint16_t ATones) {
  AChart->SetValueRangeAutomatic();
  SetTitles(AChart, "SNR", rsTones, "dB");
  AChart->SetHoverFormat(HoverFormat("dB", 1));
  SetToneAxis(AChart, ATones, DesignLabelStep);
}

void TChartSetup::SetupBitLoadingChart(TToneChart *AChart, std::uint16_t ATones) {
  AChart->SetValueRangeAutomatic();
  AChart->SetValueLabelStep(1);
  SetTitles(AChart, rsAllocatedBitsPerTone, rsTones, "Bits");
  AChart->SetHoverFormat(HoverFormat("", 0, "Bits"));
  AChart->SetValueMinorTicks(false);
  SetToneAxis(AChart, ATones, DesignLabelStep);
}

void TChartSetup::SetupGainChart(TToneChart *AChart, std::uint16_t ATones) {
  AChart->SetValueRangeAutomatic();
  SetTitles(AChart, "Gain", rsTones, "dB");
  AChart->SetHoverFormat(HoverFormat("dB", 1, "Gain"));
  AChart->SetValueMinorTicks(true);
  SetToneAxis(AChart, ATones, DesignLabelStep);
}

void TChartSetup::SetupBinSNRChart(TToneChart *AChart, std::uint16_t ATones, bool AFirst512Bins) {
  AChart->ClearSeries();
  AChart->SetValueRangeAutomatic();
  SetTitles(AChart, "SNR", AFirst512Bins ? rsBins : rsTones, "dB");
  AChart->SetHoverFormat(HoverFormat("dB", 1, "SNR"));
  AChart->SetPositionWord(QString::fromUtf8(AFirst512Bins ? rsBin : rsTone));
  AChart->SetValueMinorTicks(true);
  if (AFirst512Bins)
    SetToneAxis(AChart, 512, 16);
  else
    SetToneAxis(AChart, ATones, DesignLabelStep);
}

void TChartSetup::UpdateProfileAxis(TToneChart *AChart, int AProfile) {
  const TToneAxisChoice choice = ToneAxisForProfile(AProfile);
  AChart->SetToneMax(choice.Max);
  AChart->SetToneSpacingHz(ToneSpacingHz(ProfileFromOrdinal(AProfile)));
  if (choice.LabelStep)
    AChart->SetToneLabelStep(*choice.LabelStep);
}

void TChartSetup::UpdateBinSNRAxis(TToneChart *AChart, int AProfile, bool AFirst512Bins) {
  AChart->SetToneSpacingHz(ToneSpacingHz(ProfileFromOrdinal(AProfile)));
  if (AFirst512Bins) {
    AChart->SetPositionWord(QString::fromUtf8(rsBin));
    AChart->ToneAxis()->setLabel(QString::fromUtf8(rsBins));
    AChart->SetToneRange(0, 512);
    AChart->SetToneLabelStep(32);
    return;
  }
  const TToneAxisChoice axis = ToneAxisForProfile(AProfile);
  AChart->SetPositionWord(QString::fromUtf8(rsTone));
  AChart->ToneAxis()->setLabel(QString::fromUtf8(rsTones));
  AChart->SetToneRange(0, axis.Max);
  AChart->SetToneLabelStep(axis.LabelStep.value_or(DesignLabelStep));
}

void TChartSetup::ClearCharts(const std::vector<TToneChart *> &ACharts) {
  for (TToneChart *chart : ACharts) {
    chart->ClearSeries();
    chart->QueueReplot();
  }
}
