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

protected:
  void draw(QCPPainter *APainter) override;
};
