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

private:
  TRouterPatterns() = default;
};
