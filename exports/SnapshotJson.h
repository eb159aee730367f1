#pragma once
// One snapshot as a JSON object: name, dataVersion, profile, profileIndex,
// status, hlog/qln/snr (groupSize, us, ds), bins (us, ds: bin, snr, gain,
// bits) and raw (hlog, qln, snr, bins: us, ds).

#include <string>

class TDrayData;

std::string SnapshotJson(const TDrayData &AData);
