#pragma once
// A repeatable small number in [-1, 1] per tone and purpose (ASalt): the
// little unevenness of a measured line, the same in every answer.

inline double ToneJitter(int ATone, int ASalt) {
  unsigned X = static_cast<unsigned>(ATone) * 2654435761u + static_cast<unsigned>(ASalt) * 40503u;
  X ^= X >> 13;
  X *= 0x5bd1e995u;
  X ^= X >> 15;
  return (X % 2001) / 1000.0 - 1.0;
}
