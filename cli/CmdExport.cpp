// tonegraph-cli export: a snapshot file in the forms other programs read,
// CSV for spreadsheets (one row per tone) and JSON (as show --json).
#include <cstdio>
#include <memory>
#include <string>

#include "Commands.h"
#include "DrayData.h"
#include "ReplaceFile.h"
#include "SnapshotCsv.h"
#include "SnapshotJson.h"

namespace {

struct TExportOptions {
  std::string Filename;
  std::string Format;
  std::string Output;
};

// To standard output, or into AOutput, replacing a file only by a complete one.
void Write(const std::string &AText, const std::string &AOutput) {
  if (AOutput.empty()) {
    std::fwrite(AText.data(), 1, AText.size(), stdout);
    return;
  }
  ReplaceFileWith(AOutput, AText);
}

int Export(const TExportOptions &AOptions) {
  TDrayData Data;
  About(AOptions.Filename, [&] { Data.LoadFromFile(AOptions.Filename); });
  Write(AOptions.Format == "csv" ? SnapshotCsv(Data) : SnapshotJson(Data) + "\n", AOptions.Output);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

TCommandRun AddExportCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TExportOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "export", "Writes a snapshot file as CSV, one row per tone with every table's value on it, or as JSON.");
  Command->add_option("FILE", Options->Filename, "the snapshot file")->type_name("")->required();
  Command->add_option("--format", Options->Format, "csv or json")
      ->type_name("F")
      ->required()
      ->check(CLI::IsMember({"csv", "json"}).description(""));
  Command->add_option("-o,--output", Options->Output, "the file to write (default: standard output)")
      ->type_name("OUT");
  return [Options] { return Export(*Options); };
}
