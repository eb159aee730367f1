#include "ToneBars.h"

#include <cmath>
#include <limits>

namespace {

// Bars narrower than a pixel that fall into the same pixel column cover the
// union of their extents there; every bar touches the base line, so that
// union is one rectangle. Drawing it once per column gives the same picture
// as drawing every bar, at a fraction of the cost.
class TColumnMerger {
public:
  explicit TColumnMerger(QCPPainter *APainter) : FPainter(APainter) {}
  ~TColumnMerger() { Flush(); }

  void Add(const QRectF &ABar) {
    const double left = std::floor(ABar.left());
    if (left == FColumn) {
      FTop = std::min(FTop, ABar.top());
      FBottom = std::max(FBottom, ABar.bottom());
      return;
    }
    Flush();
    FColumn = left;
    FTop = ABar.top();
    FBottom = ABar.bottom();
  }

  void Flush() {
    if (!std::isnan(FColumn))
      FPainter->drawRect(QRectF(FColumn, FTop, 1, FBottom - FTop));
    FColumn = std::numeric_limits<double>::quiet_NaN();
  }

private:
  QCPPainter *FPainter;
  double FColumn = std::numeric_limits<double>::quiet_NaN();
  double FTop = 0;
  double FBottom = 0;
};

}  // namespace

void TToneBars::draw(QCPPainter *APainter) {
  if (!mKeyAxis || !mValueAxis || mDataContainer->isEmpty())
    return;
  QCPBarsDataContainer::const_iterator begin, end;
  getVisibleDataBounds(begin, end);
  applyDefaultAntialiasingHint(APainter);
  APainter->setPen(Qt::NoPen);
  APainter->setBrush(mBrush);
  TColumnMerger narrow(APainter);
  for (auto it = begin; it != end; ++it) {
    // A zero bar has no area; skipping it keeps empty bands cheap.
    if (it->value == 0 || std::isnan(it->value))
      continue;
    const QRectF bar = getBarRect(it->key, it->value).normalized();
    if (bar.width() < 1) {
      narrow.Add(bar);
    } else {
      narrow.Flush();
      APainter->drawRect(bar);
    }
  }
}
