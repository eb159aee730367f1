#include "ListenAddress.h"

#include "NumberText.h"

namespace {


// The host part as written, brackets removed; none when an IPv6 address
// comes without them, where its colons and the port's could not be told apart.
std::optional<TListenAddress> HostOfText(const std::string &AText, std::string &AWhy) {
  TListenAddress Address;
  if (AText.empty()) {
    Address.Host = "127.0.0.1";
  } else if (AText.front() == '[' && AText.back() == ']' && AText.size() > 2) {
    Address.Host = AText.substr(1, AText.size() - 2);
    Address.IPv6 = true;
  } else if (AText.find_first_of("[]:") != std::string::npos) {
    AWhy = "an IPv6 address goes in brackets: [::1]:9469";
    return std::nullopt;
  } else {
    Address.Host = AText;
  }
  Address.Wildcard = Address.Host == "0.0.0.0" || Address.Host == "::";
  return Address;
}

} // namespace

std::optional<TListenAddress> ParseListenAddress(const std::string &AText, std::string &AWhy) {
  const std::size_t Colon = AText.rfind(':');
  const bool Bracketed = !AText.empty() && AText.back() == ']';
  const std::string Port = Colon == std::string::npos || Bracketed ? AText : AText.substr(Colon + 1);
  const std::optional<long long> Number = WholeNumberOfText(Port, 0, 65535);
  if (!Number) {
    AWhy = "'" + AText + "' is not ADDR:PORT";
    return std::nullopt;
  }
  std::optional<TListenAddress> Address =
      HostOfText(Colon == std::string::npos ? std::string() : AText.substr(0, Colon), AWhy);
  if (Address)
    Address->Port = static_cast<std::uint16_t>(*Number);
  return Address;
}

std::string ListenUrl(const TListenAddress &AAddress, std::uint16_t APort, const std::string &APath) {
  const std::string Host = AAddress.IPv6 ? "[" + AAddress.Host + "]" : AAddress.Host;
  return "http://" + Host + ":" + std::to_string(APort) + APath;
}
