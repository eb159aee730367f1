#pragma once
// A TCP proxy on 127.0.0.1 that holds every chunk of bytes for a fixed time
// before passing it on, in both directions: a loopback connection that
// behaves like a line with a round trip of twice that delay. One connection
// at a time, on its own thread, for benchmarks.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

class TDelayProxy {
public:
  TDelayProxy(std::uint16_t ATargetPort, std::chrono::microseconds AOneWayDelay);
  ~TDelayProxy();
  TDelayProxy(const TDelayProxy &) = delete;
  TDelayProxy &operator=(const TDelayProxy &) = delete;

  std::uint16_t Port() const { return FPort; }

private:
  void AcceptLoop();
  void Relay(int AClient, int AServer);

  std::uint16_t FTargetPort;
  std::chrono::microseconds FDelay;
  int FListenSocket = -1;
  std::uint16_t FPort = 0;
  std::atomic<bool> FStopping{false};
  std::thread FThread;
};
