#pragma once
// Fuzz inputs go through the same file-reading code users hit, so each input
// is written to a scratch file first.

#include <cstddef>
#include <cstdint>
#include <string>

// A scratch file of this process holding the bytes; the same name each time.
const std::string &ScratchFile(const char *ATag, const std::uint8_t *AData, std::size_t ASize);
// Another scratch name, for what a target writes itself.
std::string ScratchName(const char *ATag);
