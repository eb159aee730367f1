#include "LineView.h"

#include "BridgedTap.h"
#include "DrayData.h"
#include "LinePage.h"
#include "LineTexts.h"
#include "ToneMarks.h"

const QColor TLineView::TapColor(205, 95, 0);
const QColor TLineView::DisturberColor(200, 0, 0);

TLineView::TLineView(TLinePage *APage, TToneChart *AHLogChart, TToneChart *AQLNChart)
    : FPage(APage), FHLogChart(AHLogChart), FQLNChart(AQLNChart) {}

void TLineView::Show(const TDrayData *AData) {
  FAnalysis.reset();
  if (AData)
    FAnalysis = AnalyzeLine(*AData);
  FPage->ShowAnalysis(FAnalysis ? &*FAnalysis : nullptr);
  MarkTaps();
  MarkDisturbers();
}

// Every notch of a tap is marked, the first one with the tap's length: the
// comb of lines shows how the notches fall on the spectrum.
void TLineView::MarkTaps() {
  std::vector<TToneMark> marks;
  if (FAnalysis) {
    const double spacing = FAnalysis->ToneSpacingHz;
    const double highest = ProfileToneCount(FAnalysis->Profile) * spacing;
    for (const TBridgedTap &tap : FAnalysis->BridgedTaps) {
      const std::vector<double> notches = NotchFrequencies(tap, highest);
      for (std::size_t i = 0; i < notches.size(); ++i)
        marks.push_back({notches[i] / spacing, i == 0 ? TapMarkLabel(tap) : QString()});
    }
  }
  TToneMarks::Set(FHLogChart, marks, TapColor);
}

void TLineView::MarkDisturbers() {
  std::vector<TToneMark> marks;
  if (FAnalysis)
    for (const TDisturber &disturber : FAnalysis->Disturbers)
      marks.push_back({static_cast<double>(disturber.Tone), DisturberMarkLabel(disturber)});
  TToneMarks::Set(FQLNChart, marks, DisturberColor);
}
