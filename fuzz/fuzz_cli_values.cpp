// The values a user types: numbers, durations, listen addresses, times and
// the options of the simulated line, each through the parser tonegraph-cli
// uses, and the request heads its metrics page judges. Beyond not crashing,
// what a parser accepts must read back as itself.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "HistoryTime.h"
#include "HttpRequestHead.h"
#include "LineOptions.h"
#include "ListenAddress.h"
#include "NumberText.h"
#include "ProfileOption.h"

namespace {

void Require(bool ACondition) {
  if (!ACondition)
    std::abort();
}

void CheckNumbers(const std::string &AText) {
  if (const std::optional<long long> Whole = WholeNumberOfText(AText, -1000, 1000000)) {
    Require(*Whole >= -1000 && *Whole <= 1000000);
    Require(WholeNumberOfText(std::to_string(*Whole), -1000, 1000000) == Whole);
  }
  if (const std::optional<double> Number = NumberOfText(AText))
    Require(NumberOfText(std::to_string(*Number)).has_value());
  std::string Why;
  if (const std::optional<std::chrono::milliseconds> Wait = DurationOfText(AText, Why))
    Require(Wait->count() > 0 && *Wait <= std::chrono::hours(24 * 7));
  else
    Require(!Why.empty());
}

void CheckTimes(const std::string &AText) {
  if (const std::optional<std::time_t> Time = ParseUtcTime(AText)) {
    Require(*Time >= 0);
    Require(ParseUtcTime(UtcTimeText(*Time)) == Time);
  }
  if (const std::optional<std::string> Named = TimeFromDataFileName(AText))
    Require(ParseUtcTime(*Named).has_value());
}

void CheckAddress(const std::string &AText) {
  std::string Why;
  const std::optional<TListenAddress> Address = ParseListenAddress(AText, Why);
  if (!Address) {
    Require(!Why.empty());
    return;
  }
  const std::string Host = Address->IPv6 ? "[" + Address->Host + "]" : Address->Host;
  const std::optional<TListenAddress> Again = ParseListenAddress(Host + ":" + std::to_string(Address->Port), Why);
  Require(Again && Again->Host == Address->Host && Again->Port == Address->Port && Again->IPv6 == Address->IPv6);
}

// A verdict once given stands whatever follows, except that a head still
// being read may yet prove too large.
void CheckRequestHead(std::string_view ABytes) {
  const THttpVerdict Verdict = JudgeRequestHead(ABytes, "/metrics");
  if (Verdict == THttpVerdict::ServePage || Verdict == THttpVerdict::ServePageHead)
    Require(ABytes.starts_with("GET ") || ABytes.starts_with("HEAD "));
  if (Verdict == THttpVerdict::MethodNotAllowed)
    Require(JudgeRequestHead(std::string(ABytes) + "\r\n\r\n", "/metrics") == Verdict);
  if (Verdict != THttpVerdict::NeedMore)
    Require(!HttpAnswer(Verdict, "page").empty());
}

// The line options as the simulated router's command takes them: the words
// of the input, separated by NUL bytes, after the program's name.
void CheckLineOptions(const std::string &AText) {
  std::vector<std::string> Words{"routersim"};
  for (std::size_t Start = 0; Start <= AText.size();) {
    const std::size_t End = std::min(AText.find('\0', Start), AText.size());
    Words.push_back(AText.substr(Start, End - Start));
    Start = End + 1;
  }
  std::vector<const char *> Argv;
  for (const std::string &Word : Words)
    Argv.push_back(Word.c_str());
  CLI::App Program;
  TLineSetup Line;
  TVDSLProfile Profile = vp17a;
  AddLineOptions(Program, Line);
  AddProfileOption(Program, Profile, false, "");
  try {
    Program.parse(static_cast<int>(Argv.size()), Argv.data());
  } catch (const CLI::ParseError &) {
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *AData, std::size_t ASize) {
  const std::string Text(reinterpret_cast<const char *>(AData), ASize);
  CheckNumbers(Text);
  CheckTimes(Text);
  CheckAddress(Text);
  CheckRequestHead(Text);
  CheckLineOptions(Text);
  return 0;
}
