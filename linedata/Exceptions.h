#pragma once
// One error vocabulary for the libraries: every failure is an exception whose
// message is the system's own text, shown unchanged by the front ends.

#include <stdexcept>
#include <string>

class ETonegraphError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Unrecognised profile text, bad snapshot files.
class EDrayDataError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};

// "'%s' is not a valid integer value"
class EConvertError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};

// "Cannot create file "%s". %s"
class EFCreateError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};

// "Cannot open file "%s". %s"
class EFOpenError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};

// "Stream read error", "Invalid property value"
class EReadError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};

// "Stream write error"
class EWriteError : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};
