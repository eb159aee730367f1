#pragma once
// Hands a retrieval's display requests on to the window while the window
// exists, and drops them once it is gone. Requests arrive on the main thread
// only, where the window is also destroyed, so the check cannot race.

#include <QObject>
#include <QPointer>

#include "RetrievalView.h"

class TViewRelay : public IRetrievalView {
public:
  // AView is AWindow seen as a view (the same object).
  TViewRelay(QObject *AWindow, IRetrievalView *AView) : FWindow(AWindow), FView(AView) {}

  void SetStatusText(const std::string &AText) override {
    if (FWindow)
      FView->SetStatusText(AText);
  }
  void Progress(int AStep, int ASteps, const std::string &ACommand) override {
    if (FWindow)
      FView->Progress(AStep, ASteps, ACommand);
  }
  void UpdateProfileLabel(TVDSLProfile AProfile) override {
    if (FWindow)
      FView->UpdateProfileLabel(AProfile);
  }
  void DisplayTextData(TDrayData *AData) override {
    if (FWindow)
      FView->DisplayTextData(AData);
  }
  void GroupStored(TDrayKind AKind, TDrayData *AData) override {
    if (FWindow)
      FView->GroupStored(AKind, AData);
  }

private:
  QPointer<QObject> FWindow;
  IRetrievalView *FView;
};
