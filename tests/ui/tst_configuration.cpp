// Configuration files: the exact bytes written, both versions read, refused
// signatures, files cut short or holding the wrong kind of value, and a save
// that replaces a file only once it is complete.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

#include "Configuration.h"
#include "FilerWriter.h"

using namespace std::string_literals;

namespace {

// Records every field in the order it was applied.
class TRecordingTarget : public IConfigurationTarget {
public:
  std::vector<std::string> Calls;
  void SetRouter(const std::string &AValue) override { Calls.push_back("Router=" + AValue); }
  void SetPort(int AValue) override { Calls.push_back("Port=" + std::to_string(AValue)); }
  void SetUser(const std::string &AValue) override { Calls.push_back("User=" + AValue); }
  void SetShowBins(bool AValue) override { Calls.push_back("ShowBins="s + (AValue ? "1" : "0")); }
  void SetSNRBug(bool AValue) override { Calls.push_back("SNRBug="s + (AValue ? "1" : "0")); }
  void SetRouterName(const std::string &AValue) override { Calls.push_back("RouterName=" + AValue); }
};

// Router 192.168.1.1, port 23, user admin, bins off, 512 bins on, DrayTek.
const std::string ExampleBytes = "\x06\x0A"s + "TONEGRAPH2" + "\x06\x0B" + "192.168.1.1" + "\x02\x17" +
                                 "\x06\x05" + "admin" + "\x08" + "\x09" + "\x06\x07" + "DrayTek";

const std::vector<std::string> ExampleCalls = {"Router=192.168.1.1", "Port=23",  "User=admin",
                                               "ShowBins=0",         "SNRBug=1", "RouterName=DrayTek"};

TConnectionSettings ExampleSettings() {
  TConnectionSettings settings;
  settings.Router = "192.168.1.1";
  settings.Port = 23;
  settings.User = "admin";
  settings.ShowBins = false;
  settings.SNRBug = true;
  settings.RouterName = "DrayTek";
  return settings;
}

QByteArray Bytes(const std::string &AText) { return QByteArray(AText.data(), qsizetype(AText.size())); }

} // namespace

Q_DECLARE_METATYPE(std::string)

class TConfigurationTest : public QObject {
  Q_OBJECT

private slots:
  void init();
  void SaveWritesTheDocumentedBytes();
  void RoundTripKeepsEveryField();
  void VersionOneFileLoads();
  void SignatureMustMatchExactly_data();
  void SignatureMustMatchExactly();
  void FileThatIsNoConfigurationFailsWithReadError_data();
  void FileThatIsNoConfigurationFailsWithReadError();
  void FileCutShortKeepsTheFieldsBeforeTheCut_data();
  void FileCutShortKeepsTheFieldsBeforeTheCut();
  void WrongKindLaterKeepsEarlierFields();
  void ValuesAfterTheLastAreIgnored();
  void PortOutsideItsRangeIsBroughtIntoIt_data();
  void PortOutsideItsRangeIsBroughtIntoIt();
  void MissingFileAndEmptyNameGiveOpenError();
  void SaveReplacesAnExistingFileWholeAndLeavesNoTemporaryFile();
  void FailedSaveLeavesNothingBehind();

private:
  QString Path(const QString &AName) const { return FDir.filePath(AName); }
  std::string Write(const QString &AName, const std::string &ABytes);

  QTemporaryDir FDir;
};

void TConfigurationTest::init() { QVERIFY(FDir.isValid()); }

std::string TConfigurationTest::Write(const QString &AName, const std::string &ABytes) {
  QFile file(Path(AName));
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
    qFatal("cannot write test file");
  file.write(Bytes(ABytes));
  return Path(AName).toStdString();
}

void TConfigurationTest::SaveWritesTheDocumentedBytes() {
  const std::string name = Path("example.conf").toStdString();
  SaveConfiguration(name, ExampleSettings());
  QFile file(Path("example.conf"));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), Bytes(ExampleBytes));
}

