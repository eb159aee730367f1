#pragma once
// The user's chart look kept in the user's settings, so that the band plan
// and MHz choices outlive the window.

#include "ChartLook.h"

class TChartLookSettings {
public:
  static TChartLook Load();
  static void Save(const TChartLook &ALook);
};
