// tonegraph-cli import: a snapshot built from captured router text files, as
// the load-data-from-files dialog builds it, saved as a snapshot file.
#include <cstdio>
#include <exception>

#include "CliOptions.h"
#include "Commands.h"
#include "DrayData.h"

namespace {

const char *const ImportUsage =
    "Usage: tonegraph-cli import [--profile P] [--hlog F] [--qln F] [--snr F] [--bins F] -o OUT\n"
    "\n"
    "Builds a snapshot named \"Loaded from file\" from captured router answers and\n"
    "saves it to the snapshot file OUT.\n"
    "\n"
    "  --profile P  the line's VDSL profile: N/A, 8a, 8b, 8c, 8d, 12a, 12b, 17a,\n"
    "               30a or 35b (letter case ignored; default N/A)\n"
    "  --hlog F     the answer of \"vdsl status hlog\"\n"
    "  --qln F      the answer of \"vdsl status qln\"\n"
    "  --snr F      the answer of \"vdsl status snr\"\n"
    "  --bins F     the downstream bins listing followed by the upstream one\n"
    "  -o OUT       (or --output OUT) the snapshot file to write (an existing file is replaced)\n";

int WrongUsage(const std::string &AReason) {
  std::fprintf(stderr, "tonegraph-cli import: %s\n\n%s", AReason.c_str(), ImportUsage);
  return 2;
}

void BuildAndSave(const TCliOptions &AOptions, TVDSLProfile AProfile, const std::string &AOutput) {
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(AProfile);
  Data.LoadHLogFromFile(AOptions.Value("--hlog").value_or(""));
  Data.LoadQLNFromFile(AOptions.Value("--qln").value_or(""));
  Data.LoadSNRFromFile(AOptions.Value("--snr").value_or(""));
  Data.LoadBinsFromFile(AOptions.Value("--bins").value_or(""));
  Data.SaveToFile(AOutput);
}

} // namespace

int RunImport(const TArgs &AArgs) {
  const TCliOptions Options(AArgs, {"--profile", "--hlog", "--qln", "--snr", "--bins", "-o", "--output"}, {"--help", "-h"});
  if (Options.Error().empty() && (Options.Has("--help") || Options.Has("-h"))) {
    std::fputs(ImportUsage, stdout);
    return 0;
  }
  if (!Options.Error().empty())
    return WrongUsage(Options.Error());
  if (!Options.Positional().empty())
    return WrongUsage("unexpected argument '" + Options.Positional().front() + "'");
  const std::optional<std::string> Output = Options.Has("-o") ? Options.Value("-o") : Options.Value("--output");
  if (!Output)
    return WrongUsage("the output file (-o OUT) is missing");
  const std::string ProfileText = Options.Value("--profile").value_or("N/A");
  const std::optional<TVDSLProfile> Profile = ProfileFromName(ProfileText);
  if (!Profile)
    return WrongUsage("unknown profile '" + ProfileText + "'");
  try {
    BuildAndSave(Options, *Profile, *Output);
  } catch (const std::exception &AError) {
    std::fprintf(stderr, "%s\n", AError.what());
    return 1;
  }
  return 0;
}
