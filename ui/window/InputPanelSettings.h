#pragma once
// The connection settings held by the input panel: read as a whole for
// saving, written field by field as a configuration file is read.

#include "Configuration.h"

class TInputPanel;

class TInputPanelSettings : public IConfigurationTarget {
public:
  explicit TInputPanelSettings(TInputPanel &APanel) : FPanel(APanel) {}

  // Every field but the password, as the fields hold them now.
  TConnectionSettings Current() const;

  void SetRouter(const std::string &AValue) override;
  void SetPort(int AValue) override;
  void SetUser(const std::string &AValue) override;
  void SetShowBins(bool AValue) override;
  void SetSNRBug(bool AValue) override;
  void SetRouterName(const std::string &AValue) override;

private:
  TInputPanel &FPanel;
};
