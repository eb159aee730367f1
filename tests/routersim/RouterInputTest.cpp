// The simulated router's Telnet input against a client that never ends its
// sub-negotiation: what it holds stays bounded, and the dialogue goes on.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "RouterInput.h"
#include "TelnetParser.h"

namespace {

using namespace Telnet;

std::string Bytes(std::initializer_list<unsigned char> AValues) { return std::string(AValues.begin(), AValues.end()); }

std::string TerminalTypeIs(const std::string &AName) {
  return Bytes({IAC, SB, OptTerminalType, TTypeIs}) + AName + Bytes({IAC, SE});
}

constexpr std::size_t Limit = TTelnetParser::MaxSubNegotiation;
const std::string Megabyte(1 << 20, 'x');

struct TSubCase {
  const char *Name;
  std::string Input;        // fed in pieces of 4 KB, followed by a command line
  std::string TerminalType; // what the router takes the client's terminal for
};

class RouterInputSub : public ::testing::TestWithParam<TSubCase> {};

TEST_P(RouterInputSub, HoldsNoMoreThanTheLimitAndReadsTheNextLine) {
  TRouterInput Input;
  const std::string All = GetParam().Input + "vdsl status\r";
  std::size_t MostHeld = 0;
  for (std::size_t At = 0; At < All.size(); At += 4096) {
    Input.Feed(std::string_view(All).substr(At, 4096));
    MostHeld = std::max(MostHeld, Input.BufferedBytes());
  }
  EXPECT_LE(MostHeld, Limit);
  EXPECT_EQ(Input.TerminalType(), GetParam().TerminalType);
  std::string Line;
  ASSERT_TRUE(Input.NextLine(Line));
  EXPECT_EQ(Line, "vdsl status");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RouterInputSub,
    ::testing::Values(
        TSubCase{"EndlessSubNegotiationIsDropped", TerminalTypeIs(Megabyte), ""},
        TSubCase{"EscapedBytesCountToo", TerminalTypeIs(std::string(1 << 20, '\xFF')), ""},
        TSubCase{"NameThatFitsIsKept", TerminalTypeIs(std::string(Limit - 2, 'v')), std::string(Limit - 2, 'v')},
        TSubCase{"NameAfterADroppedOneIsKept", TerminalTypeIs(Megabyte) + TerminalTypeIs("VT100"), "VT100"}),
    [](const auto &AInfo) { return std::string(AInfo.param.Name); });

} // namespace
