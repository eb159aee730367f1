#include "BinsLine.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Exceptions.h"
#include "IntegerText.h"
#include "RouterPatterns.h"

namespace {

void Store(TDrayBinArray &ATable, std::uint16_t ATone, std::int32_t ASNR, std::int32_t AGain, std::int32_t ABits) {
  if (ATone >= DrayBinCount)
    return;
  TDrayBinEntry &Entry = ATable[ATone];
  Entry.Bin = ATone;
  // Each field keeps the low bits of the router's number.
  Entry.SNR = static_cast<std::int16_t>(ASNR);
  Entry.Gain = static_cast<std::int16_t>(AGain);
  Entry.ToneBits = static_cast<std::int8_t>(ABits);
}

// The pattern's \s and \d, without locale: PCRE2's own tables are ASCII.
constexpr bool IsSpace(char C) { return C == ' ' || static_cast<unsigned char>(C - '\t') <= '\r' - '\t'; }
constexpr bool IsDigit(char C) { return static_cast<unsigned char>(C - '0') <= 9; }

// Past this a magnitude fits no 32-bit number of either sign.
constexpr std::int64_t TooLarge = 2147483649LL;

// A run of digits read at once, from its first digit: where it ends and its
// magnitude, TooLarge for any that does not fit 32 bits. Small enough to come
// back in two registers.
struct TRun {
  const char *End;
  std::int64_t Magnitude;
};

inline TRun ReadDigits(const char *AAt, const char *AEnd) {
  // One pass: leading zeros add nothing, and once the magnitude is too large
  // it stops growing (ten times TooLarge plus a digit still fits 64 bits).
  std::int64_t Magnitude = 0;
  for (; AAt < AEnd && IsDigit(*AAt); ++AAt)
    if (Magnitude < TooLarge)
      Magnitude = Magnitude * 10 + (*AAt - '0');
  return {AAt, std::min(Magnitude, TooLarge)};
}

constexpr bool Fits(std::int64_t AMagnitude, bool ANegative) { return AMagnitude <= (ANegative ? 2147483648LL : 2147483647LL); }

// The three numbers after a quadruple's tone, whose digits end at AAt, each
// after at least one blank, into AFields (0 for a number that does not fit):
// the quadruple's end, or null when they are not there.
const char *ReadRest(const char *AAt, const char *AEnd, std::int32_t (&AFields)[3]) {
  for (int Field = 0; Field < 3; ++Field) {
    const char *const Blanks = AAt;
    while (AAt < AEnd && IsSpace(*AAt))
      ++AAt;
    if (AAt == Blanks)
      return nullptr;
    const bool Negative = Field == 1 && AAt < AEnd && *AAt == '-';
    AAt += Negative;
    if (AAt == AEnd || !IsDigit(*AAt))
      return nullptr;
    const TRun Run = ReadDigits(AAt, AEnd);
    const std::int64_t Value = Negative ? -Run.Magnitude : Run.Magnitude;
    AFields[Field] = Fits(Run.Magnitude, Negative) ? static_cast<std::int32_t>(Value) : 0;
    AAt = Run.End;
  }
  return AAt;
}

} // namespace

bool ReadBinsLineByPattern(std::string_view ALine, TDrayBinArray &ATable) {
  const TRegex &Pattern = TRouterPatterns::Get().BinsLine;
  TRegexMatch Match;
  bool Matched = false;
  std::size_t From = 0;
  while (From <= ALine.size() && Pattern.Search(ALine, From, Match)) {
    Matched = true;
    From = Match.End();
    Store(ATable, static_cast<std::uint16_t>(TextToInt(Match.Group(1))), TextToIntDef(Match.Group(2), 0),
          TextToIntDef(Match.Group(3), 0), TextToIntDef(Match.Group(4), 0));
  }
  return Matched;
}

// A quadruple starts at a run of digits whose end is followed by the other
// three numbers. One that does not start at a run cannot start inside it
// either (what follows is the same), so the next candidate is the next run.
bool ScanBinsLine(std::string_view ALine, TDrayBinArray &ATable) {
  bool Matched = false;
  const char *At = ALine.data();
  const char *const End = At + ALine.size();
  for (;;) {
    while (At < End && !IsDigit(*At))
      ++At;
    if (At == End)
      return Matched;
    const TRun Tone = ReadDigits(At, End);
    std::int32_t Fields[3];
    const char *const QuadEnd = ReadRest(Tone.End, End, Fields);
    if (!QuadEnd) {
      At = Tone.End;
      continue;
    }
    Matched = true;
    if (!Fits(Tone.Magnitude, false))
      throw EConvertError("'" + std::string(At, Tone.End) + "' is not a valid integer value");
    Store(ATable, static_cast<std::uint16_t>(Tone.Magnitude), Fields[0], Fields[1], Fields[2]);
    At = QuadEnd;
  }
}
