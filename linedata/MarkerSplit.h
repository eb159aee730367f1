#pragma once
// Splitting a whole HLog, QLN or SNR answer into its upstream and downstream
// raw lines by the marker lines that head each direction.

#include <cstddef>
#include <string_view>

#include "TextLines.h"

// Index of the first line equal to AMarker without regard to letter case,
// blanks counting; -1 when there is none.
std::ptrdiff_t FindMarkerLine(const TTextLines &ALines, std::string_view AMarker);

// Appends ALines[AFirst..ALast] (both included, clipped to the list) to ADest.
void AppendLineRange(const TTextLines &ALines, std::ptrdiff_t AFirst, std::ptrdiff_t ALast,
                     TTextLines &ADest);

// The router prints one more line between the upstream values and the
// downstream marker, and the answer ends with the prompt: neither is data.
void SplitAtMarkers(const TTextLines &AData, std::string_view AUSMarker, std::string_view ADSMarker,
                    TTextLines &AUS, TTextLines &ADS);
