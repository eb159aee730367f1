#include "HistoryFileChecks.h"

#include <filesystem>

#include <SQLiteCpp/SQLiteCpp.h>

std::string IntegrityOf(const std::string &AFile) {
  SQLite::Database Database(AFile, SQLite::OPEN_READONLY);
  return Database.execAndGet("PRAGMA integrity_check").getString();
}

int SchemaOf(const std::string &AFile) {
  SQLite::Database Database(AFile, SQLite::OPEN_READONLY);
  return Database.execAndGet("PRAGMA user_version").getInt();
}

std::uintmax_t HistorySizeOf(const std::string &AFile) {
  std::error_code Error;
  const std::uintmax_t Log = std::filesystem::file_size(AFile + "-wal", Error);
  return std::filesystem::file_size(AFile) + (Error ? 0 : Log);
}
