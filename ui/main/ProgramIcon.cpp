#include "ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

#include <iterator>

namespace {

const int IconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Relative heights of the bars, left to right: a falling bit-loading curve.
const double BarHeights[] = {0.55, 0.80, 0.95, 0.85, 0.70, 0.50, 0.35};

void DrawBackground(QPainter &APainter, double ASize) {
  QPainterPath frame;
  frame.addRoundedRect(QRectF(0.5, 0.5, ASize - 1, ASize - 1), ASize / 6, ASize / 6);
  APainter.fillPath(frame, QColor(24, 40, 72));
}

void DrawBars(QPainter &APainter, double ASize) {
  const int count = int(std::size(BarHeights));
  const double margin = ASize * 0.14;
  const double slot = (ASize - 2 * margin) / count;
  const double floor = ASize - margin;
  for (int i = 0; i < count; ++i) {
    const double height = BarHeights[i] * (floor - margin);
    const QColor colour = (i % 2 == 0) ? QColor(0, 160, 0) : QColor(40, 110, 255);
    APainter.fillRect(QRectF(margin + i * slot, floor - height, slot * 0.8, height), colour);
  }
}

} // namespace

QPixmap TonegraphIconPixmap(int ASize) {
  QPixmap pixmap(ASize, ASize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(painter, ASize);
  DrawBars(painter, ASize);
  return pixmap;
}

QIcon TonegraphIcon() {
  QIcon icon;
  for (int size : IconSizes)
    icon.addPixmap(TonegraphIconPixmap(size));
  return icon;
}
