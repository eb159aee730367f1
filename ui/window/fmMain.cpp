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
#include "StatListOrder.h"
#include "StatListSelection.h"
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

TDrayData *TfrmMain::SnapshotOf(const QListWidgetItem *AItem) {
  return AItem ? static_cast<TDrayData *>(AItem->data(Qt::UserRole).value<void *>()) : nullptr;
}

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
  FConfigFileName = FindConfigSwitch(args);
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
                             void (TfrmMain::*AExecute)()) {
  auto *action = new QAction(QString::fromUtf8(ACaption), this);
  action->setObjectName(QString::fromLatin1(AName));
  action->setProperty("category", QString::fromLatin1(ACategory));
  connect(action, &QAction::triggered, this, [this, action, AExecute] {
    UpdateActions();
    if (action->isEnabled())
      Guarded([this, AExecute] { (this->*AExecute)(); });
  });
  return action;
}

void TfrmMain::CreateActions() {
  acnRetrieveData = NewAction("acnRetrieveData", "Retrieve data", "Configuration", &TfrmMain::acnRetrieveDataExecute);
  acnStopRetrieval = NewAction("acnStopRetrieval", "Stop", "Configuration", &TfrmMain::acnStopRetrievalExecute);
  acnStopRetrieval->setShortcut(QKeySequence(Qt::Key_Escape));
  addAction(acnStopRetrieval);  // Esc works wherever the focus is in the window
  acnLoadDataFromFile = NewAction("acnLoadDataFromFile", "Load data from file...", "Configuration",
                                  &TfrmMain::acnLoadDataFromFileExecute);
  acnLoadConfiguration = NewAction("acnLoadConfiguration", "Load configuration...", "Configuration",
                                   &TfrmMain::btnLoadConfigurationClick);
  acnSaveConfiguration = NewAction("acnSaveConfiguration", "Save configuration...", "Configuration",
                                   &TfrmMain::btnSaveCfgClick);
  acnLoadStatFromFile = NewAction("acnLoadStatFromFile", "Load statistics...", "Statistics",
                                  &TfrmMain::acnLoadStatFromFileExecute);
  acnSaveStatToFile = NewAction("acnSaveStatToFile", "Save statistics...", "Statistics",
                                &TfrmMain::acnSaveStatToFileExecute);
  acnRemove = NewAction("acnRemove", "Remove", "Statistics", &TfrmMain::acnRemoveExecute);
  acnRemoveAll = NewAction("acnRemoveAll", "Remove all", "Statistics", &TfrmMain::acnRemoveAllExecute);
  acnChartCopy = NewAction("acnChartCopy", "Copy", "Charts", &TfrmMain::acnChartCopyExecute);
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
  connect(p.lbxStatistics, &QListWidget::currentRowChanged, this, [this] { Guarded([this] { lbxStatisticsClick(); }); });
  connect(p.lbxStatistics, &QListWidget::itemClicked, this,
          [this](QListWidgetItem *AItem) { Guarded([this, AItem] { lbxStatisticsItemClicked(AItem); }); });
  connect(p.chkSNRBug, &QCheckBox::toggled, this, [this] { Guarded([this] { chkSNRBugClick(); }); });
  connect(pgcMain->btnHelp, &QPushButton::clicked, this, [this] { Guarded([this] { btnHelpClick(); }); });
  connect(pgcMain->btnAbout, &QPushButton::clicked, this, [this] { Guarded([this] { btnAboutClick(); }); });
  const std::pair<QPushButton *, TRawKind> raw[] = {{pgcMain->btnHLogShowRaw, TRawKind::HLog},
                                                    {pgcMain->btnQLNShowRawData, TRawKind::QLN},
                                                    {pgcMain->btnSNRShowRawData, TRawKind::SNR},
                                                    {pgcMain->btnBinShowRawData, TRawKind::Bins}};
  for (const auto &[button, kind] : raw)
    connect(button, &QPushButton::clicked, this, [this, kind] { Guarded([this, kind] { ShowRaw(int(kind)); }); });
  auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(f1, &QShortcut::activated, this, [this] { Guarded([this] { ShowHelpForFocus(); }); });
}

void TfrmMain::CreateMenus() {
  mnuCharts = new QMenu(this);
  mnuCharts->setObjectName(QStringLiteral("mnuCharts"));
  mnuCharts->addAction(acnChartCopy);
  CreateExportActions();
  mnuCharts->addAction(acnChartExport);
  CreateChartLookActions();
  for (TToneChart *chart : pgcMain->findChildren<TToneChart *>())
    connect(chart, &TToneChart::MenuRequested, this, &TfrmMain::PopupChartMenu);
  mnuStatListBox = new QMenu(this);
  mnuStatListBox->setObjectName(QStringLiteral("mnuStatListBox"));
  mnuStatListBox->addAction(acnRemove);
  mnuStatListBox->addAction(acnRemoveAll);
  mnuStatListBox->addAction(acnExportSnapshot);
  CreateRecentFilesMenu();
  CreateCompareActions();
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
  in.StatisticsCount = p.lbxStatistics->count();
  in.StatisticsSelected = GetSelectedDrayData() != nullptr;
  return in;
}

