#include "MainCharts.h"

#include <QCheckBox>
#include <QLabel>

#include "ChartSetup.h"
#include "DrayData.h"
#include "MainPages.h"
#include "ResourceStrings.h"
#include "SeriesPlotter.h"
#include "ToneAxis.h"
#include "ToneChart.h"

const QColor TMainCharts::DSColor(0, 0, 255);
const QColor TMainCharts::USColor(0, 128, 0);

TMainCharts::TMainCharts(const TMainPages &APages, const QCheckBox *AFirst512Bins)
    : chartHLog(APages.chartHLog), chartQLN(APages.chartQLN), chartSNR(APages.chartSNR),
      chartBitLoading(APages.chartBitLoading), chartGain(APages.chartGain), chartBinSNRUS(APages.chartBinSNRUS),
      chartBinSNRDS(APages.chartBinSNRDS), FFirst512Bins(AFirst512Bins) {
  // The HLog chart keeps the plain left drag free: zooming needs Ctrl there,
  // and the middle button pans. The others zoom on a left drag, pan on right.
  for (TToneChart *chart : {chartQLN, chartSNR, chartBitLoading, chartGain, chartBinSNRUS, chartBinSNRDS})
    chart->SetMouseScheme(Qt::NoModifier, Qt::RightButton);
  chartHLog->SetMouseScheme(Qt::ControlModifier, Qt::MiddleButton);
  APages.lblHLogHint->setText(chartHLog->NavigationHint());
  APages.lblQLNHint->setText(chartQLN->NavigationHint());
  APages.lblSNRHint->setText(chartSNR->NavigationHint());
  APages.lblBinsHint->setText(chartBitLoading->NavigationHint());
}

std::vector<TToneChart *> TMainCharts::AllCharts() const {
  return {chartHLog, chartQLN, chartSNR, chartBitLoading, chartGain, chartBinSNRUS, chartBinSNRDS};
}

bool TMainCharts::First512Bins() const {
  return FFirst512Bins->isEnabled() && FFirst512Bins->isChecked();
}

void TMainCharts::SetupCharts() {
  TChartSetup::ClearCharts(AllCharts());
  constexpr std::uint16_t tones = 8192;
  TChartSetup::SetupBitLoadingChart(chartBitLoading, tones);
  TChartSetup::SetupBinSNRChart(chartBinSNRUS, tones, First512Bins());
  TChartSetup::SetupBinSNRChart(chartBinSNRDS, tones, First512Bins());
  TChartSetup::SetupGainChart(chartGain, tones);
  TChartSetup::SetupHLogChart(chartHLog, tones);
  TChartSetup::SetupQLNChart(chartQLN, tones);
  TChartSetup::SetupSNRChart(chartSNR, tones);
}

void TMainCharts::RedrawBinSNR(const TDrayData *AData) {
  constexpr std::uint16_t tones = 8192;
  TChartSetup::SetupBinSNRChart(chartBinSNRUS, tones, First512Bins());
  TChartSetup::SetupBinSNRChart(chartBinSNRDS, tones, First512Bins());
  if (AData)
    PlotBinsSNR(*AData, chartBinSNRDS, chartBinSNRUS, DSColor, USColor);
}

void TMainCharts::ApplyLook(TToneChart *AChart, const TDrayData *AData) const {
  FLook.ApplyTo(AChart, AData ? AData->VDSLProfile() : vpNA);
}

void TMainCharts::SetLook(const TChartLook &ALook, const TDrayData *AData) {
  FLook = ALook;
  for (TToneChart *chart : AllCharts())
    ApplyLook(chart, AData);
}

void TMainCharts::DisplayChartData(const TDrayData *AData) {
  if (!AData) {
    TChartSetup::ClearCharts(AllCharts());
    SetLook(FLook, nullptr);
    return;
  }
  if (FReference && FDifference) {
    DrawDifference(*AData);
    return;
  }
  PlotHLOG(*AData, chartHLog, DSColor, USColor);
  PlotQLN(*AData, chartQLN, DSColor, USColor);
  PlotSNR(*AData, chartSNR, DSColor, USColor);
  PlotBitLoading(*AData, chartBitLoading, DSColor, USColor);
  PlotGain(*AData, chartGain, DSColor, USColor);
  PlotBinsSNR(*AData, chartBinSNRDS, chartBinSNRUS, DSColor, USColor);
  if (FReference)
    DrawReference(*AData);
  if (FEnvelope)
    DrawEnvelope(*AData);
}

void TMainCharts::PlotHLOG(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                           const QColor &AUSColor) {
  TToneChart *chart = AChart ? AChart : chartHLog;
  TChartSetup::UpdateProfileAxis(chart, AData.VDSLProfile());
  TSeriesPlotter::PlotStatLines(chart, AData.HLogStatsUS(), AData.HLogStatsDS(), AData.HLogMultipliers(), ADSColor,
                                AUSColor);
  ApplyLook(chart, &AData);
}

