#pragma once
// A file opened for reading, closed when the object goes. Opening failures
// (missing file, no permission, a folder) raise "Cannot open file "%s". %s".
// No file is read past MaxSize: a larger regular file is refused at once, and
// a pipe or device that goes on past it fails there with the same message
// ("File too large"), so an endless input can never fill the memory.

#include <cstddef>
#include <optional>
#include <string>

class TInputFile {
public:
  explicit TInputFile(const std::string &AFilename);
  ~TInputFile();
  TInputFile(const TInputFile &) = delete;
  TInputFile &operator=(const TInputFile &) = delete;

  int Handle() const { return FHandle; }
  // The size when the file is a regular file; unknown for pipes and devices.
  std::optional<std::size_t> Size() const { return FSize; }
  // Up to ACount bytes; fewer only at the end of the file. "Stream read error" on failure.
  std::size_t Read(void *ABuffer, std::size_t ACount);
  // The rest of the file.
  std::string ReadAll();

  // Far beyond any router answer or snapshot (a full 35B snapshot with bins
  // is well under 1 MiB).
  static constexpr std::size_t MaxSize = std::size_t(64) << 20;

private:
  std::string FFilename;
  int FHandle = -1;
  std::optional<std::size_t> FSize;
  std::size_t FConsumed = 0;
};
