#include "fmMain.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStatusBar>

#include "ActionBinding.h"
#include "ChartLookSettings.h"
#include "FileDialogs.h"
#include "WindowExports.h"
#include "ConfigSwitch.h"
#include "DrayData.h"
#include "ErrorReport.h"
#include "HelpSystem.h"
#include "MessageBoxErrorDisplay.h"
#include "ProgramIcon.h"
#include "ResourceStrings.h"
#include "SystemTopicViewer.h"
#include "ToneChart.h"
#include "UpDown.h"
#include "fmAbout.h"
#include "fmLoadDataFromFile.h"
#include "fmRawBins.h"
#include "fmRawData.h"
#include "QtFileDialogs.h"
#include "QtMainThreadQueue.h"
#include "TelnetClient.h"
#include "WindowReader.h"
#include "HistoryStore.h"
#include "TimelinePage.h"

TfrmMain::TfrmMain(const QStringList &AArguments, TMainServices AServices, QWidget *AParent) : QMainWindow(AParent) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Tonegraph"));
  setWindowIcon(TonegraphIcon());
  if (!AServices.Errors)
    FOwnErrors = std::make_unique<TMessageBoxErrorDisplay>(this);
  if (!AServices.Help)
    FOwnHelp = std::make_unique<TSystemTopicViewer>(this);
  if (!AServices.FileDialogs)
    FOwnFileDialogs = std::make_unique<TQtFileDialogs>(this);
  FErrors = AServices.Errors ? AServices.Errors : FOwnErrors.get();
  FHelp = AServices.Help ? AServices.Help : FOwnHelp.get();
  FFileDialogs = AServices.FileDialogs ? AServices.FileDialogs : FOwnFileDialogs.get();
  FTelnet = std::make_shared<TTelnetClient>();
  FQueue = TQtMainThreadQueue::Create();

  auto *client = new QWidget(this);
  pgcMain = new TMainPages(client);
  pnlInputs = new TInputPanel(client);
  auto *layout = new QHBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(pgcMain, 1);
  layout->addWidget(pnlInputs);
  setCentralWidget(client);
  sbMain = statusBar();
  sbMain->setObjectName(QStringLiteral("sbMain"));
  sbMain->setSizeGripEnabled(true);
  lblStatus = new QLabel(sbMain);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  sbMain->addWidget(lblStatus, 1);
  pbRetrieval = new QProgressBar(sbMain);
  pbRetrieval->setObjectName(QStringLiteral("pbRetrieval"));
  pbRetrieval->setMinimumWidth(280);
  pbRetrieval->hide();
  sbMain->addPermanentWidget(pbRetrieval);
  setMinimumSize(1024, 600);
  resize(1188, 657 + sbMain->sizeHint().height());

  CreateActions();
  BindControls();
  CreateMenus();
  FormCreate(AArguments);
  pnlInputs->edRouter->setFocus();
}

TfrmMain::~TfrmMain() {
  // A reader still running finishes on its own: it holds the Telnet client
  // and the queue, and its requests to this window are dropped from now on.
  if (FReader)
    FReader->Terminate();
  // The list's removed notifications still find the list box and charts.
  FDrayDataList.reset();
}

void TfrmMain::ShowGeneralErrorReport(const std::exception &AFailure) {
  FErrors->ShowErrorReport(GeneralErrorReportText(AFailure.what()));
}

