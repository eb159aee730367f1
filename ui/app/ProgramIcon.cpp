#include "ProgramIcon.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

#include <cmath>
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

// The icon square in device pixels.
QPixmap Drawn(int ADevicePixels) {
  QPixmap pixmap(ADevicePixels, ADevicePixels);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  PaintTonegraphIcon(painter, ADevicePixels);
  return pixmap;
}

// Draws each pixmap at the size asked, which for a screen of device pixel
// ratio 2 is already twice the logical size; a set of fixed pixmaps would be
// scaled for any size between them.
class TTonegraphIconEngine : public QIconEngine {
public:
  QPixmap pixmap(const QSize &ASize, QIcon::Mode AMode, QIcon::State) override {
    // Square, as the icon is, centred in what was asked.
    const int side = std::min(ASize.width(), ASize.height());
    if (side <= 0)
      return {};
    QPixmap icon = Drawn(side);
    if (ASize.width() != ASize.height()) {
      QPixmap framed(ASize);
      framed.fill(Qt::transparent);
      QPainter(&framed).drawPixmap((ASize.width() - side) / 2, (ASize.height() - side) / 2, icon);
      icon = framed;
    }
    return AMode == QIcon::Normal ? icon : InMode(icon, AMode);
  }

  void paint(QPainter *APainter, const QRect &ARect, QIcon::Mode AMode, QIcon::State AState) override {
    const qreal ratio = APainter->device() ? APainter->device()->devicePixelRatioF() : 1.0;
    QPixmap drawn = pixmap(ARect.size() * ratio, AMode, AState);
    drawn.setDevicePixelRatio(ratio);
    APainter->drawPixmap(ARect.topLeft(), drawn);
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int size : IconSizes)
      sizes << QSize(size, size);
    return sizes;
  }

  QIconEngine *clone() const override { return new TTonegraphIconEngine; }
  QString key() const override { return QStringLiteral("TTonegraphIconEngine"); }

private:
  // Greyed for a disabled button, as the style greys any icon.
  static QPixmap InMode(const QPixmap &APixmap, QIcon::Mode AMode) {
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
      return APixmap;
    QStyleOption option;
    option.palette = QApplication::palette();
    const QPixmap styled = QApplication::style()->generatedIconPixmap(AMode, APixmap, &option);
    return styled.isNull() ? APixmap : styled;
  }
};

} // namespace

void PaintTonegraphIcon(QPainter &APainter, double ASize) {
  APainter.setRenderHint(QPainter::Antialiasing);
  DrawBackground(APainter, ASize);
  DrawBars(APainter, ASize);
}

QPixmap TonegraphIconPixmap(int ASize, qreal ADevicePixelRatio) {
  QPixmap pixmap = Drawn(int(std::lround(ASize * ADevicePixelRatio)));
  pixmap.setDevicePixelRatio(ADevicePixelRatio);
  return pixmap;
}

QIcon TonegraphIcon() { return QIcon(new TTonegraphIconEngine); }
