#pragma once
// Zstandard frames for what the history stores. A frame made against a
// prefix (an earlier snapshot of the same line) holds only what differs from
// it, and decodes only with that same prefix.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

std::string ZstdCompress(std::string_view AData, std::string_view APrefix = {});
// Nullopt for a frame that is broken, made against another prefix, or that
// says it holds more than ALimit bytes; nothing larger is ever allocated.
std::optional<std::string> ZstdDecompress(std::string_view AFrame, std::size_t ALimit, std::string_view APrefix = {});
