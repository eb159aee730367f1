#pragma once
// What the parts of the history store share about its tables.

#include <string>

#include <SQLiteCpp/SQLiteCpp.h>

// The bytes of a BLOB column; empty for null.
inline std::string BlobOf(const SQLite::Column &AColumn) {
  return AColumn.isNull() ? std::string()
                          : std::string(static_cast<const char *>(AColumn.getBlob()),
                                        static_cast<std::size_t>(AColumn.getBytes()));
}

// A snapshot: its bytes as a Zstandard frame, with base_id the capture whose
// snapshot it was compressed against (itself full, null base), size what it
// decodes to.
inline std::string SnapshotSchema(const std::string &ATable = "snapshot") {
  return "CREATE TABLE " + ATable +
         " (capture_id INTEGER PRIMARY KEY REFERENCES capture (id), base_id INTEGER, size INTEGER NOT NULL, "
         "bytes BLOB NOT NULL);\n"
         "CREATE INDEX " + ATable + "_base ON " + ATable + " (base_id) WHERE base_id IS NOT NULL;\n";
}

// The per-tone series of a capture: each BLOB a Zstandard frame of the
// values (16-bit SNR per group, a byte of bits per tone).
inline std::string ToneSchema(const std::string &ATable = "tones") {
  return "CREATE TABLE " + ATable +
         " (capture_id INTEGER PRIMARY KEY REFERENCES capture (id), profile TEXT NOT NULL,\n"
         "  snr_group_us INTEGER, snr_group_ds INTEGER, snr_us BLOB, snr_ds BLOB, bits_us BLOB, bits_ds BLOB);\n";
}
