#pragma once
// A file that a long run keeps writing to by an open handle. Deleted or
// replaced under it, the run would go on writing into a file nobody can open,
// and lose it all on exit: Check notices, by the file's identity on disk.

#include <string>

#include <sys/types.h>

class TWatchedFile {
public:
  // AName must exist.
  explicit TWatchedFile(std::string AName);
  // Raises ECliFailure when the name no longer leads to the same file.
  void Check() const;

private:
  std::string FName;
  dev_t FDevice = 0;
  ino_t FInode = 0;
};
