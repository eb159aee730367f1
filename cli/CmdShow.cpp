// tonegraph-cli show: a snapshot file printed as a short summary or as JSON.
#include <cstdio>
#include <memory>
#include <string>

#include "Commands.h"
#include "DrayData.h"
#include "SnapshotJson.h"
#include "SnapshotSummary.h"

namespace {

struct TShowOptions {
  std::string Filename;
  bool Json = false;
};

// Loading an empty name does nothing; here it can only be a mistake.
std::string NotEmpty(const std::string &AFilename) {
  return AFilename.empty() ? "the snapshot file name is empty" : "";
}

int Show(const TShowOptions &AOptions) {
  TDrayData Data;
  About(AOptions.Filename, [&] { Data.LoadFromFile(AOptions.Filename); });
  const std::string Text = AOptions.Json ? SnapshotJson(Data) + "\n" : SnapshotSummary(Data);
  std::fwrite(Text.data(), 1, Text.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

TCommandRun AddShowCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TShowOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "show", "Loads a snapshot file and prints its name, version, profile, group sizes and how many values "
              "each table holds with their range.");
  Command->add_option("FILE", Options->Filename, "the snapshot file")
      ->type_name("")
      ->required()
      ->check(CLI::Validator(NotEmpty, ""));
  Command->add_flag("--json", Options->Json, "print the whole snapshot as one JSON object instead");
  return [Options] { return Show(*Options); };
}
