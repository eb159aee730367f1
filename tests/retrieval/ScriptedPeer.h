#pragma once
// A Telnet peer for tests that says exactly the bytes a test script tells it
// to, on 127.0.0.1, and records every byte it receives. Each wait has its own
// deadline and the destructor ends the script, so the peer always stops.

#include <atomic>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

class TScriptedPeer {
public:
  using TScript = std::function<void(TScriptedPeer &APeer)>;

  // Listens at once; AScript runs on the peer's thread once a client connects.
  explicit TScriptedPeer(TScript AScript);
  ~TScriptedPeer();
  TScriptedPeer(const TScriptedPeer &) = delete;
  TScriptedPeer &operator=(const TScriptedPeer &) = delete;

  std::uint16_t Port() const { return FPort; }
  // Everything received from the client so far.
  std::string Received();
  // Waits until the script has run to its end (or the deadline passed).
  bool WaitDone(int ATimeoutMs = 10000);

  // For the script:
  void Send(std::string_view ABytes);
  // Reads until AMarker has arrived after the previous marker; false on
  // timeout or a closed connection.
  bool ReadUntil(std::string_view AMarker, int ATimeoutMs = 10000);
  // The next line the client sent (ended by CR LF), without its line end.
  bool ReadLine(std::string &ALine, int ATimeoutMs = 10000);
  void Pause(int AMilliseconds);
  // Reads nothing and waits until the client hangs up; false when it has
  // not within ATimeoutMs. Unread bytes stay in the socket.
  bool HoldWithoutReading(int ATimeoutMs);
  void Close();

private:
  void Serve();
  bool ReadSome(int ATimeoutMs);

  TScript FScript;
  int FListen = -1;
  std::atomic<int> FSocket{-1};
  std::uint16_t FPort = 0;
  std::atomic<bool> FStopping{false};
  std::atomic<bool> FDone{false};
  std::mutex FLock;
  std::string FReceived;
  std::size_t FConsumed = 0;
  std::thread FThread;
};

// Builds byte strings from numbers: B({255, 251, 1}).
inline std::string B(std::initializer_list<int> ABytes) {
  std::string Text;
  for (int Byte : ABytes)
    Text += static_cast<char>(Byte);
  return Text;
}
