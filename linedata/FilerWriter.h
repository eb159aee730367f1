#pragma once
// Writes values in the filer value encoding: each value is a one-byte type tag
// and its payload, little-endian, one after the other, with untagged raw bytes
// where a layout asks for them. Snapshot files and configuration files use it.
//
// Strings are UTF-8 and written in the shortest of the encoding's forms:
//   7-bit text up to 255 bytes   06 len8 bytes
//   longer 7-bit text            0C len32 bytes
//   other text shorter in UTF-8  14 len32 utf8-bytes
//   otherwise (and "")           12 count32 utf16le-units
// Integers: 02 int8, 03 int16 or 04 int32, the smallest that holds the value.
// Booleans: 09 true, 08 false.
//
// Into a file (through a 4096-byte buffer; call Flush before closing) or, with
// the default constructor, into memory (Bytes()).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TFilerWriter {
public:
  TFilerWriter();                        // into memory
  explicit TFilerWriter(int AHandle);    // into an open file; the handle is not closed
  TFilerWriter(const TFilerWriter &) = delete;
  TFilerWriter &operator=(const TFilerWriter &) = delete;

  void WriteString(std::string_view AValue);
  void WriteInteger(std::int32_t AValue);
  void WriteBoolean(bool AValue);
  void WriteRawBytes(const void *AData, std::size_t ACount);

  // Hands the buffered bytes to the file; "Stream write error" on failure.
  void Flush();
  // Memory mode: every byte written so far.
  const std::string &Bytes() const { return FBuffer; }

  static constexpr std::size_t BufferSize = 4096;

private:
  void Put(const void *AData, std::size_t ACount);
  void PutByte(std::uint8_t AValue) { Put(&AValue, 1); }
  void PutInt32(std::int32_t AValue);

  int FHandle = -1;
  std::string FBuffer;
};
