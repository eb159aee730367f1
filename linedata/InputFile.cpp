#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileErrors.h"

TInputFile::TInputFile(const std::string &AFilename) : FFilename(AFilename) {
  FHandle = ::open(AFilename.c_str(), O_RDONLY | O_CLOEXEC);
  if (FHandle < 0)
    RaiseOpenError(AFilename, errno);
  struct stat Info {};
  if (::fstat(FHandle, &Info) != 0 || S_ISDIR(Info.st_mode)) {
    const int Error = S_ISDIR(Info.st_mode) ? EISDIR : errno;
    ::close(FHandle);
    RaiseOpenError(AFilename, Error);
  }
  if (S_ISREG(Info.st_mode) && static_cast<std::size_t>(Info.st_size) > MaxSize) {
    ::close(FHandle);
    RaiseOpenError(AFilename, EFBIG);
  }
  if (S_ISREG(Info.st_mode))
    FSize = static_cast<std::size_t>(Info.st_size);
}

TInputFile::~TInputFile() { ::close(FHandle); }

std::size_t TInputFile::Read(void *ABuffer, std::size_t ACount) {
  std::size_t Done = 0;
  while (Done < ACount) {
    const ssize_t Got = ::read(FHandle, static_cast<char *>(ABuffer) + Done, ACount - Done);
    if (Got < 0 && errno == EINTR)
      continue;
    if (Got < 0)
      RaiseReadError();
    if (Got == 0)
      break;
    Done += static_cast<std::size_t>(Got);
  }
  FConsumed += Done;
  if (FConsumed > MaxSize)
    RaiseOpenError(FFilename, EFBIG);
  return Done;
}

std::string TInputFile::ReadAll() {
  std::string Bytes;
  char Chunk[65536];
  while (const std::size_t Got = Read(Chunk, sizeof Chunk)) {
    Bytes.append(Chunk, Got);
    if (Got < sizeof Chunk)
      break;
  }
  return Bytes;
}
