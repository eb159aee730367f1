#include "BashCompletion.h"

#include <sstream>

#include "OptionValues.h"
#include "ParserParts.h"

namespace {

// The shell function's name: "_tonegraph_cli".
std::string FunctionName(const CLI::App &AProgram) {
  std::string Name = "_" + AProgram.get_name();
  for (char &Char : Name)
    if (Char == '-')
      Char = '_';
  return Name;
}

// What follows AOption: its words, files of its kind, or nothing to offer.
std::string ValueReply(const CLI::Option &AOption, const std::string &AFiles) {
  if (const auto Words = ValueWords(AOption))
    return "COMPREPLY=($(compgen -W '" + Joined(*Words, " ") + "' -- \"$cur\"))";
  if (const auto Glob = FileGlob(AOption))
    return AFiles + " '" + *Glob + "'";
  return "COMPREPLY=()";
}

// One case per option that takes a value: "import --hlog|import --qln)".
void WriteValueCases(std::ostream &AOut, const std::string &ACommand, const CLI::App &AParser,
                     const std::string &AFiles) {
  for (const CLI::Option *Option : AllShownOptions(AParser)) {
    if (Option->get_positional() || !TakesValue(*Option))
      continue;
    std::vector<std::string> Patterns;
    for (const std::string &Name : OptionNames(*Option))
      Patterns.push_back("'" + ACommand + " " + Name + "'");
    AOut << "    " << Joined(Patterns, "|") << ") " << ValueReply(*Option, AFiles) << "; return ;;\n";
  }
}

std::vector<std::string> AllOptionNames(const CLI::App &AParser) {
  std::vector<std::string> Names;
  for (const CLI::Option *Option : AllShownOptions(AParser))
    for (const std::string &Name : OptionNames(*Option))
      Names.push_back(Name);
  return Names;
}

// A word that is no option is the command's first positional argument.
std::string PositionalReply(const CLI::App &AParser, const std::string &AFiles) {
  for (const CLI::Option *Option : ShownOptions(AParser))
    if (Option->get_positional())
      return ValueReply(*Option, AFiles);
  return "COMPREPLY=()";
}

void WriteCommandCase(std::ostream &AOut, const std::string &ACommand, const CLI::App &AParser,
                      const std::string &AWords, const std::string &AFiles) {
  AOut << "    '" << ACommand << "')\n"
       << "      if [[ $cur == -* ]]; then COMPREPLY=($(compgen -W '" << AWords << "' -- \"$cur\"))\n"
       << "      else " << PositionalReply(AParser, AFiles) << "; fi ;;\n";
}

void WriteFileFunction(std::ostream &AOut, const std::string &AFiles) {
  // Folders always, to walk into; files of the glob's kind only.
  AOut << AFiles << "() {\n"
       << "  local IFS=$'\\n'\n"
       << "  compopt -o filenames 2>/dev/null\n"
       << "  if [[ $1 == '*' ]]; then COMPREPLY=($(compgen -f -- \"$cur\")); return; fi\n"
       << "  COMPREPLY=($(compgen -d -- \"$cur\") $(compgen -f -X \"!$1\" -- \"$cur\"))\n"
       << "}\n\n";
}

void WriteCommandFinder(std::ostream &AOut, const CLI::App &AProgram) {
  std::vector<std::string> Names;
  for (const CLI::App *Command : Commands(AProgram))
    Names.push_back(Command->get_name());
  AOut << "  local cur=${COMP_WORDS[COMP_CWORD]} prev= command= i\n"
       << "  ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD-1]}\n"
       << "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
       << "    case ${COMP_WORDS[i]} in " << Joined(Names, "|") << ") command=${COMP_WORDS[i]}; break ;; esac\n"
       << "  done\n";
}

} // namespace

std::string BashCompletion(const CLI::App &AProgram) {
  const std::string Function = FunctionName(AProgram);
  const std::string Files = Function + "_files";
  std::ostringstream Out;
  Out << "# bash completion for " << AProgram.get_name() << ", made from its options when it was built.\n\n";
  WriteFileFunction(Out, Files);
  Out << Function << "() {\n";
  WriteCommandFinder(Out, AProgram);
  Out << "  case \"$command $prev\" in\n";
  for (const CLI::App *Command : Commands(AProgram))
    WriteValueCases(Out, Command->get_name(), *Command, Files);
  Out << "  esac\n  case $command in\n";
  std::vector<std::string> TopWords;
  for (const CLI::App *Command : Commands(AProgram))
    TopWords.push_back(Command->get_name());
  for (const std::string &Name : AllOptionNames(AProgram))
    TopWords.push_back(Name);
  Out << "    '') COMPREPLY=($(compgen -W '" << Joined(TopWords, " ") << "' -- \"$cur\")) ;;\n";
  for (const CLI::App *Command : Commands(AProgram))
    WriteCommandCase(Out, Command->get_name(), *Command, Joined(AllOptionNames(*Command), " "), Files);
  Out << "  esac\n}\n\ncomplete -F " << Function << " " << AProgram.get_name() << "\n";
  return Out.str();
}
