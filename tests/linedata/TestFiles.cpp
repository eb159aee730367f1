#include "TestFiles.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

#include "Exceptions.h"

TTempFolder::TTempFolder() {
  std::string Template = (std::filesystem::temp_directory_path() / "linedata-test-XXXXXX").string();
  if (!::mkdtemp(Template.data()))
    throw std::runtime_error("no temporary folder");
  FPath = Template;
}

TTempFolder::~TTempFolder() {
  std::error_code Ignored;
  std::filesystem::remove_all(FPath, Ignored);
}

std::string TTempFolder::Listing() const {
  std::vector<std::string> Names;
  for (const auto &Entry : std::filesystem::directory_iterator(FPath))
    Names.push_back(Entry.path().filename().string());
  std::sort(Names.begin(), Names.end());
  std::string Text;
  for (const std::string &Name : Names)
    Text += Name + ";";
  return Text;
}

std::string ReadBytes(const std::string &AFilename) {
  std::ifstream In(AFilename, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(In), {});
}

void WriteBytes(const std::string &AFilename, const std::string &ABytes) {
  std::ofstream Out(AFilename, std::ios::binary | std::ios::trunc);
  Out << ABytes;
}

std::string FixturePath(const std::string &AName) { return std::string(TONEGRAPH_FIXTURES_DIR) + "/" + AName; }

std::string WriteErrorOnAFullDisk(std::size_t ALimit, const std::function<void()> &AWrite) {
  rlimit Old{};
  getrlimit(RLIMIT_FSIZE, &Old);
  const auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit Small = Old;
  Small.rlim_cur = ALimit;
  setrlimit(RLIMIT_FSIZE, &Small);
  std::string Message;
  try {
    AWrite();
  } catch (const EWriteError &AError) {
    Message = AError.what();
  }
  setrlimit(RLIMIT_FSIZE, &Old);
  std::signal(SIGXFSZ, OldHandler);
  return Message;
}
