#include "InputPanelSettings.h"

#include <QCheckBox>
#include <QLineEdit>

#include "InputPanel.h"
#include "UpDown.h"

TConnectionSettings TInputPanelSettings::Current() const {
  TConnectionSettings s;
  s.Router = FPanel.edRouter->text().toStdString();
  s.Port = FPanel.udTelnetPort->Position();
  s.User = FPanel.edUser->text().toStdString();
  s.ShowBins = FPanel.chkShowBins->isChecked();
  s.SNRBug = FPanel.chkSNRBug->isChecked();
  s.RouterName = FPanel.edRouterName->text().toStdString();
  return s;
}

void TInputPanelSettings::SetRouter(const std::string &AValue) {
  FPanel.edRouter->setText(QString::fromStdString(AValue));
}

void TInputPanelSettings::SetPort(int AValue) { FPanel.udTelnetPort->SetPosition(AValue); }

void TInputPanelSettings::SetUser(const std::string &AValue) {
  FPanel.edUser->setText(QString::fromStdString(AValue));
}

void TInputPanelSettings::SetShowBins(bool AValue) { FPanel.chkShowBins->setChecked(AValue); }

void TInputPanelSettings::SetSNRBug(bool AValue) { FPanel.chkSNRBug->setChecked(AValue); }

void TInputPanelSettings::SetRouterName(const std::string &AValue) {
  FPanel.edRouterName->setText(QString::fromStdString(AValue));
}
