// Writes the program's icon as the files a desktop looks for: a PNG for each
// hicolor size and a scalable SVG, all drawn by the code the window draws its
// own icon with, so the menu and the title bar show the same picture.
//
//   tonegraph-icon-files OUTDIR ICONNAME
//     OUTDIR/hicolor/NxN/apps/ICONNAME.png   N = 16 ... 256
//     OUTDIR/hicolor/scalable/apps/ICONNAME.svg

#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "ProgramIcon.h"

namespace {

const int HicolorSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool MakeFolder(const QString &APath) {
  if (QDir().mkpath(APath))
    return true;
  std::fprintf(stderr, "tonegraph-icon-files: cannot make %s\n", qPrintable(APath));
  return false;
}

bool WritePng(const QString &AFolder, const QString &AName, int ASize) {
  const QString folder = QStringLiteral("%1/%2x%2/apps").arg(AFolder).arg(ASize);
  if (!MakeFolder(folder))
    return false;
  QImage image(ASize, ASize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    PaintTonegraphIcon(painter, ASize);
  }
  const QString file = folder + QLatin1Char('/') + AName + QStringLiteral(".png");
  if (image.save(file, "PNG"))
    return true;
  std::fprintf(stderr, "tonegraph-icon-files: cannot write %s\n", qPrintable(file));
  return false;
}

bool WriteSvg(const QString &AFolder, const QString &AName) {
  const QString folder = AFolder + QStringLiteral("/scalable/apps");
  if (!MakeFolder(folder))
    return false;
  const int side = 256;
  const QString file = folder + QLatin1Char('/') + AName + QStringLiteral(".svg");
  QSvgGenerator svg;
  svg.setFileName(file);
  svg.setSize(QSize(side, side));
  svg.setViewBox(QRect(0, 0, side, side));
  svg.setTitle(QStringLiteral("Tonegraph"));
  QPainter painter;
  if (!painter.begin(&svg)) {
    std::fprintf(stderr, "tonegraph-icon-files: cannot write %s\n", qPrintable(file));
    return false;
  }
  PaintTonegraphIcon(painter, side);
  return painter.end();
}

} // namespace

int main(int argc, char **argv) {
  if (argc != 3) {
    std::fputs("usage: tonegraph-icon-files OUTDIR ICONNAME\n", stderr);
    return 2;
  }
  // Pictures only: no screen is needed, whatever the environment says.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]) + QStringLiteral("/hicolor");
  const QString name = QString::fromLocal8Bit(argv[2]);
  bool written = WriteSvg(folder, name);
  for (int size : HicolorSizes)
    written = WritePng(folder, name, size) && written;
  return written ? 0 : 1;
}
