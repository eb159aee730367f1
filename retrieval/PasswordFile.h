#pragma once
// The router's password kept in a file of its own, for runs that have no
// terminal to type it into (a service, a timer).

#include <string>

#include "Exceptions.h"

// A password file that cannot be used, with the reason and, where the user
// can mend it, how.
class EPasswordFile : public ETonegraphError {
public:
  using ETonegraphError::ETonegraphError;
};

// The first line of AFilename, without its line end. Refuses, before reading
// a byte, a file that is not a regular file or that its group or others may
// read: a password readable by others is no longer a secret.
std::string ReadPasswordFile(const std::string &AFilename);

// A line from a file written on Windows keeps its CR; a password never ends
// in one.
void DropCarriageReturn(std::string &ALine);
