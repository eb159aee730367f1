#pragma once
// The main window: connection settings and snapshot list on the right, the
// status text and the charts on tabs to the left, a status bar below.

#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>
#include <QPointer>

#include "ActionRules.h"
#include "Comparison.h"
#include "HistoryState.h"
#include "LineView.h"
#include "MainCharts.h"
#include "MainPages.h"
#include "InputPanel.h"
#include "RawText.h"
#include "RetrievalTimeouts.h"
#include "RetrievalView.h"
#include "DrayDataList.h"
#include "SnapshotList.h"
#include "Timeline.h"

class IErrorDisplay;
class ITopicViewer;
class QAction;
class QLabel;
class QProgressBar;
class QMenu;
class QStatusBar;
class IFileDialogs;
class TQtMainThreadQueue;
class TTelnetClient;
class TWindowReader;
class THistoryStore;

// Where the window shows errors and help; none means its own message boxes
// and help window. Tests pass recording ones.
struct TMainServices {
  IErrorDisplay *Errors = nullptr;
  ITopicViewer *Help = nullptr;
  IFileDialogs *FileDialogs = nullptr;
};

class TfrmMain : public QMainWindow, public IRetrievalView {
  Q_OBJECT
public:
  // AArguments: the command line after the program's own name.
  explicit TfrmMain(const QStringList &AArguments = {}, TMainServices AServices = {}, QWidget *AParent = nullptr);
  ~TfrmMain() override;

  // Reached by the tests; every other control they find by its object name.
  TInputPanel *pnlInputs = nullptr;
  TMainPages *pgcMain = nullptr;
  // The reader's progress and the reason a snapshot is incomplete: a label of
  // its own, which a menu item's status tip only covers for a moment.
  QLabel *lblStatus = nullptr;
  // Which command of a retrieval is under way; shown only while one runs.
  QProgressBar *pbRetrieval = nullptr;
  QAction *acnRetrieveData = nullptr, *acnLoadDataFromFile = nullptr, *acnLoadStatFromFile = nullptr,
          *acnSaveStatToFile = nullptr, *acnRemove = nullptr, *acnRemoveAll = nullptr, *acnChartCopy = nullptr;
  // On the charts' pop-up menu, checked: the profile's bands shaded, the tone
  // axis in MHz, dark charts. All are remembered in the user's settings.
  QAction *acnBandPlan = nullptr, *acnFrequencyAxis = nullptr, *acnDarkCharts = nullptr;
  // "Export..." on the charts' menu, "Export snapshot..." on the list's.
  QAction *acnChartExport = nullptr, *acnExportSnapshot = nullptr;
  // On the list's pop-up menu: a database of captures into the list and the
  // timeline; a reference snapshot to compare with, drawn beside the shown
  // one or, checked, as the difference from it.
  QAction *acnOpenHistory = nullptr, *acnCompareWith = nullptr, *acnDifference = nullptr;
  QMenu *mnuCharts = nullptr;
  QMenu *mnuStatListBox = nullptr;

  TDrayDataList &DrayDataList() { return *FDrayDataList; }
  // The entries of lbxStatistics, which shows them.
  const TSnapshotList &SnapshotList() const { return FSnapshotList; }
  TMainCharts &Charts() { return *FCharts; }
  TLineView &LineView() { return *FLineView; }
  // The value of the switch "c", when the command line carries it.
  const std::optional<std::string> &ConfigFileName() const { return FConfigFileName; }
  bool ReaderRunning() const { return FReader != nullptr; }
  // The waits of every retrieval started from now on (tests shorten them).
  void SetRetrievalTimeouts(TRetrievalTimeouts ATimeouts) { FTimeouts = ATimeouts; }

  // Works out every action's enabled state (on idle and before any runs).
  void UpdateActions();
  TActionInputs CurrentActionInputs() const;

  TDrayData *GetSelectedDrayData() const;
  void lbxStatisticsClick();
  void DisplayChartData(TDrayData *AData);

  // IRetrievalView: what a retrieval asks the window to show.
  void SetStatusText(const std::string &AText) override;
  void Progress(int AStep, int ASteps, const std::string &ACommand) override;
  void UpdateProfileLabel(TVDSLProfile AProfile) override;
  void DisplayTextData(TDrayData *AData) override;
  void GroupStored(TDrayKind AKind, TDrayData *AData) override;

  // Action handlers.
  void acnRetrieveDataExecute();
  void acnStopRetrievalExecute();
  void acnLoadDataFromFileExecute();
  void btnLoadConfigurationClick();
  void btnSaveCfgClick();
  void acnLoadStatFromFileExecute();
  void acnSaveStatToFileExecute();
  void acnRemoveExecute();
  void acnRemoveAllExecute();
  void acnChartCopyExecute();

  // Retrieval.
  void StartRetrieval();
  std::string GenerateDataFileName() const;
  void ReaderTerminate(TWindowReader &ASender);

