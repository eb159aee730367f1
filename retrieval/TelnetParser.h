#pragma once
// The receiving side of a Telnet connection without the socket: takes the
// bytes as they arrive, answers option negotiation from fixed rules, and
// hands on the data bytes with every Telnet command removed.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace Telnet {
inline constexpr unsigned char SE = 240, NOP = 241, GA = 249, SB = 250, WILL = 251, WONT = 252,
                               DO = 253, DONT = 254, IAC = 255, EOR = 239;
inline constexpr unsigned char OptEcho = 1, OptSGA = 3, OptTerminalType = 24, OptEOR = 25,
                               OptNAWS = 31;
inline constexpr unsigned char TTypeIs = 0, TTypeSend = 1;

// The bytes of one sub-negotiation, held up to a limit: one that grows past
// it is dropped whole, so a peer that never ends one cannot fill our memory.
// Both ends of our Telnet connections keep to it.
class TSubNegotiation {
public:
  // The only one we answer (TERMINAL-TYPE SEND) is a single byte long, and
  // no terminal name comes near this.
  static constexpr std::size_t MaxBytes = 4096;

  void Start();
  void Add(char AByte);
  bool Dropped() const { return FDropped; }
  // The bytes held so far; empty once dropped.
  const std::string &Bytes() const { return FBytes; }

private:
  std::string FBytes;
  bool FDropped = false;
};
} // namespace Telnet

class TTelnetParser {
public:
  using TDeliver = std::function<void(const std::string &AData)>;
  using TReply = std::function<void(const std::string &AReply)>;

  TTelnetParser(TDeliver ADeliver, TReply AReply);

  void SetTerminal(std::string ATerminal) { FTerminal = std::move(ATerminal); }
  // Back to the state of a new connection.
  void Reset();
  // One batch of received bytes. Data goes out at EOR, ahead of a
  // sub-negotiation and at the end of the batch; replies go out at once.
  void Feed(std::string_view ABytes);
  // Set by the first IAC from the peer; read by the sending thread.
  bool PeerSpeaksTelnet() const { return FPeerSpeaksTelnet.load(); }
  // Bytes held between calls of Feed: an unfinished sub-negotiation.
  std::size_t BufferedBytes() const { return FSub.Bytes().size() + FData.size(); }

  static constexpr std::size_t MaxSubNegotiation = Telnet::TSubNegotiation::MaxBytes;

private:
  enum class TState { Data, Iac, Option, SubOption, Sub, SubIac };

  // Where the next IAC and NUL of a batch are; its size when there is none.
  struct TNextSpecial {
    std::size_t IAC;
    std::size_t NUL;
  };
  static std::size_t Find(std::string_view ABytes, std::size_t AFrom, char AByte);
  std::size_t TakeDataRun(std::string_view ABytes, std::size_t AAt, TNextSpecial &ANext);
  void DataByte(unsigned char AByte);
  void IacByte(unsigned char AByte);
  void OptionByte(unsigned char AOption);
  void SubIacByte(unsigned char AByte);
  void EndSubNegotiation();
  void Deliver();
  void Reply(unsigned char AVerb, unsigned char AOption);

  TDeliver FDeliver;
  TReply FReply;
  std::string FTerminal = "dumb";
  TState FState = TState::Data;
  unsigned char FVerb = 0;
  unsigned char FSubOption = 0;
  Telnet::TSubNegotiation FSub;
  std::string FData;
  // A CR just passed on: a NUL right after it is the RFC 854 padding of a
  // bare CR and is not data.
  bool FAfterCR = false;
  std::atomic<bool> FPeerSpeaksTelnet{false};
};