void TfrmMain::FormCreate(const QStringList &AArguments) {
  FDrayDataList = std::make_unique<TDrayDataList>();
  FDrayDataList->SetOnNotify([this](TDrayDataList &ASender, TDrayData *AItem, TListNotification AAction) {
    DrayDataListNotify(ASender, AItem, AAction);
  });
  FCharts = std::make_unique<TMainCharts>(*pgcMain, pnlInputs->chkSNRBug);
  FCharts->SetupCharts();
  FCharts->SetLook(TChartLookSettings::Load(), nullptr);
  pgcMain->tbsTimeline->SetLook(FCharts->Look());
  FLineView = std::make_unique<TLineView>(pgcMain->tbsLine, pgcMain->chartHLog, pgcMain->chartQLN);
  pgcMain->setCurrentWidget(pgcMain->TabSheet1);
  std::vector<std::string> args;
  for (const QString &arg : AArguments)
    args.push_back(arg.toStdString());
  FConfigFileName = FindStartupConfiguration(args);
  // A failure is reported and the window opens all the same.
  if (FConfigFileName)
    Guarded([this] { LoadConfiguration(*FConfigFileName); });
  // Snapshot files and history databases named on the command line
  // ("tonegraph a.draydata line.tgdb").
  QStringList snapshots;
  for (const QString &arg : AArguments)
    if (arg.endsWith(QStringLiteral(".draydata"), Qt::CaseInsensitive) ||
        arg.endsWith(QStringLiteral(".tgdb"), Qt::CaseInsensitive))
      snapshots << arg;
  LoadStatisticsFiles(snapshots);
  setAcceptDrops(true);
}

QAction *TfrmMain::NewAction(const char *AName, const char *ACaption, const char *ACategory,
                             bool TActionStates::*ARule, void (TfrmMain::*AExecute)(), bool ACheckable) {
  auto *action = new QAction(QString::fromUtf8(ACaption), this);
  action->setObjectName(QString::fromLatin1(AName));
  action->setProperty("category", QString::fromLatin1(ACategory));
  action->setCheckable(ACheckable);
  FActionRules.emplace_back(action, ARule);
  connect(action, &QAction::triggered, this, [this, action, AExecute] {
    UpdateActions();
    if (action->isEnabled())
      Guarded([this, AExecute] { (this->*AExecute)(); });
  });
  return action;
}

void TfrmMain::CreateActions() {
  using S = TActionStates;
  acnRetrieveData = NewAction("acnRetrieveData", "Retrieve data", "Configuration", &S::RetrieveData,
                              &TfrmMain::acnRetrieveDataExecute);
  acnStopRetrieval = NewAction("acnStopRetrieval", "Stop", "Configuration", &S::StopRetrieval,
                               &TfrmMain::acnStopRetrievalExecute);
  acnStopRetrieval->setShortcut(QKeySequence(Qt::Key_Escape));
  addAction(acnStopRetrieval);  // Esc works wherever the focus is in the window
  acnLoadDataFromFile = NewAction("acnLoadDataFromFile", "Load data from file...", "Configuration",
                                  &S::LoadDataFromFile, &TfrmMain::acnLoadDataFromFileExecute);
  acnLoadConfiguration = NewAction("acnLoadConfiguration", "Load configuration...", "Configuration",
                                   &S::LoadConfiguration, &TfrmMain::btnLoadConfigurationClick);
  acnSaveConfiguration = NewAction("acnSaveConfiguration", "Save configuration...", "Configuration",
                                   &S::SaveConfiguration, &TfrmMain::btnSaveCfgClick);
  acnLoadStatFromFile = NewAction("acnLoadStatFromFile", "Load statistics...", "Statistics", &S::LoadStatFromFile,
                                  &TfrmMain::acnLoadStatFromFileExecute);
  acnSaveStatToFile = NewAction("acnSaveStatToFile", "Save statistics...", "Statistics", &S::SaveStatToFile,
                                &TfrmMain::acnSaveStatToFileExecute);
  acnRemove = NewAction("acnRemove", "Remove", "Statistics", &S::Remove, &TfrmMain::acnRemoveExecute);
  acnRemoveAll = NewAction("acnRemoveAll", "Remove all", "Statistics", &S::RemoveAll, &TfrmMain::acnRemoveAllExecute);
  acnChartCopy = NewAction("acnChartCopy", "Copy", "Charts", &S::ChartCopy, &TfrmMain::acnChartCopyExecute);
  // With no chart or no snapshot chosen they do nothing.
  acnChartExport = NewAction("acnChartExport", "Export...", "Charts", &S::ChartExport,
                             &TfrmMain::acnChartExportExecute);
  acnExportSnapshot = NewAction("acnExportSnapshot", "Export snapshot...", "Statistics", &S::ExportSnapshot,
                                &TfrmMain::acnExportSnapshotExecute);
  CreateChartLookActions();
  CreateCompareActions();
  acnRetrieveData->setEnabled(false);  // until the first update
  acnStopRetrieval->setEnabled(false);
  if (auto *dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TfrmMain::UpdateActions);
}

