#include "ParserParts.h"

std::vector<const CLI::App *> Commands(const CLI::App &AProgram) {
  return AProgram.get_subcommands([](const CLI::App *ACommand) { return !ACommand->get_name().empty(); });
}

std::vector<const CLI::App *> OptionGroups(const CLI::App &AProgram) {
  return AProgram.get_subcommands([](const CLI::App *ACommand) { return ACommand->get_name().empty(); });
}

std::vector<const CLI::Option *> ShownOptions(const CLI::App &AProgram) {
  return AProgram.get_options([](const CLI::Option *AOption) { return !AOption->get_group().empty(); });
}

std::vector<const CLI::Option *> AllShownOptions(const CLI::App &AProgram) {
  std::vector<const CLI::Option *> Options = ShownOptions(AProgram);
  for (const CLI::App *Group : OptionGroups(AProgram))
    for (const CLI::Option *Option : ShownOptions(*Group))
      Options.push_back(Option);
  return Options;
}

bool TakesValue(const CLI::Option &AOption) { return AOption.get_items_expected_max() > 0; }

std::string ValueName(const CLI::Option &AOption) {
  std::string Name = AOption.get_positional() ? AOption.get_name() : AOption.get_type_name();
  if (Name.empty())
    Name = "VALUE";
  if (AOption.get_items_expected_max() > 1 && Name.find("...") == std::string::npos)
    Name += "...";
  return Name;
}

std::string LongestName(const CLI::Option &AOption) {
  const std::vector<std::string> Names = OptionNames(AOption);
  return Names.empty() ? AOption.get_name() : Names.back();
}

std::vector<std::string> OptionNames(const CLI::Option &AOption) {
  std::vector<std::string> Names;
  for (const std::string &Short : AOption.get_snames())
    Names.push_back("-" + Short);
  for (const std::string &Long : AOption.get_lnames())
    Names.push_back("--" + Long);
  return Names;
}

std::string Joined(const std::vector<std::string> &AWords, const std::string &ASeparator) {
  std::string Text;
  for (const std::string &Word : AWords)
    Text += (Text.empty() ? "" : ASeparator) + Word;
  return Text;
}
