#pragma once
// The main window's file dialogs as Qt file dialogs, each with its title,
// file types, default extension and checks.

#include "FileDialogs.h"
#include "RecentFolders.h"

class QFileDialog;
class QWidget;

class TQtFileDialogs : public IFileDialogs {
public:
  explicit TQtFileDialogs(QWidget *AParent) : FParent(AParent) {}

  std::optional<std::string> SaveStatisticsFileName(const std::string &AProposed) override;
  std::optional<std::string> OpenStatisticsFileName() override;
  std::optional<std::string> SaveConfigurationFileName() override;
  std::optional<std::string> OpenConfigurationFileName() override;
  std::optional<std::string> OpenHistoryFileName() override;
  std::optional<std::string> SaveExportFileName(const std::string &AProposed,
                                                const std::vector<std::string> &AFilters) override;

private:
  // Opens ADialog in the folder last used for AKind and remembers the new one.
  static std::optional<std::string> Run(QFileDialog &ADialog, TFileKind AKind);

  QWidget *FParent;
};