void TfrmMain::BindControls() {
  TInputPanel &p = *pnlInputs;
  BindButtonToAction(p.btnLoadConfiguration, acnLoadConfiguration);
  BindButtonToAction(p.btnSaveCfg, acnSaveConfiguration);
  BindButtonToActions(p.btnGetData, acnRetrieveData, acnStopRetrieval);
  BindButtonToAction(p.btnLoadDataFromFile, acnLoadDataFromFile);
  BindButtonToAction(p.btnLoadStatisticsFromFile, acnLoadStatFromFile);
  BindButtonToAction(p.btnSaveStatsToFile, acnSaveStatToFile);
  // A choice of the user: the selection first, then what it shows.
  connect(p.lbxStatistics, &QListWidget::itemSelectionChanged, this, &TfrmMain::lbxStatisticsSelectionChanged);
  connect(p.lbxStatistics, &QListWidget::currentRowChanged, this, [this] {
    lbxStatisticsSelectionChanged();
    Guarded([this] { lbxStatisticsClick(); });
  });
  connect(p.lbxStatistics, &QListWidget::itemClicked, this, [this](QListWidgetItem *AItem) {
    const int row = pnlInputs->lbxStatistics->row(AItem);
    Guarded([this, row] { lbxStatisticsItemClicked(row); });
  });
  connect(p.chkSNRBug, &QCheckBox::toggled, this, [this] { Guarded([this] { chkSNRBugClick(); }); });
  connect(pgcMain->btnHelp, &QPushButton::clicked, this, [this] { Guarded([this] { btnHelpClick(); }); });
  connect(pgcMain->btnAbout, &QPushButton::clicked, this, [this] { Guarded([this] { btnAboutClick(); }); });
  const std::pair<QPushButton *, TRawKind> raw[] = {{pgcMain->btnHLogShowRaw, TRawKind::HLog},
                                                    {pgcMain->btnQLNShowRawData, TRawKind::QLN},
                                                    {pgcMain->btnSNRShowRawData, TRawKind::SNR},
                                                    {pgcMain->btnBinShowRawData, TRawKind::Bins}};
  for (const auto &[button, kind] : raw)
    connect(button, &QPushButton::clicked, this, [this, kind] { Guarded([this, kind] { ShowRaw(kind); }); });
  auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, [this] { Guarded([this] { ShowHelpForFocus(); }); });
}

