#pragma once
// Which of the window's commands may run, as a function of what the window
// holds. Worked out again whenever the window is idle and before any runs.

struct TActionInputs {
  bool ReaderRunning = false;
  bool RouterFilled = false;      // edRouter
  bool PortFilled = false;        // edRouterPort
  bool UserFilled = false;        // edUser
  bool RouterNameFilled = false;  // edRouterName
  int StatisticsCount = 0;        // entries in lbxStatistics
  bool StatisticsSelected = false;
  bool ReferenceChosen = false;   // a snapshot the charts compare with
  bool RecentFilesKept = false;   // snapshot files remembered as recent
};

struct TActionStates {
  bool RetrieveData = false;
  // Asks the running reader to end; the Retrieve button stands for it meanwhile.
  bool StopRetrieval = false;
  bool LoadDataFromFile = false;
  bool LoadConfiguration = false;
  bool SaveConfiguration = false;
  bool LoadStatFromFile = false;
  bool SaveStatToFile = false;
  bool Remove = false;
  bool RemoveAll = false;
  bool ChartCopy = true;
  bool StatisticsList = false;  // the list box lbxStatistics itself
  bool ChartExport = false;
  bool ExportSnapshot = false;
  bool RecentFiles = false;     // the "Recent files" submenu
  bool OpenHistory = false;
  bool CompareWith = false;
  bool Difference = false;
  bool StopComparing = false;
  // Band plan, tone axis in MHz, dark charts: how the charts look, never
  // what they hold.
  bool ChartLook = true;
  bool operator==(const TActionStates &) const = default;
};

TActionStates ComputeActionStates(const TActionInputs &AInputs);
