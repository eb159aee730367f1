#pragma once
// A front end for tests: notes every request a reader posts, in the order the
// main thread runs them, as short texts ("status:...", "progress:3/11 vdsl status more",
// "profile:17A", "hlog"; "bins" once both bins listings are in).

#include <functional>
#include <string>
#include <vector>

#include "RetrievalView.h"

class TRecordingView : public IRetrievalView {
public:
  std::vector<std::string> Calls;
  // Runs after each note, on the main thread; a test may stop the reader here.
  std::function<void(const std::string &ACall)> OnCall;

  void SetStatusText(const std::string &AText) override { Note("status:" + AText); }
  void Progress(int AStep, int ASteps, const std::string &ACommand) override {
    Note("progress:" + std::to_string(AStep) + "/" + std::to_string(ASteps) + " " + ACommand);
  }
  void UpdateProfileLabel(TVDSLProfile AProfile) override {
    Note(std::string("profile:") + ProfileName(AProfile));
  }
  void DisplayTextData(TDrayData *) override { Note("text"); }
  void GroupStored(TDrayKind AKind, TDrayData *) override {
    static const char *const Names[] = {"hlog", "qln", "snr", "bins"};
    Note(Names[IndexOf(AKind)]);
  }

private:
  void Note(const std::string &ACall) {
    Calls.push_back(ACall);
    if (OnCall)
      OnCall(ACall);
  }
};
