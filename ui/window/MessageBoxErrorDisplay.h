#pragma once
// The error displays as modal message boxes, centred on the screen.

#include "ErrorDisplay.h"

class QWidget;

class TMessageBoxErrorDisplay : public IErrorDisplay {
public:
  explicit TMessageBoxErrorDisplay(QWidget *AParent = nullptr) : FParent(AParent) {}
  void ShowErrorMessage(const std::string &AText) override;
  void ShowErrorReport(const std::string &AText) override;

private:
  QWidget *FParent;
};