void TMainCharts::PlotQLN(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                          const QColor &AUSColor) {
  TToneChart *chart = AChart ? AChart : chartQLN;
  TChartSetup::UpdateProfileAxis(chart, AData.VDSLProfile());
  TSeriesPlotter::PlotStatLines(chart, AData.QLNStatsUS(), AData.QLNStatsDS(), AData.QLNMultipliers(), ADSColor,
                                AUSColor);
  ApplyLook(chart, &AData);
}

void TMainCharts::PlotSNR(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                          const QColor &AUSColor) {
  TToneChart *chart = AChart ? AChart : chartSNR;
  TChartSetup::UpdateProfileAxis(chart, AData.VDSLProfile());
  TSeriesPlotter::PlotStatLines(chart, AData.SNRStatsUS(), AData.SNRStatsDS(), AData.SNRMultipliers(), ADSColor,
                                AUSColor);
  ApplyLook(chart, &AData);
}

void TMainCharts::PlotBitLoading(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                                 const QColor &AUSColor) {
  TToneChart *chart = AChart ? AChart : chartBitLoading;
  TChartSetup::UpdateProfileAxis(chart, AData.VDSLProfile());
  if (!NoBinsData(AData, {chart}))
    TSeriesPlotter::PlotBinBars(chart, AData.ShowBinStatsUS(), AData.ShowBinStatsDS(),
                                ProfileToneCount(AData.VDSLProfile()), TBinField::ToneBits, ADSColor, AUSColor);
  ApplyLook(chart, &AData);
}

void TMainCharts::PlotGain(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                           const QColor &AUSColor) {
  TToneChart *chart = AChart ? AChart : chartGain;
  TChartSetup::UpdateProfileAxis(chart, AData.VDSLProfile());
  if (!NoBinsData(AData, {chart}))
    TSeriesPlotter::PlotBinBars(chart, AData.ShowBinStatsUS(), AData.ShowBinStatsDS(),
                                ProfileToneCount(AData.VDSLProfile()), TBinField::Gain, ADSColor, AUSColor);
  ApplyLook(chart, &AData);
}

// A snapshot without bins tables says so in its bins charts rather than
// draw them flat at zero.
bool TMainCharts::NoBinsData(const TDrayData &AData, std::initializer_list<TToneChart *> ACharts) {
  if (HasBinData(AData.ShowBinStatsUS()) || HasBinData(AData.ShowBinStatsDS()))
    return false;
  for (TToneChart *chart : ACharts)
    chart->SetNotice(QString::fromUtf8(rsNoBinsData));
  return true;
}

void TMainCharts::SetBinSNRAxis(TToneChart *AChart, const TDrayData &AData, const char *ATitle) {
  AChart->SetTitle(QString::fromLatin1(ATitle));
  AChart->SetToneSpacingHz(ToneSpacingHz(AData.VDSLProfile()));
  if (First512Bins()) {
    AChart->SetPositionWord(QString::fromUtf8(rsBin));
    AChart->ToneAxis()->setLabel(QString::fromUtf8(rsBins));
    AChart->SetToneRange(0, 512);
    AChart->SetToneLabelStep(32);
    return;
  }
  // Without the option every tone of the profile is drawn, on the same tone
  // axis as the other bins charts.
  const TToneAxisChoice axis = ToneAxisForProfile(AData.VDSLProfile());
  AChart->SetPositionWord(QString::fromUtf8(rsTone));
  AChart->ToneAxis()->setLabel(QString::fromUtf8(rsTones));
  AChart->SetToneRange(0, axis.Max);
  AChart->SetToneLabelStep(axis.LabelStep.value_or(TChartSetup::DesignLabelStep));
}

void TMainCharts::PlotBinsSNR(const TDrayData &AData, TToneChart *AChartDS, TToneChart *AChartUS,
                              const QColor &ADSColor, const QColor &AUSColor) {
  TToneChart *chartDS = AChartDS ? AChartDS : chartBinSNRDS;
  TToneChart *chartUS = AChartUS ? AChartUS : chartBinSNRUS;
  SetBinSNRAxis(chartDS, AData, "SNR Downstream");
  SetBinSNRAxis(chartUS, AData, "SNR Upstream");
  if (!NoBinsData(AData, {chartUS, chartDS})) {
    const int count = First512Bins() ? 512 : ProfileToneCount(AData.VDSLProfile());
    TSeriesPlotter::PlotBinLine(chartUS, AData.ShowBinStatsUS(), count, QStringLiteral("US"), AUSColor);
    TSeriesPlotter::PlotBinLine(chartDS, AData.ShowBinStatsDS(), count, QStringLiteral("DS"), ADSColor);
  }
  // After the series: the look recolours them for dark charts.
  ApplyLook(chartDS, &AData);
  ApplyLook(chartUS, &AData);
}
