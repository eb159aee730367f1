#pragma once
// What a test asks of a history file from outside the store, through SQLite
// itself.

#include <cstdint>
#include <string>

std::string IntegrityOf(const std::string &AFile);
int SchemaOf(const std::string &AFile);
// The file and its log, as they take room on the disk.
std::uintmax_t HistorySizeOf(const std::string &AFile);
