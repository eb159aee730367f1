#include "RouterInput.h"

#include "TelnetParser.h"

using namespace Telnet;

namespace {
// A command line longer than this is cut: a client that never ends its line
// must not fill the memory of the program that runs the simulated router.
constexpr std::size_t MaxLineLength = 4096;
} // namespace

void TRouterInput::Feed(std::string_view ABytes) {
  for (char C : ABytes) {
    const auto Byte = static_cast<unsigned char>(C);
    switch (FState) {
    case TState::Data:
      if (Byte == IAC)
        FState = TState::Iac;
      else
        DataByte(C);
      break;
    case TState::Iac: IacByte(Byte); break;
    case TState::Option: OptionByte(Byte); break;
    case TState::Sub:
      if (Byte == IAC)
        FState = TState::SubIac;
      else
        FSub.Add(C);
      break;
    case TState::SubIac:
      if (Byte == SE) {
        const std::string &Sub = FSub.Bytes();
        if (Sub.size() > 1 && Sub[0] == static_cast<char>(OptTerminalType) && Sub[1] == TTypeIs)
          FTerminalType = Sub.substr(2);
        FState = TState::Data;
      } else {
        if (Byte == IAC)
          FSub.Add(C);
        FState = TState::Sub;
      }
      break;
    }
  }
}

void TRouterInput::DataByte(char AByte) {
  const bool AfterCR = FAfterCR;
  FAfterCR = false;
  if ((AByte == '\n' || AByte == '\0') && AfterCR)
    return;
  if (AByte == '\r' || AByte == '\n') {
    FAfterCR = AByte == '\r';
    EndLine();
  } else if (AByte == '\b' || AByte == 0x7F) {
    if (!FLine.empty()) {
      FLine.pop_back();
      if (FEcho)
        FOutput += "\b \b";
    }
  } else if (static_cast<unsigned char>(AByte) >= ' ' && FLine.size() < MaxLineLength) {
    FLine += AByte;
    if (FEcho)
      FOutput.append(static_cast<unsigned char>(AByte) == IAC ? 2 : 1, AByte);
  }
}

void TRouterInput::IacByte(unsigned char AByte) {
  FState = TState::Data;
  if (AByte == IAC)
    DataByte(static_cast<char>(IAC));
  else if (AByte >= WILL)
    FVerb = AByte, FState = TState::Option;
  else if (AByte == SB)
    FSub.Start(), FState = TState::Sub;
}

void TRouterInput::OptionByte(unsigned char AOption) {
  FState = TState::Data;
  // The client agreed to name its terminal: ask for the name, as a Vigor does.
  if (FVerb == WILL && AOption == OptTerminalType)
    FOutput += std::string{static_cast<char>(IAC), static_cast<char>(SB),
                           static_cast<char>(OptTerminalType), static_cast<char>(TTypeSend),
                           static_cast<char>(IAC), static_cast<char>(SE)};
}

void TRouterInput::EndLine() {
  FOutput += "\r\n";
  FLines.push_back(std::move(FLine));
  FLine.clear();
}

std::string TRouterInput::TakeOutput() {
  std::string Output;
  Output.swap(FOutput);
  return Output;
}

bool TRouterInput::NextLine(std::string &ALine) {
  if (FLines.empty())
    return false;
  ALine = std::move(FLines.front());
  FLines.pop_front();
  return true;
}