void TfrmMain::UpdateActions() {
  const TActionStates s = ComputeActionStates(CurrentActionInputs());
  acnRetrieveData->setEnabled(s.RetrieveData);
  acnStopRetrieval->setEnabled(s.StopRetrieval);
  acnLoadDataFromFile->setEnabled(s.LoadDataFromFile);
  acnLoadConfiguration->setEnabled(s.LoadConfiguration);
  acnSaveConfiguration->setEnabled(s.SaveConfiguration);
  acnLoadStatFromFile->setEnabled(s.LoadStatFromFile);
  acnSaveStatToFile->setEnabled(s.SaveStatToFile);
  acnRemove->setEnabled(s.Remove);
  acnRemoveAll->setEnabled(s.RemoveAll);
  acnChartCopy->setEnabled(s.ChartCopy);
  // Not while the reader writes a snapshot: an export reads every table.
  acnChartExport->setEnabled(!ReaderRunning());
  acnExportSnapshot->setEnabled(!ReaderRunning() && GetSelectedDrayData());
  pnlInputs->lbxStatistics->setEnabled(s.StatisticsList);
  UpdateCompareActions();
}

// ---- Snapshot list and display

void TfrmMain::DrayDataListNotify(TDrayDataList &ASender, TDrayData *AItem, TListNotification AAction) {
  if (AAction == TListNotification::Added)
    InsertEntry(AItem);
  else
    DeleteEntry(ASender, AItem);
}

void TfrmMain::SelectEntry(int ARow) {
  // Selecting from code shows nothing; only the user's choice redraws.
  const QSignalBlocker blocker(pnlInputs->lbxStatistics);
  pnlInputs->lbxStatistics->setCurrentRow(ARow);
}

void TfrmMain::InsertEntry(TDrayData *AItem) {
  QListWidget *list = pnlInputs->lbxStatistics;
  QStringList texts;
  for (int i = 0; i < list->count(); ++i)
    texts << list->item(i)->text();
  const QString name = QString::fromStdString(AItem->Name());
  const int row = SortedInsertIndex(texts, name);
  auto *entry = new QListWidgetItem(name);
  entry->setData(Qt::UserRole, QVariant::fromValue(static_cast<void *>(AItem)));
  list->insertItem(row, entry);
  SelectEntry(row);
}

void TfrmMain::DeleteEntry(TDrayDataList &ASender, TDrayData *AItem) {
  QListWidget *list = pnlInputs->lbxStatistics;
  int row = -1;
  for (int i = 0; i < list->count() && row < 0; ++i)
    if (SnapshotOf(list->item(i)) == AItem)
      row = i;
  if (row < 0)
    return;
  if (AItem == FDisplayedData)
    FDisplayedData = nullptr;
  if (AItem == Reference())
    ForgetReference();
  {
    const QSignalBlocker blocker(list);
    delete list->takeItem(row);
  }
  if (ASender.Count() == 0) {
    DisplayTextData(nullptr);
    DisplayChartData(nullptr);
    return;
  }
  SelectEntry(SelectionAfterDelete(row, list->count()));
}

// A click on the entry that is already selected shows it too, unless the
// display shows it already (a click that changed the selection has done so).
void TfrmMain::lbxStatisticsItemClicked(QListWidgetItem *AItem) {
  if (SnapshotOf(AItem) != FDisplayedData)
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
  const QListWidgetItem *item = pnlInputs->lbxStatistics->currentItem();
  return item && item->isSelected() ? SnapshotOf(item) : nullptr;
}

void TfrmMain::lbxStatisticsClick() {
  TDrayData *snapshot = GetSelectedDrayData();
  if (!snapshot)
    return;
  // Compared with itself a snapshot shows nothing worth a chart.
  if (snapshot == Reference())
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

void TfrmMain::CreateChartLookActions() {
  const TChartLook look = TChartLookSettings::Load();
  const std::pair<QAction **, std::pair<const char *, bool>> actions[] = {
      {&acnBandPlan, {"Band plan", look.BandPlan}},
      {&acnFrequencyAxis, {"Frequency in MHz", look.FrequencyAxis}},
      {&acnDarkCharts, {"Dark charts", look.Dark}}};
  mnuCharts->addSeparator();
  for (const auto &[action, setup] : actions) {
    *action = new QAction(QString::fromUtf8(setup.first), this);
    (*action)->setCheckable(true);
    (*action)->setChecked(setup.second);
    connect(*action, &QAction::toggled, this, [this] { Guarded([this] { ChartLookChanged(); }); });
    mnuCharts->addAction(*action);
  }
  // Choices of how the charts look rather than actions on data.
  acnBandPlan->setObjectName(QStringLiteral("chkBandPlan"));
  acnFrequencyAxis->setObjectName(QStringLiteral("chkFrequencyAxis"));
  acnDarkCharts->setObjectName(QStringLiteral("chkDarkCharts"));
}

// With no chart or no snapshot chosen they do nothing.
void TfrmMain::CreateExportActions() {
  acnChartExport = new QAction(QStringLiteral("Export..."), this);
  acnChartExport->setObjectName(QStringLiteral("acnChartExport"));
  connect(acnChartExport, &QAction::triggered, this, [this] { Guarded([this] { acnChartExportExecute(); }); });
  acnExportSnapshot = new QAction(QStringLiteral("Export snapshot..."), this);
  acnExportSnapshot->setObjectName(QStringLiteral("acnExportSnapshot"));
  connect(acnExportSnapshot, &QAction::triggered, this, [this] { Guarded([this] { acnExportSnapshotExecute(); }); });
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

void TfrmMain::ShowRaw(int AKind) {
  const auto kind = static_cast<TRawKind>(AKind);
  if (kind == TRawKind::Bins)
    TfrmRawBins::ShowBins(this, GetSelectedDrayData());
  else
    TfrmRawData::ShowRaw(this, GetSelectedDrayData(), kind);
}

void TfrmMain::closeEvent(QCloseEvent *AEvent) {
  // The window never waits for the reader; the run's snapshot is dropped.
  if (FReader)
    FReader->Terminate();
  AEvent->accept();
}
