#pragma once
// The free-text answers of the simulated router: status, band information,
// counters, annex and inventory, laid out as a Vigor lays them out.

#include "LineModel.h"
#include "TextLines.h"

TTextLines BandInfoAnswer(const TLineModel &AModel);
TTextLines StatusAnswer(const TLineModel &AModel);
TTextLines StatusMoreAnswer();
TTextLines StatusOlrAnswer();
TTextLines StatusCountsAnswer();
TTextLines AnnexAnswer();
TTextLines InventoryAnswer(bool ACentralOffice, bool AWithByte255);
TTextLines InvalidCommandAnswer();
