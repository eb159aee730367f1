// Converting between the encodings that reach the program and UTF-8.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "Exceptions.h"
#include "FilerReader.h"

namespace {

struct TAnsiCase {
  const char *Title;
  std::string Bytes;
  std::string Utf8;
};

class AnsiConversion : public testing::TestWithParam<TAnsiCase> {};

TEST_P(AnsiConversion, ConvertsBothWays) {
  EXPECT_EQ(AnsiToUtf8(GetParam().Bytes), GetParam().Utf8);
  EXPECT_EQ(Utf8ToAnsi(GetParam().Utf8), GetParam().Bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AnsiConversion,
    testing::Values(TAnsiCase{"Ascii", "DrayTek> ", "DrayTek> "},
                    TAnsiCase{"EuroAndYWithDiaeresis", "\x80\x9F", "\xE2\x82\xAC\xC5\xB8"},
                    TAnsiCase{"UnassignedAreC1Controls", "\x81\x8D", "\xC2\x81\xC2\x8D"},
                    TAnsiCase{"Latin1", "\xA0\xE9\xFF", "\xC2\xA0\xC3\xA9\xC3\xBF"},
                    TAnsiCase{"RouterName", "Vig\xF6r", "Vig\xC3\xB6r"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(CodePage, EveryByteComesBackFromUtf8) {
  for (int B = 0; B < 256; ++B) {
    const std::string Byte(1, static_cast<char>(B));
    const std::string Text = AnsiToUtf8(Byte);
    ASSERT_TRUE(IsValidUtf8(Text)) << B;
    ASSERT_EQ(Utf8ToAnsi(Text), Byte) << B;
  }
}

// A router name is typed by the user and may come from a damaged file: each
// broken sequence is one character the code page lacks, whatever its bytes.
struct TMalformedCase {
  const char *Title;
  std::string Utf8;
  std::string Ansi;
  std::string Ascii;
  std::string Sanitized;
};

class MalformedUtf8 : public testing::TestWithParam<TMalformedCase> {};

TEST_P(MalformedUtf8, EachBrokenSequenceIsOneReplacement) {
  EXPECT_EQ(Utf8ToAnsi(GetParam().Utf8), GetParam().Ansi);
  EXPECT_EQ(Utf8ToAscii(GetParam().Utf8), GetParam().Ascii);
  EXPECT_EQ(SanitizeUtf8(GetParam().Utf8), GetParam().Sanitized);
  EXPECT_EQ(Utf8ToUtf16(GetParam().Utf8), Utf8ToUtf16(GetParam().Sanitized));
}

#define FFFD "\xEF\xBF\xBD"
INSTANTIATE_TEST_SUITE_P(
    Texts, MalformedUtf8,
    testing::Values(
        TMalformedCase{"StrayContinuation", "a\x80" "b", "a?b", "a?b", "a" FFFD "b"},
        TMalformedCase{"ContinuationRun", "\xBF\x80", "??", "??", FFFD FFFD},
        TMalformedCase{"OverlongLeadC0", "\xC0\xAF", "??", "??", FFFD FFFD},
        TMalformedCase{"OverlongLeadC1", "\xC1\xBF" "x", "??x", "??x", FFFD FFFD "x"},
        TMalformedCase{"LeadF5", "\xF5\x80\x80\x80", "????", "????", FFFD FFFD FFFD FFFD},
        TMalformedCase{"ByteFF", "\xFF" ">", "?>", "?>", FFFD ">"},
        TMalformedCase{"CutOffAtTheEnd", "\xC3", "?", "?", FFFD},
        TMalformedCase{"CutShortBeforeAscii", "\xE2\x82" "A", "?A", "?A", FFFD "A"},
        TMalformedCase{"CutShortFourBytes", "\xF0\x9F\x98", "?", "?", FFFD},
        TMalformedCase{"OverlongThreeBytes", "\xE0\x80\x80", "???", "???", FFFD FFFD FFFD},
        TMalformedCase{"Surrogate", "\xED\xA0\x80", "???", "???", FFFD FFFD FFFD},
        TMalformedCase{"AboveU10FFFF", "\xF4\x90\x80\x80", "????", "????", FFFD FFFD FFFD FFFD},
        TMalformedCase{"WellFormed", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", "\xE9\x80?", "???",
                       "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });
#undef FFFD

TEST(CodePage, AnyTwoBytesConvertWithoutFault) {
  for (int First = 0; First < 256; ++First)
    for (int Second = 0; Second < 256; ++Second) {
      const std::string Bytes{static_cast<char>(First), static_cast<char>(Second)};
      const std::string Clean = SanitizeUtf8(Bytes);
      ASSERT_TRUE(IsValidUtf8(Clean)) << First << " " << Second;
      ASSERT_EQ(Utf8ToAnsi(Bytes), Utf8ToAnsi(Clean)) << First << " " << Second;
      ASSERT_LE(Utf8ToAscii(Bytes).size(), 2u);
    }
}

TEST(CodePage, Utf16WithSurrogatesAndDamage) {
  // "A", U+1F600 as a pair, a lone high surrogate, "B", an odd last byte.
  const std::string LE("A\0\x3D\xD8\x00\xDE\x3D\xD8" "B\0" "C", 11);
  EXPECT_EQ(DecodeUtf16LE(LE), "A\xF0\x9F\x98\x80\xEF\xBF\xBD" "B\xEF\xBF\xBD");
  const std::string BE("\0A\xD8\x3D\xDE\x00", 6);
  EXPECT_EQ(DecodeUtf16BE(BE), "A\xF0\x9F\x98\x80");
}

TEST(CodePage, SanitizeReplacesOnlyMalformedSequences) {
  struct TCase {
    std::string In, Out;
  };
  const TCase Cases[] = {
      {"plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "plain \xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
      {"a\xFF" "b", "a\xEF\xBF\xBD" "b"},
      {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},        // overlong
      {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // surrogate
      {"\xE2\x82", "\xEF\xBF\xBD"},                    // cut short: one broken sequence
      {"\xEF\xBF\xBD", "\xEF\xBF\xBD"},                // a real replacement character stays
  };
  for (const TCase &Case : Cases)
    EXPECT_EQ(SanitizeUtf8(Case.In), Case.Out);
  EXPECT_EQ(Utf8ToUtf16("a\xF0\x9F\x98\x80"), u"a\U0001F600");
  EXPECT_EQ(Utf16ToUtf8(u"a\U0001F600"), "a\xF0\x9F\x98\x80");
}

TEST(CodePage, TextFileByteOrderMarks) {
  EXPECT_EQ(DecodeTextFileBytes("\xEF\xBB\xBF\xC3\xA9"), "\xC3\xA9");
  EXPECT_EQ(DecodeTextFileBytes(std::string("\xFF\xFE\xE9\x00", 4)), "\xC3\xA9");
  EXPECT_EQ(DecodeTextFileBytes(std::string("\xFE\xFF\x00\xE9", 4)), "\xC3\xA9");
  EXPECT_EQ(DecodeTextFileBytes("\xE9"), "\xC3\xA9");
  EXPECT_EQ(DecodeTextFileBytes(""), "");
}

// The reading side of the filer strings: each tag's own decoding.
TEST(FilerReading, StringTagsDecodeToUtf8) {
  const std::string Bytes = std::string("\x06\x02\x80\xE9", 4) + std::string("\x0C\x01\x00\x00\x00\xE9", 6) +
                            std::string("\x12\x01\x00\x00\x00\xAC\x20", 7) + std::string("\x14\x02\x00\x00\x00\xC3\xA9", 7);
  TFilerReader Reader(Bytes);
  EXPECT_EQ(Reader.ReadString(), "\xE2\x82\xAC\xC3\xA9");
  EXPECT_EQ(Reader.ReadString(), "\xC3\xA9");
  EXPECT_EQ(Reader.ReadString(), "\xE2\x82\xAC");
  EXPECT_EQ(Reader.ReadString(), "\xC3\xA9");
  EXPECT_THROW(Reader.ReadString(), EReadError);
}

TEST(FilerReading, WrongTagIsConsumedBeforeTheError) {
  TFilerReader Reader(std::string("\x06\x09\x02\x05\x07", 5));
  try {
    Reader.ReadBoolean();
    FAIL() << "read a boolean";
  } catch (const EReadError &AError) {
    EXPECT_STREQ(AError.what(), "Invalid property value");
  }
  // The tag 06 was consumed; 09 is the next value.
  EXPECT_TRUE(Reader.ReadBoolean());
  EXPECT_EQ(Reader.ReadInteger(), 5);
  EXPECT_THROW(Reader.ReadInteger(), EReadError);  // 07 is no integer tag
}

TEST(FilerReading, EndOfDataInsideAnyPartIsAStreamReadError) {
  for (const std::string &Bytes : {std::string(), std::string("\x03\x01", 2), std::string("\x04\x01\x02\x03", 4),
                                   std::string("\x0C\x01\x00", 3), std::string("\x12\x02\x00\x00\x00\x41\x00", 7)}) {
    TFilerReader Reader(Bytes);
    try {
      (Bytes.empty() || Bytes[0] == 0x0C || Bytes[0] == 0x12) ? (void)Reader.ReadString() : (void)Reader.ReadInteger();
      ADD_FAILURE() << "read " << Bytes.size() << " bytes";
    } catch (const EReadError &AError) {
      EXPECT_STREQ(AError.what(), "Stream read error");
    }
  }
}

} // namespace
