#include "PasswordFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A password is a line typed by a person; anything longer is not one.
constexpr std::size_t MaxPasswordBytes = 4096;

EPasswordFile CannotRead() {
  return EPasswordFile(std::string("Cannot read the password file: ") + std::strerror(errno));
}

class TOpenFile {
public:
  explicit TOpenFile(const std::string &AFilename)
      // Non-blocking, so that a pipe named in place of the file is refused
      // below instead of waiting for a writer.
      : FDescriptor(open(AFilename.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
    if (FDescriptor < 0)
      throw CannotRead();
  }
  ~TOpenFile() { close(FDescriptor); }
  TOpenFile(const TOpenFile &) = delete;
  TOpenFile &operator=(const TOpenFile &) = delete;
  int Descriptor() const { return FDescriptor; }

private:
  int FDescriptor;
};

std::string ModeText(mode_t AMode) {
  char Text[8];
  std::snprintf(Text, sizeof Text, "%04o", static_cast<unsigned>(AMode & 07777));
  return Text;
}

// The file as opened, not as named: it cannot be swapped between the check
// and the read.
void CheckPrivate(int ADescriptor, const std::string &AFilename) {
  struct stat Status {};
  if (fstat(ADescriptor, &Status) != 0)
    throw CannotRead();
  if (!S_ISREG(Status.st_mode))
    throw EPasswordFile("The password file is not a regular file");
  if ((Status.st_mode & (S_IRGRP | S_IROTH)) != 0)
    throw EPasswordFile("Refused: the password file may be read by others than its owner (mode " +
                        ModeText(Status.st_mode) + "); make it private with \"chmod 600 " + AFilename + "\"");
}

std::string ReadFirstLine(int ADescriptor) {
  std::string Line;
  char Byte = 0;
  for (;;) {
    const ssize_t Count = read(ADescriptor, &Byte, 1);
    if (Count < 0 && errno == EINTR)
      continue;
    if (Count < 0)
      throw CannotRead();
    if (Count == 0 || Byte == '\n')
      break;
    if (Line.size() == MaxPasswordBytes)
      throw EPasswordFile("The password file's first line is longer than " + std::to_string(MaxPasswordBytes) +
                          " bytes");
    Line += Byte;
  }
  return Line;
}

} // namespace

void DropCarriageReturn(std::string &ALine) {
  if (!ALine.empty() && ALine.back() == '\r')
    ALine.pop_back();
}

std::string ReadPasswordFile(const std::string &AFilename) {
  const TOpenFile File(AFilename);
  CheckPrivate(File.Descriptor(), AFilename);
  std::string Line = ReadFirstLine(File.Descriptor());
  DropCarriageReturn(Line);
  return Line;
}
