#include "TelnetParser.h"

#include <algorithm>
#include <cstring>

using namespace Telnet;

TTelnetParser::TTelnetParser(TDeliver ADeliver, TReply AReply)
    : FDeliver(std::move(ADeliver)), FReply(std::move(AReply)) {}

void TTelnetParser::Reset() {
  FState = TState::Data;
  FSub.Start();
  FData.clear();
  FAfterCR = false;
  FPeerSpeaksTelnet.store(false);
}

void TTelnetParser::Feed(std::string_view ABytes) {
  TNextSpecial Next{Find(ABytes, 0, static_cast<char>(IAC)), Find(ABytes, 0, '\0')};
  for (std::size_t At = 0; At < ABytes.size(); ++At) {
    if (FState == TState::Data) {
      At = TakeDataRun(ABytes, At, Next);
      if (At == ABytes.size())
        break;
    }
    const auto Byte = static_cast<unsigned char>(ABytes[At]);
    switch (FState) {
    case TState::Data: DataByte(Byte); break;
    case TState::Iac: IacByte(Byte); break;
    case TState::Option: OptionByte(Byte); break;
    case TState::SubOption:
      FSubOption = Byte;
      FSub.Start();
      FState = TState::Sub;
      break;
    case TState::Sub:
      if (Byte == IAC)
        FState = TState::SubIac;
      else
        FSub.Add(static_cast<char>(Byte));
      break;
    case TState::SubIac: SubIacByte(Byte); break;
    }
  }
  Deliver();
}

std::size_t TTelnetParser::Find(std::string_view ABytes, std::size_t AFrom, char AByte) {
  if (AFrom >= ABytes.size())
    return ABytes.size();
  const void *Found = std::memchr(ABytes.data() + AFrom, AByte, ABytes.size() - AFrom);
  return Found ? static_cast<std::size_t>(static_cast<const char *>(Found) - ABytes.data()) : ABytes.size();
}

// Plain data, neither IAC nor a NUL that may be padding, goes on as one
// append: answers are tens of kilobytes with nothing to interpret in them.
// The next IAC and NUL are found with memchr and remembered until passed, so
// a batch full of one of them is not searched to its end for the other each
// time. Gives where the run ends: the byte the state machine must see.
std::size_t TTelnetParser::TakeDataRun(std::string_view ABytes, std::size_t AAt, TNextSpecial &ANext) {
  if (ANext.IAC < AAt)
    ANext.IAC = Find(ABytes, AAt, static_cast<char>(IAC));
  if (ANext.NUL < AAt)
    ANext.NUL = Find(ABytes, AAt, '\0');
  const std::size_t End = std::min(ANext.IAC, ANext.NUL);
  if (End > AAt) {
    FData.append(ABytes.substr(AAt, End - AAt));
    FAfterCR = ABytes[End - 1] == '\r';
  }
  return End;
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
    FSub.Add(static_cast<char>(IAC));
  } else if (AByte == SE) {
    EndSubNegotiation();
    FState = TState::Data;
  } else if (AByte == SB) {
    EndSubNegotiation();
    FState = TState::SubOption;
  }
}

void Telnet::TSubNegotiation::Start() {
  FBytes.clear();
  FDropped = false;
}

void Telnet::TSubNegotiation::Add(char AByte) {
  if (FBytes.size() >= MaxBytes) {
    FDropped = true;
    FBytes.clear();
    FBytes.shrink_to_fit();
  }
  if (!FDropped)
    FBytes += AByte;
}

void TTelnetParser::EndSubNegotiation() {
  if (FSub.Dropped() || FSubOption != OptTerminalType || FSub.Bytes().empty() ||
      static_cast<unsigned char>(FSub.Bytes()[0]) != TTypeSend)
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
