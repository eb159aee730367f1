#pragma once
// A snapshot as CSV for spreadsheets (RFC 4180, CR LF line ends): a header
// row, then one row per tone of the profile's tone axis with the columns
// tone, frequency_hz, hlog_us, hlog_ds, qln_us, qln_ds, snr_us, snr_ds,
// bits_us, bits_ds, gain_us, gain_ds, binsnr_us, binsnr_ds. A group's value
// stands on each tone of its group; a field is empty where the snapshot has
// no value (a group without one, a direction without a bins listing).

#include <string>

class TDrayData;

std::string SnapshotCsv(const TDrayData &AData);
