#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ScriptedPeer.h"
#include "TelnetParser.h"

namespace {

struct TParsed {
  std::vector<std::string> Deliveries;
  std::string Replies;
};

TParsed Parse(const std::vector<std::string> &ABatches) {
  TParsed Result;
  TTelnetParser Parser([&](const std::string &AData) { Result.Deliveries.push_back(AData); },
                       [&](const std::string &AReply) { Result.Replies += AReply; });
  for (const std::string &Batch : ABatches)
    Parser.Feed(Batch);
  return Result;
}

struct TCase {
  const char *Name;
  std::vector<std::string> Batches;
  std::vector<std::string> Deliveries;
  std::string Replies;
};

class TelnetParserCase : public ::testing::TestWithParam<TCase> {};

TEST_P(TelnetParserCase, DeliversDataAndRepliesByTheFixedRules) {
  const TCase &Case = GetParam();
  const TParsed Result = Parse(Case.Batches);
  EXPECT_EQ(Result.Deliveries, Case.Deliveries);
  EXPECT_EQ(Result.Replies, Case.Replies);
}

const TCase Cases[] = {
    {"WillEchoAndEndOfRecordAccepted", {B({255, 251, 1, 255, 251, 25})}, {}, B({255, 253, 1, 255, 253, 25})},
    {"WillSuppressGoAheadRefused", {B({255, 251, 3})}, {}, B({255, 254, 3})},
    {"WontAnsweredWithDont", {B({255, 252, 1})}, {}, B({255, 254, 1})},
    {"DoEchoAndTerminalTypeAccepted", {B({255, 253, 1, 255, 253, 24})}, {}, B({255, 251, 1, 255, 251, 24})},
    {"DoNawsAuthenticationAndSpeedRefused", {B({255, 253, 31, 255, 253, 37, 255, 253, 32})}, {},
     B({255, 252, 31, 255, 252, 37, 255, 252, 32})},
    {"DontAnsweredWithWont", {B({255, 254, 24})}, {}, B({255, 252, 24})},
    {"TerminalTypeSendAnsweredWithDumb",
     {B({255, 253, 24, 255, 250, 24, 1, 255, 240})}, {},
     B({255, 251, 24, 255, 250, 24, 0}) + "dumb" + B({255, 240})},
    {"OtherSubNegotiationIgnored", {B({255, 250, 31, 0, 80, 0, 24, 255, 240})}, {}, ""},
    {"SubNegotiationRestartedByIacSb",
     {B({255, 250, 32, 1, 255, 250, 24, 1, 255, 240})}, {},
     B({255, 250, 24, 0}) + "dumb" + B({255, 240})},
    {"IacIacIsOneDataByte", {"a" + B({255, 255}) + "b"}, {"a" + B({255}) + "b"}, ""},
    {"GoAheadDroppedWithinOneDelivery", {"Acc" + B({255, 249}) + "ount:"}, {"Account:"}, ""},
    {"EndOfRecordSplitsDelivery", {"Acc" + B({255, 239}) + "ount:"}, {"Acc", "ount:"}, ""},
    {"DataBeforeSubNegotiationDeliveredFirst",
     {"x" + B({255, 250, 24, 1, 255, 240}) + "y"}, {"x", "y"},
     B({255, 250, 24, 0}) + "dumb" + B({255, 240})},
    {"NopAndAreYouThereDropped", {"a" + B({255, 241, 255, 246}) + "b"}, {"ab"}, ""},
    {"CommandSplitAcrossPackets", {B({255}), B({251}), B({1}) + "z"}, {"z"}, B({255, 253, 1})},
    {"CarriageReturnNulIsALoneCR", {std::string("a\r\0b", 4)}, {"a\rb"}, ""},
    {"CarriageReturnNulSplitAcrossWrites", {"line\r", std::string("\0\nnext", 6)},
     {"line\r", "\nnext"}, ""},
    {"NulElsewhereIsData", {std::string("a\0b", 3)}, {std::string("a\0b", 3)}, ""},
};

INSTANTIATE_TEST_SUITE_P(Bytes, TelnetParserCase, ::testing::ValuesIn(Cases),
                         [](const auto &AInfo) { return std::string(AInfo.param.Name); });

TEST(TelnetParser, PeerSpeaksTelnetFromTheFirstIacUntilReset) {
  TTelnetParser Parser([](const std::string &) {}, [](const std::string &) {});
  Parser.Feed("Account:");
  EXPECT_FALSE(Parser.PeerSpeaksTelnet());
  Parser.Feed(B({255, 241}));
  EXPECT_TRUE(Parser.PeerSpeaksTelnet());
  Parser.Reset();
  EXPECT_FALSE(Parser.PeerSpeaksTelnet());
}

TEST(TelnetParser, OptionsAreAnsweredEveryTimeTheyCome) {
  const TParsed Result = Parse({B({255, 253, 31}), B({255, 253, 31})});
  EXPECT_EQ(Result.Replies, B({255, 252, 31, 255, 252, 31}));
}

} // namespace

namespace {

// A sub-negotiation that never ends must not grow without bound; past its cap
// it is dropped whole (a TERMINAL-TYPE SEND inside it is not answered), and
// data after its end goes through as usual.
TEST(TelnetParserLimits, EndlessSubNegotiationStaysWithinItsCap) {
  std::vector<std::string> Deliveries;
  std::string Replies;
  TTelnetParser Parser([&](const std::string &AData) { Deliveries.push_back(AData); },
                       [&](const std::string &AReply) { Replies += AReply; });
  Parser.Feed(B({255, 250, 24, 1}));
  const std::string Chunk(16384, 'x');
  std::size_t Largest = 0;
  for (int I = 0; I < 256; ++I) { // 4 MiB
    Parser.Feed(Chunk);
    Largest = std::max(Largest, Parser.BufferedBytes());
  }
  EXPECT_LE(Largest, TTelnetParser::MaxSubNegotiation);
  Parser.Feed(B({255, 240}) + "DrayTek> ");
  EXPECT_EQ(Replies, "");
  EXPECT_EQ(Deliveries, std::vector<std::string>{"DrayTek> "});
  EXPECT_EQ(Parser.BufferedBytes(), 0u);
}

} // namespace
