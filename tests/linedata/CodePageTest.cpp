// Decoding the encodings that reach the program into UTF-8.
#include <gtest/gtest.h>

#include "CodePage.h"
#include "Exceptions.h"
#include "FilerReader.h"

namespace {

TEST(CodePage, Windows1252) {
  EXPECT_EQ(DecodeWindows1252("abc"), "abc");
  EXPECT_EQ(DecodeWindows1252("\x80\x9F"), "\xE2\x82\xAC\xC5\xB8");  // euro sign, Y with diaeresis
  EXPECT_EQ(DecodeWindows1252("\x81\x8D"), "\xC2\x81\xC2\x8D");      // unassigned: C1 controls
  EXPECT_EQ(DecodeWindows1252("\xA0\xE9\xFF"), "\xC2\xA0\xC3\xA9\xC3\xBF");
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
      {"\xE2\x82", "\xEF\xBF\xBD\xEF\xBF\xBD"},        // cut short
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
