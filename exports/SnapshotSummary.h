#pragma once
// A few lines about one snapshot for people: name, version, profile, group
// sizes and, per table, how many values it holds and their range.

#include <string>

class TDrayData;

std::string SnapshotSummary(const TDrayData &AData);
