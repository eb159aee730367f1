// Configuration files: the exact bytes written, both versions read, refused
// signatures, files cut short or holding the wrong kind of value, and a save
// that replaces a file only once it is complete.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Configuration.h"
#include "FilerWriter.h"
#include "TestFiles.h"

namespace {

// Records every field in the order it was applied.
class TRecordingTarget : public IConfigurationTarget {
public:
  std::vector<std::string> Calls;
  void SetRouter(const std::string &AValue) override { Calls.push_back("Router=" + AValue); }
  void SetPort(int AValue) override { Calls.push_back("Port=" + std::to_string(AValue)); }
  void SetUser(const std::string &AValue) override { Calls.push_back("User=" + AValue); }
  void SetShowBins(bool AValue) override { Calls.push_back(std::string("ShowBins=") + (AValue ? "1" : "0")); }
  void SetSNRBug(bool AValue) override { Calls.push_back(std::string("SNRBug=") + (AValue ? "1" : "0")); }
  void SetRouterName(const std::string &AValue) override { Calls.push_back("RouterName=" + AValue); }
};

// Router 192.168.1.1, port 23, user admin, bins off, 512 bins on, DrayTek.
const std::string ExampleBytes = Bytes({0x06, 0x0A}) + "TONEGRAPH2" + Bytes({0x06, 0x0B}) + "192.168.1.1" +
                                 Bytes({0x02, 0x17, 0x06, 0x05}) + "admin" + Bytes({0x08, 0x09, 0x06, 0x07}) +
                                 "DrayTek";

const std::vector<std::string> ExampleCalls = {"Router=192.168.1.1", "Port=23",  "User=admin",
                                               "ShowBins=0",         "SNRBug=1", "RouterName=DrayTek"};

TConnectionSettings ExampleSettings() {
  TConnectionSettings Settings;
  Settings.Router = "192.168.1.1";
  Settings.User = "admin";
  return Settings;
}

class ConfigurationFile : public testing::Test {
protected:
  std::string Write(const std::string &AName, const std::string &ABytes) {
    WriteBytes(FFolder.Path(AName), ABytes);
    return FFolder.Path(AName);
  }

