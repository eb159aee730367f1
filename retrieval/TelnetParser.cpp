#include "TelnetParser.h"

using namespace Telnet;

TTelnetParser::TTelnetParser(TDeliver ADeliver, TReply AReply)
    : FDeliver(std::move(ADeliver)), FReply(std::move(AReply)) {}

void TTelnetParser::Reset() {
  FState = TState::Data;
  FSubData.clear();
  FSubOverflow = false;
  FData.clear();
  FAfterCR = false;
  FPeerSpeaksTelnet.store(false);
}

void TTelnetParser::Feed(std::string_view ABytes) {
  for (char C : ABytes) {
    const auto Byte = static_cast<unsigned char>(C);
    switch (FState) {
    case TState::Data: DataByte(Byte); break;
    case TState::Iac: IacByte(Byte); break;
    case TState::Option: OptionByte(Byte); break;
    case TState::SubOption:
      FSubOption = Byte;
      FSubData.clear();
      FSubOverflow = false;
      FState = TState::Sub;
      break;
    case TState::Sub:
      if (Byte == IAC)
        FState = TState::SubIac;
      else
        SubByte(Byte);
      break;
    case TState::SubIac: SubIacByte(Byte); break;
    }
  }
  Deliver();
}

void TTelnetParser::DataByte(unsigned char AByte) {
  if (AByte == IAC) {
    FPeerSpeaksTelnet.store(true);
    FState = TState::Iac;
    return;
  }
  if (AByte == 0 && FAfterCR) {
    FAfterCR = false;
    return;
  }
  FData += static_cast<char>(AByte);
  FAfterCR = AByte == '\r';
}

void TTelnetParser::IacByte(unsigned char AByte) {
  FState = TState::Data;
  switch (AByte) {
  case IAC:
    FData += static_cast<char>(IAC);
    FAfterCR = false;
    break;
  case WILL:
  case WONT:
  case DO:
  case DONT:
    FVerb = AByte;
    FState = TState::Option;
    break;
  case EOR: Deliver(); break;
  case SB:
    Deliver();
    FState = TState::SubOption;
    break;
  default: break; // NOP, DM, BRK, IP, AO, AYT, EC, EL, GA: nothing to answer
  }
}

void TTelnetParser::OptionByte(unsigned char AOption) {
  FState = TState::Data;
  switch (FVerb) {
  case WILL: Reply(AOption == OptEcho || AOption == OptEOR ? DO : DONT, AOption); break;
  case WONT: Reply(DONT, AOption); break;
  case DO: Reply(AOption == OptEcho || AOption == OptTerminalType ? WILL : WONT, AOption); break;
  default: Reply(WONT, AOption); break;
  }
}

void TTelnetParser::SubIacByte(unsigned char AByte) {
  FState = TState::Sub;
  if (AByte == IAC) {
    SubByte(IAC);
  } else if (AByte == SE) {
    EndSubNegotiation();
    FState = TState::Data;
  } else if (AByte == SB) {
    EndSubNegotiation();
    FState = TState::SubOption;
  }
}

void TTelnetParser::SubByte(unsigned char AByte) {
  if (FSubData.size() >= MaxSubNegotiation) {
    FSubOverflow = true;
    FSubData.clear();
    FSubData.shrink_to_fit();
  }
  if (!FSubOverflow)
    FSubData += static_cast<char>(AByte);
}

void TTelnetParser::EndSubNegotiation() {
  if (FSubOverflow || FSubOption != OptTerminalType || FSubData.empty() ||
      static_cast<unsigned char>(FSubData[0]) != TTypeSend)
    return;
  std::string Answer{static_cast<char>(IAC), static_cast<char>(SB),
                     static_cast<char>(OptTerminalType), static_cast<char>(TTypeIs)};
  Answer += FTerminal;
  Answer += static_cast<char>(IAC);
  Answer += static_cast<char>(SE);
  FReply(Answer);
}

void TTelnetParser::Deliver() {
  if (FData.empty())
    return;
  std::string Data;
  Data.swap(FData);
  FDeliver(Data);
}

void TTelnetParser::Reply(unsigned char AVerb, unsigned char AOption) {
  FReply(std::string{static_cast<char>(IAC), static_cast<char>(AVerb), static_cast<char>(AOption)});
}
