#pragma once
// What a retrieval asks its front end to show. Every call arrives on the main
// thread, through IMainThreadQueue, in the order the reader posted it.

#include <string>

#include "DrayKindState.h"
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
  // The reader has stored the group of kind AKind in AData and will not
  // write it again in this run: HLog, QLN and SNR after their commands,
  // Bins once after the bins commands (also when bins were not asked for).
  virtual void GroupStored(TDrayKind AKind, TDrayData *AData) = 0;
};

// A front end that shows nothing: what shows only some of the requests (a
// terminal has no charts) overrides just those.
class TQuietRetrievalView : public IRetrievalView {
public:
  void SetStatusText(const std::string &) override {}
  void Progress(int, int, const std::string &) override {}
  void UpdateProfileLabel(TVDSLProfile) override {}
  void DisplayTextData(TDrayData *) override {}
  void GroupStored(TDrayKind, TDrayData *) override {}
};
