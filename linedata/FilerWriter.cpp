#include "FilerWriter.h"

#include "CodePage.h"
#include "FilerTags.h"
#include "ReplacingFile.h"

TFilerWriter::TFilerWriter() = default;

TFilerWriter::TFilerWriter(int AHandle) : FHandle(AHandle) { FBuffer.reserve(BufferSize); }

void TFilerWriter::Put(const void *AData, std::size_t ACount) {
  const char *Bytes = static_cast<const char *>(AData);
  while (ACount > 0) {
    if (FHandle >= 0 && FBuffer.size() == BufferSize)
      Flush();
    const std::size_t Room = FHandle >= 0 ? BufferSize - FBuffer.size() : ACount;
    const std::size_t Part = ACount < Room ? ACount : Room;
    FBuffer.append(Bytes, Part);
    Bytes += Part;
    ACount -= Part;
  }
}

void TFilerWriter::PutInt32(std::int32_t AValue) {
  const auto V = static_cast<std::uint32_t>(AValue);
  const std::uint8_t Bytes[4] = {std::uint8_t(V), std::uint8_t(V >> 8), std::uint8_t(V >> 16), std::uint8_t(V >> 24)};
  Put(Bytes, 4);
}

void TFilerWriter::Flush() {
  if (FHandle < 0)
    return;
  WriteAll(FHandle, FBuffer);
  FBuffer.clear();
}

void TFilerWriter::WriteString(std::string_view AValue) {
  const std::string Text = SanitizeUtf8(AValue);
  const std::u16string Units = Utf8ToUtf16(Text);
  const std::size_t N = Text.size();
  const std::size_t L = Units.size();
  if (N < 2 * L && !IsAscii(Text)) {
    PutByte(vaUTF8String);
    PutInt32(static_cast<std::int32_t>(N));
    Put(Text.data(), N);
  } else if (N < 2 * L && N > 255) {
    PutByte(vaLString);
    PutInt32(static_cast<std::int32_t>(N));
    Put(Text.data(), N);
  } else if (N < 2 * L) {
    PutByte(vaString);
    PutByte(static_cast<std::uint8_t>(N));
    Put(Text.data(), N);
  } else {
    PutByte(vaWString);
    PutInt32(static_cast<std::int32_t>(Units.size()));
    for (const char16_t Unit : Units) {
      const std::uint8_t Pair[2] = {std::uint8_t(Unit), std::uint8_t(Unit >> 8)};
      Put(Pair, 2);
    }
  }
}

void TFilerWriter::WriteInteger(std::int32_t AValue) {
  if (AValue >= -128 && AValue <= 127) {
    PutByte(vaInt8);
    PutByte(static_cast<std::uint8_t>(AValue));
  } else if (AValue >= -32768 && AValue <= 32767) {
    PutByte(vaInt16);
    const auto V = static_cast<std::uint16_t>(AValue);
    const std::uint8_t Bytes[2] = {std::uint8_t(V), std::uint8_t(V >> 8)};
    Put(Bytes, 2);
  } else {
    PutByte(vaInt32);
    PutInt32(AValue);
  }
}

void TFilerWriter::WriteBoolean(bool AValue) { PutByte(AValue ? vaTrue : vaFalse); }

void TFilerWriter::WriteRawBytes(const void *AData, std::size_t ACount) { Put(AData, ACount); }
