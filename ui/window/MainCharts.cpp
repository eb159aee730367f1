#include "MainCharts.h"

#include <QCheckBox>
#include <QLabel>

#include "ChartSetup.h"
#include "DrayData.h"
#include "DrawTable.h"
#include "MainPages.h"
#include "ToneChart.h"

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
    PlotBinsSNR(*AData, chartBinSNRDS, chartBinSNRUS, FLook.DSColor(), FLook.USColor());
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
  const QColor ds = FLook.DSColor();
  const QColor us = FLook.USColor();
  PlotHLOG(*AData, chartHLog, ds, us);
  PlotQLN(*AData, chartQLN, ds, us);
  PlotSNR(*AData, chartSNR, ds, us);
  PlotBitLoading(*AData, chartBitLoading, ds, us);
  PlotGain(*AData, chartGain, ds, us);
  PlotBinsSNR(*AData, chartBinSNRDS, chartBinSNRUS, ds, us);
  if (FReference)
    DrawReference(*AData);
  if (FEnvelope)
    DrawEnvelope(*AData);
}

// The reader asks for each group once it has stored it and never writes it
// again in that run, so drawing reads the tables without the snapshot's locks.
void TMainCharts::PlotGroup(TDrayKind AKind, const TDrayData &AData) {
  const QColor ds = FLook.DSColor();
  const QColor us = FLook.USColor();
  switch (AKind) {
  case TDrayKind::HLog: PlotHLOG(AData, nullptr, ds, us); return;
  case TDrayKind::QLN: PlotQLN(AData, nullptr, ds, us); return;
  case TDrayKind::SNR: PlotSNR(AData, nullptr, ds, us); return;
  case TDrayKind::Bins:
    PlotBitLoading(AData, nullptr, ds, us);
    PlotBinsSNR(AData, nullptr, nullptr, ds, us);
    PlotGain(AData, nullptr, ds, us);
    return;
  }
}

// The colours a plot is given are the directions' colours of that drawing.
TChartLook TMainCharts::DrawingLook(const QColor &ADSColor, const QColor &AUSColor) const {
  TChartLook look = FLook.WithDirectionColours(ADSColor, AUSColor);
  look.First512Bins = First512Bins();
  return look;
}

void TMainCharts::PlotHLOG(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                           const QColor &AUSColor) {
  DrawTable(AChart ? AChart : chartHLog, AData, TChartKind::HLog, DrawingLook(ADSColor, AUSColor));
}

void TMainCharts::PlotQLN(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                          const QColor &AUSColor) {
  DrawTable(AChart ? AChart : chartQLN, AData, TChartKind::QLN, DrawingLook(ADSColor, AUSColor));
}

void TMainCharts::PlotSNR(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                          const QColor &AUSColor) {
  DrawTable(AChart ? AChart : chartSNR, AData, TChartKind::SNR, DrawingLook(ADSColor, AUSColor));
}

void TMainCharts::PlotBitLoading(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                                 const QColor &AUSColor) {
  DrawTable(AChart ? AChart : chartBitLoading, AData, TChartKind::Bits, DrawingLook(ADSColor, AUSColor));
}

void TMainCharts::PlotGain(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor,
                           const QColor &AUSColor) {
  DrawTable(AChart ? AChart : chartGain, AData, TChartKind::Gain, DrawingLook(ADSColor, AUSColor));
}

void TMainCharts::PlotBinsSNR(const TDrayData &AData, TToneChart *AChartDS, TToneChart *AChartUS,
                              const QColor &ADSColor, const QColor &AUSColor) {
  TToneChart *chartDS = AChartDS ? AChartDS : chartBinSNRDS;
  TToneChart *chartUS = AChartUS ? AChartUS : chartBinSNRUS;
  chartDS->SetTitle(QStringLiteral("SNR Downstream"));
  chartUS->SetTitle(QStringLiteral("SNR Upstream"));
  const TChartLook look = DrawingLook(ADSColor, AUSColor);
  DrawTable(chartUS, AData, TChartKind::BinSNRUS, look);
  DrawTable(chartDS, AData, TChartKind::BinSNRDS, look);
}
