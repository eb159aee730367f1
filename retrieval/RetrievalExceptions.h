#pragma once
// Failures of the retrieval layer, in the system's own words.

#include "Exceptions.h"

// The Telnet connection could not be opened: "A Host is required",
// "A Port is required", or the operating system's socket error text.
class ETelnetError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};

// The reader's own logon failures; Execute turns them into its error flag.
class EDrayTelnetReader : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};
