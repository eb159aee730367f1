// Built without the window: no chart library to draw with.
#include "ChartImage.h"

#include <stdexcept>

bool ChartImagesBuilt() { return false; }

void WriteChartImage(const TDrayData &, const std::string &AChart, const std::string &AFormat, int, int, bool,
                     bool, const std::string &) {
  throw std::runtime_error("the " + AFormat + " picture of the " + AChart +
                           " chart needs the window's chart library, which this build leaves out");
}
