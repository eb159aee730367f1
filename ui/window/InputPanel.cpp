#include "InputPanel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "UpDown.h"

namespace {

QLineEdit *NewEdit(QWidget *AParent, const char *AName, const QString &AText, const char *ATip) {
  auto *edit = new QLineEdit(AText, AParent);
  edit->setObjectName(QString::fromLatin1(AName));
  edit->setToolTip(QString::fromUtf8(ATip));
  return edit;
}

QPushButton *NewButton(QWidget *AParent, const char *AName) {
  auto *button = new QPushButton(AParent);
  button->setObjectName(QString::fromLatin1(AName));
  return button;
}

QHBoxLayout *Pair(QWidget *ALeft, QWidget *ARight) {
  auto *row = new QHBoxLayout;
  row->setSpacing(4);
  row->addWidget(ALeft);
  row->addWidget(ARight);
  return row;
}

}  // namespace

TInputPanel::TInputPanel(QWidget *AParent) : QWidget(AParent) {
  setObjectName(QStringLiteral("pnlInputs"));
  setFixedWidth(PanelWidth);
  CreateFields();
  CreateOptions();
  CreateButtons();
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(CreateConnectionFrame());
  layout->addWidget(CreateStatisticsFrame(), 1);
  SetTabOrder();
  SetHelpContexts();
}

void TInputPanel::CreateFields() {
  edRouter = NewEdit(this, "edRouter", QString(), "Router fqnd or IP address");
  edRouter->setPlaceholderText(QStringLiteral("Router FQDN or IP address"));
  edRouterPort = NewEdit(this, "edRouterPort", QString(), "Router telnet port");
  edRouterPort->setAlignment(Qt::AlignRight);
  udTelnetPort = new TUpDown(this);
  udTelnetPort->setObjectName(QStringLiteral("udTelnetPort"));
  udTelnetPort->SetAssociate(edRouterPort);
  udTelnetPort->SetRange(1, 65535);
  udTelnetPort->SetPosition(23);
  edUser = NewEdit(this, "edUser", QString(), "Router logon user");
  edPassword = NewEdit(this, "edPassword", QString(), "Router logon password");
  edPassword->setEchoMode(QLineEdit::Password);
  edRouterName = NewEdit(this, "edRouterName", QStringLiteral("DrayTek"), "Router name, as displayed in the telnet prompt");
}

void TInputPanel::CreateOptions() {
  chkShowBins = new QCheckBox(QStringLiteral("Include \"bins\" data (slower)"), this);
  chkShowBins->setObjectName(QStringLiteral("chkShowBins"));
  chkShowBins->setToolTip(QStringLiteral("When set, output will include vdsl show bins [up] data"));
  chkSNRBug = new QCheckBox(QStringLiteral("SNR data only in first 512 bins"), this);
  chkSNRBug->setObjectName(QStringLiteral("chkSNRBug"));
  chkSNRBug->setToolTip(QStringLiteral("When set, show SNR data from the fisrt 512 bins only"));
  chkSNRBug->setChecked(true);
  lblProfileName = new QLabel(QStringLiteral("VDSL profile: N/A"), this);
  lblProfileName->setObjectName(QStringLiteral("lblProfileName"));
}

void TInputPanel::CreateButtons() {
  btnLoadConfiguration = NewButton(this, "btnLoadConfiguration");
  btnSaveCfg = NewButton(this, "btnSaveCfg");
  btnGetData = NewButton(this, "btnGetData");
  btnGetData->setText(QStringLiteral("Retrieve"));
  btnLoadDataFromFile = NewButton(this, "btnLoadDataFromFile");
  lbxStatistics = new QListWidget(this);
  lbxStatistics->setObjectName(QStringLiteral("lbxStatistics"));
  lbxStatistics->setSelectionMode(QAbstractItemView::SingleSelection);
  lbxStatistics->setContextMenuPolicy(Qt::CustomContextMenu);
  btnLoadStatisticsFromFile = NewButton(this, "btnLoadStatisticsFromFile");
  btnSaveStatsToFile = NewButton(this, "btnSaveStatsToFile");
}

QWidget *TInputPanel::CreateConnectionFrame() {
  auto *frame = new QGroupBox(this);
  auto *grid = new QGridLayout(frame);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(4);
  const struct {
    const char *Caption;
    QWidget *Field;
  } rows[] = {{"Router address:", edRouter}, {"Port:", edRouterPort}, {"User:", edUser},
              {"Password:", edPassword}, {"Router name:", edRouterName}};
  int row = 0;
  for (const auto &r : rows) {
    auto *label = new QLabel(QString::fromLatin1(r.Caption), frame);
    label->setBuddy(r.Field);
    grid->addWidget(label, row, 0);
    grid->addWidget(r.Field, row, 1, 1, r.Field == edRouterPort ? 1 : 2);
    ++row;
  }
  grid->addWidget(udTelnetPort, 1, 2, Qt::AlignLeft);
  grid->setColumnStretch(1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Options"), frame), row++, 0, 1, 3);
  grid->addWidget(chkShowBins, row++, 0, 1, 3);
  auto *indented = new QHBoxLayout;
  indented->addSpacing(18);
  indented->addWidget(chkSNRBug);
  grid->addLayout(indented, row++, 0, 1, 3);
  grid->addWidget(lblProfileName, row++, 0, 1, 3);
  grid->addLayout(Pair(btnLoadConfiguration, btnSaveCfg), row++, 0, 1, 3);
  grid->addLayout(Pair(btnGetData, btnLoadDataFromFile), row++, 0, 1, 3);
  return frame;
}

QWidget *TInputPanel::CreateStatisticsFrame() {
  auto *frame = new QGroupBox(this);
  auto *layout = new QVBoxLayout(frame);
  layout->setContentsMargins(6, 6, 6, 6);
  auto *label = new QLabel(QStringLiteral("Available statistics:"), frame);
  label->setBuddy(lbxStatistics);
  layout->addWidget(label);
  layout->addWidget(lbxStatistics, 1);
  layout->addLayout(Pair(btnLoadStatisticsFromFile, btnSaveStatsToFile));
  return frame;
}

void TInputPanel::SetTabOrder() {
  QWidget *order[] = {edRouter, edRouterPort, edUser, edPassword, edRouterName, chkShowBins, chkSNRBug,
                      btnLoadConfiguration, btnSaveCfg, btnGetData, btnLoadDataFromFile, lbxStatistics,
                      btnLoadStatisticsFromFile, btnSaveStatsToFile};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i)
    setTabOrder(order[i], order[i + 1]);
}

void TInputPanel::SetHelpContexts() {
  for (QWidget *w : {static_cast<QWidget *>(edRouter), static_cast<QWidget *>(edRouterPort),
                     static_cast<QWidget *>(edUser), static_cast<QWidget *>(edPassword),
                     static_cast<QWidget *>(edRouterName), static_cast<QWidget *>(chkShowBins),
                     static_cast<QWidget *>(chkSNRBug)})
    w->setProperty("helpContext", 2000);
  btnLoadDataFromFile->setProperty("helpContext", 3001);
  lbxStatistics->setProperty("helpContext", 3000);
}
