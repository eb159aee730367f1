#pragma once
// Shared by the window tests: recording stand-ins for the error and help
// displays, and snapshots built from small router answers.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <QListWidget>
#include <QString>
#include <QStringList>

#include "DrayData.h"
#include "ErrorDisplay.h"
#include "TopicViewer.h"

class TRecordingErrorDisplay : public IErrorDisplay {
public:
  std::vector<std::string> Messages;
  std::vector<std::string> Reports;
  void ShowErrorMessage(const std::string &AText) override { Messages.push_back(AText); }
  void ShowErrorReport(const std::string &AText) override { Reports.push_back(AText); }
};

class TRecordingTopicViewer : public ITopicViewer {
public:
  std::vector<int> Topics;
  int ContentsShown = 0;
  void ShowTopic(int AHelpContext) override { Topics.push_back(AHelpContext); }
  void ShowContents() override { ++ContentsShown; }
};

using TGroupValues = std::vector<std::optional<int>>;

// "bin=" lines of eight values each for the given groups; a missing value
// leaves its place between two commas empty.
inline TTextLines BinLines(const TGroupValues &AValues) {
  TTextLines lines;
  for (std::size_t start = 0; start < AValues.size(); start += 8) {
    char head[32];
    std::snprintf(head, sizeof head, "bin=%4zu:", start);
    std::string line = head;
    for (std::size_t i = start; i < start + 8; ++i) {
      char value[16] = "     ";
      if (i < AValues.size() && AValues[i])
        std::snprintf(value, sizeof value, "%5d", *AValues[i]);
      line += std::string(" ") + value + ",";
    }
    lines.push_back(line);
  }
  return lines;
}

// A whole per-tone answer as the router prints it: group sizes, the
// upstream marker and lines, one more line, the downstream marker and
// lines, the prompt.
inline TTextLines StatAnswer(const char *AUnit, int AGroupUS, int AGroupDS, const TGroupValues &AUS,
                             const TGroupValues &ADS) {
  TTextLines answer{"DrayTek> vdsl status", "  GroupSize      :     " + std::to_string(AGroupUS) + "     " +
                                                std::to_string(AGroupDS),
                    std::string(" US: ") + AUnit};
  for (const std::string_view line : BinLines(AUS))
    answer.push_back(line);
  answer.push_back("");
  answer.push_back(std::string(" DS: ") + AUnit);
  for (const std::string_view line : BinLines(ADS))
    answer.push_back(line);
  answer.push_back("DrayTek> ");
  return answer;
}

// Bins listing lines "tone snr gain bits" for the given tones.
struct TBinRow {
  int Tone, SNR, Gain, Bits;
};
inline TTextLines BinsListing(const char *AHeader, const std::vector<TBinRow> &ARows) {
  TTextLines lines{AHeader};
  for (const TBinRow &r : ARows)
    lines.push_back("  " + std::to_string(r.Tone) + "   " + std::to_string(r.SNR) + "  " + std::to_string(r.Gain) +
                    "  " + std::to_string(r.Bits));
  return lines;
}

inline std::unique_ptr<TDrayData> Snapshot(const std::string &AName, TVDSLProfile AProfile,
                                           const std::vector<std::string> &AStats = {}) {
  auto data = std::make_unique<TDrayData>(AName);
  data->SetVDSLProfile(AProfile);
  if (!AStats.empty()) {
    const TTextLines stats(AStats.begin(), AStats.end());
    data->AddStatData({}, &stats);
  }
  return data;
}

// The texts of a list box, top to bottom.
inline QStringList ListTexts(const QListWidget *AList) {
  QStringList texts;
  for (int i = 0; i < AList->count(); ++i)
    texts << AList->item(i)->text();
  return texts;
}

// The name of a snapshot, or an empty text for none.
inline QString NameOf(const TDrayData *AData) {
  return AData ? QString::fromStdString(AData->Name()) : QString();
}
