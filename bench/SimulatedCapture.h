#pragma once
// A retrieval of the simulated router's 35B line with bins, made from its
// answers without a socket, as the history benchmarks store it.

#include "DrayData.h"
#include "LineSetup.h"

void FillSimulatedCapture(TDrayData &AData, const TLineSetup &ALine);
