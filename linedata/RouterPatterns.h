#pragma once
// Every pattern matched over router text, compiled once for the whole process.

#include "Regex.h"

class TRouterPatterns {
public:
  static const TRouterPatterns &Get();

  // "GroupSize" line: tones per group, upstream then downstream.
  const TRegex GroupSize{R"(GroupSize\s+:\s+(\d+)\s+(\d+))"};
  // One HLog, QLN or SNR line: first group, then eight optional values.
  const TRegex StatLine{R"(bin=\s*(\d+):\s+(-?\d+)?,\s*(-?\d+)?,\s*(-?\d+)?,\s*(-?\d+)?,)"
                        R"(\s*(-?\d+)?,\s*(-?\d+)?,\s*(-?\d+)?,\s*(-?\d+)?,)"};
  // One quadruple of the bins listing: tone, SNR, gain, bits.
  const TRegex BinsLine{R"(\s*(\d+)\s+(\d+)\s+(-?\d+)\s+(\d+))"};
  // The profile on the status text's "Running Mode" line.
  const TRegex RunningMode{R"(Running Mode\s+:\s+(8(A|B|C)|12(A|B)|17A|30A|35B))"};

  // Figures of the status text, matched one line at a time; a line may hold
  // two ("DS Actual Rate : ... bps   US Actual Rate : ... bps").
  // The line's state: "State                : SHOWTIME".
  const TRegex LineState{R"(\bState\s*:\s*(\S+))"};
  // Direction, kind, number and the unit's prefix: "DS Actual Rate :107737000 bps".
  const TRegex Rate{R"(\b(DS|US) (Actual|Attainable) Rate\s*:\s*(\d+)\s*([kKM]?)bps)"};
  // "Cur SNR Margin : 17 dB" is the near end's, "Far SNR Margin" the far end's.
  const TRegex SNRMargin{R"(\b(Cur|Far) SNR Margin\s*:\s*(-?\d+(?:\.\d+)?)\s*dB)"};
  // "NE Current Attenuation : 4 dB", "Far Current Attenuation : 2 dB".
  const TRegex Attenuation{R"(\b(NE|Far) Current Attenuation\s*:\s*(-?\d+(?:\.\d+)?)\s*dB)"};
  // The counters since the line came up, in "vdsl status counts".
  const TRegex ShowtimeCounters{R"(\[\s*Counters:\s*Showtime\s*\])"};
  // The start of the next block of counters, or of any other titled block.
  const TRegex BlockTitle{R"(^\s*\[)"};
  // One counter: name, near end, far end ("CRC          :      6               0").
  const TRegex CounterRow{R"(^\s*(\w+)\s*:\s*(\d+)\s+(\d+))"};
  // A band name over a column of "vdsl status bandinfo": US0, DS1, or U0, D1.
  const TRegex BandName{R"(^(US|DS|U|D)(\d)$)"};
  // A row of per-band attenuations: "LATN  :    11.8    21.7  (dB)".
  const TRegex BandRow{R"(^\s*(LATN|SATN)\b(?:[^:\d-]*:)?)"};
  // One value of such a row; "N/A" or dashes for a band that has none.
  const TRegex BandValue{R"((?<!\S)(-?\d+(?:\.\d+)?|N/A|-+)(?!\S))"};

private:
  TRouterPatterns() = default;
};
