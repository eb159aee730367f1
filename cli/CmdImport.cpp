// tonegraph-cli import: a snapshot built from captured router text files, as
// the load-data-from-files dialog builds it, saved as a snapshot file.
#include <cstdio>
#include <memory>
#include <string>

#include "Commands.h"
#include "CapturedFiles.h"
#include "DrayData.h"
#include "ProfileOption.h"

namespace {

struct TImportOptions {
  TVDSLProfile Profile = vpNA;
  TCapturedFiles Files;
  std::string Output;
};

// A file that gave nothing is most likely the wrong file; the snapshot is
// still written, as the window still adds it, but the user hears of it.
int BuildAndSave(const TImportOptions &AOptions) {
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(AOptions.Profile);
  for (const TDrayKind Kind : DrayKinds) {
    const std::string &Name = CapturedFileOf(AOptions.Files, Kind);
    if (About(Name, [&] { return LoadCapturedFile(Data, Kind, Name); }).LinesTaken == 0 && !Name.empty())
      std::fprintf(stderr, "warning: %s\n", NoValuesNote(Name, Kind).c_str());
  }
  About(AOptions.Output, [&] { Data.SaveToFile(AOptions.Output); });
  return 0;
}

} // namespace

TCommandRun AddImportCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TImportOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "import", "Builds a snapshot named \"Loaded from file\" from captured router answers and saves it to a "
                "snapshot file.");
  AddProfileOption(*Command, Options->Profile, true,
                   "the line's VDSL profile: N/A, 8a, 8b, 8c, 8d, 12a, 12b, 17a, 30a or 35b (letter case "
                   "ignored; default N/A)");
  Command->add_option("--hlog", Options->Files.HLog, "the answer of \"vdsl status hlog\"")->type_name("F");
  Command->add_option("--qln", Options->Files.QLN, "the answer of \"vdsl status qln\"")->type_name("F");
  Command->add_option("--snr", Options->Files.SNR, "the answer of \"vdsl status snr\"")->type_name("F");
  Command->add_option("--bins", Options->Files.Bins, "the downstream bins listing followed by the upstream one")
      ->type_name("F");
  Command->add_option("-o,--output", Options->Output, "the snapshot file to write (an existing file is replaced)")
      ->type_name("OUT")
      ->required();
  return [Options] { return BuildAndSave(*Options); };
}
