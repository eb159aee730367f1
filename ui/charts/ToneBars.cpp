#include "ToneBars.h"

#include <cmath>

void TToneBars::draw(QCPPainter *APainter) {
  if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty())
    return;
  QCPBarsDataContainer::const_iterator begin, end;
  getVisibleDataBounds(begin, end);
  applyDefaultAntialiasingHint(APainter);
  APainter->setPen(Qt::NoPen);
  APainter->setBrush(mBrush);
  for (auto it = begin; it != end; ++it) {
    // A zero bar has no area; skipping it keeps empty bands cheap.
    if (it->value == 0 || std::isnan(it->value))
      continue;
    QRectF bar = getBarRect(it->key, it->value).normalized();
    if (bar.width() < 1) {
      bar.setLeft(std::floor(bar.left()));
      bar.setWidth(1);
    }
    APainter->drawRect(bar);
  }
}
