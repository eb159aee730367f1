#pragma once
// A snapshot as a retrieval of the simulated router would fill it, made from
// its answers without a socket: status text, HLog, QLN, SNR and, when asked,
// both bins listings.

#include <string>

#include "DrayData.h"
#include "LineSetup.h"

void FillFromSimulatedRouter(TDrayData &AData, TVDSLProfile AProfile, bool ABins, const TLineSetup &ALine = DemoLine());
