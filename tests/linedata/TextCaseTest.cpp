// The one case folding: the router's prompts and error texts (8-bit), the
// marker lines and the profile names (UTF-8) all compare through it.
#include <gtest/gtest.h>

#include <random>

#include "CodePage.h"
#include "TextCase.h"

namespace {

struct TSameCase {
  const char *Title;
  std::string A, B;
  bool Same;
};

class SameTextIgnoringCaseCases : public testing::TestWithParam<TSameCase> {};

TEST_P(SameTextIgnoringCaseCases, FoldAsciiAndLatin1Letters) {
  EXPECT_EQ(SameTextIgnoringCase(GetParam().A, GetParam().B), GetParam().Same);
  EXPECT_EQ(SameTextIgnoringCase(GetParam().B, GetParam().A), GetParam().Same);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SameTextIgnoringCaseCases,
    testing::Values(TSameCase{"Marker", " US: (dB)", " us: (DB)", true},
                    TSameCase{"LeadingBlankCounts", "US: (dB)", " US: (dB)", false},
                    TSameCase{"ProfileName", "17a", "17A", true},
                    TSameCase{"Prefix", "12A", "12AB", false},
                    TSameCase{"Empty", "", "", true},
                    TSameCase{"OWithDiaeresis", "Vig\xC3\xB6r", "VIG\xC3\x96R", true},
                    TSameCase{"Thorn", "\xC3\x9E", "\xC3\xBE", true},
                    TSameCase{"MultiplicationIsNotDivision", "\xC3\x97", "\xC3\xB7", false},
                    TSameCase{"SWithCaronDoesNotFold", "\xC5\xA0", "\xC5\xA1", false},
                    TSameCase{"SharpSIsNoCapital", "\xC3\x9F", "\xC3\xBF", false},
                    TSameCase{"BrokenBytesReadAsReplacement", "a\x80", "A\xEF\xBF\xBD", true}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

// The order of the snapshot list: folded characters by their code, a text
// before the longer ones it starts.
TEST(CompareTextIgnoringCase, OrdersAsFoldedCharacters) {
  const struct {
    const char *A, *B;
    int Sign;
  } Cases[] = {{"apple", "Banana", -1}, {"LOADED", "loaded", 0}, {"Router", "Router1", -1},
               {"2025", "Loaded", -1},  {"z", "\xC3\x84", -1},   {"\xC3\xA4" "b", "\xC3\x84" "a", 1},
               {"", "", 0}};
  for (const auto &Case : Cases) {
    const int Forward = CompareTextIgnoringCase(Case.A, Case.B);
    EXPECT_EQ((Forward > 0) - (Forward < 0), Case.Sign) << Case.A << " " << Case.B;
    const int Backward = CompareTextIgnoringCase(Case.B, Case.A);
    EXPECT_EQ((Backward > 0) - (Backward < 0), -Case.Sign) << Case.A << " " << Case.B;
  }
}

struct TAnsiMarkerCase {
  const char *Title;
  std::string Bytes, Marker;
  bool EndsWith, Contains;
};

class AnsiMarkerCases : public testing::TestWithParam<TAnsiMarkerCase> {};

TEST_P(AnsiMarkerCases, FindTheMarker) {
  EXPECT_EQ(AnsiEndsWithText(GetParam().Bytes, GetParam().Marker), GetParam().EndsWith);
  EXPECT_EQ(AnsiContainsText(GetParam().Bytes, GetParam().Marker), GetParam().Contains);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AnsiMarkerCases,
    testing::Values(TAnsiMarkerCase{"PromptInCapitals", "\r\nDRAYTEK> ", "DrayTek> ", true, true},
                    TAnsiMarkerCase{"Latin1RouterName", "x\r\nvig\xD6r> ", "Vig\xF6r> ", true, true},
                    TAnsiMarkerCase{"BlankAfterMarker", "Account: ", "Account:", false, true},
                    TAnsiMarkerCase{"MarkerLongerThanText", "> ", "DrayTek> ", false, false},
                    TAnsiMarkerCase{"ErrorText", "x\r\n% valid SUBCOMMANDS are:\r\n", "% Valid subcommands are:", false, true},
                    TAnsiMarkerCase{"CutErrorText", "% Valid subcommand", "% Valid subcommands are:", false, false},
                    TAnsiMarkerCase{"SWithCaronDoesNotFold", "\x8A> ", "\x9A> ", false, false},
                    TAnsiMarkerCase{"EmptyMarker", "", "", true, true}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

// The search by first byte against the plain definition: compare the marker,
// folded, at every place. Texts over a few letters in both cases and Latin-1
// capitals and smalls give many near misses.
TEST(TextCase, ContainsTextFindsWhatAFoldedCompareAtEveryPlaceFinds) {
  std::mt19937 Random(7);
  const std::string Letters = "aAbB%\xC4\xE4 ";
  auto Text = [&](int AMax) {
    std::string Out(std::uniform_int_distribution<int>(0, AMax)(Random), ' ');
    for (char &C : Out)
      C = Letters[std::uniform_int_distribution<std::size_t>(0, Letters.size() - 1)(Random)];
    return Out;
  };
  auto Folded = [](std::string_view AText) {
    std::string Out;
    for (const char C : AText)
      Out += static_cast<char>(FoldCase(static_cast<unsigned char>(C)));
    return Out;
  };
  for (int I = 0; I < 20000; ++I) {
    const std::string Bytes = Text(24), Marker = Text(4);
    const bool Expected = Folded(Bytes).find(Folded(Marker)) != std::string::npos;
    ASSERT_EQ(AnsiContainsText(Bytes, Marker), Expected) << "\"" << Bytes << "\" \"" << Marker << "\"";
  }
}

// The 8-bit tests fold bytes, the UTF-8 test folds characters: for every
// pair of code page characters both must answer alike.
TEST(TextCase, BytesAndCharactersFoldAlike) {
  for (int First = 0; First < 256; ++First)
    for (int Second = 0; Second < 256; ++Second) {
      const std::string A(1, static_cast<char>(First)), B(1, static_cast<char>(Second));
      ASSERT_EQ(AnsiEndsWithText(A, B), SameTextIgnoringCase(AnsiToUtf8(A), AnsiToUtf8(B))) << First << " " << Second;
    }
}

} // namespace
