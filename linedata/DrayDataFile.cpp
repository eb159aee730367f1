// Snapshot files and captured router text files.
#include "DrayData.h"

// Not written yet: the file formats follow in the next change.
void TDrayData::SaveToFile(const std::string &) const { throw ETonegraphError("Saving snapshots is not available yet"); }
void TDrayData::LoadFromFile(const std::string &) { throw ETonegraphError("Loading snapshots is not available yet"); }
void TDrayData::LoadHLogFromFile(const std::string &) { throw ETonegraphError("Loading captured files is not available yet"); }
void TDrayData::LoadQLNFromFile(const std::string &) { throw ETonegraphError("Loading captured files is not available yet"); }
void TDrayData::LoadSNRFromFile(const std::string &) { throw ETonegraphError("Loading captured files is not available yet"); }
void TDrayData::LoadBinsFromFile(const std::string &) { throw ETonegraphError("Loading captured files is not available yet"); }