  TTempFolder FFolder;
};

TEST_F(ConfigurationFile, SaveWritesTheDocumentedBytes) {
  SaveConfiguration(FFolder.Path("example.conf"), ExampleSettings());
  EXPECT_EQ(ReadBytes(FFolder.Path("example.conf")), ExampleBytes);
}

TEST_F(ConfigurationFile, RoundTripKeepsEveryField) {
  TConnectionSettings Saved;
  Saved.Router = "vigor.example.net";
  Saved.Port = 8023;
  Saved.User = "Jos\u00E9";  // non-ASCII text takes the UTF-8 form
  Saved.ShowBins = true;
  Saved.SNRBug = false;
  Saved.RouterName = "";
  SaveConfiguration(FFolder.Path("roundtrip.conf"), Saved);
  TConnectionSettings Loaded;
  LoadConfiguration(FFolder.Path("roundtrip.conf"), Loaded);
  EXPECT_EQ(Loaded.Router, Saved.Router);
  EXPECT_EQ(Loaded.Port, 8023);
  EXPECT_EQ(Loaded.User, Saved.User);
  EXPECT_TRUE(Loaded.ShowBins);
  EXPECT_FALSE(Loaded.SNRBug);
  EXPECT_EQ(Loaded.RouterName, "");
}

TEST_F(ConfigurationFile, VersionOneFileLoadsAndIgnoresItsExtraInteger) {
  const std::string V1 = Bytes({0x06, 0x09}) + "TONEGRAPH" + Bytes({0x06, 0x08}) + "10.0.0.1" +
                         Bytes({0x03, 0x5F, 0x1F, 0x06, 0x04}) + "root" + Bytes({0x04, 0x40, 0xE2, 0x01, 0x00}) +
                         Bytes({0x09, 0x08, 0x06, 0x05}) + "Vigor";
  TRecordingTarget Target;
  LoadConfiguration(Write("v1.conf", V1), Target);
  const std::vector<std::string> Expected = {"Router=10.0.0.1", "Port=8031", "User=root",
                                             "ShowBins=1",      "SNRBug=0",  "RouterName=Vigor"};
  EXPECT_EQ(Target.Calls, Expected);
}

TEST_F(ConfigurationFile, SignatureMustMatchExactly) {
  const std::string Rest = ExampleBytes.substr(12);
  for (const std::string Signature : {"TONEGRAPH2X", "tonegraph2", "tonegraph", "TONEGRAPHDATA2", ""}) {
    TFilerWriter Writer;
    Writer.WriteString(Signature);
    TRecordingTarget Target;
    try {
      LoadConfiguration(Write("sig.conf", Writer.Bytes() + Rest), Target);
      ADD_FAILURE() << "accepted the signature '" << Signature << "'";
    } catch (const EInvalidConfiguration &AError) {
      EXPECT_STREQ(AError.what(), "Invalid configuration file");
    }
    EXPECT_TRUE(Target.Calls.empty()) << Signature;
  }
}

TEST_F(ConfigurationFile, FileThatIsNoConfigurationFailsWithReadError) {
  struct TCase {
    const char *Title;
    std::string Bytes;
    const char *Message;
  };
  const TCase Cases[] = {
      {"empty file", "", "Stream read error"},
      {"plain text", "Router=192.168.1.1\n", "Invalid property value"},
      {"integer first", Bytes({0x02, 0x17}), "Invalid property value"},
      {"signature cut short", Bytes({0x06, 0x0A}) + "TONEG", "Stream read error"},
  };
  for (const TCase &Case : Cases) {
    TRecordingTarget Target;
    try {
      LoadConfiguration(Write("bad.conf", Case.Bytes), Target);
      ADD_FAILURE() << Case.Title << ": no error";
    } catch (const EInvalidConfiguration &) {
      ADD_FAILURE() << Case.Title << ": reported as an invalid configuration file";
    } catch (const EReadError &AError) {
      EXPECT_STREQ(AError.what(), Case.Message) << Case.Title;
    }
    EXPECT_TRUE(Target.Calls.empty()) << Case.Title;
  }
}

TEST_F(ConfigurationFile, FileCutShortKeepsTheFieldsBeforeTheCut) {
  // Value boundaries of the example: 12 | 25 | 27 | 34 | 35 | 36 | 45.
  const struct {
    std::size_t Length;
    std::size_t Applied;
  } Cases[] = {{12, 0}, {20, 0}, {25, 1}, {26, 1}, {34, 3}, {35, 4}, {37, 5}, {44, 5}};
  for (const auto &Case : Cases) {
    TRecordingTarget Target;
    try {
      LoadConfiguration(Write("cut.conf", ExampleBytes.substr(0, Case.Length)), Target);
      ADD_FAILURE() << "cut at " << Case.Length << " loaded without error";
    } catch (const EReadError &AError) {
      EXPECT_STREQ(AError.what(), "Stream read error") << "cut at " << Case.Length;
    }
    const std::vector<std::string> Expected(ExampleCalls.begin(), ExampleCalls.begin() + Case.Applied);
    EXPECT_EQ(Target.Calls, Expected) << "cut at " << Case.Length;
  }
}

TEST_F(ConfigurationFile, WrongKindLaterKeepsEarlierFields) {
  std::string Damaged = ExampleBytes;
  Damaged[34] = '\x02';  // an integer tag where the bins option's boolean stands
  TRecordingTarget Target;
  try {
    LoadConfiguration(Write("kind.conf", Damaged), Target);
    ADD_FAILURE() << "a value of the wrong kind was accepted";
  } catch (const EReadError &AError) {
    EXPECT_STREQ(AError.what(), "Invalid property value");
  }
  EXPECT_EQ(Target.Calls, std::vector<std::string>(ExampleCalls.begin(), ExampleCalls.begin() + 3));
}

TEST_F(ConfigurationFile, ValuesAfterTheLastAreIgnored) {
  TRecordingTarget Target;
  LoadConfiguration(Write("trailing.conf", ExampleBytes + Bytes({0x06, 0x03}) + "abc" + Bytes({0xFF, 0xFF})), Target);
  EXPECT_EQ(Target.Calls, ExampleCalls);
}

TEST_F(ConfigurationFile, PortOutsideItsRangeIsBroughtIntoIt) {
  const struct {
    int Stored;
    int Applied;
  } Cases[] = {{0, 1}, {-23, 1}, {70000, 65535}, {65535, 65535}, {1, 1}};
  for (const auto &Case : Cases) {
    TConnectionSettings Settings = ExampleSettings();
    Settings.Port = Case.Stored;
    SaveConfiguration(FFolder.Path("port.conf"), Settings);
    TConnectionSettings Loaded;
    LoadConfiguration(FFolder.Path("port.conf"), Loaded);
    EXPECT_EQ(Loaded.Port, Case.Applied) << "stored " << Case.Stored;
  }
}

TEST_F(ConfigurationFile, MissingFileAndEmptyNameGiveOpenError) {
  for (const std::string &Name : {FFolder.Path("missing.conf"), std::string()}) {
    TRecordingTarget Target;
    try {
      LoadConfiguration(Name, Target);
      ADD_FAILURE() << "no error for '" << Name << "'";
    } catch (const EFOpenError &AError) {
      EXPECT_EQ(std::string(AError.what()), "Cannot open file \"" + Name + "\". No such file or directory");
    }
    EXPECT_TRUE(Target.Calls.empty());
  }
}

TEST_F(ConfigurationFile, SaveReplacesAnExistingFileWholeAndLeavesNoTemporaryFile) {
  const std::string Name = Write("existing.conf", std::string(500, 'x'));
  SaveConfiguration(Name, ExampleSettings());
  EXPECT_EQ(ReadBytes(Name), ExampleBytes);
  EXPECT_EQ(FFolder.Listing(), "existing.conf;");
}

TEST_F(ConfigurationFile, FailedSaveLeavesNothingBehind) {
  const std::string InMissingFolder = FFolder.Path("no such folder/settings.conf");
  try {
    SaveConfiguration(InMissingFolder, ExampleSettings());
    ADD_FAILURE() << "saving into a missing folder succeeded";
  } catch (const EFCreateError &AError) {
    EXPECT_EQ(std::string(AError.what()).rfind("Cannot create file \"", 0), 0u) << AError.what();
  }
  EXPECT_EQ(FFolder.Listing(), "");
  // A folder of the same name is never replaced by the file.
  std::filesystem::create_directory(FFolder.Path("taken.conf"));
  EXPECT_THROW(SaveConfiguration(FFolder.Path("taken.conf"), ExampleSettings()), EFCreateError);
  EXPECT_TRUE(std::filesystem::is_directory(FFolder.Path("taken.conf")));
  EXPECT_EQ(FFolder.Listing(), "taken.conf;");
}

// A full disk, made by a file size limit smaller than the file: the save fails
// with the system's message and the earlier file stays byte for byte.
TEST_F(ConfigurationFile, FullDiskKeepsTheEarlierFile) {
  const std::string Name = Write("keep.conf", ExampleBytes);
  TConnectionSettings Other = ExampleSettings();
  Other.Router = "10.11.12.13";
  const std::string Message = WriteErrorOnAFullDisk(16, [&] { SaveConfiguration(Name, Other); });
  EXPECT_EQ(Message, "Stream write error");
  EXPECT_EQ(ReadBytes(Name), ExampleBytes);
  EXPECT_EQ(FFolder.Listing(), "keep.conf;");
}

TEST_F(ConfigurationFile, ReadOnlyFolderKeepsTheEarlierFile) {
  const std::string Name = Write("keep.conf", ExampleBytes);
  TConnectionSettings Other = ExampleSettings();
  Other.Router = "10.11.12.13";
  const std::string Message = ErrorInAReadOnlyFolder(FFolder.Folder(), [&] { SaveConfiguration(Name, Other); });
  EXPECT_EQ(Message.rfind("Cannot create file \"", 0), 0u) << Message;
  EXPECT_NE(Message.find("Permission denied"), std::string::npos) << Message;
  EXPECT_EQ(ReadBytes(Name), ExampleBytes);
  EXPECT_EQ(FFolder.Listing(), "keep.conf;");
}

// Names outside ASCII are file names like any other, both ways.
TEST_F(ConfigurationFile, NameOutsideAsciiSavesAndLoads) {
  const std::string Name = FFolder.Path("Einstellungen \xC3\xA4\xE2\x82\xAC.conf");
  SaveConfiguration(Name, ExampleSettings());
  TConnectionSettings Loaded;
  LoadConfiguration(Name, Loaded);
  EXPECT_EQ(Loaded.Router, "192.168.1.1");
  EXPECT_EQ(ReadBytes(Name), ExampleBytes);
}

} // namespace
