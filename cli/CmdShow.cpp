// tonegraph-cli show: a snapshot file printed as a short summary or as JSON.
#include <cstdio>
#include <exception>

#include "CliOptions.h"
#include "Commands.h"
#include "DrayData.h"
#include "SnapshotJson.h"
#include "SnapshotSummary.h"

namespace {

const char *const ShowUsage =
    "Usage: tonegraph-cli show FILE [--json]\n"
    "\n"
    "Loads the snapshot file FILE and prints its name, version, profile, group\n"
    "sizes and how many values each table holds with their range.\n"
    "\n"
    "  --json  print the whole snapshot as one JSON object instead\n";

int WrongUsage(const std::string &AReason) {
  std::fprintf(stderr, "tonegraph-cli show: %s\n\n%s", AReason.c_str(), ShowUsage);
  return 2;
}

} // namespace

int RunShow(const TArgs &AArgs) {
  const TCliOptions Options(AArgs, {}, {"--json", "--help", "-h"});
  if (Options.Error().empty() && (Options.Has("--help") || Options.Has("-h"))) {
    std::fputs(ShowUsage, stdout);
    return 0;
  }
  if (!Options.Error().empty())
    return WrongUsage(Options.Error());
  if (Options.Positional().size() != 1)
    return WrongUsage(Options.Positional().empty() ? "the snapshot file is missing" : "only one snapshot file, please");
  const std::string &Filename = Options.Positional().front();
  // Loading an empty name does nothing; here it can only be a mistake.
  if (Filename.empty())
    return WrongUsage("the snapshot file name is empty");
  try {
    TDrayData Data;
    Data.LoadFromFile(Filename);
    const std::string Text = Options.Has("--json") ? SnapshotJson(Data) + "\n" : SnapshotSummary(Data);
    std::fwrite(Text.data(), 1, Text.size(), stdout);
  } catch (const std::exception &AError) {
    std::fprintf(stderr, "%s\n", AError.what());
    return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
