#pragma once
// A line analysis as one JSON object, keys in this order: profile,
// toneSpacingHz, symbolRate, reported {state, actualRate, attainableRate,
// snrMargin, attenuation (each {us, ds}), bands [{name, latn, satn}],
// counters {elapsedTime, crc, fec, es, ses, uas (each {near, far})}},
// bits {us, ds: {tonesInUse, totalBits, maxBits, lineRate}}, snr {us, ds:
// {mean, min}}, loop {kl0, gaugeMm, dbPerKmAt1MHz, lengthM}, bridgedTaps
// [{firstNotchHz, depthDb, lengthM}], disturbers [{tone, frequencyHz, riseDb,
// band}], findings [{kind, severity, text}]. Every key is always there; a
// figure the snapshot cannot give is null. Frequencies in Hz, rates in
// bit/s, dB as numbers.

#include <string>

struct TLineAnalysis;

std::string AnalysisJson(const TLineAnalysis &AAnalysis);
