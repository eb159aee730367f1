#pragma once
// A chart of a snapshot written as a PNG, SVG or PDF file, drawn by the
// window's chart code without a display.

#include <string>

class TDrayData;

// Whether this build draws chart pictures (the window's libraries built).
bool ChartImagesBuilt();

// Writes chart AChart ("hlog" ... "binsnr") of AData as AFormat ("png",
// "svg", "pdf") of AWidth x AHeight pixels to AFilename. Throws what went
// wrong.
void WriteChartImage(const TDrayData &AData, const std::string &AChart, const std::string &AFormat, int AWidth,
                     int AHeight, const std::string &AFilename);
