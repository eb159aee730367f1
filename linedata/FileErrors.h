#pragma once
// The file error messages, naming the full file name and the system's reason.

#include <string>

// The absolute, normalised form of AFilename; "" stays "".
std::string FullFileName(const std::string &AFilename);

// EFCreateError "Cannot create file "%s". %s"
[[noreturn]] void RaiseCreateError(const std::string &AFilename, int AErrno);
// EFOpenError "Cannot open file "%s". %s"
[[noreturn]] void RaiseOpenError(const std::string &AFilename, int AErrno);
// EWriteError "Stream write error"
[[noreturn]] void RaiseWriteError();
// EReadError "Stream read error"
[[noreturn]] void RaiseReadError();
