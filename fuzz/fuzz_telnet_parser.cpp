// The Telnet negotiation parser on any bytes, fed in batches whose sizes the
// input chooses. Properties: nothing it holds passes its cap; every byte it
// delivers is data (an IAC only where the peer sent IAC IAC); every reply is a
// well-formed three-byte answer or the terminal type.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "TelnetParser.h"

namespace {

void Require(bool ACondition) {
  if (!ACondition)
    std::abort();
}

bool WellFormedReply(const std::string &AReply) {
  const auto Byte = [&AReply](std::size_t I) { return static_cast<unsigned char>(AReply[I]); };
  if (AReply.size() == 3)
    return Byte(0) == Telnet::IAC && Byte(1) >= Telnet::WILL && Byte(1) <= Telnet::DONT;
  return AReply == std::string("\xFF\xFA\x18\x00", 4) + "dumb" + "\xFF\xF0";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *AData, std::size_t ASize) {
  std::size_t Delivered = 0, Escaped = 0;
  TTelnetParser Parser([&](const std::string &AChunk) { Delivered += AChunk.size(); },
                       [](const std::string &AReply) { Require(WellFormedReply(AReply)); });
  // Every IAC IAC pair in data position may become one delivered byte 255;
  // counting all IAC bytes of the input bounds what may be delivered.
  for (std::size_t I = 0; I < ASize; ++I)
    Escaped += AData[I] == Telnet::IAC;
  std::size_t At = 0;
  while (At < ASize) {
    const std::size_t Batch = 1 + AData[At] % 64;
    const std::size_t Count = std::min(Batch, ASize - At);
    Parser.Feed(std::string_view(reinterpret_cast<const char *>(AData + At), Count));
    Require(Parser.BufferedBytes() <= TTelnetParser::MaxSubNegotiation);
    At += Count;
  }
  Require(Delivered <= ASize - Escaped / 2);
  return 0;
}
