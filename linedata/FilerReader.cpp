#include "FilerReader.h"

#include <algorithm>
#include <cstring>

#include "CodePage.h"
#include "Exceptions.h"
#include "FileErrors.h"
#include "FilerTags.h"
#include "InputFile.h"

namespace {

[[noreturn]] void RaiseInvalidValue() { throw EReadError("Invalid property value"); }

// Large payloads are read in pieces so that a length the source cannot back
// is found out before much memory is taken.
constexpr std::size_t ReadPiece = 65536;

} // namespace

TFilerReader::TFilerReader(std::string_view ABytes) : FBuffer(ABytes), FConsumed(ABytes.size()), FSize(ABytes.size()) {}

TFilerReader::TFilerReader(TInputFile &AFile) : FFile(&AFile), FSize(AFile.Size()) {}

void TFilerReader::Fill() {
  if (!FFile)
    RaiseReadError();
  FBuffer.resize(BufferSize);
  const std::size_t Got = FFile->Read(FBuffer.data(), BufferSize);
  FBuffer.resize(Got);
  FPos = 0;
  FConsumed += Got;
  if (Got == 0)
    RaiseReadError();
}

bool TFilerReader::MayHold(std::int64_t ACount) const {
  if (ACount < 0)
    return false;
  if (!FSize)
    return true;
  const std::size_t Left = *FSize > FConsumed ? *FSize - FConsumed : 0;
  return static_cast<std::uint64_t>(ACount) <= Left + (FBuffer.size() - FPos);
}

void TFilerReader::ReadRawBytes(void *AData, std::size_t ACount) {
  char *Out = static_cast<char *>(AData);
  while (ACount > 0) {
    if (FPos == FBuffer.size())
      Fill();
    const std::size_t Part = std::min(ACount, FBuffer.size() - FPos);
    std::memcpy(Out, FBuffer.data() + FPos, Part);
    FPos += Part;
    Out += Part;
    ACount -= Part;
  }
}

std::uint8_t TFilerReader::ReadByte() {
  std::uint8_t Value = 0;
  ReadRawBytes(&Value, 1);
  return Value;
}

std::int32_t TFilerReader::ReadInt32() {
  std::uint8_t B[4];
  ReadRawBytes(B, 4);
  return static_cast<std::int32_t>(B[0] | (B[1] << 8) | (B[2] << 16) | (std::uint32_t(B[3]) << 24));
}

std::string TFilerReader::ReadBytes(std::int64_t ACount) {
  if (!MayHold(ACount))
    RaiseReadError();
  std::string Bytes;
  auto Left = static_cast<std::size_t>(ACount);
  while (Left > 0) {
    const std::size_t Part = std::min(Left, ReadPiece);
    const std::size_t Old = Bytes.size();
    Bytes.resize(Old + Part);
    ReadRawBytes(Bytes.data() + Old, Part);
    Left -= Part;
  }
  return Bytes;
}

std::string TFilerReader::ReadString() {
  switch (ReadByte()) {
  case vaString:
    return AnsiToUtf8(ReadBytes(ReadByte()));
  case vaLString:
    return AnsiToUtf8(ReadBytes(ReadInt32()));
  case vaWString:
    return DecodeUtf16LE(ReadBytes(2 * static_cast<std::int64_t>(ReadInt32())));
  case vaUTF8String:
    return SanitizeUtf8(ReadBytes(ReadInt32()));
  default:
    RaiseInvalidValue();
  }
}

std::int32_t TFilerReader::ReadInteger() {
  switch (ReadByte()) {
  case vaInt8:
    return static_cast<std::int8_t>(ReadByte());
  case vaInt16: {
    const std::uint8_t Low = ReadByte();
    const std::uint8_t High = ReadByte();
    return static_cast<std::int16_t>(Low | (High << 8));
  }
  case vaInt32:
    return ReadInt32();
  default:
    RaiseInvalidValue();
  }
}

bool TFilerReader::ReadBoolean() {
  switch (ReadByte()) {
  case vaFalse:
    return false;
  case vaTrue:
    return true;
  default:
    RaiseInvalidValue();
  }
}
