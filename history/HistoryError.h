#pragma once
// Failures of the history database, in the system's own words: a file that
// is no history database, one of a newer program, a capture that is not there.

#include "Exceptions.h"

class EHistoryError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};
