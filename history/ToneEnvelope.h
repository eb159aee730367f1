#pragma once
// The range of a line over many captures, tone by tone: the lowest, mean and
// highest SNR and bits seen on each tone of the profile's tone axis. A
// group's SNR stands for every tone of its group, as the charts draw it.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ToneSeries.h"

struct TRange {
  double Min = 0;
  double Mean = 0;
  double Max = 0;
  bool operator==(const TRange &) const = default;
};

struct TToneRanges {
  std::array<std::optional<TRange>, 2> SNR;  // upstream, downstream; absent: no capture had a value
  std::array<std::optional<TRange>, 2> Bits;
};

struct TToneEnvelope {
  std::string Profile;
  int Captures = 0;
  std::vector<TToneRanges> Tones;  // one per tone of the profile
};

class TEnvelopeBuilder {
public:
  explicit TEnvelopeBuilder(const std::string &AProfile);
  void Add(const TToneSeries &ASeries);
  TToneEnvelope Envelope() const;

private:
  struct TSums {
    double Min = 0, Max = 0, Sum = 0;
    int Count = 0;
    void Add(double AValue);
  };
  std::string FProfile;
  int FCaptures = 0;
  std::size_t FToneCount = 0;
  // [kind][direction][tone]: kind 0 SNR, 1 bits.
  std::array<std::array<std::vector<TSums>, 2>, 2> FSums;
};
