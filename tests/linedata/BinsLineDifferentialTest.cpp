// The bins scanner against the pattern that defines a quadruple: on listing
// lines, on lines made of the characters that matter, and on lines whose
// numbers do not fit, both must store the same entries, say the same about
// the line, and fail with the same message at the same quadruple.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "BinsLine.h"
#include "Exceptions.h"

namespace {

struct TReading {
  bool Matched = false;
  std::string Error;
  TDrayBinArray Table{};
};

TReading Read(const std::function<bool(std::string_view, TDrayBinArray &)> &AReader, const std::string &ALine,
              const TDrayBinArray &AStart) {
  TReading Reading;
  Reading.Table = AStart;
  try {
    Reading.Matched = AReader(ALine, Reading.Table);
  } catch (const EConvertError &E) {
    Reading.Error = E.what();
  }
  return Reading;
}

// Compares one line; returns whether the readers agree, with a failure that
// shows the line when they do not.
::testing::AssertionResult Agree(const std::string &ALine, const TDrayBinArray &AStart) {
  const TReading Pattern = Read(ReadBinsLineByPattern, ALine, AStart);
  const TReading Scanner = Read(ScanBinsLine, ALine, AStart);
  if (!Pattern.Error.empty() || !Scanner.Error.empty()) {
    if (Pattern.Error != Scanner.Error)
      return ::testing::AssertionFailure() << "errors differ on \"" << ALine << "\": \"" << Pattern.Error
                                           << "\" against \"" << Scanner.Error << "\"";
  } else if (Pattern.Matched != Scanner.Matched) {
    return ::testing::AssertionFailure() << "match differs on \"" << ALine << "\"";
  }
  for (std::size_t Tone = 0; Tone < DrayBinCount; ++Tone)
    if (!(Pattern.Table[Tone] == Scanner.Table[Tone]))
      return ::testing::AssertionFailure() << "tone " << Tone << " differs on \"" << ALine << "\"";
  return ::testing::AssertionSuccess();
}

class TLineMaker {
public:
  explicit TLineMaker(unsigned ASeed) : FRandom(ASeed) {}

  // A listing line as routers print it, now and then bent: odd blanks, a
  // missing field, a sign in the wrong place, a number that does not fit.
  std::string ListingLine() {
    std::string Line = Blanks(0);
    const int Quads = Pick(0, 5);
    for (int Q = 0; Q < Quads; ++Q) {
      if (Q > 0)
        Line += Blanks(1) + (Pick(0, 9) == 0 ? "-" : "*") + Blanks(1);
      Line += Number(false) + Blanks(1) + Number(false) + Blanks(1) + Number(true) + Blanks(1) + Number(false);
      if (Pick(0, 30) == 0)
        Line.erase(static_cast<std::size_t>(Pick(0, static_cast<int>(Line.size()) - 1)), 1);
    }
    return Line + Blanks(0);
  }

  // Any line over the characters that decide a match.
  std::string RandomLine() {
    static const char Alphabet[] = " \t\r\v\f\n-*0123456789x\xA0\x85";
    std::string Line;
    const int Length = Pick(0, 60);
    for (int I = 0; I < Length; ++I)
      Line += Alphabet[Pick(0, sizeof Alphabet - 2)];
    return Line;
  }

  TDrayBinArray StartTable() {
    TDrayBinArray Table{};
    for (int I = 0; I < 64; ++I) {
      TDrayBinEntry &Entry = Table[static_cast<std::size_t>(Pick(0, DrayBinCount - 1))];
      Entry = {static_cast<std::uint16_t>(Pick(0, 9000)), static_cast<std::int16_t>(Pick(-99, 99)),
               static_cast<std::int16_t>(Pick(-99, 99)), static_cast<std::int8_t>(Pick(0, 15))};
    }
    return Table;
  }

private:
  int Pick(int ALow, int AHigh) { return std::uniform_int_distribution<int>(ALow, AHigh)(FRandom); }

  std::string Blanks(int AAtLeast) {
    static const char Spaces[] = " \t\r\v\f";
    std::string Text;
    const int Count = AAtLeast + (Pick(0, 3) == 0 ? Pick(0, 4) : 0);
    for (int I = 0; I < Count; ++I)
      Text += Pick(0, 20) == 0 ? Spaces[Pick(1, 4)] : ' ';
    return Text;
  }

  std::string Number(bool AMaySign) {
    std::string Text = AMaySign && Pick(0, 2) == 0 ? "-" : (Pick(0, 50) == 0 ? "-" : "");
    switch (Pick(0, 40)) {
    case 0: return Text + "99999999999";         // past 32 bits
    case 1: return Text + "2147483648";          // one past the top
    case 2: return Text + "000000000000000042";  // long, but fits
    case 3: return Text + std::to_string(Pick(8192, 70000));
    default: return Text + std::to_string(Pick(0, 8191));
    }
  }

  std::mt19937 FRandom;
};

TEST(BinsLineDifferential, ScannerReadsWhatThePatternReadsOnListingLines) {
  TLineMaker Maker(20261210);
  for (int I = 0; I < 20000; ++I) {
    const std::string Line = Maker.ListingLine();
    ASSERT_TRUE(Agree(Line, Maker.StartTable()));
  }
}

TEST(BinsLineDifferential, ScannerReadsWhatThePatternReadsOnAnyLine) {
  TLineMaker Maker(42);
  for (int I = 0; I < 20000; ++I) {
    const std::string Line = Maker.RandomLine();
    ASSERT_TRUE(Agree(Line, Maker.StartTable()));
  }
}

// The cases that decide the scanner's shape, each against the pattern.
TEST(BinsLineDifferential, AgreeOnTheCornerCases) {
  const char *const Lines[] = {
      "",
      "1 2 3 4",
      "1 2 3",
      "-1 2 3 4",            // a minus before the tone is not part of it
      "1 -2 3 4",            // nor before the SNR
      "1 2 -3 4",
      "1 2 --3 4",
      "1 2 3 -4",
      "12a 1 2 3 4",         // the tone's run ends in a letter: the next run starts over
      "1 2 3 4 5 6 7 8",
      "1 2 3 45 6 7 8",
      "1\v2\f3\r4",          // every blank of the pattern
      "1\xA0" "2 3 4",        // not a blank without Unicode
      "99999999999 1 2 3",   // a tone past 32 bits
      "1 1 1 1 * 99999999999 1 2 3",
      "99999999999 1 2",     // no quadruple: no error
      "2147483647 1 2 3",
      "1 2 -2147483648 3",
      "1 2 -2147483649 3",
      "8191 1 2 3 8192 1 2 3 65548 5 6 7",
  };
  TDrayBinArray Start{};
  for (const char *Line : Lines)
    EXPECT_TRUE(Agree(Line, Start));
}

} // namespace
