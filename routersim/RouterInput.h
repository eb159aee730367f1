#pragma once
// The simulated router's side of the Telnet input: takes the client's bytes,
// answers its terminal-type offer, echoes typed characters when asked to, and
// cuts the data into command lines (CR, CR LF, CR NUL or LF ends a line).

#include <deque>
#include <string>
#include <string_view>

#include "TelnetParser.h"

class TRouterInput {
public:
  void SetEcho(bool AEcho) { FEcho = AEcho; }
  void Feed(std::string_view ABytes);
  // Echo and negotiation bytes to send, in the order they arose.
  std::string TakeOutput();
  bool NextLine(std::string &ALine);
  const std::string &TerminalType() const { return FTerminalType; }
  // Bytes held for an unfinished sub-negotiation or command line.
  std::size_t BufferedBytes() const { return FSub.Bytes().size() + FLine.size(); }

private:
  enum class TState { Data, Iac, Option, Sub, SubIac };
  void DataByte(char AByte);
  void IacByte(unsigned char AByte);
  void OptionByte(unsigned char AOption);
  void EndLine();

  TState FState = TState::Data;
  unsigned char FVerb = 0;
  Telnet::TSubNegotiation FSub; // bounded as the client bounds its own
  bool FEcho = true;
  bool FAfterCR = false;
  std::string FLine;
  std::deque<std::string> FLines;
  std::string FOutput;
  std::string FTerminalType;
};
