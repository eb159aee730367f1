#pragma once
// The metrics page over HTTP, served by one thread of its own. A scraper is
// answered as soon as its request head is in, whatever other clients do:
// connections are few (the oldest unanswered one gives way to a new one),
// each has a few seconds and a few kilobytes for its head, no body is read,
// and the descriptors the captures need are never taken.

#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "ListenAddress.h"

class TMetricsServer {
public:
  using TPageSource = std::function<std::string()>;

  // Listens at once; throws EListenError when it cannot.
  TMetricsServer(const TListenAddress &AAddress, TPageSource APage);
  ~TMetricsServer();
  TMetricsServer(const TMetricsServer &) = delete;
  TMetricsServer &operator=(const TMetricsServer &) = delete;

  // The port listened on (the one the system chose for port 0).
  std::uint16_t Port() const { return FPort; }

private:
  void Serve();

  TPageSource FPage;
  int FListener = -1;
  int FWake[2] = {-1, -1};
  std::uint16_t FPort = 0;
  std::atomic<bool> FStopping{false};
  std::thread FThread;
};

// Why listening failed; AddressInUse for another listener on the address.
class EListenError : public std::runtime_error {
public:
  EListenError(const std::string &AMessage, bool AAddressInUse)
      : std::runtime_error(AMessage), FAddressInUse(AAddressInUse) {}
  bool AddressInUse() const { return FAddressInUse; }

private:
  bool FAddressInUse;
};
