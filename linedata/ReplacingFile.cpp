#include "ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "FileErrors.h"

namespace {

// Writing through a symbolic link replaces the file it points to, not the
// link, also when that file does not exist yet (a dangling link). Followed by
// hand: the library's canonical forms stop at a link whose target is missing.
std::string ResolvedTarget(const std::string &AFilename) {
  std::filesystem::path Path(AFilename);
  std::error_code Error;
  for (int Hop = 0; Hop < 40 && std::filesystem::is_symlink(Path, Error); ++Hop) {
    const std::filesystem::path Target = std::filesystem::read_symlink(Path, Error);
    if (Error)
      return AFilename;
    Path = Target.is_absolute() ? Target : Path.parent_path() / Target;
  }
  return Path.string();
}

std::string TempNameFor(const std::string &ATarget) {
  static std::atomic<unsigned> Counter{0};
  static thread_local std::mt19937 Random{std::random_device{}()};
  const std::filesystem::path Target(ATarget);
  char Suffix[40];
  std::snprintf(Suffix, sizeof Suffix, ".%d.%u.%08x.tmp", static_cast<int>(::getpid()), Counter++,
                static_cast<unsigned>(Random()));
  // Hidden, and named after the target, so that a left-over is easy to place.
  std::string Name = Target.filename().string();
  Name.insert(Name.begin(), '.');
  Name.append(Suffix);
  return (Target.parent_path() / Name).string();
}

// The new file takes the old file's permission bits, if there is an old file.
void KeepPermissions(int AHandle, const std::string &ATarget) {
  struct stat Info {};
  if (::stat(ATarget.c_str(), &Info) == 0 && S_ISREG(Info.st_mode))
    ::fchmod(AHandle, Info.st_mode & 07777);
}

} // namespace

TReplacingFile::TReplacingFile(std::string AFilename) : FFilename(std::move(AFilename)) {
  if (FFilename.empty())
    RaiseCreateError(FFilename, ENOENT);
  struct stat Info {};
  const bool Exists = ::stat(FFilename.c_str(), &Info) == 0;
  if (Exists && S_ISDIR(Info.st_mode))
    RaiseCreateError(FFilename, EISDIR);
  if (Exists && !S_ISREG(Info.st_mode)) {
    OpenDirect();
    return;
  }
  FTarget = ResolvedTarget(FFilename);
  for (int Attempt = 0; Attempt < 100 && FHandle < 0; ++Attempt) {
    FTempName = TempNameFor(FTarget);
    FHandle = ::open(FTempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (FHandle < 0 && errno != EEXIST)
      RaiseCreateError(FFilename, errno);
  }
  if (FHandle < 0)
    RaiseCreateError(FFilename, EEXIST);
  KeepPermissions(FHandle, FTarget);
}

void TReplacingFile::OpenDirect() {
  FDirect = true;
  FHandle = ::open(FFilename.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (FHandle < 0)
    RaiseCreateError(FFilename, errno);
}

TReplacingFile::~TReplacingFile() { Discard(); }

void TReplacingFile::Discard() {
  if (FHandle >= 0) {
    ::close(FHandle);
    FHandle = -1;
  }
  if (!FTempName.empty()) {
    ::unlink(FTempName.c_str());
    FTempName.clear();
  }
}

void TReplacingFile::Commit() {
  if (FDirect) {
    const bool Closed = ::close(FHandle) == 0;
    FHandle = -1;
    if (!Closed)
      RaiseWriteError();
    return;
  }
  // File systems without sync support report EINVAL; the rename below still
  // puts the whole file in place.
  const bool Synced = ::fsync(FHandle) == 0 || errno == EINVAL;
  const bool Closed = ::close(FHandle) == 0;
  FHandle = -1;
  if (!Synced || !Closed) {
    Discard();
    RaiseWriteError();
  }
  if (::rename(FTempName.c_str(), FTarget.c_str()) != 0) {
    const int Error = errno;
    Discard();
    RaiseCreateError(FFilename, Error);
  }
  FTempName.clear();
}

void WriteAll(int AHandle, std::string_view ABytes) {
  std::size_t Done = 0;
  while (Done < ABytes.size()) {
    const ssize_t Count = ::write(AHandle, ABytes.data() + Done, ABytes.size() - Done);
    if (Count < 0 && errno == EINTR)
      continue;
    if (Count <= 0)
      RaiseWriteError();
    Done += static_cast<std::size_t>(Count);
  }
}

void ReplaceFileWith(const std::string &AFilename, std::string_view ABytes) {
  TReplacingFile File(AFilename);
  WriteAll(File.Handle(), ABytes);
  File.Commit();
}
