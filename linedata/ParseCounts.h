#pragma once
// What one rebuild of a table made of its raw lines, for a caller that warns
// about text that gave nothing (a README chosen as the SNR file).
//
// LinesTaken: lines the kind's pattern matched, so that the parser read them
// ("bin=" lines of HLog, QLN and SNR, even when all eight values are empty;
// lines of the bins listing with at least one quadruple of numbers).
// LinesSkipped: lines that are not blank and that the pattern did not match
// (table headers, rules, the echo of a command, a prompt).
// Blank lines count as neither. For HLog, QLN and SNR only the raw lines of the
// direction count: the lines that the marker split sets aside (the echo and
// headers before the upstream marker, the line before the downstream marker
// and the prompt) are in no raw list. A real answer's raw lines are nearly
// all taken; the bins listing keeps its headers and prompts, a few skipped.

#include <cstddef>

struct TParseCounts {
  std::size_t LinesTaken = 0;
  std::size_t LinesSkipped = 0;

  TParseCounts &operator+=(const TParseCounts &AOther) {
    LinesTaken += AOther.LinesTaken;
    LinesSkipped += AOther.LinesSkipped;
    return *this;
  }
  bool operator==(const TParseCounts &) const = default;
};
