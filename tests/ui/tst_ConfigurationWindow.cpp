// Configuration files from the window: the buttons, the switch "c" at
// start-up, and what each kind of file does to the fields.

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "FileDialogAnswers.h"
#include "InputPanel.h"
#include "UiTestSupport.h"
#include "UpDown.h"
#include "fmMain.h"

namespace {

// Version 1: router 192.168.1.9, port 8023, user root, an ignored integer,
// bins on, 512 bins off, router name Vigor.
const QByteArray VersionOne("\x06\x09TONEGRAPH"
                            "\x06\x0b"
                            "192.168.1.9"
                            "\x03\x57\x1f"
                            "\x06\x04root"
                            "\x02\x05"
                            "\x09\x08"
                            "\x06\x05Vigor",
                            45);

}  // namespace

class TConfigurationWindowTest : public QObject {
  Q_OBJECT

  TRecordingErrorDisplay FErrors;
  TRecordingTopicViewer FHelp;
  TFileDialogAnswers FDialogs;
  std::unique_ptr<TfrmMain> FForm;
  std::unique_ptr<QTemporaryDir> FDir;

  QString PathOf(const char *AName) const { return FDir->filePath(QString::fromLatin1(AName)); }
  TInputPanel &Panel() const { return *FForm->pnlInputs; }

  void NewForm(const QStringList &AArguments = {}) {
    FForm = std::make_unique<TfrmMain>(AArguments, TMainServices{&FErrors, &FHelp, &FDialogs});
  }
  void WriteBytes(const QString &APath, const QByteArray &ABytes) {
    QFile file(APath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(ABytes);
  }
  void ClickLoad(const QString &APath) {
    FDialogs.OpenConfiguration = {APath.toStdString()};
    FForm->UpdateActions();
    Panel().btnLoadConfiguration->click();
  }
  QStringList Fields() const {
    return {Panel().edRouter->text(),
            QString::number(Panel().udTelnetPort->Position()),
            Panel().edUser->text(),
            Panel().chkShowBins->isChecked() ? "bins" : "no bins",
            Panel().chkSNRBug->isChecked() ? "512" : "all",
            Panel().edRouterName->text()};
  }

private slots:
  void init() {
    FErrors = {};
    FDialogs = {};
    FDir = std::make_unique<QTemporaryDir>();
    QVERIFY(FDir->isValid());
    NewForm();
  }

  void cleanup() { FForm.reset(); }

  void SavedFieldsComeBackButNeverThePassword() {
    Panel().edRouter->setText(QStringLiteral("vigor.example"));
    Panel().udTelnetPort->SetPosition(2323);
    Panel().edUser->setText(QStringLiteral("admin"));
    Panel().edPassword->setText(QStringLiteral("s3cretPW"));
    Panel().chkShowBins->setChecked(true);
    Panel().chkSNRBug->setChecked(false);
    Panel().edRouterName->setText(QStringLiteral("Vigor2862"));
    const QStringList saved = Fields();
    FDialogs.SaveConfiguration = {PathOf("a.conf").toStdString()};
    FForm->UpdateActions();
    Panel().btnSaveCfg->click();
    QFile file(PathOf("a.conf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("s3cretPW"));

    NewForm();
    Panel().edPassword->setText(QStringLiteral("typed"));
    ClickLoad(PathOf("a.conf"));
    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
    QCOMPARE(Fields(), saved);
    QCOMPARE(Panel().edRouterPort->text().remove(QRegularExpression(QStringLiteral("\\D"))), QStringLiteral("2323"));
    QCOMPARE(Panel().edPassword->text(), QStringLiteral("typed"));
  }

  void FilesOfEachKind_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("reported");
    const QStringList untouched{"", "23", "", "no bins", "512", "DrayTek"};
    QTest::newRow("version 1") << VersionOne << QStringList{"192.168.1.9", "8023", "root", "bins", "all", "Vigor"}
                               << "" << false;
    QTest::newRow("cut short after the router")
        << QByteArray("\x06\x0aTONEGRAPH2\x06\x03r.x", 17) << QStringList{"r.x", "23", "", "no bins", "512", "DrayTek"}
        << "" << true;
    QTest::newRow("lower-case signature") << QByteArray("\x06\x0atonegraph2\x06\x03r.x", 17) << untouched
                                          << "Invalid configuration file" << false;
    QTest::newRow("signature one too long") << QByteArray("\x06\x0bTONEGRAPH22\x06\x03r.x", 18) << untouched
                                            << "Invalid configuration file" << false;
    QTest::newRow("no string first") << QByteArray("\x02\x17", 2) << untouched << "" << true;
  }

  void FilesOfEachKind() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    QFETCH(bool, reported);
    WriteBytes(PathOf("x.conf"), bytes);
    ClickLoad(PathOf("x.conf"));
    QCOMPARE(Fields(), fields);
    QCOMPARE(FErrors.Messages.empty() ? QString() : QString::fromStdString(FErrors.Messages.front()), message);
    QCOMPARE(!FErrors.Reports.empty(), reported);
  }

  void SwitchLoadsAtStartUp_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("router");
    QTest::addColumn<int>("reports");
    QTest::newRow("-c name") << QStringList{"-c", "@v1"} << "192.168.1.9" << 0;
    QTest::newRow("-C:name") << QStringList{"-C:@v1"} << "192.168.1.9" << 0;
    QTest::newRow("-c absolute path") << QStringList{"-c", "@abs"} << "192.168.1.9" << 0;
    QTest::newRow("-c:absolute path") << QStringList{"-c:@abs"} << "192.168.1.9" << 0;
    QTest::newRow("-c without a name") << QStringList{"-c"} << "" << 1;
    QTest::newRow("missing file") << QStringList{"-c", "@none"} << "" << 1;
  }

