#pragma once
// The type tags of the filer value encoding.

#include <cstdint>

enum TFilerTag : std::uint8_t {
  vaInt8 = 0x02,
  vaInt16 = 0x03,
  vaInt32 = 0x04,
  vaString = 0x06,
  vaFalse = 0x08,
  vaTrue = 0x09,
  vaLString = 0x0C,
  vaWString = 0x12,
  vaUTF8String = 0x14,
};
