#include "FileErrors.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "Exceptions.h"

std::string FullFileName(const std::string &AFilename) {
  if (AFilename.empty())
    return AFilename;
  std::error_code Error;
  const std::filesystem::path Full = std::filesystem::absolute(AFilename, Error);
  return Error ? AFilename : Full.lexically_normal().string();
}

void RaiseCreateError(const std::string &AFilename, int AErrno) {
  throw EFCreateError("Cannot create file \"" + FullFileName(AFilename) + "\". " + std::strerror(AErrno));
}

void RaiseOpenError(const std::string &AFilename, int AErrno) {
  throw EFOpenError("Cannot open file \"" + FullFileName(AFilename) + "\". " + std::strerror(AErrno));
}

void RaiseWriteError() { throw EWriteError("Stream write error"); }

void RaiseReadError() { throw EReadError("Stream read error"); }

std::string SnapshotFileNameProblem(const std::string &AFilename) {
  return AFilename.empty() ? "the snapshot file name is empty" : "";
}
