#include <gtest/gtest.h>

#include <string>

#include "Exceptions.h"
#include "FilerReader.h"
#include "FilerWriter.h"
#include "TestFiles.h"

namespace {

// A configuration file of version 2: address 192.168.1.1, port 23, user admin,
// bins off, 512-bins on, router name DrayTek.
TEST(FilerEncoding, ConfigurationExampleBytes) {
  TFilerWriter Writer;
  Writer.WriteString("TONEGRAPH2");
  Writer.WriteString("192.168.1.1");
  Writer.WriteInteger(23);
  Writer.WriteString("admin");
  Writer.WriteBoolean(false);
  Writer.WriteBoolean(true);
  Writer.WriteString("DrayTek");
  const std::string Expected = Bytes({0x06, 0x0A}) + "TONEGRAPH2" + Bytes({0x06, 0x0B}) + "192.168.1.1" +
                               Bytes({0x02, 0x17, 0x06, 0x05}) + "admin" + Bytes({0x08, 0x09, 0x06, 0x07}) + "DrayTek";
  EXPECT_EQ(Writer.Bytes(), Expected);
}

struct TStringCase {
  const char *Title;
  std::string Text;
  std::string Encoded;
};

class FilerStringForms : public testing::TestWithParam<TStringCase> {};

TEST_P(FilerStringForms, WritesShortestFormAndReadsItBack) {
  TFilerWriter Writer;
  Writer.WriteString(GetParam().Text);
  EXPECT_EQ(Writer.Bytes(), GetParam().Encoded);
  TFilerReader Reader(Writer.Bytes());
  EXPECT_EQ(Reader.ReadString(), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilerStringForms,
    testing::Values(
        TStringCase{"Empty", "", Bytes({0x12, 0, 0, 0, 0})},
        TStringCase{"OneChar", "A", Bytes({0x06, 1}) + "A"},
        TStringCase{"Ascii255", std::string(255, 'x'), Bytes({0x06, 0xFF}) + std::string(255, 'x')},
        TStringCase{"Ascii256", std::string(256, 'x'), Bytes({0x0C, 0x00, 0x01, 0, 0}) + std::string(256, 'x')},
        // "dB" with a degree-like non-ASCII letter: 4 UTF-8 bytes < 2 x 3 units.
        TStringCase{"Latin", "d\xC3\xA9" "B", Bytes({0x14, 4, 0, 0, 0}) + "d\xC3\xA9" "B"},
        // Two CJK letters: 6 UTF-8 bytes, not shorter than 2 x 2 units.
        TStringCase{"Cjk", "\xE6\x97\xA5\xE6\x9C\xAC", Bytes({0x12, 2, 0, 0, 0, 0xE5, 0x65, 0x2C, 0x67})},
        // One letter outside the BMP: 4 UTF-8 bytes against a surrogate pair.
        TStringCase{"Astral", "\xF0\x9F\x98\x80", Bytes({0x12, 2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE})}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(FilerEncoding, IntegersTakeTheSmallestForm) {
  struct TCase {
    std::int32_t Value;
    std::string Encoded;
  };
  const TCase Cases[] = {
      {0, Bytes({0x02, 0x00})},
      {-128, Bytes({0x02, 0x80})},
      {127, Bytes({0x02, 0x7F})},
      {128, Bytes({0x03, 0x80, 0x00})},
      {-129, Bytes({0x03, 0x7F, 0xFF})},
      {32767, Bytes({0x03, 0xFF, 0x7F})},
      {-32769, Bytes({0x04, 0xFF, 0x7F, 0xFF, 0xFF})},
      {INT32_MIN, Bytes({0x04, 0, 0, 0, 0x80})},
  };
  for (const TCase &Case : Cases) {
    TFilerWriter Writer;
    Writer.WriteInteger(Case.Value);
    EXPECT_EQ(Writer.Bytes(), Case.Encoded) << Case.Value;
    TFilerReader Reader(Writer.Bytes());
    EXPECT_EQ(Reader.ReadInteger(), Case.Value);
  }
}

} // namespace
