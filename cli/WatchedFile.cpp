#include "WatchedFile.h"

#include <sys/stat.h>

#include "Commands.h"

TWatchedFile::TWatchedFile(std::string AName) : FName(std::move(AName)) {
  struct stat Info {};
  if (stat(FName.c_str(), &Info) == 0) {
    FDevice = Info.st_dev;
    FInode = Info.st_ino;
  }
}

void TWatchedFile::Check() const {
  struct stat Info {};
  if (stat(FName.c_str(), &Info) != 0 || Info.st_dev != FDevice || Info.st_ino != FInode)
    throw ECliFailure(FName, "the database was deleted or replaced while the watch ran; its last capture is lost");
}
