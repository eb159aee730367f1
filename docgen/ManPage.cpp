#include "ManPage.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "ParserParts.h"
#include "RoffText.h"

namespace {

using TTerms = std::vector<std::pair<std::string, std::string>>;

std::string Names(const CLI::Option &AOption) {
  if (AOption.get_positional())
    return "\\fI" + RoffCode(ValueName(AOption)) + "\\fR";
  std::vector<std::string> Names;
  for (const std::string &Name : OptionNames(AOption))
    Names.push_back("\\fB" + RoffCode(Name) + "\\fR");
  std::string Text = Joined(Names, ", ");
  if (TakesValue(AOption))
    Text += " \\fI" + RoffCode(ValueName(AOption)) + "\\fR";
  return Text;
}

std::string OptionNamesList(const std::set<CLI::Option *> &AOptions) {
  std::vector<std::string> Names;
  for (const CLI::Option *Option : AOptions)
    Names.push_back(Option->get_name());
  std::sort(Names.begin(), Names.end());
  return Joined(Names, ", ");
}

// What --help tells in its own columns (REQUIRED, Excludes, Needs), as
// sentences after the description.
std::string Conditions(const CLI::Option &AOption) {
  std::string Text;
  if (AOption.get_required() && !AOption.get_positional())
    Text += " Required.";
  if (!AOption.get_excludes().empty())
    Text += " Not together with " + OptionNamesList(AOption.get_excludes()) + ".";
  if (!AOption.get_needs().empty())
    Text += " Needs " + OptionNamesList(AOption.get_needs()) + ".";
  return Text;
}

std::string Sentence(std::string AText) {
  if (!AText.empty())
    AText[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(AText[0])));
  if (!AText.empty() && AText.back() != '.')
    AText += '.';
  return AText;
}

void WriteOption(std::ostream &AOut, const CLI::Option &AOption) {
  AOut << ".TP\n"
       << Names(AOption) << "\n"
       << RoffText(Sentence(AOption.get_description()) + Conditions(AOption)) << "\n";
}

// The options of AProgram, grouped under their groups' names as --help
// shows them ("Fault options"); the first group, the plain options, without.
void WriteOptionList(std::ostream &AOut, const CLI::App &AProgram) {
  std::vector<std::string> Groups;
  for (const CLI::Option *Option : ShownOptions(AProgram))
    if (std::find(Groups.begin(), Groups.end(), Option->get_group()) == Groups.end())
      Groups.push_back(Option->get_group());
  for (std::size_t i = 0; i < Groups.size(); ++i) {
    if (i > 0)
      AOut << ".PP\n.B " << RoffText(Groups[i]) << "\n";
    for (const CLI::Option *Option : ShownOptions(AProgram))
      if (Option->get_group() == Groups[i])
        WriteOption(AOut, *Option);
  }
}

// Then those of each option group CLI11 keeps as a nameless sub-command.
void WriteOptions(std::ostream &AOut, const CLI::App &AProgram) {
  WriteOptionList(AOut, AProgram);
  for (const CLI::App *Group : OptionGroups(AProgram)) {
    AOut << ".PP\n.B " << RoffText(Group->get_group()) << "\n";
    WriteOptionList(AOut, *Group);
  }
}

// "tonegraph-cli import [OPTIONS] FILE...", with the parts in their fonts.
std::string Synopsis(const std::string &ACommandLine, const CLI::App &AProgram) {
  std::string Text = ".B " + RoffCode(ACommandLine) + "\n.RI [ OPTIONS ]";
  for (const CLI::Option *Option : ShownOptions(AProgram))
    if (Option->get_positional()) {
      const std::string Value = RoffCode(ValueName(*Option));
      Text += Option->get_required() ? "\n.I " + Value : "\n.RI [ " + Value + " ]";
    }
  return Text + "\n";
}

// AMacro sets the term's font: ".B " for what is typed, ".I " for a file.
void WriteTerms(std::ostream &AOut, const std::string &ASection, const TTerms &ATerms, const std::string &AMacro) {
  if (ATerms.empty())
    return;
  AOut << ".SH " << ASection << "\n";
  for (const auto &[Term, Meaning] : ATerms)
    AOut << ".TP\n"
         << AMacro << (AMacro.empty() ? RoffText(Term) : RoffCode(Term)) << "\n"
         << RoffText(Meaning) << "\n";
}

void WriteCommands(std::ostream &AOut, const CLI::App &AProgram) {
  if (Commands(AProgram).empty())
    return;
  AOut << ".SH COMMANDS\n";
  for (const CLI::App *Command : Commands(AProgram)) {
    AOut << ".SS " << RoffCode(Command->get_name()) << "\n"
         << Synopsis(AProgram.get_name() + " " + Command->get_name(), *Command) << ".PP\n"
         << RoffText(Command->get_description()) << "\n";
    WriteOptions(AOut, *Command);
  }
}

// The NAME line's part of a description: up to its first colon or full stop.
std::string Summary(const std::string &ADescription) {
  return ADescription.substr(0, ADescription.find_first_of(":."));
}

void WriteHead(std::ostream &AOut, const CLI::App &AProgram, const std::string &AVersion) {
  std::string Title = AProgram.get_name();
  std::transform(Title.begin(), Title.end(), Title.begin(), [](unsigned char C) { return std::toupper(C); });
  // Not hyphenated and not stretched: option names and command lines are
  // copied from here, and a hyphen they do not have misleads.
  AOut << ".TH " << RoffCode(Title) << " 1 \"\" \"Tonegraph " << AVersion << "\" \"User Commands\"\n"
       << ".nh\n.ad l\n"
       << ".SH NAME\n"
       << RoffCode(AProgram.get_name()) << " \\- " << RoffText(Summary(AProgram.get_description())) << "\n"
       << ".SH SYNOPSIS\n"
       << Synopsis(AProgram.get_name(), AProgram);
  if (!Commands(AProgram).empty())
    AOut << ".br\n" << Synopsis(AProgram.get_name() + " COMMAND", AProgram);
  AOut << ".SH DESCRIPTION\n" << RoffText(AProgram.get_description()) << "\n";
}

void WriteSeeAlso(std::ostream &AOut, const std::vector<std::string> &APages) {
  if (APages.empty())
    return;
  AOut << ".SH SEE ALSO\n";
  for (std::size_t i = 0; i < APages.size(); ++i) {
    const std::string &Page = APages[i];
    const std::size_t Open = Page.find('(');
    AOut << ".BR " << RoffCode(Page.substr(0, Open)) << " " << Page.substr(Open) << (i + 1 < APages.size() ? " ," : "")
         << "\n";
  }
}

} // namespace

std::string ManPage(const CLI::App &AProgram, const TManPageText &AText, const std::string &AVersion) {
  std::ostringstream Out;
  WriteHead(Out, AProgram, AVersion);
  Out << ".SH OPTIONS\n";
  WriteOptions(Out, AProgram);
  WriteCommands(Out, AProgram);
  WriteTerms(Out, "EXAMPLES", AText.Examples, ".B ");
  WriteTerms(Out, "EXIT STATUS", AText.ExitStatus, "");
  WriteTerms(Out, "ENVIRONMENT", AText.Environment, ".B ");
  WriteTerms(Out, "FILES", AText.Files, ".I ");
  WriteSeeAlso(Out, AText.SeeAlso);
  return Out.str();
}
