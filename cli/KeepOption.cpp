#include "KeepOption.h"

#include "HistoryError.h"

namespace {

const char *const KeepSyntax =
    ": tiers EVERY:AGE from the newest, EVERY \"all\" or one snapshot per span (30m, 1h, 1d, 1w), the last AGE "
    "left out for ever, like all:7d,1h:90d,1d; older snapshots are dropped, never one that a kept one is stored "
    "against, and every capture's key figures stay";

}  // namespace

CLI::Option *AddKeepOption(CLI::App &ACommand, std::optional<TRetentionPolicy> &APolicy, const std::string &AWhen) {
  auto Store = [&APolicy](const std::string &AText) {
    try {
      APolicy = ParseRetentionPolicy(AText);
    } catch (const EHistoryError &AError) {
      throw CLI::ValidationError("--keep", AError.what());
    }
  };
  return ACommand.add_option_function<std::string>("--keep", Store, AWhen + KeepSyntax)->type_name("POLICY");
}

std::string ThinnedText(const THistoryStore &AStore, const THistoryStore::TThinned &AThinned, bool ADryRun) {
  std::string Text = std::string(ADryRun ? "would drop " : "thinned \"" + AStore.FileName() + "\": dropped ") +
                     std::to_string(AThinned.Dropped) + " of " + std::to_string(AThinned.Snapshots) + " snapshots";
  if (AThinned.KeptAsBase > 0)
    Text += " (" + std::to_string(AThinned.KeptAsBase) + " more kept as bases of others)";
  return Text;
}
