#pragma once
// The four file dialogs of the main window. Each returns the chosen file's
// name, or nothing when the user cancels. The window uses its own Qt dialogs;
// tests answer without showing anything modal.

#include <optional>
#include <string>
#include <vector>

class IFileDialogs {
public:
  virtual ~IFileDialogs() = default;
  // AProposed: the file name offered to the user.
  virtual std::optional<std::string> SaveStatisticsFileName(const std::string &AProposed) = 0;
  virtual std::optional<std::string> OpenStatisticsFileName() = 0;
  virtual std::optional<std::string> SaveConfigurationFileName() = 0;
  virtual std::optional<std::string> OpenConfigurationFileName() = 0;
  // A history database of captures.
  virtual std::optional<std::string> OpenHistoryFileName() = 0;
  // An export: AFilters are the name filters offered ("PNG picture (*.png)"),
  // the chosen file's extension picks the format.
  virtual std::optional<std::string> SaveExportFileName(const std::string &AProposed,
                                                        const std::vector<std::string> &AFilters) = 0;
};
