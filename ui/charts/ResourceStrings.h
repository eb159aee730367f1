#pragma once
// Texts the user sees that may change between versions, kept in one table.

inline constexpr const char *rsTones = "Tones";
inline constexpr const char *rsBins = "Bins";
// One position on those axes, as the charts' tooltips name it.
inline constexpr const char *rsTone = "Tone";
inline constexpr const char *rsBin = "Bin";
inline constexpr const char *rsAllocatedBitsPerTone = "Allocated bits per tone";
inline constexpr const char *rsReaderThreadAlreadyRunning = "Reader thread already running";
inline constexpr const char *rsDataAlreadyLoaded = "Data already loaded";
inline constexpr const char *rsProfileLabel = "VDSL profile: %1";
inline constexpr const char *rsNoBinsData = "No bins data: retrieve with \"Include \"bins\" data\"";
inline constexpr const char *rsLoadedFromFile = "Loaded from file";