  // "@v1" and "@none" stand for a version 1 file and a name with no file,
  // both relative; "@abs" for the version 1 file by its absolute path, which
  // begins with "/" and is still the switch's value.
  void SwitchLoadsAtStartUp() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, router);
    QFETCH(int, reports);
    WriteBytes(PathOf("v1.conf"), VersionOne);
    arguments.replaceInStrings(QStringLiteral("@abs"), FDir->path() + QStringLiteral("/v1.conf"));
    arguments.replaceInStrings(QStringLiteral("@v1"), QStringLiteral("v1.conf"));
    arguments.replaceInStrings(QStringLiteral("@none"), QStringLiteral("none.conf"));
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(FDir->path()));
    FForm.reset();
    NewForm(arguments);
    QDir::setCurrent(previous);
    QCOMPARE(Panel().edRouter->text(), router);
    QCOMPARE(int(FErrors.Reports.size()), reports);
    QVERIFY(FErrors.Messages.empty());
  }

  void WrongSignatureAtStartUpShowsTheWindowsOwnMessage() {
    WriteBytes(PathOf("w.conf"), QByteArray("\x06\x05Hello", 7));
    FForm.reset();
    NewForm({"-c:" + PathOf("w.conf")});
    QCOMPARE(FErrors.Messages, std::vector<std::string>{"Invalid configuration file"});
    QVERIFY(FErrors.Reports.empty());
  }

  void CancelledDialogsChangeNothing() {
    Panel().edRouter->setText(QStringLiteral("kept"));
    FForm->UpdateActions();
    Panel().btnLoadConfiguration->click();
    Panel().btnSaveCfg->click();
    QCOMPARE(Panel().edRouter->text(), QStringLiteral("kept"));
    QVERIFY(QDir(FDir->path()).isEmpty());
    QVERIFY(FErrors.Messages.empty() && FErrors.Reports.empty());
  }
};

QTEST_MAIN(TConfigurationWindowTest)
#include "tst_ConfigurationWindow.moc"
