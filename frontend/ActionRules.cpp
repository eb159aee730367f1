#include "ActionRules.h"

TActionStates ComputeActionStates(const TActionInputs &AInputs) {
  const bool idle = !AInputs.ReaderRunning;
  const bool hasEntries = AInputs.StatisticsCount > 0;
  TActionStates states;
  // The password may be empty; nothing is trimmed or checked beyond that.
  states.RetrieveData = idle && AInputs.RouterFilled && AInputs.PortFilled && AInputs.UserFilled &&
                        AInputs.RouterNameFilled;
  states.StopRetrieval = AInputs.ReaderRunning;
  states.LoadDataFromFile = idle;
  states.LoadConfiguration = idle;
  states.SaveConfiguration = idle;
  states.LoadStatFromFile = idle;
  states.SaveStatToFile = idle && hasEntries && AInputs.StatisticsSelected;
  states.Remove = idle && hasEntries;
  states.RemoveAll = states.Remove;
  states.ChartCopy = true;
  // Saved snapshots must stay browsable without any connection settings, so
  // the list follows the reader alone, not the connection fields.
  states.StatisticsList = idle;
  return states;
}
