#pragma once
// Where the metrics page listens, from --metrics: "PORT" or ":PORT" for
// loopback, "ADDR:PORT" with an IPv4 address or a host name, "[ADDR]:PORT"
// with an IPv6 address. Every interface only when the address says so
// ("0.0.0.0", "[::]").

#include <cstdint>
#include <optional>
#include <string>

struct TListenAddress {
  std::string Host; // without brackets
  std::uint16_t Port = 0;
  bool IPv6 = false;
  bool Wildcard = false;
};

// None, with AWhy set, for text that is no such address.
std::optional<TListenAddress> ParseListenAddress(const std::string &AText, std::string &AWhy);

// The page's address as a browser takes it: "http://[::1]:9104/metrics".
std::string ListenUrl(const TListenAddress &AAddress, std::uint16_t APort, const std::string &APath);
