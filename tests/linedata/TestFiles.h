#pragma once
// Helpers for tests that need files: a private folder removed afterwards,
// and reading or writing a file's bytes.

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

class TTempFolder {
public:
  TTempFolder();
  ~TTempFolder();
  TTempFolder(const TTempFolder &) = delete;
  TTempFolder &operator=(const TTempFolder &) = delete;

  std::string Path(const std::string &AName) const { return (FPath / AName).string(); }
  const std::filesystem::path &Folder() const { return FPath; }
  // Names of the files in the folder, sorted.
  std::string Listing() const;

private:
  std::filesystem::path FPath;
};

std::string ReadBytes(const std::string &AFilename);
void WriteBytes(const std::string &AFilename, const std::string &ABytes);
std::string FixturePath(const std::string &AName);

// A full disk, made by a file size limit of ALimit bytes while AWrite runs:
// the message of the error it raised, "" when it raised none.
std::string WriteErrorOnAFullDisk(std::size_t ALimit, const std::function<void()> &AWrite);

// A folder nobody may write into, while AWrite runs in a child process under
// an unprivileged user (root writes anywhere): the message of the error it
// raised, "" when it raised none.
std::string ErrorInAReadOnlyFolder(const std::filesystem::path &AFolder, const std::function<void()> &AWrite);
// The same for any work: what ARun returned, or the message of the error it
// raised.
std::string InAReadOnlyFolder(const std::filesystem::path &AFolder, const std::function<std::string()> &ARun);
// The same on a read-only mount of AFolder, which root cannot write either;
// nullopt where no private mount can be had (no CAP_SYS_ADMIN).
std::optional<std::string> OnReadOnlyMedia(const std::filesystem::path &AFolder,
                                           const std::function<std::string()> &ARun);

// A byte string from numbers: Bytes({0x06, 0x0E}).
inline std::string Bytes(std::initializer_list<int> AValues) {
  std::string Out;
  for (const int V : AValues)
    Out += static_cast<char>(V);
  return Out;
}
