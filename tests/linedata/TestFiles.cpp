#include "TestFiles.h"

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <vector>

#include <sched.h>
#include <sys/mount.h>
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
  return InAReadOnlyFolder(AFolder, [&] {
    AWrite();
    return std::string();
  });
}

namespace {

constexpr int ChildSetUpFailed = 2;

// ARun in a forked child once ASetUp has prepared it (false: it could not):
// what ARun returned or the message of its error; nullopt when the set-up
// failed.
std::optional<std::string> InAChild(const std::function<bool()> &ASetUp, const std::function<std::string()> &ARun) {
  int Pipe[2];
  if (::pipe(Pipe) != 0)
    throw std::runtime_error("no pipe");
  const pid_t Child = ::fork();
  if (Child == 0) {
    ::close(Pipe[0]);
    if (!ASetUp())
      ::_exit(ChildSetUpFailed);
    std::string Message;
    try {
      Message = ARun();
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
  if (WIFEXITED(Status) && WEXITSTATUS(Status) == ChildSetUpFailed)
    return std::nullopt;
  if (!WIFEXITED(Status) || WEXITSTATUS(Status) != 0)
    throw std::runtime_error("the child did not finish");
  return Message;
}

} // namespace

std::string InAReadOnlyFolder(const std::filesystem::path &AFolder, const std::function<std::string()> &ARun) {
  namespace fs = std::filesystem;
  const fs::perms Old = fs::status(AFolder).permissions();
  fs::permissions(AFolder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const std::optional<std::string> Result = InAChild(
      [] {
        constexpr uid_t Nobody = 65534;
        return ::geteuid() != 0 || (::setgid(Nobody) == 0 && ::setuid(Nobody) == 0);
      },
      ARun);
  fs::permissions(AFolder, Old);
  if (!Result)
    throw std::runtime_error("the child could not become an unprivileged user");
  return *Result;
}

// Root writes through permissions, not through a read-only mount: one of its
// own, seen only by the child.
std::optional<std::string> OnReadOnlyMedia(const std::filesystem::path &AFolder,
                                           const std::function<std::string()> &ARun) {
  const std::string Folder = AFolder.string();
  return InAChild(
      [&] {
        return ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               ::mount(Folder.c_str(), Folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
               ::mount(nullptr, Folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0;
      },
      ARun);
}
