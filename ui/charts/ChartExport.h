#pragma once
// A snapshot's chart drawn by the window's own chart code into a chart of
// its own, and saved as a picture file (PNG, SVG or PDF) at a given size.
// Needs a QApplication but no display: the offscreen platform will do.

#include <optional>
#include <string_view>

#include <QByteArray>
#include <QSize>
#include <QString>

#include "ChartLook.h"
#include "DrawTable.h"

class TDrayData;
class TToneChart;

enum class TImageFormat { Png, Svg, Pdf };

// "png", "svg", "pdf"; empty for any other name.
std::optional<TImageFormat> ImageFormatFromName(std::string_view AName);

class TChartExport {
public:
  // Sets AChart up for AKind and draws AData into it. The per-bin SNR, two
  // charts in the window, is one chart here with both directions. ALook: the
  // band plan, the tone axis's unit and the colours, as in the window.
  static void Draw(TToneChart *AChart, const TDrayData &AData, TChartKind AKind, const TChartLook &ALook = {});
  // The bytes of AChart's picture at ASize; empty when it cannot be drawn.
  static QByteArray Picture(TToneChart *AChart, TImageFormat AFormat, QSize ASize);
  // Writes AChart's picture at ASize as AFilename, which it replaces only
  // when the whole picture is written; false when the picture cannot be
  // drawn, the file's own failures raised ("Stream write error").
  static bool Save(TToneChart *AChart, const QString &AFilename, TImageFormat AFormat, QSize ASize);

private:
  static void Setup(TToneChart *AChart, TChartKind AKind);
};
