#pragma once
// Tick placement of the charts: the chart's label step, made finer when a
// zoom leaves few labels in view and coarser when the labels would crowd the
// axis (VisibleToneStep); whole-number labels laid out alternately on two
// rows so that dense tone axes stay readable; three minor ticks per step.
// Given a tone spacing, the ticks fall on round frequencies instead and the
// labels read in MHz.

#include <qcustomplot.h>

class TToneTicker : public QCPAxisTickerFixed {
public:
  TToneTicker();

  // Labels on every other tick go to a second row.
  void SetAlternateRows(bool AValue) { FAlternateRows = AValue; }
  bool AlternateRows() const { return FAlternateRows; }

  // Hz between neighbouring tones; 0 labels tone numbers.
  void SetFrequencySpacing(double AHz) { FSpacingHz = AHz; }
  double FrequencySpacing() const { return FSpacingHz; }

  // The step that the last generated ticks used.
  double UsedStep() const { return FUsedStep; }

protected:
  double getTickStep(const QCPRange &ARange) override;
  int getSubTickCount(double ATickStep) override;
  QString getTickLabel(double ATick, const QLocale &ALocale, QChar AFormatChar, int APrecision) override;

private:
  bool FAlternateRows = true;
  double FUsedStep = 1;
  double FSpacingHz = 0;

  double FrequencyStep(double ARangeTones) const;
};
