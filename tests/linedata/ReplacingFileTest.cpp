// Writing a whole file or nothing: the bytes a caller hands over replace the
// old file only when all of them are written.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ReplacingFile.h"
#include "TestFiles.h"

namespace {

const std::string OldBytes = "the earlier file\r\n";

std::string Large() { return std::string(64 * 1024, 'x'); }

TEST(ReplaceFileWith, ReplacesAnExistingFileWhole) {
  TTempFolder Folder;
  const std::string Target = Folder.Path("out.csv");
  WriteBytes(Target, std::string(100000, 'o'));
  ReplaceFileWith(Target, "a,b\r\n");
  EXPECT_EQ(ReadBytes(Target), "a,b\r\n");
  EXPECT_EQ(Folder.Listing(), "out.csv;");
}

// A write that stops half-way (the file size limit stands for a full disk)
// leaves the earlier file byte for byte and no new file beside it.
TEST(ReplaceFileWith, AWriteFailingHalfWayKeepsTheEarlierFile) {
  TTempFolder Folder;
  const std::string Target = Folder.Path("out.json");
  WriteBytes(Target, OldBytes);
  const std::string Message = WriteErrorOnAFullDisk(4096, [&] { ReplaceFileWith(Target, Large()); });
  EXPECT_EQ(Message, "Stream write error");
  EXPECT_EQ(ReadBytes(Target), OldBytes);
  EXPECT_EQ(Folder.Listing(), "out.json;");
}

} // namespace
