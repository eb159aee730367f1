#pragma once
// The window's file dialogs answered by the test: each call takes the next
// answer given for its dialog (nothing: the user cancels) and records what
// the window proposed.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "FileDialogs.h"

class TFileDialogAnswers : public IFileDialogs {
public:
  std::deque<std::optional<std::string>> SaveStatistics, OpenStatistics, SaveConfiguration, OpenConfiguration;
  std::string Proposed;  // the last name offered by the save-statistics dialog
  std::deque<std::optional<std::string>> SaveExport, OpenHistory;
  std::vector<std::string> ExportFilters;  // the file types the last export offered

  std::optional<std::string> SaveStatisticsFileName(const std::string &AProposed) override {
    Proposed = AProposed;
    return Next(SaveStatistics);
  }
  std::optional<std::string> OpenStatisticsFileName() override { return Next(OpenStatistics); }
  std::optional<std::string> SaveConfigurationFileName() override { return Next(SaveConfiguration); }
  std::optional<std::string> OpenConfigurationFileName() override { return Next(OpenConfiguration); }
  std::optional<std::string> OpenHistoryFileName() override { return Next(OpenHistory); }
  std::optional<std::string> SaveExportFileName(const std::string &, const std::vector<std::string> &AFilters) override {
    ExportFilters = AFilters;
    return Next(SaveExport);
  }

private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>> &AAnswers) {
    if (AAnswers.empty())
      return std::nullopt;
    std::optional<std::string> answer = AAnswers.front();
    AAnswers.pop_front();
    return answer;
  }
};
