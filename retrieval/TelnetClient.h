#pragma once
// The client side of one Telnet connection on POSIX sockets. It answers
// option negotiation on its own receiving thread and hands every data byte to
// OnDataAvailable, on that same thread; the caller does the rest.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "TelnetParser.h"

class TTelnetClient {
public:
  using TDataAvailable = std::function<void(TTelnetClient &ASender, const std::string &ABuffer)>;

  TTelnetClient();
  ~TTelnetClient();
  TTelnetClient(const TTelnetClient &) = delete;
  TTelnetClient &operator=(const TTelnetClient &) = delete;

  const std::string &Host() const { return FHost; }
  void SetHost(std::string AHost) { FHost = std::move(AHost); }
  std::uint16_t Port() const { return FPort; }
  void SetPort(std::uint16_t APort) { FPort = APort; }
  const std::string &Terminal() const { return FTerminal; }
  void SetTerminal(std::string ATerminal);
  // Data is always delivered on the receiving thread itself.
  bool ThreadedEvent() const { return true; }
  // How long an unanswered TCP connect may take before it gives up.
  void SetConnectTimeoutMs(std::uint32_t AValue) { FConnectTimeoutMs = AValue; }
  // How long one SendString may wait for a peer that does not read. Past it
  // the connection is given up: a router that reads nothing answers nothing.
  void SetWriteTimeoutMs(std::uint32_t AValue) { FWriteTimeoutMs = AValue; }

  // Negotiation replies waiting for a peer that does not read are dropped
  // past this many bytes.
  static constexpr std::size_t MaxPendingReplies = 64 * 1024;

  // Set before Connect; called on the receiving thread with non-empty data.
  TDataAvailable OnDataAvailable;

  // Raises ETelnetError when the connection cannot be opened.
  void Connect();
  bool Connected() const { return FOpen.load(); }
  // Safe in any state, also after the peer has closed. Once it returns from
  // any thread but the receiving one, no data handler call runs or follows.
  void Disconnect();
  // Never raises: write errors only show up as a missing answer.
  void SendString(std::string_view AText);

private:
  int OpenSocket();
  void ReceiveLoop();
  bool ReceiveSome(int ASocket);
  void Deliver(const std::string &AData);
  void QueueReply(const std::string &AReply);
  // AMore: more bytes of the same string follow at once.
  void WriteBytes(const char *ABytes, std::size_t ACount, bool AMore = false);
  bool FlushPending(int ASocket, bool AMore = false);
  bool HasPending();
  void GiveUpConnection();
  void ReleaseReceiver();

  std::string FHost;
  std::uint16_t FPort = 23;
  std::string FTerminal = "dumb";
  std::uint32_t FConnectTimeoutMs = 10000;
  std::uint32_t FWriteTimeoutMs = 10000;
  std::atomic<int> FSocket{-1};
  std::atomic<bool> FOpen{false};
  std::atomic<bool> FStopping{false};
  // Bytes not yet taken by the socket, replies and sent text in the order
  // they were made. The lock is never held while waiting for the socket, so
  // the receiving thread always gets through to reading.
  std::mutex FWriteLock;
  std::string FPending;
  std::thread FReceiver;
  // Set by the receiving thread itself: FReceiver is still being assigned
  // while the new thread may already be delivering.
  std::atomic<std::thread::id> FReceiverId{};
  TTelnetParser FParser;
};
