// The generator's own rules: text that the man macros would misread, and
// which files or words an option's value is completed with.
#include <gtest/gtest.h>

#include "OptionValues.h"
#include "RoffText.h"

namespace {

TEST(RoffText, EscapesWhatTheMacrosWouldMisread) {
  const struct {
    const char *Text;
    const char *Prose;
    const char *Code;
  } Cases[] = {
      {"plain text", "plain text", "plain text"},
      {".draydata files", "\\&.draydata files", "\\&.draydata files"},
      {"one\n'quoted' line", "one\n\\&'quoted' line", "one\n\\&'quoted' line"},
      {"C:\\path", "C:\\epath", "C:\\epath"},
      {"--password-file", "--password-file", "\\-\\-password\\-file"},
      {"B \xE2\x88\x92 A, 20 \xC2\xB0", "B \\[u2212] A, 20 \\[u00B0]", "B \\[u2212] A, 20 \\[u00B0]"},
      {"cut \xE2\x88", "cut \\[uFFFD]\\[uFFFD]", "cut \\[uFFFD]\\[uFFFD]"},
  };
  for (const auto &Case : Cases) {
    EXPECT_EQ(RoffText(Case.Text), Case.Prose) << Case.Text;
    EXPECT_EQ(RoffCode(Case.Text), Case.Code) << Case.Text;
  }
}

TEST(OptionValues, TheDefinitionTellsWhatAValueIs) {
  CLI::App Program;
  std::string Value;
  bool Flag = false;
  Program.add_option("FILE", Value, "the snapshot file")->type_name("");
  Program.add_option("--config", Value, "a configuration file saved by the window")->type_name("FILE");
  Program.add_option("--into", Value, "the history database (made when missing)")->type_name("DB");
  Program.add_option("--add", Value, "store these snapshot files in the history database")->type_name("FILE...");
  Program.add_option("--hlog", Value, "the answer of a command")->type_name("F");
  Program.add_option("--export", Value, "write that capture's snapshot file")->type_name("ID");
  Program.add_option("--host", Value, "router host name")->type_name("H");
  Program.add_option("--profile", Value, "the line's profile")->type_name("P");
  Program.add_option("--format", Value, "the format")->check(CLI::IsMember({"csv", "json"}));
  Program.add_flag("--bins", Flag, "also read the bins tables from the snapshot");
  const struct {
    const char *Name;
    std::optional<std::string> Glob;
    std::optional<std::vector<std::string>> Words;
  } Cases[] = {
      {"FILE", "*.draydata", std::nullopt},
      {"--config", "*.conf", std::nullopt},
      {"--into", "*.tgdb", std::nullopt},
      {"--add", "*.draydata", std::nullopt},
      {"--hlog", "*", std::nullopt},
      {"--export", std::nullopt, std::nullopt},
      {"--host", std::nullopt, std::nullopt},
      {"--profile", std::nullopt, std::vector<std::string>{"8a", "8b", "8c", "8d", "12a", "12b", "17a", "30a", "35b"}},
      {"--format", std::nullopt, std::vector<std::string>{"csv", "json"}},
      {"--bins", std::nullopt, std::nullopt},
  };
  for (const auto &Case : Cases) {
    const CLI::Option &Option = *Program.get_option(Case.Name);
    EXPECT_EQ(FileGlob(Option), Case.Glob) << Case.Name;
    EXPECT_EQ(ValueWords(Option), Case.Words) << Case.Name;
  }
}

} // namespace
