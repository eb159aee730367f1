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

std::optional<std::string> TQtFileDialogs::Run(QFileDialog &ADialog) {
  if (ADialog.exec() != QDialog::Accepted || ADialog.selectedFiles().isEmpty())
    return std::nullopt;
  return ADialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> TQtFileDialogs::SaveStatisticsFileName(const std::string &AProposed) {
  QFileDialog dlgSaveStatistcs(FParent, QStringLiteral("Save statistics to file"));
  SetUpSave(dlgSaveStatistcs);
  dlgSaveStatistcs.setDefaultSuffix(QStringLiteral("draydata"));
  dlgSaveStatistcs.setNameFilters({QStringLiteral("DrayData file (*.draydata)"), QStringLiteral("All files (*.*)")});
  dlgSaveStatistcs.selectFile(QString::fromStdString(AProposed));
  return Run(dlgSaveStatistcs);
}

std::optional<std::string> TQtFileDialogs::OpenStatisticsFileName() {
  QFileDialog dlgLoadStatFromFile(FParent, QStringLiteral("Open statistics file"));
  SetUpOpen(dlgLoadStatFromFile);
  dlgLoadStatFromFile.setDefaultSuffix(QStringLiteral("draydata"));
  dlgLoadStatFromFile.setNameFilters({QStringLiteral("DrayData file (*.draydata)"), QStringLiteral("All files (*-*)")});
  return Run(dlgLoadStatFromFile);
}

std::optional<std::string> TQtFileDialogs::SaveConfigurationFileName() {
  QFileDialog dlgSave(FParent, QStringLiteral("Save configuration file"));
  SetUpSave(dlgSave);
  dlgSave.setDefaultSuffix(QStringLiteral("conf"));
  dlgSave.setNameFilter(QStringLiteral("Configuration file (*.conf)"));
  return Run(dlgSave);
}

std::optional<std::string> TQtFileDialogs::OpenConfigurationFileName() {
  // No title of its own: the platform's default for opening a file.
  QFileDialog dlgOpen(FParent);
  SetUpOpen(dlgOpen);
  dlgOpen.setDefaultSuffix(QStringLiteral("conf"));
  dlgOpen.setNameFilter(QStringLiteral("Configuration file (*.conf)"));
  return Run(dlgOpen);
}
