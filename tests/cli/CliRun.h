#pragma once
// tonegraph-cli run as a separate process, as a user runs it from a shell.

#include <string>

struct TCliRun {
  int Status = -1;  // the exit status; -1 when it did not exit normally
  std::string Out;
  std::string Err;
  long MaxRssKb = 0; // the largest resident size it reached (RunCliWatched)
};

// AArgs are appended to the program's path as they are, so quote what needs
// it (Quoted). Standard input comes from AStdinFile.
TCliRun RunCli(const std::string &AArgs, const std::string &AStdinFile = "/dev/null");

std::string Quoted(const std::string &AText);

// The same on a full disk, made by a file size limit of ABlocks blocks of
// 512 bytes on every file it writes. SIGXFSZ is left as the shell has it: the
// program itself must turn a write past the limit into a failure.
TCliRun RunCliOnAFullDisk(const std::string &AArgs, unsigned ABlocks);

// The same, killed when it has not ended after ADeadlineMs (Status stays -1),
// with its peak memory noted.
TCliRun RunCliWatched(const std::string &AArgs, const std::string &AStdinFile, int ADeadlineMs);
