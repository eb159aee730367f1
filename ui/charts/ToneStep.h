#pragma once
// The step between tone labels for the part of the axis that is in view.

// ABaseStep: the step set for the chart (the profile's 64, 128 or 256; 16 or
// 32 on the per-bin charts). AVisible: how many tones the axis shows now.
//
// The full view, and any view with at least MinToneLabels labels at the base
// step, keeps the base step exactly. A zoom that would leave fewer labels
// halves the step (256, 128, ... 1: round numbers of tones, like the
// profiles' own steps) until MinToneLabels fit, but never goes below 1. A view
// wider than MaxToneLabels base steps takes a whole multiple of the base step so
// that the labels do not overlap.
double VisibleToneStep(double ABaseStep, double AVisible);

inline constexpr int MinToneLabels = 8;
inline constexpr int MaxToneLabels = 48;