void TConfigurationTest::RoundTripKeepsEveryField() {
  TConnectionSettings saved;
  saved.Router = "vigor.example.net";
  saved.Port = 8023;
  saved.User = "Jos\u00E9";  // non-ASCII text takes the UTF-8 form
  saved.ShowBins = true;
  saved.SNRBug = false;
  saved.RouterName = "";
  const std::string name = Path("roundtrip.conf").toStdString();
  SaveConfiguration(name, saved);
  TConnectionSettings loaded;
  LoadConfiguration(name, loaded);
  QCOMPARE(loaded.Router, saved.Router);
  QCOMPARE(loaded.Port, 8023);
  QCOMPARE(loaded.User, saved.User);
  QCOMPARE(loaded.ShowBins, true);
  QCOMPARE(loaded.SNRBug, false);
  QCOMPARE(loaded.RouterName, std::string());
}

void TConfigurationTest::VersionOneFileLoads() {
  const std::string v1 = "\x06\x09"s + "TONEGRAPH" + "\x06\x08" + "10.0.0.1" + "\x03\x5F\x1F" + "\x06\x04" +
                         "root" + "\x04\x40\xE2\x01\x00"s /* ignored */ + "\x09" + "\x08" + "\x06\x05" + "Vigor";
  TRecordingTarget target;
  LoadConfiguration(Write("v1.conf", v1), target);
  const std::vector<std::string> expected = {"Router=10.0.0.1", "Port=8031", "User=root",
                                             "ShowBins=1",      "SNRBug=0",  "RouterName=Vigor"};
  QCOMPARE(target.Calls, expected);
}

void TConfigurationTest::SignatureMustMatchExactly_data() {
  QTest::addColumn<std::string>("signature");
  QTest::newRow("one character more") << "TONEGRAPH2X"s;
  QTest::newRow("version 2 in small letters") << "tonegraph2"s;
  QTest::newRow("version 1 in small letters") << "tonegraph"s;
  QTest::newRow("snapshot file") << "TONEGRAPHDATA2"s;
  QTest::newRow("empty") << ""s;
}

void TConfigurationTest::SignatureMustMatchExactly() {
  QFETCH(std::string, signature);
  TFilerWriter writer;
  writer.WriteString(signature);
  const std::string rest = ExampleBytes.substr(12);
  TRecordingTarget target;
  try {
    LoadConfiguration(Write("sig.conf", writer.Bytes() + rest), target);
    QFAIL("a wrong signature was accepted");
  } catch (const EInvalidConfiguration &error) {
    QCOMPARE(std::string(error.what()), "Invalid configuration file"s);
  }
  QVERIFY(target.Calls.empty());
}

void TConfigurationTest::FileThatIsNoConfigurationFailsWithReadError_data() {
  QTest::addColumn<std::string>("bytes");
  QTest::addColumn<QString>("message");
  QTest::newRow("empty file") << ""s << "Stream read error";
  QTest::newRow("plain text") << "Router=192.168.1.1\n"s << "Invalid property value";
  QTest::newRow("integer first") << "\x02\x17"s << "Invalid property value";
  QTest::newRow("signature cut short") << "\x06\x0ATONEG"s << "Stream read error";
}

void TConfigurationTest::FileThatIsNoConfigurationFailsWithReadError() {
  QFETCH(std::string, bytes);
  QFETCH(QString, message);
  TRecordingTarget target;
  try {
    LoadConfiguration(Write("bad.conf", bytes), target);
    QFAIL("no error");
  } catch (const EInvalidConfiguration &) {
    QFAIL("reported as an invalid configuration file");
  } catch (const EReadError &error) {
    QCOMPARE(QString(error.what()), message);
  }
  QVERIFY(target.Calls.empty());
}

void TConfigurationTest::FileCutShortKeepsTheFieldsBeforeTheCut_data() {
  QTest::addColumn<int>("length");
  QTest::addColumn<int>("applied");
  // Value boundaries of the example: 12 | 25 | 27 | 34 | 35 | 36 | 45.
  QTest::newRow("only the signature") << 12 << 0;
  QTest::newRow("inside the address") << 20 << 0;
  QTest::newRow("signature and address") << 25 << 1;
  QTest::newRow("port tag without its byte") << 26 << 1;
  QTest::newRow("up to the user") << 34 << 3;
  QTest::newRow("up to the bins option") << 35 << 4;
  QTest::newRow("router name length only") << 37 << 5;
  QTest::newRow("inside the router name") << 44 << 5;
}

