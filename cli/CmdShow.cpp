// tonegraph-cli show: a snapshot file printed as a short summary or as JSON.
#include <cstdio>
#include <memory>
#include <string>

#include "Commands.h"
#include "DrayData.h"
#include "FileErrors.h"
#include "SnapshotJson.h"
#include "SnapshotSummary.h"

namespace {

struct TShowOptions {
  std::string Filename;
  bool Json = false;
};

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
      ->check(CLI::Validator(SnapshotFileNameProblem, ""));
  Command->add_flag("--json", Options->Json, "print the whole snapshot as one JSON object instead");
  return [Options] { return Show(*Options); };
}
