#pragma once
// The window's two ways of telling the user about an error.

#include <string>

class IErrorDisplay {
public:
  virtual ~IErrorDisplay() = default;
  // The window's own message: titled "Error", error icon, one Close button.
  virtual void ShowErrorMessage(const std::string &AText) = 0;
  // The general error report for failures no handler caught: captioned with
  // the application title, OK button. AText already carries its full stop.
  virtual void ShowErrorReport(const std::string &AText) = 0;
};
