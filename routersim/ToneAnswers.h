#pragma once
// The per-tone answers of the simulated router, laid out as the router lays
// them out: "bin=" lines of eight tone groups, and the bins listing of four
// tones a line.

#include "LineModel.h"
#include "TextLines.h"

TTextLines HLogAnswer(const TLineModel &AModel);
TTextLines QLNAnswer(const TLineModel &AModel);
TTextLines SNRAnswer(const TLineModel &AModel);
TTextLines BinsAnswer(const TLineModel &AModel, TDirection ADirection);
