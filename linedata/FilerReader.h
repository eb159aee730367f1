#pragma once
// Reads values in the filer value encoding (see FilerWriter.h). The caller
// knows the order and kind of the values; each read checks the type tag.
//
// Strings: 06 and 0C payloads are decoded with the default 8-bit code page
// (Windows-1252), 12 as UTF-16 little-endian, 14 as UTF-8; all give UTF-8.
// Errors (EReadError): a tag the read does not accept -> "Invalid property
// value" (the tag is consumed first); the data ending inside a tag, length or
// payload, or a length that is negative or runs past the end -> "Stream read
// error", without allocating the stated length.
//
// From a file (through a 4096-byte buffer) or from bytes in memory:
//
//   TInputFile File(AFileName);      // "Cannot open file "%s". %s"
//   TFilerReader Reader(File);
//   const std::string Signature = Reader.ReadString();
//   const std::int32_t Port = Reader.ReadInteger();

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TInputFile;

class TFilerReader {
public:
  explicit TFilerReader(std::string_view ABytes);  // from memory; the bytes are copied
  explicit TFilerReader(TInputFile &AFile);        // from a file, which must outlive the reader
  TFilerReader(const TFilerReader &) = delete;
  TFilerReader &operator=(const TFilerReader &) = delete;

  std::string ReadString();
  std::int32_t ReadInteger();
  bool ReadBoolean();
  void ReadRawBytes(void *AData, std::size_t ACount);

  static constexpr std::size_t BufferSize = 4096;

private:
  std::uint8_t ReadByte();
  std::int32_t ReadInt32();
  std::string ReadBytes(std::int64_t ACount);
  void Fill();
  bool MayHold(std::int64_t ACount) const;

  TInputFile *FFile = nullptr;
  std::string FBuffer;
  std::size_t FPos = 0;
  std::size_t FConsumed = 0;            // bytes taken from the source into the buffer
  std::optional<std::size_t> FSize;     // the source's size, when known
};
