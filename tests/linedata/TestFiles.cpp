#include "TestFiles.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>


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
  } catch (const std::exception &AError) {
    Message = AError.what();
  }
  setrlimit(RLIMIT_FSIZE, &Old);
  std::signal(SIGXFSZ, OldHandler);
  return Message;
}

std::string ErrorInAReadOnlyFolder(const std::filesystem::path &AFolder, const std::function<void()> &AWrite) {
  namespace fs = std::filesystem;
  const fs::perms Old = fs::status(AFolder).permissions();
  fs::permissions(AFolder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  int Pipe[2];
  if (::pipe(Pipe) != 0)
    throw std::runtime_error("no pipe");
  const pid_t Child = ::fork();
  if (Child == 0) {
    ::close(Pipe[0]);
    constexpr uid_t Nobody = 65534;
    if (::geteuid() == 0 && (::setgid(Nobody) != 0 || ::setuid(Nobody) != 0))
      ::_exit(2);
    std::string Message;
    try {
      AWrite();
    } catch (const std::exception &AError) {
      Message = AError.what();
    }
    const ssize_t Written = ::write(Pipe[1], Message.data(), Message.size());
    ::_exit(Written == static_cast<ssize_t>(Message.size()) ? 0 : 3);
  }
  ::close(Pipe[1]);
  std::string Message;
  char Chunk[512];
  for (ssize_t Got; (Got = ::read(Pipe[0], Chunk, sizeof Chunk)) > 0;)
    Message.append(Chunk, static_cast<std::size_t>(Got));
  ::close(Pipe[0]);
  int Status = 0;
  ::waitpid(Child, &Status, 0);
  fs::permissions(AFolder, Old);
  if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
    throw std::runtime_error("the unprivileged writer did not finish");
  return Message;
}
