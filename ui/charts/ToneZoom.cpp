#include "ToneZoom.h"

#include <algorithm>

TToneSpan ZoomToneSpan(TToneSpan AView, double ACentre, double AFactor, TToneSpan AFull) {
  const double size = AView.Upper - AView.Lower;
  if (size <= 0 || AFactor <= 0)
    return AView;
  const double newSize = size * AFactor;
  if (newSize >= AFull.Upper - AFull.Lower)
    return AFull;
  // A step that would pass the narrowest view stops there.
  const double factor = std::max(newSize, std::min(size, MinZoomTones)) / size;
  return {ACentre - (ACentre - AView.Lower) * factor, ACentre + (AView.Upper - ACentre) * factor};
}
