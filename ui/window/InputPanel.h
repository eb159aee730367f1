#pragma once
// The input panel along the window's right edge: connection fields, options,
// the profile label, the command buttons and the list of snapshots.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TUpDown;

class TInputPanel : public QWidget {
  Q_OBJECT
public:
  explicit TInputPanel(QWidget *AParent = nullptr);

  static constexpr int PanelWidth = 282;

  QLineEdit *edRouter = nullptr;
  QLineEdit *edRouterPort = nullptr;
  TUpDown *udTelnetPort = nullptr;
  QLineEdit *edUser = nullptr;
  QLineEdit *edPassword = nullptr;
  QLineEdit *edRouterName = nullptr;
  QCheckBox *chkShowBins = nullptr;
  QCheckBox *chkSNRBug = nullptr;
  QLabel *lblProfileName = nullptr;
  QPushButton *btnLoadConfiguration = nullptr;
  QPushButton *btnSaveCfg = nullptr;
  QPushButton *btnGetData = nullptr;
  QPushButton *btnLoadDataFromFile = nullptr;
  QListWidget *lbxStatistics = nullptr;
  QPushButton *btnLoadStatisticsFromFile = nullptr;
  QPushButton *btnSaveStatsToFile = nullptr;

private:
  QWidget *CreateConnectionFrame();
  QWidget *CreateStatisticsFrame();
  void CreateFields();
  void CreateOptions();
  void CreateButtons();
  void SetTabOrder();
  void SetHelpContexts();
};
