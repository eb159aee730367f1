#pragma once
// A hostile router: one misbehaviour, at one step of the dialogue, so that
// tests can walk every misbehaviour across every step.

#include <optional>
#include <span>
#include <string>
#include <string_view>

enum class TFaultKind {
  None,
  Silence,               // says nothing more from that step on
  Trickle,               // the step's text one byte per packet, with pauses
  Close,                 // closes the connection halfway through the text
  Reset,                 // the same, with a TCP reset
  NegotiationFlood,      // a flood of option requests halfway through
  EndlessSubNegotiation, // IAC SB halfway through, never ended
  EndlessAnswer,         // data without end instead of the text's rest
  PromptInData,          // the prompt in the middle of the text
  Garbage,               // NUL bytes and binary noise in the middle
  LongLine,              // a line of a MiB in the middle
  HugeInteger,           // a number that fits no integer in the middle line
};

// The logon's steps go by these names; the commands' by their command lines.
namespace FaultStep {
constexpr std::string_view Account = "account";   // the first prompt
constexpr std::string_view Password = "password"; // after the user name
constexpr std::string_view Welcome = "welcome";   // after the password
} // namespace FaultStep

struct TRouterFault {
  TFaultKind Kind = TFaultKind::None;
  std::string Step;
  bool At(std::string_view AStep) const { return Kind != TFaultKind::None && Step == AStep; }
};

std::span<const TFaultKind> FaultKinds(); // every kind but None
const char *FaultKindName(TFaultKind AKind);
std::optional<TFaultKind> FaultKindFromName(std::string_view AName);
// "KIND@STEP", as the command line gives it; none when KIND is unknown or a
// part is missing.
std::optional<TRouterFault> ParseFault(std::string_view AText);

// Where a hostile act goes into a text: the start of the line that holds its
// middle byte, or the middle byte itself in a text of one line.
std::size_t MiddleOfText(std::string_view AText);
// AText with its middle line's first number replaced by one that fits no
// integer (put in at the middle when no line has a number).
std::string WithHugeInteger(std::string_view AText);
// Always the same bytes: NULs, line ends, byte 255 and everything between.
std::string GarbageBytes();
