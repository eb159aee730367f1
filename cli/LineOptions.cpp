#include "LineOptions.h"

#include <cstdio>
#include <string>
#include <vector>

#include "Exceptions.h"
#include "GaugeOption.h"
#include "NumberText.h"

namespace {

constexpr double LongestLoopM = 5000, LongestTapM = 1000;

// "7.1" or "7.1:30": MHz, and the rise in dB (default 20).
TLineDisturber DisturberOfText(const std::string &AText) {
  const std::size_t Colon = AText.find(':');
  const std::optional<double> MHz = NumberOfText(std::string_view(AText).substr(0, Colon));
  const std::optional<double> Rise =
      Colon == std::string::npos ? DefaultDisturberRiseDb : NumberOfText(std::string_view(AText).substr(Colon + 1));
  if (!MHz || !Rise)
    throw CLI::ValidationError("--disturber", "'" + AText + "' is not MHZ or MHZ:DB");
  const TLineDisturber Disturber{*MHz, *Rise};
  try {
    CheckDisturber(Disturber);
  } catch (const ETonegraphError &AError) {
    throw CLI::ValidationError("--disturber", AError.what());
  }
  return Disturber;
}

void AddDisturberOptions(CLI::App &ACommand, TLineSetup &ALine, const char *AGroup) {
  auto StoreAll = [&ALine](const std::vector<std::string> &ATexts) {
    ALine.Disturbers.clear();
    for (const std::string &Text : ATexts)
      ALine.Disturbers.push_back(DisturberOfText(Text));
  };
  CLI::Option *Disturbers =
      ACommand
          .add_option_function<std::vector<std::string>>(
              "--disturber", StoreAll,
              "a radio signal on the line at MHZ (0 to 35.328), DB above the noise floor (default 20); "
              "repeat for more (default: one at 7.1 MHz)")
          ->type_name("MHZ[:DB]")
          ->allow_extra_args(false)
          ->group(AGroup);
  ACommand
      .add_flag_callback(
          "--no-disturbers", [&ALine] { ALine.Disturbers.clear(); }, "no radio signal on the line")
      ->excludes(Disturbers)
      ->group(AGroup);
}

} // namespace

void AddLineOptions(CLI::App &ACommand, TLineSetup &ALine) {
  const char *const Line = "Line options";
  ACommand
      .add_option_function<std::string>(
          "--loop-length",
          [&ALine](const std::string &AText) {
            ALine.LoopLengthM = NumberInRange("--loop-length", AText, 0, LongestLoopM);
          },
          "loop length from the exchange in metres, 0 to 5000 (default by profile: 900 for 8a to 8d, 700 for "
          "12a and 12b, 500 for 17a, 300 for 30a, 350 for 35b)")
      ->type_name("M")
      ->group(Line);
  AddGaugeOption(ACommand, ALine.GaugeMm, "conductor diameter of the loop's cable: 0.4, 0.5 or 0.6 (default 0.5)")
      ->group(Line);
  ACommand
      .add_option_function<std::string>(
          "--tap-length",
          [&ALine](const std::string &AText) {
            ALine.TapLengthM = NumberInRange("--tap-length", AText, 0, LongestTapM);
          },
          "length in metres of an open branch bridged onto the loop at the customer end, 0 (none) to 1000 "
          "(default 20)")
      ->type_name("M")
      ->group(Line);
  AddDisturberOptions(ACommand, ALine, Line);
}
