#pragma once
// The tone range after one zoom step around a tone, as the mouse wheel does.

struct TToneSpan {
  double Lower = 0;
  double Upper = 0;
  bool operator==(const TToneSpan &) const = default;
};

// AFactor below 1 zooms in, above 1 out; ACentre stays where it was on the
// axis. A zoom in stops at MinZoomTones; a zoom out that would show more
// than AFull gives AFull itself, the full view.
TToneSpan ZoomToneSpan(TToneSpan AView, double ACentre, double AFactor, TToneSpan AFull);

inline constexpr double MinZoomTones = 8;
