#pragma once
// One snapshot as CSV for spreadsheets: a header row, then one row per tone
// of its profile's tone axis with the tone's frequency and every table's
// value there, upstream and downstream. A per-group value stands on each tone
// of its group; a cell is empty where the router gave no value. Every field
// is a number, so none ever needs quoting.

#include <string>

class TDrayData;

// The columns, in order: tone, frequency_hz, hlog_us, hlog_ds, qln_us,
// qln_ds, snr_us, snr_ds, bits_us, bits_ds, gain_us, gain_ds (dB), binsnr_us,
// binsnr_ds.
std::string SnapshotCsv(const TDrayData &AData);

