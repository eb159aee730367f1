// Writes the manual pages and the bash completion from the parsers the
// programs run, at build time:
//   tonegraph_docgen FOLDER [--window]
// makes FOLDER/tonegraph-cli.1 and FOLDER/tonegraph-cli.bash, and with
// --window FOLDER/tonegraph.1 too.
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "BashCompletion.h"
#include "CliProgram.h"
#include "ManPage.h"
#include "ManPageTexts.h"
#include "Version.h"
#include "WindowArguments.h"

namespace {

void Write(const std::string &AFilename, const std::string &AText) {
  std::ofstream File(AFilename, std::ios::binary | std::ios::trunc);
  File << AText;
  File.close();
  if (!File)
    throw std::runtime_error("Cannot write " + AFilename);
}

void WriteWindowPage(const std::string &AFolder) {
  CLI::App Window;
  DefineWindowArguments(Window);
  Write(AFolder + "/tonegraph.1", ManPage(Window, WindowManPageText(), TonegraphVersion()));
}

} // namespace

int main(int argc, char **argv) {
  const std::string Usage = "usage: tonegraph_docgen FOLDER [--window]\n";
  if (argc < 2 || argc > 3 || (argc == 3 && std::string(argv[2]) != "--window")) {
    std::fputs(Usage.c_str(), stderr);
    return 2;
  }
  try {
    const std::string Folder = argv[1];
    const TCliProgram Cli;
    Write(Folder + "/tonegraph-cli.1", ManPage(Cli.Parser, CliManPageText(), TonegraphVersion()));
    Write(Folder + "/tonegraph-cli.bash", BashCompletion(Cli.Parser));
    if (argc == 3)
      WriteWindowPage(Folder);
    return 0;
  } catch (const std::exception &AError) {
    std::fprintf(stderr, "tonegraph_docgen: %s\n", AError.what());
    return 1;
  }
}
