#pragma once
// Which tones carry which direction, per VDSL2 profile: the one band plan of
// the analysis (the simulated router keeps a copy of its own for its line).
//
// Source: ITU-T G.993.2 Annex B, band plan 998ADE17 (Europe), band edges
//   US0 25-138 kHz, DS1 138-3750 kHz, US1 3.75-5.2 MHz, DS2 5.2-8.5 MHz,
//   US2 8.5-12 MHz, DS3 12-17.664 MHz,
// on tones of 4.3125 kHz: US0 6-32, DS1 33-869, US1 870-1205, DS2 1206-1971,
// US2 1972-2782, DS3 2783-4095. A profile uses the bands below its top tone:
// 8a to 8d stop at 8.5 MHz (tone 1971; the sliver above it up to 8.832 MHz is
// left out, as lines do not load it), 12a and 12b at 12 MHz, 17a at 17.664 MHz.
// 35b (G.993.2 Annex Q) adds one downstream band DS4 from 17.664 to 35.328 MHz
// (tones 4096-8191). 30a runs on tones of 8.625 kHz with its own edges:
//   US0 25-138 kHz, DS1 138 kHz-3.75 MHz, US1 3.75-5.2 MHz, DS2 5.2-8.5 MHz,
//   US2 8.5-12 MHz, DS3 12-23 MHz, US3 23-30 MHz,
// that is US0 3-15, DS1 16-434, US1 435-602, DS2 603-985, US2 986-1391,
// DS3 1392-2666, US3 2667-3478.

#include <vector>

#include "StatValue.h"
#include "VDSLProfile.h"

struct TPlanBand {
  const char *Name;  // "US0", "DS1", ...
  int FirstTone;     // both included
  int LastTone;
  TDirection Direction;
};

// The bands of AProfile in frequency order; none for N/A.
std::vector<TPlanBand> BandPlanOf(TVDSLProfile AProfile);
