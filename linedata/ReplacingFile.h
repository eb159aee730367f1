#pragma once
// Writing a file without ever destroying the one it replaces: the bytes go to
// a new file in the same folder, which is renamed over the target only in
// Commit, after everything is written and flushed. Until then (and whenever
// anything fails) the old file stays as it was and the new one is removed.
// A target that exists and is no regular file (a pipe, a terminal, a device)
// cannot be replaced that way and is written directly.
//
//   TReplacingFile File(AFilename);        // "Cannot create file "%s". %s"
//   TFilerWriter Writer(File.Handle());
//   ... Writer.Write...(...);
//   Writer.Flush();                        // "Stream write error"
//   File.Commit();
//
// Every file the program writes goes this way: snapshot and configuration
// files, CSV, JSON and pictures, from the command line and the window alike.

#include <string>
#include <string_view>

class TReplacingFile {
public:
  explicit TReplacingFile(std::string AFilename);
  ~TReplacingFile();
  TReplacingFile(const TReplacingFile &) = delete;
  TReplacingFile &operator=(const TReplacingFile &) = delete;

  int Handle() const { return FHandle; }
  const std::string &TempName() const { return FTempName; }
  // Syncs and closes the new file and renames it over the target.
  void Commit();

private:
  void OpenDirect();
  void Discard();

  std::string FFilename;
  std::string FTarget;
  std::string FTempName;
  int FHandle = -1;
  bool FDirect = false;
};

// Writes all of ABytes to AHandle: "Stream write error" when it cannot.
void WriteAll(int AHandle, std::string_view ABytes);

// ABytes as the whole of the file AFilename: "Stream write error" when not
// all of them could be written, the old file left as it was.
void ReplaceFileWith(const std::string &AFilename, std::string_view ABytes);