  // Statistics and configuration files.
  void SaveStatistics();
  void LoadStatistics();
  // Loads one statistics file as "Load statistics..." does: given on the
  // command line, dropped on the window, or chosen in the dialog.
  void LoadStatisticsFile(const std::string &AFileName);
  void LoadStatisticsFiles(const QStringList &AFileNames);
  // "Recent files" on the list's pop-up menu, filled each time it opens.
  QMenu *mnuRecentFiles = nullptr;
  void CreateRecentFilesMenu();
  void FillRecentFilesMenu();
  void mnuRecentFileClick(const QString &AFileName);
  void SaveConfiguration(const std::string &AFileName);
  void LoadConfiguration(const std::string &AFileName);

  // Opens the chart pop-up menu for AChart (as a right click does).
  void PopupChartMenu(TToneChart *AChart, const QPoint &AGlobalPos);
  void CreateChartLookActions();
  void ChartLookChanged();
  void acnChartExportExecute();
  void acnExportSnapshotExecute();
  // History and comparison.
  void acnOpenHistoryExecute();
  // Opens a history database: the snapshots of its latest successful
  // captures join the list, the timeline shows every capture, and the SNR
  // and bit-loading charts the envelope of the chosen range.
  void OpenHistory(const std::string &AFileName);
  const THistoryStore *History() const { return FHistory.Store(); }
  // The captures whose envelope the charts draw (none: all).
  void ChooseEnvelopeRange(std::optional<TTimeRange> ARange);
  void acnCompareWithExecute();
  void CompareWith(TDrayData *AReference);
  void StopComparing();
  void acnDifferenceExecute();
  const TDrayData *Reference() const { return FComparison.Reference(); }
  // The help topic F1 opens now.
  int FocusedHelpContext() const;

signals:
  // Each text SetStatusText shows, as it is shown.
  void StatusTextChanged(const QString &AText);

protected:
  void closeEvent(QCloseEvent *AEvent) override;
  void dragEnterEvent(QDragEnterEvent *AEvent) override;
  void dropEvent(QDropEvent *AEvent) override;
  bool eventFilter(QObject *AWatched, QEvent *AEvent) override;

private:
  void FormCreate(const QStringList &AArguments);
  void CreateActions();
  // Every action is made here: it runs AExecute only when its rule, worked
  // out again just before, lets it.
  QAction *NewAction(const char *AName, const char *ACaption, const char *ACategory, bool TActionStates::*ARule,
                     void (TfrmMain::*AExecute)(), bool ACheckable = false);
  void BindControls();
  void CreateMenus();
  void DrayDataListNotify(TDrayDataList &ASender, TDrayData *AItem, TListNotification AAction);
  void InsertEntry(TDrayData *AItem);
  void DeleteEntry(TDrayDataList &ASender, TDrayData *AItem);
  // lbxStatistics's selection as the snapshot list has it; nothing is shown.
  void ShowSelectedRow();
  void lbxStatisticsSelectionChanged();
  void lbxStatisticsItemClicked(int ARow);
  void chkSNRBugClick();
  void ShowHelpForFocus();
  void btnHelpClick();
  void btnAboutClick();
  void ShowRaw(TRawKind AKind);
  void CreateCompareActions();
  void MarkReference();
  void ForgetReference();
  // Draws the selected snapshot again, as its overlays now are.
  void RedrawCharts();
  void UpdateEnvelope(const TDrayData *AData);
  // Runs AHandler; a failure it lets through reaches the general error report.
  template <class F> void Guarded(F &&AHandler) {
    try {
      AHandler();
    } catch (const std::exception &E) {
      ShowGeneralErrorReport(E);
    }
  }
  void ShowGeneralErrorReport(const std::exception &AFailure);

  std::unique_ptr<IErrorDisplay> FOwnErrors;
  std::unique_ptr<ITopicViewer> FOwnHelp;
  std::unique_ptr<IFileDialogs> FOwnFileDialogs;
  IErrorDisplay *FErrors = nullptr;
  ITopicViewer *FHelp = nullptr;
  IFileDialogs *FFileDialogs = nullptr;
  std::unique_ptr<TDrayDataList> FDrayDataList;
  TSnapshotList FSnapshotList;
  TComparison FComparison;
  THistoryState FHistory;
  // Each action with the rule that enables it.
  std::vector<std::pair<QAction *, bool TActionStates::*>> FActionRules;
  QStatusBar *sbMain = nullptr;
  QAction *acnStopRetrieval = nullptr, *acnLoadConfiguration = nullptr, *acnSaveConfiguration = nullptr,
          *acnStopComparing = nullptr;
  std::unique_ptr<TMainCharts> FCharts;
  std::unique_ptr<TLineView> FLineView;
  std::optional<std::string> FConfigFileName;
  // The window's Telnet client, lent to each reader, which keeps it alive
  // for as long as its run needs it, also when the window goes first.
  std::shared_ptr<TTelnetClient> FTelnet;
  std::shared_ptr<TQtMainThreadQueue> FQueue;
  TRetrievalTimeouts FTimeouts;
  // Alive while set: it frees itself only after ReaderTerminate has run.
  TWindowReader *FReader = nullptr;
  QPointer<TToneChart> FChartMenuComponent;
  // The snapshot the charts show; compared only, never read through.
  const TDrayData *FDisplayedData = nullptr;
};
