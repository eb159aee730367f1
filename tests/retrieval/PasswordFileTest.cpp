// The password file of retrieve and watch: its first line, and a clear
// refusal of anything that is not a private regular file.
#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

#include "PasswordFile.h"
#include "TestFiles.h"

namespace {

struct TPasswordFileCase {
  const char *Name;
  const char *Bytes;
  std::filesystem::perms Mode;
  const char *Password; // what is read, or nullptr when refused
  const char *ShownMode; // in the refusal
};

constexpr auto Private = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
constexpr auto GroupReads = Private | std::filesystem::perms::group_read;
constexpr auto OthersRead = Private | std::filesystem::perms::others_read;

class PasswordFile : public testing::TestWithParam<TPasswordFileCase> {};

TEST_P(PasswordFile, ReadsTheFirstLineOfAPrivateFileOnly) {
  TTempFolder Folder;
  const std::string File = Folder.Path("router.password");
  WriteBytes(File, GetParam().Bytes);
  std::filesystem::permissions(File, GetParam().Mode);
  if (GetParam().Password) {
    EXPECT_EQ(ReadPasswordFile(File), GetParam().Password);
    return;
  }
  try {
    ReadPasswordFile(File);
    FAIL() << "read a file others may read";
  } catch (const EPasswordFile &AError) {
    EXPECT_EQ(std::string(AError.what()),
              "Refused: the password file may be read by others than its owner (mode " +
                  std::string(GetParam().ShownMode) +
                  "); make it private with \"chmod 600 " + File + "\"");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordFile,
    testing::Values(TPasswordFileCase{"FirstLine", "s3cret\nsecond line\n", Private, "s3cret", ""},
                    TPasswordFileCase{"NoLineEnd", "s3cret", Private, "s3cret", ""},
                    TPasswordFileCase{"WindowsLineEnd", "s3cret\r\n", Private, "s3cret", ""},
                    TPasswordFileCase{"SpacesKept", " pass word \n", Private, " pass word ", ""},
                    TPasswordFileCase{"Empty", "", Private, "", ""},
                    TPasswordFileCase{"OwnerReadOnly", "s3cret\n", std::filesystem::perms::owner_read, "s3cret", ""},
                    TPasswordFileCase{"GroupMayRead", "s3cret\n", GroupReads, nullptr, "0640"},
                    TPasswordFileCase{"OthersMayRead", "s3cret\n", OthersRead, nullptr, "0604"}),
    [](const testing::TestParamInfo<TPasswordFileCase> &AInfo) { return std::string(AInfo.param.Name); });

std::string RefusalOf(const std::string &AFilename) {
  try {
    ReadPasswordFile(AFilename);
  } catch (const EPasswordFile &AError) {
    return AError.what();
  }
  return "";
}

TEST(PasswordFileRefusal, WhatIsNoPrivateRegularFileIsRefusedWithWhy) {
  TTempFolder Folder;
  std::filesystem::create_directory(Folder.Path("folder"));
  ASSERT_EQ(mkfifo(Folder.Path("pipe").c_str(), 0600), 0);
  WriteBytes(Folder.Path("long"), std::string(4097, 'x'));
  std::filesystem::permissions(Folder.Path("long"), Private);
  const struct {
    std::string File;
    std::string Message;
  } Cases[] = {
      {Folder.Path("missing"), "Cannot read the password file: No such file or directory"},
      {Folder.Path("folder"), "The password file is not a regular file"},
      {Folder.Path("pipe"), "The password file is not a regular file"},
      {Folder.Path("long"), "The password file's first line is longer than 4096 bytes"},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(RefusalOf(Case.File), Case.Message) << Case.File;
}

} // namespace