void TfrmMain::CreateMenus() {
  mnuCharts = new QMenu(this);
  mnuCharts->setObjectName(QStringLiteral("mnuCharts"));
  mnuCharts->addAction(acnChartCopy);
  mnuCharts->addAction(acnChartExport);
  mnuCharts->addSeparator();
  for (QAction *look : {acnBandPlan, acnFrequencyAxis, acnDarkCharts})
    mnuCharts->addAction(look);
  for (TToneChart *chart : pgcMain->findChildren<TToneChart *>())
    connect(chart, &TToneChart::MenuRequested, this, &TfrmMain::PopupChartMenu);
  mnuStatListBox = new QMenu(this);
  mnuStatListBox->setObjectName(QStringLiteral("mnuStatListBox"));
  mnuStatListBox->addAction(acnRemove);
  mnuStatListBox->addAction(acnRemoveAll);
  mnuStatListBox->addAction(acnExportSnapshot);
  CreateRecentFilesMenu();
  mnuStatListBox->addSeparator();
  mnuStatListBox->addAction(acnOpenHistory);
  mnuStatListBox->addAction(acnCompareWith);
  mnuStatListBox->addAction(acnDifference);
  mnuStatListBox->addAction(acnStopComparing);
  mnuCharts->addSeparator();
  mnuCharts->addAction(acnDifference);
  mnuCharts->addAction(acnStopComparing);
  connect(pgcMain->tbsTimeline, &TTimelinePage::RangeChosen, this,
          [this](std::optional<TTimeRange> ARange) { Guarded([this, ARange] { ChooseEnvelopeRange(ARange); }); });
  QListWidget *list = pnlInputs->lbxStatistics;
  connect(list, &QListWidget::customContextMenuRequested, this, [this, list](const QPoint &APos) {
    UpdateActions();
    mnuStatListBox->popup(list->viewport()->mapToGlobal(APos));
  });
}

TActionInputs TfrmMain::CurrentActionInputs() const {
  const TInputPanel &p = *pnlInputs;
  TActionInputs in;
  in.ReaderRunning = ReaderRunning();
  in.RouterFilled = !p.edRouter->text().isEmpty();
  in.PortFilled = !p.edRouterPort->text().isEmpty();
  in.UserFilled = !p.edUser->text().isEmpty();
  in.RouterNameFilled = !p.edRouterName->text().isEmpty();
  in.StatisticsCount = FSnapshotList.Count();
  in.StatisticsSelected = GetSelectedDrayData() != nullptr;
  in.ReferenceChosen = Reference() != nullptr;
  return in;
}

void TfrmMain::UpdateActions() {
  const TActionStates s = ComputeActionStates(CurrentActionInputs());
  for (const auto &[action, rule] : FActionRules)
    action->setEnabled(s.*rule);
  pnlInputs->lbxStatistics->setEnabled(s.StatisticsList);
}

// ---- Snapshot list and display

void TfrmMain::DrayDataListNotify(TDrayDataList &ASender, TDrayData *AItem, TListNotification AAction) {
  if (AAction == TListNotification::Added)
    InsertEntry(AItem);
  else
    DeleteEntry(ASender, AItem);
}

void TfrmMain::ShowSelectedRow() {
  // Selecting from code shows nothing; only the user's choice redraws.
  const QSignalBlocker blocker(pnlInputs->lbxStatistics);
  pnlInputs->lbxStatistics->setCurrentRow(FSnapshotList.SelectedRow());
}

void TfrmMain::lbxStatisticsSelectionChanged() {
  const QListWidget *list = pnlInputs->lbxStatistics;
  const QListWidgetItem *current = list->currentItem();
  FSnapshotList.Select(current && current->isSelected() ? list->currentRow() : TSnapshotList::NoRow);
}

void TfrmMain::InsertEntry(TDrayData *AItem) {
  const int row = FSnapshotList.Insert(AItem);
  {
    const QSignalBlocker blocker(pnlInputs->lbxStatistics);
    pnlInputs->lbxStatistics->insertItem(row, QString::fromStdString(AItem->Name()));
  }
  ShowSelectedRow();
}

void TfrmMain::DeleteEntry(TDrayDataList &ASender, TDrayData *AItem) {
  const int row = FSnapshotList.Delete(AItem);
  if (row == TSnapshotList::NoRow)
    return;
  if (AItem == FDisplayedData)
    FDisplayedData = nullptr;
  if (FComparison.Forget(AItem))
    ForgetReference();
  {
    const QSignalBlocker blocker(pnlInputs->lbxStatistics);
    delete pnlInputs->lbxStatistics->takeItem(row);
  }
  if (ASender.Count() == 0) {
    DisplayTextData(nullptr);
    DisplayChartData(nullptr);
    return;
  }
  ShowSelectedRow();
}

