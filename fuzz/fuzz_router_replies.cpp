// The reader's handling of what the router says, across the steps of the
// dialogue: the input is a series of deliveries, each led by a byte that
// picks the step the reader is at and the delivery's length. The limit is
// small here so that inputs reach it. Properties: the held text never passes
// the limit; a refusal, once read, is never forgotten (it decides the run's
// outcome, whatever comes after it); an answer that ends its
// wait ends with the prompt, or was given up; without an end, an answer holds
// every byte delivered since the command went out.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "RouterReplies.h"
#include "TextCase.h"

namespace {

constexpr std::size_t Limit = 512;
const std::string Marker = "DrayTek> ";

void Require(bool ACondition) {
  if (!ACondition)
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *AData, std::size_t ASize) {
  TRouterReplies Replies(Marker, Limit);
  std::string SinceCommand;
  bool WasRefused = false;
  std::size_t At = 0;
  while (At < ASize) {
    const std::uint8_t Lead = AData[At++];
    const auto Status = static_cast<TTelnetStatus>(Lead % 4);
    if (Lead & 0x80) {
      Replies.StartAnswer();
      SinceCommand.clear();
    }
    const std::size_t Count = std::min<std::size_t>(1 + (Lead >> 2) % 32, ASize - At);
    const std::string_view Bytes(reinterpret_cast<const char *>(AData + At), Count);
    At += Count;
    SinceCommand += Bytes;
    const bool Ends = Replies.Take(Bytes, Status);
    Require(Replies.Answer().size() <= Limit);
    Require(Replies.Refused() || !WasRefused);
    if (Replies.Refused() && !WasRefused)
      Require(Replies.Error() && Replies.ErrorReason() == TRouterReplies::RefusalReason());
    WasRefused = Replies.Refused();
    if (Status == tsPrompt) {
      if (Ends)
        Require(Replies.Overflowed() || AnsiEndsWithText(Replies.Answer(), Marker));
      if (!Replies.Overflowed() && SinceCommand.size() <= Limit)
        Require(SinceCommand.ends_with(Replies.Answer()));
    }
  }
  return 0;
}
