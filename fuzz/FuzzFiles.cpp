#include "FuzzFiles.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>

std::string ScratchName(const char *ATag) {
  const char *Dir = std::getenv("TMPDIR");
  return std::string(Dir ? Dir : "/tmp") + "/tonegraph-fuzz-" + std::to_string(::getpid()) + "-" + ATag;
}

const std::string &ScratchFile(const char *ATag, const std::uint8_t *AData, std::size_t ASize) {
  static std::map<std::string, std::string> Names;
  std::string &Name = Names[ATag];
  if (Name.empty())
    Name = ScratchName(ATag);
  std::ofstream Out(Name, std::ios::binary | std::ios::trunc);
  Out.write(reinterpret_cast<const char *>(AData), static_cast<std::streamsize>(ASize));
  return Name;
}
