#pragma once
// Bars of one direction, one per tone. Thousands of tones share a few hundred
// pixels, so each bar is drawn at least one pixel wide (otherwise most bars
// would round away to nothing at the full view and a fully loaded band would
// look sparse), and the bars that share a pixel column are drawn as one.

#include <qcustomplot.h>

class TToneBars : public QCPBars {
  Q_OBJECT
public:
  TToneBars(QCPAxis *AKeyAxis, QCPAxis *AValueAxis) : QCPBars(AKeyAxis, AValueAxis) {}

  // QCPBars' geometry, for the drawing code beside this class.
  QRectF BarRect(double AKey, double AValue) const { return getBarRect(AKey, AValue); }
  void PixelWidth(double AKey, double &ALower, double &AUpper) const { getPixelWidth(AKey, ALower, AUpper); }
  double BaseValue(double AKey, bool APositive) const { return getStackedBaseValue(AKey, APositive); }

protected:
  void draw(QCPPainter *APainter) override;
};
