// tonegraph-cli import: a snapshot built from captured router text files, as
// the load-data-from-files dialog builds it, saved as a snapshot file.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "CapturedFiles.h"
#include "DrayData.h"
#include "GroupSizeCheck.h"
#include "ProfileOption.h"

namespace {

struct TImportOptions {
  TVDSLProfile Profile = vpNA;
  bool ProfileGiven = false;
  TCapturedFiles Files;
  std::vector<std::string> Status;
  std::string Output;
};

// Captured status answers join the status text in the order given. Without
// --profile, their "Running Mode" line names the profile, as it does in a
// retrieval; text without one leaves it N/A.
void AddStatus(TDrayData &AData, const TImportOptions &AOptions) {
  for (const std::string &Name : AOptions.Status) {
    const TTextLines Lines = About(Name, [&] { return ReadCapturedText(Name); });
    AData.AddStatData({}, &Lines);
  }
  if (AOptions.ProfileGiven || AOptions.Status.empty())
    return;
  try {
    AData.IdentifyVDSLProfile(AData.Stats());
  } catch (const EDrayDataError &) {
  }
}

// A file that gave nothing is most likely the wrong file, and a group size
// past the profile's tones a wrong one: the snapshot is still written, as the
// window still adds it, but the user hears of it.
int BuildAndSave(const TImportOptions &AOptions) {
  TDrayData Data("Loaded from file");
  Data.SetVDSLProfile(AOptions.Profile);
  AddStatus(Data, AOptions);
  for (const TDrayKind Kind : DrayKinds) {
    const std::string &Name = CapturedFileOf(AOptions.Files, Kind);
    if (About(Name, [&] { return LoadCaptureNotingEmpty(Data, Kind, Name); }))
      std::fprintf(stderr, "warning: %s\n", NoValuesNote(Name, Kind).c_str());
  }
  for (const TGroupSizeMisfit &Misfit : GroupSizeMisfits(Data))
    std::fprintf(stderr, "warning: %s: %s\n", CapturedFileOf(AOptions.Files, Misfit.Kind).c_str(),
                 GroupSizeMisfitText(Misfit, Data.VDSLProfile()).c_str());
  About(AOptions.Output, [&] { Data.SaveToFile(AOptions.Output); });
  return 0;
}

} // namespace

TCommandRun AddImportCommand(CLI::App &AProgram) {
  auto Options = std::make_shared<TImportOptions>();
  CLI::App *Command = AProgram.add_subcommand(
      "import", "Builds a snapshot named \"Loaded from file\" from captured router answers and saves it to a "
                "snapshot file.");
  CLI::Option *Profile =
      AddProfileOption(*Command, Options->Profile, true,
                       "the line's VDSL profile: N/A, 8a, 8b, 8c, 8d, 12a, 12b, 17a, 30a or 35b (letter case "
                       "ignored; default: the one the status text names, else N/A)");
  Command->add_option("--hlog", Options->Files.HLog, "the answer of \"vdsl status hlog\"")->type_name("F");
  Command->add_option("--qln", Options->Files.QLN, "the answer of \"vdsl status qln\"")->type_name("F");
  Command->add_option("--snr", Options->Files.SNR, "the answer of \"vdsl status snr\"")->type_name("F");
  Command->add_option("--bins", Options->Files.Bins, "the downstream bins listing followed by the upstream one")
      ->type_name("F");
  Command
      ->add_option("--status", Options->Status,
                   "a captured status answer (\"vdsl status\", \"vdsl status counts\", ...) whose lines join the "
                   "status text; may be given more than once")
      ->type_name("F")
      ->expected(1)
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
      ->allow_extra_args(false);
  Command->add_option("-o,--output", Options->Output, "the snapshot file to write (an existing file is replaced)")
      ->type_name("OUT")
      ->required();
  return [Options, Profile] {
    Options->ProfileGiven = Profile->count() > 0;
    return BuildAndSave(*Options);
  };
}
