#pragma once
// The integer of a router text: decimal digits with an optional leading minus,
// as a signed 32-bit number.

#include <cstdint>
#include <optional>
#include <string_view>

// Empty when the text is not such a number or does not fit in 32 bits.
std::optional<std::int32_t> TryTextToInt(std::string_view AText);
// Raises EConvertError "'%s' is not a valid integer value".
std::int32_t TextToInt(std::string_view AText);
std::int32_t TextToIntDef(std::string_view AText, std::int32_t ADefault);
