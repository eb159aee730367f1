#pragma once
// A chart of a snapshot written as a PNG, SVG or PDF file, drawn by the
// window's chart code without a display.

#include <string>

class TDrayData;

// Whether this build draws chart pictures (the window's libraries built).
bool ChartImagesBuilt();

// Writes chart AChart ("hlog" ... "binsnr") of AData as AFormat ("png",
// "svg", "pdf") of AWidth x AHeight pixels to AFilename, the profile's
// bands shaded when ABands, the tone axis in MHz when AMHz. Throws what went
// wrong.
void WriteChartImage(const TDrayData &AData, const std::string &AChart, const std::string &AFormat, int AWidth,
                     int AHeight, bool ABands, bool AMHz, const std::string &AFilename);
