// Splitting a text into lines at CR LF, a lone CR and a lone LF, and the
// ASCII check that lets router text through the code page untouched.
#include <gtest/gtest.h>

#include <string>

#include "CodePage.h"
#include "TextLines.h"

namespace {

TEST(SplitText, EndsLinesAtCrLfLoneCrAndLoneLf) {
  const struct {
    const char *Name;
    std::string Text;
    TTextLines Lines;
  } Cases[] = {
      {"empty", "", {}},
      {"no line end", "abc", {"abc"}},
      {"final CR LF makes no empty line", "a\r\nb\r\n", {"a", "b"}},
      {"lone LF and lone CR", "a\nb\rc", {"a", "b", "c"}},
      {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
      {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
      {"empty lines", "\r\n\r\n\n", {"", "", ""}},
      {"final lone CR", "a\r", {"a"}},
      {"lone CRs before a far LF", "a\rb\rc\rd\ne", {"a", "b", "c", "d", "e"}},
      {"NUL is text", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(SplitText(Case.Text), Case.Lines) << Case.Name;
}

TEST(SplitText, TextOfSplitIsTheTextWithCrLfEnds) {
  const TTextLines Lines = {"DrayTek> vdsl status", "", "  Running Mode : 17A", "DrayTek> "};
  EXPECT_EQ(SplitText(TextOf(Lines)), Lines);
}

// Trimming an answer: lines off the front and the back, never more than
// there are, the rest read back whole.
TEST(TextLines, RemovesLinesFromEitherEnd) {
  const struct {
    std::size_t First, Last;
    TTextLines Left;
  } Cases[] = {{0, 0, {"echo", "", "body", "DrayTek> "}},
               {1, 1, {"", "body"}},
               {2, 2, {}},
               {3, 0, {"DrayTek> "}},
               {9, 9, {}},
               {0, 9, {}}};
  for (const auto &Case : Cases) {
    TTextLines Lines = {"echo", "", "body", "DrayTek> "};
    Lines.RemoveFirst(Case.First);
    Lines.RemoveLast(Case.Last);
    EXPECT_EQ(Lines, Case.Left) << Case.First << " " << Case.Last;
    Lines.push_back("added");
    EXPECT_EQ(Lines.back(), "added") << Case.First << " " << Case.Last;
    EXPECT_EQ(Lines.size(), Case.Left.size() + 1) << Case.First << " " << Case.Last;
  }
}

// The check goes eight bytes at a time: a high byte is seen wherever it lies
// in the word and in the tail.
TEST(IsAscii, FindsAHighByteAtEveryPosition) {
  for (std::size_t Length = 0; Length <= 20; ++Length) {
    const std::string Plain(Length, 'x');
    EXPECT_TRUE(IsAscii(Plain)) << Length;
    for (std::size_t At = 0; At < Length; ++At) {
      std::string Text = Plain;
      Text[At] = '\x80';
      EXPECT_FALSE(IsAscii(Text)) << Length << " " << At;
      Text[At] = '\x7F';
      EXPECT_TRUE(IsAscii(Text)) << Length << " " << At;
    }
  }
}

} // namespace
