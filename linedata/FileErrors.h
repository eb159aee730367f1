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

// Loading a snapshot file of an empty name does nothing, so a command that
// is to load one refuses it: "the snapshot file name is empty" for "", ""
// for any other name.
std::string SnapshotFileNameProblem(const std::string &AFilename);
