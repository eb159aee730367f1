#include "QtFileDialogs.h"

#include <QFileDialog>

namespace {

// A save dialog asks before overwriting and only accepts an existing folder;
// an open dialog only accepts an existing file.
void SetUpSave(QFileDialog &ADialog) {
  ADialog.setAcceptMode(QFileDialog::AcceptSave);
  ADialog.setFileMode(QFileDialog::AnyFile);
  ADialog.setOption(QFileDialog::DontConfirmOverwrite, false);
}

void SetUpOpen(QFileDialog &ADialog) {
  ADialog.setAcceptMode(QFileDialog::AcceptOpen);
  ADialog.setFileMode(QFileDialog::ExistingFile);
}

}  // namespace

std::optional<std::string> TQtFileDialogs::Run(QFileDialog &ADialog, TFileKind AKind) {
  if (ADialog.exec() != QDialog::Accepted || ADialog.selectedFiles().isEmpty())
    return std::nullopt;
  const QString chosen = ADialog.selectedFiles().constFirst();
  TRecentFolders::Remember(AKind, chosen);
  return chosen.toStdString();
}

std::optional<std::string> TQtFileDialogs::SaveStatisticsFileName(const std::string &AProposed) {
  QFileDialog dlgSaveStatistcs(FParent, QStringLiteral("Save statistics to file"));
  SetUpSave(dlgSaveStatistcs);
  dlgSaveStatistcs.setDefaultSuffix(QStringLiteral("draydata"));
  dlgSaveStatistcs.setNameFilters({QStringLiteral("DrayData file (*.draydata)"), QStringLiteral("All files (*.*)")});
  TRecentFolders::OpenIn(dlgSaveStatistcs, TFileKind::Statistics);
  dlgSaveStatistcs.selectFile(QString::fromStdString(AProposed));
  return Run(dlgSaveStatistcs, TFileKind::Statistics);
}

std::optional<std::string> TQtFileDialogs::OpenStatisticsFileName() {
  QFileDialog dlgLoadStatFromFile(FParent, QStringLiteral("Open statistics file"));
  SetUpOpen(dlgLoadStatFromFile);
  dlgLoadStatFromFile.setDefaultSuffix(QStringLiteral("draydata"));
  dlgLoadStatFromFile.setNameFilters({QStringLiteral("DrayData file (*.draydata)"), QStringLiteral("All files (*-*)")});
  TRecentFolders::OpenIn(dlgLoadStatFromFile, TFileKind::Statistics);
  return Run(dlgLoadStatFromFile, TFileKind::Statistics);
}

std::optional<std::string> TQtFileDialogs::OpenHistoryFileName() {
  QFileDialog dlgOpenHistory(FParent, QStringLiteral("Open history"));
  SetUpOpen(dlgOpenHistory);
  dlgOpenHistory.setNameFilters({QStringLiteral("History database (*.tgdb *.db *.sqlite)"), QStringLiteral("All files (*)")});
  TRecentFolders::OpenIn(dlgOpenHistory, TFileKind::History);
  return Run(dlgOpenHistory, TFileKind::History);
}

std::optional<std::string> TQtFileDialogs::SaveConfigurationFileName() {
  QFileDialog dlgSave(FParent, QStringLiteral("Save configuration file"));
  SetUpSave(dlgSave);
  dlgSave.setDefaultSuffix(QStringLiteral("conf"));
  dlgSave.setNameFilter(QStringLiteral("Configuration file (*.conf)"));
  TRecentFolders::OpenIn(dlgSave, TFileKind::Configuration);
  return Run(dlgSave, TFileKind::Configuration);
}

std::optional<std::string> TQtFileDialogs::OpenConfigurationFileName() {
  // No title of its own: the platform's default for opening a file.
  QFileDialog dlgOpen(FParent);
  SetUpOpen(dlgOpen);
  dlgOpen.setDefaultSuffix(QStringLiteral("conf"));
  dlgOpen.setNameFilter(QStringLiteral("Configuration file (*.conf)"));
  TRecentFolders::OpenIn(dlgOpen, TFileKind::Configuration);
  return Run(dlgOpen, TFileKind::Configuration);
}

std::optional<std::string> TQtFileDialogs::SaveExportFileName(const std::string &AProposed,
                                                              const std::vector<std::string> &AFilters) {
  QFileDialog dlgExport(FParent, QStringLiteral("Export"));
  SetUpSave(dlgExport);
  QStringList filters;
  for (const std::string &filter : AFilters)
    filters << QString::fromStdString(filter);
  dlgExport.setNameFilters(filters);
  TRecentFolders::OpenIn(dlgExport, TFileKind::Statistics);
  dlgExport.selectFile(QString::fromStdString(AProposed));
  return Run(dlgExport, TFileKind::Statistics);
}
