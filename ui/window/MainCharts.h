#pragma once
// The seven charts of the main window and what the window does with them as
// a whole: set them up, empty them, draw a snapshot into them.

#include <memory>
#include <string>
#include <vector>

#include <QColor>

#include "ChartLook.h"
#include "DrayKindState.h"

class QCheckBox;
class TDrayData;
class TMainPages;
class TToneChart;
struct TToneEnvelope;

class TMainCharts {
public:
  // AFirst512Bins: the "SNR data only in first 512 bins" check box.
  TMainCharts(const TMainPages &APages, const QCheckBox *AFirst512Bins);

  void SetupCharts();
  void DisplayChartData(const TDrayData *AData);
  // After a change of the 512-bin option: the per-bin SNR charts set up
  // again and, when AData is given, drawn from it at once.
  void RedrawBinSNR(const TDrayData *AData);

  // The band plan and the tone axis's unit of every chart; AData, when
  // given, is the snapshot shown, whose profile they follow.
  void SetLook(const TChartLook &ALook, const TDrayData *AData);
  const TChartLook &Look() const { return FLook; }

  // A snapshot every chart draws beside the one shown (null: none), by its
  // name; with ADifference they draw the shown one minus it instead. The
  // charts are set up again; the caller draws the snapshot afterwards.
  void SetReference(const TDrayData *AReference, bool ADifference);
  const TDrayData *Reference() const { return FReference; }
  bool Difference() const { return FDifference; }
  // The range of a line over captures, drawn on the SNR and bit-loading
  // charts of a snapshot of the same profile (null: none).
  void SetEnvelope(std::shared_ptr<const TToneEnvelope> AEnvelope);
  const TToneEnvelope *Envelope() const { return FEnvelope.get(); }

  // What the reader has stored: HLog, QLN and SNR each draw their chart;
  // Bins the bit-loading, per-bin SNR and gain charts, in that order.
  void PlotGroup(TDrayKind AKind, const TDrayData &AData);
  // Each draws its table by DrawTable. A null chart means the default one
  // for that table; the colours are the directions' colours of this drawing.
  void PlotHLOG(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor, const QColor &AUSColor);
  void PlotQLN(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor, const QColor &AUSColor);
  void PlotSNR(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor, const QColor &AUSColor);
  void PlotBitLoading(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor, const QColor &AUSColor);
  void PlotGain(const TDrayData &AData, TToneChart *AChart, const QColor &ADSColor, const QColor &AUSColor);
  void PlotBinsSNR(const TDrayData &AData, TToneChart *AChartDS, TToneChart *AChartUS, const QColor &ADSColor,
                   const QColor &AUSColor);

  TToneChart *chartHLog, *chartQLN, *chartSNR, *chartBitLoading, *chartGain, *chartBinSNRUS, *chartBinSNRDS;

private:
  std::vector<TToneChart *> AllCharts() const;
  bool First512Bins() const;
  TChartLook DrawingLook(const QColor &ADSColor, const QColor &AUSColor) const;

  void ApplyLook(TToneChart *AChart, const TDrayData *AData) const;
  void DrawReference(const TDrayData &AData);
  void DrawDifference(const TDrayData &AData);
  void DrawEnvelope(const TDrayData &AData);
  void FinishOverlays(const std::vector<TToneChart *> &ACharts, const TDrayData &AData);

  const QCheckBox *FFirst512Bins;
  TChartLook FLook;
  const TDrayData *FReference = nullptr;
  bool FDifference = false;
  std::shared_ptr<const TToneEnvelope> FEnvelope;
};