// A click on the entry that is already selected shows it too, unless the
// display shows it already (a click that changed the selection has done so).
void TfrmMain::lbxStatisticsItemClicked(int ARow) {
  if (FSnapshotList.SnapshotAt(ARow) != FDisplayedData)
    lbxStatisticsClick();
}

// The per-bin SNR charts follow the option at once. A running retrieval
// draws them itself, with the option as it is when its request comes.
void TfrmMain::chkSNRBugClick() {
  if (ReaderRunning())
    return;
  TDrayData *selected = GetSelectedDrayData();
  FCharts->RedrawBinSNR(selected == FDisplayedData ? selected : nullptr);
}

TDrayData *TfrmMain::GetSelectedDrayData() const {
  return FSnapshotList.Selected();
}

void TfrmMain::lbxStatisticsClick() {
  TDrayData *snapshot = GetSelectedDrayData();
  if (!snapshot)
    return;
  if (FComparison.Forget(snapshot))
    ForgetReference();
  DisplayTextData(nullptr);
  DisplayChartData(nullptr);
  DisplayTextData(snapshot);
  UpdateProfileLabel(snapshot->VDSLProfile());
  DisplayChartData(snapshot);
}

void TfrmMain::DisplayTextData(TDrayData *AData) {
  if (!AData) {
    pgcMain->memStats->clear();
    return;
  }
  QStringList lines;
  for (const std::string_view line : AData->Stats())
    lines << QString::fromUtf8(line.data(), qsizetype(line.size()));
  pgcMain->memStats->setPlainText(lines.join(QLatin1Char('\n')));
}

void TfrmMain::UpdateProfileLabel(TVDSLProfile AProfile) {
  pnlInputs->lblProfileName->setText(QString::fromUtf8(rsProfileLabel).arg(QString::fromLatin1(ProfileName(AProfile))));
}

void TfrmMain::SetStatusText(const std::string &AText) {
  const QString text = QString::fromStdString(AText);
  lblStatus->setText(text);
  emit StatusTextChanged(text);
}

void TfrmMain::Progress(int AStep, int ASteps, const std::string &ACommand) {
  pbRetrieval->setRange(0, ASteps);
  pbRetrieval->setValue(AStep);
  pbRetrieval->setFormat(QStringLiteral("%1/%2 %3").arg(AStep).arg(ASteps).arg(QString::fromStdString(ACommand)));
  pbRetrieval->show();
}

void TfrmMain::DisplayChartData(TDrayData *AData) {
  FDisplayedData = AData;
  UpdateEnvelope(AData);
  FCharts->DisplayChartData(AData);
  FLineView->Show(AData);
}

// The reader asks for each group once it has stored it and never writes it
// again in that run, so drawing reads the tables without the snapshot's locks.
void TfrmMain::GroupStored(TDrayKind AKind, TDrayData *AData) {
  FCharts->PlotGroup(AKind, *AData);
}

// ---- Actions

void TfrmMain::acnRemoveExecute() {
  TDrayData *snapshot = GetSelectedDrayData();
  if (!snapshot)
    return;
  FDrayDataList->Remove(snapshot);
  lbxStatisticsClick();
}

void TfrmMain::acnRemoveAllExecute() {
  FDrayDataList->Clear();
}

void TfrmMain::acnLoadDataFromFileExecute() {
  TfrmLoadDataFromFiles dialog(this);
  if (dialog.exec() != QDialog::Accepted)
    return;
  DisplayTextData(nullptr);
  DisplayChartData(nullptr);
  std::vector<TEmptyCapture> empty;
  std::unique_ptr<TDrayData> snapshot = dialog.GetDrayData(&empty);
  TDrayData *added = snapshot.get();
  FDrayDataList->Add(std::move(snapshot));
  UpdateProfileLabel(added->VDSLProfile());
  DisplayChartData(added);
  pgcMain->setCurrentWidget(pgcMain->tbsHLog);
  // A file that gave nothing was most likely the wrong file: say which.
  QStringList notes;
  for (const TEmptyCapture &capture : empty)
    notes << QString::fromStdString(NoValuesNote(
                 QFileInfo(QString::fromStdString(capture.FileName)).fileName().toStdString(), capture.Kind));
  SetStatusText(notes.join(QStringLiteral("; ")).toStdString());
}

