#include "RouterFault.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

struct TKindName {
  TFaultKind Kind;
  const char *Name;
};

constexpr std::array<TKindName, 11> Names = {{{TFaultKind::Silence, "silence"},
                                              {TFaultKind::Trickle, "trickle"},
                                              {TFaultKind::Close, "close"},
                                              {TFaultKind::Reset, "reset"},
                                              {TFaultKind::NegotiationFlood, "negotiation-flood"},
                                              {TFaultKind::EndlessSubNegotiation, "endless-subnegotiation"},
                                              {TFaultKind::EndlessAnswer, "endless-answer"},
                                              {TFaultKind::PromptInData, "prompt-in-data"},
                                              {TFaultKind::Garbage, "garbage"},
                                              {TFaultKind::LongLine, "long-line"},
                                              {TFaultKind::HugeInteger, "huge-integer"}}};

constexpr std::array<TFaultKind, Names.size()> Kinds = [] {
  std::array<TFaultKind, Names.size()> All{};
  for (std::size_t I = 0; I < Names.size(); ++I)
    All[I] = Names[I].Kind;
  return All;
}();

} // namespace

std::span<const TFaultKind> FaultKinds() { return Kinds; }

const char *FaultKindName(TFaultKind AKind) {
  for (const TKindName &Entry : Names)
    if (Entry.Kind == AKind)
      return Entry.Name;
  return "none";
}

std::optional<TFaultKind> FaultKindFromName(std::string_view AName) {
  for (const TKindName &Entry : Names)
    if (AName == Entry.Name)
      return Entry.Kind;
  return std::nullopt;
}

std::optional<TRouterFault> ParseFault(std::string_view AText) {
  const std::size_t At = AText.find('@');
  if (At == std::string_view::npos || At + 1 == AText.size())
    return std::nullopt;
  const std::optional<TFaultKind> Kind = FaultKindFromName(AText.substr(0, At));
  if (!Kind)
    return std::nullopt;
  return TRouterFault{*Kind, std::string(AText.substr(At + 1))};
}

std::size_t MiddleOfText(std::string_view AText) {
  const std::size_t Middle = AText.size() / 2;
  const std::size_t LineEnd = AText.rfind('\n', Middle);
  return LineEnd == std::string_view::npos ? Middle : LineEnd + 1;
}

std::string WithHugeInteger(std::string_view AText) {
  constexpr std::string_view Huge = "99999999999";
  std::string Text(AText);
  auto IsDigit = [](char C) { return std::isdigit(static_cast<unsigned char>(C)) != 0; };
  const auto First = std::find_if(Text.begin() + static_cast<std::ptrdiff_t>(MiddleOfText(AText)), Text.end(), IsDigit);
  if (First == Text.end())
    return Text.insert(AText.size() / 2, Huge);
  const auto Last = std::find_if_not(First, Text.end(), IsDigit);
  Text.replace(First, Last, Huge);
  return Text;
}

std::string GarbageBytes() {
  std::string Bytes;
  unsigned Seed = 12345;
  for (int I = 0; I < 512; ++I) {
    Seed = Seed * 1103515245u + 12345u;
    Bytes += static_cast<char>(I % 8 == 0 ? 0 : (Seed >> 16) & 0xFF);
  }
  return Bytes;
}