void TConfigurationTest::FileCutShortKeepsTheFieldsBeforeTheCut() {
  QFETCH(int, length);
  QFETCH(int, applied);
  TRecordingTarget target;
  try {
    LoadConfiguration(Write("cut.conf", ExampleBytes.substr(0, std::size_t(length))), target);
    QFAIL("a file cut short loaded without error");
  } catch (const EReadError &error) {
    QCOMPARE(std::string(error.what()), "Stream read error"s);
  }
  const std::vector<std::string> expected(ExampleCalls.begin(), ExampleCalls.begin() + applied);
  QCOMPARE(target.Calls, expected);
}

void TConfigurationTest::WrongKindLaterKeepsEarlierFields() {
  std::string bytes = ExampleBytes;
  bytes[34] = '\x02';  // an integer tag where the bins option's boolean stands
  TRecordingTarget target;
  try {
    LoadConfiguration(Write("kind.conf", bytes), target);
    QFAIL("a value of the wrong kind was accepted");
  } catch (const EReadError &error) {
    QCOMPARE(std::string(error.what()), "Invalid property value"s);
  }
  const std::vector<std::string> expected(ExampleCalls.begin(), ExampleCalls.begin() + 3);
  QCOMPARE(target.Calls, expected);
}

void TConfigurationTest::ValuesAfterTheLastAreIgnored() {
  TRecordingTarget target;
  LoadConfiguration(Write("trailing.conf", ExampleBytes + "\x06\x03" + "abc" + "\xFF\xFF garbage"), target);
  QCOMPARE(target.Calls, ExampleCalls);
}

void TConfigurationTest::PortOutsideItsRangeIsBroughtIntoIt_data() {
  QTest::addColumn<int>("stored");
  QTest::addColumn<int>("applied");
  QTest::newRow("0") << 0 << 1;
  QTest::newRow("negative") << -23 << 1;
  QTest::newRow("above 65535") << 70000 << 65535;
  QTest::newRow("65535") << 65535 << 65535;
  QTest::newRow("1") << 1 << 1;
}

void TConfigurationTest::PortOutsideItsRangeIsBroughtIntoIt() {
  QFETCH(int, stored);
  QFETCH(int, applied);
  TConnectionSettings settings = ExampleSettings();
  settings.Port = stored;
  const std::string name = Path("port.conf").toStdString();
  SaveConfiguration(name, settings);
  TConnectionSettings loaded;
  LoadConfiguration(name, loaded);
  QCOMPARE(loaded.Port, applied);
}

void TConfigurationTest::MissingFileAndEmptyNameGiveOpenError() {
  for (const std::string &name : {Path("missing.conf").toStdString(), ""s}) {
    TRecordingTarget target;
    try {
      LoadConfiguration(name, target);
      QFAIL("no error");
    } catch (const EFOpenError &error) {
      QVERIFY(std::string(error.what()).starts_with("Cannot open file \""));
    }
    QVERIFY(target.Calls.empty());
  }
}

void TConfigurationTest::SaveReplacesAnExistingFileWholeAndLeavesNoTemporaryFile() {
  QVERIFY(QDir(FDir.path()).mkdir("replace"));
  const std::string name = Write("replace/existing.conf", std::string(500, 'x'));
  SaveConfiguration(name, ExampleSettings());
  QFile file(QString::fromStdString(name));
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), Bytes(ExampleBytes));
  QCOMPARE(QDir(Path("replace")).entryList(QDir::Files | QDir::Hidden), QStringList{"existing.conf"});
}

void TConfigurationTest::FailedSaveLeavesNothingBehind() {
  const std::string inMissingFolder = Path("no such folder/settings.conf").toStdString();
  try {
    SaveConfiguration(inMissingFolder, ExampleSettings());
    QFAIL("saving into a missing folder succeeded");
  } catch (const EFCreateError &error) {
    QVERIFY(std::string(error.what()).starts_with("Cannot create file \""));
  }
  QVERIFY(!QFile::exists(QString::fromStdString(inMissingFolder)));
  // A folder of the same name is never replaced by the file.
  QVERIFY(QDir(FDir.path()).mkdir("taken.conf"));
  QVERIFY_THROWS_EXCEPTION(EFCreateError, SaveConfiguration(Path("taken.conf").toStdString(), ExampleSettings()));
  QVERIFY(QFileInfo(Path("taken.conf")).isDir());
}

QTEST_GUILESS_MAIN(TConfigurationTest)
#include "tst_configuration.moc"
