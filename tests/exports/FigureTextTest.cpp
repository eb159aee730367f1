// Figures as text, the same for the command line and the window: the unit
// changes at its threshold, rounding is to the digits shown, and an absent
// figure reads as the one dash.
#include <gtest/gtest.h>

#include "FigureText.h"

namespace {

TEST(FigureText, TextsOfFigures) {
  const struct {
    std::string Text, Expected;
  } Cases[] = {
      {RateText(107737000), "107.74 Mbit/s"},
      {RateText(1000000), "1.00 Mbit/s"},
      {RateText(999999), "1000 kbit/s"},
      {RateText(960000), "960 kbit/s"},
      {RateText(std::nullopt), "-"},
      {DbText(-3.24), "-3.2 dB"},
      {DbText(6.25, 2), "6.25 dB"},
      {DbText(std::nullopt), "-"},
      {FrequencyText(7107000), "7.11 MHz"},
      {FrequencyText(552000), "552 kHz"},
      {LengthText(18.4), "~18 m"},
      {LengthText(std::nullopt), "-"},
      {CountText(4031), "4031"},
      {CountText(std::nullopt), "-"},
      {PlainText(std::string("SHOWTIME")), "SHOWTIME"},
      {PlainText(std::nullopt), "-"},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(Case.Text, Case.Expected);
  EXPECT_STREQ(NoFigureText, "-");
}

} // namespace
