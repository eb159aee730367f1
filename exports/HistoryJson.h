#pragma once
// The history's answers as JSON: the captures with their key figures, the
// per-tone envelope of a range, and the difference of two snapshots.
//
// A capture: {id, time, name, profile, ok, error, partial, actualRate,
// attainableRate, snrMargin, attenuation, lineRate (each {us, ds}), counters
// {elapsedTime, crc, fec, es, ses, uas (each {near, far})}}; absent values
// null. "partial" says what a partial capture's snapshot lacks, and why.

#include <string>
#include <vector>

struct TCapture;
struct TToneEnvelope;
struct TToneDifference;
class TDrayData;

std::string CapturesJson(const std::vector<TCapture> &ACaptures);
// {profile, captures, tones: [{tone, snr {us, ds}, bits {us, ds}}]}, each
// direction {min, mean, max} or null.
std::string EnvelopeJson(const TToneEnvelope &AEnvelope);
// {a, b: {name, profile, figures}, gainedBits, lostBits: {us, ds: [tone]},
// tones: [{tone, hlog, qln, snr, bits, gain: {us, ds}}]} with B - A per tone.
std::string DiffJson(const TDrayData &A, const TDrayData &B, const TToneDifference &ADiff);
