#pragma once
// A front end for tests: notes every request a reader posts, in the order the
// main thread runs them, as short texts ("status:...", "progress:3/11 vdsl status more",
// "profile:17A", "hlog").

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
  void PlotHLOG(TDrayData *) override { Note("hlog"); }
  void PlotQLN(TDrayData *) override { Note("qln"); }
  void PlotSNR(TDrayData *) override { Note("snr"); }
  void PlotBitLoading(TDrayData *) override { Note("bitloading"); }
  void PlotBinsSNR(TDrayData *) override { Note("binssnr"); }
  void PlotGain(TDrayData *) override { Note("gain"); }

private:
  void Note(const std::string &ACall) {
    Calls.push_back(ACall);
    if (OnCall)
      OnCall(ACall);
  }
};