// Choices of how the charts look rather than actions on data; each starts
// as the user's settings have it.
void TfrmMain::CreateChartLookActions() {
  const TChartLook look = TChartLookSettings::Load();
  using S = TActionStates;
  acnBandPlan = NewAction("chkBandPlan", "Band plan", "Charts", &S::ChartLook, &TfrmMain::ChartLookChanged, true);
  acnFrequencyAxis = NewAction("chkFrequencyAxis", "Frequency in MHz", "Charts", &S::ChartLook,
                               &TfrmMain::ChartLookChanged, true);
  acnDarkCharts = NewAction("chkDarkCharts", "Dark charts", "Charts", &S::ChartLook, &TfrmMain::ChartLookChanged, true);
  acnBandPlan->setChecked(look.BandPlan);
  acnFrequencyAxis->setChecked(look.FrequencyAxis);
  acnDarkCharts->setChecked(look.Dark);
}

void TfrmMain::acnChartExportExecute() {
  TToneChart *chart = FChartMenuComponent;
  if (!chart)
    return;
  const std::string proposed = chart->Title().toStdString() + ".png";
  if (const auto file = FFileDialogs->SaveExportFileName(proposed, TWindowExports::ChartFilters()))
    TWindowExports::ExportChart(chart, *file);
}

void TfrmMain::acnExportSnapshotExecute() {
  const TDrayData *snapshot = GetSelectedDrayData();
  if (!snapshot)
    return;
  const std::string proposed = snapshot->Name() + ".csv";
  if (const auto file = FFileDialogs->SaveExportFileName(proposed, TWindowExports::SnapshotFilters()))
    TWindowExports::ExportSnapshot(*snapshot, *file);
}

void TfrmMain::ChartLookChanged() {
  TChartLook look;
  look.BandPlan = acnBandPlan->isChecked();
  look.FrequencyAxis = acnFrequencyAxis->isChecked();
  look.Dark = acnDarkCharts->isChecked();
  FCharts->SetLook(look, FDisplayedData);
  pgcMain->tbsTimeline->SetLook(look);
  TChartLookSettings::Save(look);
}

void TfrmMain::PopupChartMenu(TToneChart *AChart, const QPoint &AGlobalPos) {
  FChartMenuComponent = AChart;
  UpdateActions();
  mnuCharts->popup(AGlobalPos);
}

void TfrmMain::acnChartCopyExecute() {
  // Only the chart the pop-up menu was opened on is copied.
  TToneChart *chart = FChartMenuComponent;
  if (!chart)
    return;
  QApplication::clipboard()->setPixmap(chart->toPixmap(chart->width(), chart->height()));
}

// ---- Help, About, raw data

int TfrmMain::FocusedHelpContext() const {
  return HelpContextFor(QApplication::focusWidget());
}

void TfrmMain::ShowHelpForFocus() {
  FHelp->ShowTopic(FocusedHelpContext());
}

void TfrmMain::btnHelpClick() {
  FHelp->ShowContents();
}

void TfrmMain::btnAboutClick() {
  TfrmAbout about(this);
  about.exec();
}

void TfrmMain::ShowRaw(TRawKind AKind) {
  if (AKind == TRawKind::Bins)
    TfrmRawBins::ShowBins(this, GetSelectedDrayData());
  else
    TfrmRawData::ShowRaw(this, GetSelectedDrayData(), AKind);
}

void TfrmMain::closeEvent(QCloseEvent *AEvent) {
  // The window never waits for the reader; the run's snapshot is dropped.
  if (FReader)
    FReader->Terminate();
  AEvent->accept();
}
