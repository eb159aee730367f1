#pragma once
// What a retrieval asks its front end to show. Every call arrives on the main
// thread, through IMainThreadQueue, in the order the reader posted it.

#include <string>

#include "VDSLProfile.h"

class TDrayData;

class IRetrievalView {
public:
  virtual ~IRetrievalView() = default;
  virtual void SetStatusText(const std::string &AText) = 0;
  // Posted before each command of the sequence: AStep of ASteps (1-based),
  // ACommand as sent, without its carriage return.
  virtual void Progress(int AStep, int ASteps, const std::string &ACommand) = 0;
  virtual void UpdateProfileLabel(TVDSLProfile AProfile) = 0;
  virtual void DisplayTextData(TDrayData *AData) = 0;
  // Each draws the group of AData that the reader has just stored, with the
  // front end's own charts: downstream blue, upstream green.
  virtual void PlotHLOG(TDrayData *AData) = 0;
  virtual void PlotQLN(TDrayData *AData) = 0;
  virtual void PlotSNR(TDrayData *AData) = 0;
  virtual void PlotBitLoading(TDrayData *AData) = 0;
  virtual void PlotBinsSNR(TDrayData *AData) = 0;
  virtual void PlotGain(TDrayData *AData) = 0;
};

// A front end that shows nothing: what shows only some of the requests (a
// terminal has no charts) overrides just those.
class TQuietRetrievalView : public IRetrievalView {
public:
  void SetStatusText(const std::string &) override {}
  void Progress(int, int, const std::string &) override {}
  void UpdateProfileLabel(TVDSLProfile) override {}
  void DisplayTextData(TDrayData *) override {}
  void PlotHLOG(TDrayData *) override {}
  void PlotQLN(TDrayData *) override {}
  void PlotSNR(TDrayData *) override {}
  void PlotBitLoading(TDrayData *) override {}
  void PlotBinsSNR(TDrayData *) override {}
  void PlotGain(TDrayData *) override {}
};
