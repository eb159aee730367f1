#include "ActionRules.h"

TActionStates ComputeActionStates(const TActionInputs &AInputs) {
  const bool idle = !AInputs.ReaderRunning;
  const bool hasEntries = AInputs.StatisticsCount > 0;
  const bool selected = hasEntries && AInputs.StatisticsSelected;
  TActionStates states;
  // The password may be empty; nothing is trimmed or checked beyond that.
  states.RetrieveData = idle && AInputs.RouterFilled && AInputs.PortFilled && AInputs.UserFilled &&
                        AInputs.RouterNameFilled;
  states.StopRetrieval = AInputs.ReaderRunning;
  states.LoadDataFromFile = idle;
  states.LoadConfiguration = idle;
  states.SaveConfiguration = idle;
  states.LoadStatFromFile = idle;
  states.SaveStatToFile = idle && selected;
  states.Remove = idle && hasEntries;
  states.RemoveAll = states.Remove;
  states.ChartCopy = true;
  // Saved snapshots must stay browsable without any connection settings, so
  // the list follows the reader alone, not the connection fields.
  states.StatisticsList = idle;
  // Not while the reader writes a snapshot: an export reads every table.
  states.ChartExport = idle;
  states.ExportSnapshot = idle && selected;
  states.RecentFiles = states.LoadStatFromFile && AInputs.RecentFilesKept;
  states.OpenHistory = idle;
  // A reference other than the snapshot shown needs a second entry.
  states.CompareWith = idle && selected && AInputs.StatisticsCount >= 2;
  states.Difference = idle && AInputs.ReferenceChosen;
  states.StopComparing = states.Difference;
  states.ChartLook = true;
  return states;
}
