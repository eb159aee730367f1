// Which of the window's commands may run, for the situations a user meets:
// start-up, fields filled or emptied, entries listed or selected, a reference
// chosen, recent files kept, a reader running.
#include <gtest/gtest.h>

#include <string>

#include "ActionRules.h"

namespace {

TActionInputs Filled() {
  TActionInputs In;
  In.RouterFilled = In.PortFilled = In.UserFilled = In.RouterNameFilled = true;
  return In;
}

// Idle with no entries: everything that needs neither a selection nor the
// four fields.
TActionStates IdleEmpty() {
  TActionStates S;
  S.LoadDataFromFile = S.LoadConfiguration = S.SaveConfiguration = S.LoadStatFromFile = S.StatisticsList = true;
  S.ChartExport = S.OpenHistory = true;
  return S;
}

std::string Describe(const TActionStates &S) {
  std::string Text;
  const std::pair<const char *, bool> Flags[] = {
      {"RetrieveData", S.RetrieveData},     {"StopRetrieval", S.StopRetrieval},
      {"LoadDataFromFile", S.LoadDataFromFile},
      {"LoadConfiguration", S.LoadConfiguration}, {"SaveConfiguration", S.SaveConfiguration},
      {"LoadStatFromFile", S.LoadStatFromFile}, {"SaveStatToFile", S.SaveStatToFile},
      {"Remove", S.Remove},                 {"RemoveAll", S.RemoveAll},
      {"ChartCopy", S.ChartCopy},           {"StatisticsList", S.StatisticsList},
      {"ChartExport", S.ChartExport},       {"ExportSnapshot", S.ExportSnapshot},
      {"RecentFiles", S.RecentFiles},       {"OpenHistory", S.OpenHistory},
      {"CompareWith", S.CompareWith},       {"Difference", S.Difference},
      {"StopComparing", S.StopComparing},   {"ChartLook", S.ChartLook}};
  for (const auto &[Name, On] : Flags)
    if (On)
      Text += std::string(Name) + " ";
  return Text;
}

void ExpectStates(const char *ATitle, const TActionInputs &AInputs, const TActionStates &AExpected) {
  EXPECT_EQ(Describe(ComputeActionStates(AInputs)), Describe(AExpected)) << ATitle;
}

TEST(ActionRules, StartUpWithAddressAndUserEmpty) {
  TActionInputs Start;
  Start.PortFilled = Start.RouterNameFilled = true;
  ExpectStates("start-up", Start, IdleEmpty());
}

TEST(ActionRules, AllFourFieldsFilledEnableRetrieveWithAnEmptyPassword) {
  TActionStates Ready = IdleEmpty();
  Ready.RetrieveData = true;
  ExpectStates("filled", Filled(), Ready);
}

TEST(ActionRules, AnyEmptyFieldDisablesRetrieveButNotTheList) {
  for (bool TActionInputs::*Field : {&TActionInputs::RouterFilled, &TActionInputs::PortFilled,
                                     &TActionInputs::UserFilled, &TActionInputs::RouterNameFilled}) {
    TActionInputs In = Filled();
    In.StatisticsCount = 2;
    In.StatisticsSelected = true;
    In.*Field = false;
    TActionStates Expected = IdleEmpty();
    Expected.SaveStatToFile = Expected.Remove = Expected.RemoveAll = true;
    Expected.ExportSnapshot = Expected.CompareWith = true;
    ExpectStates("one field empty", In, Expected);
  }
}

TEST(ActionRules, SavingNeedsASelectedEntry) {
  TActionInputs Listed = Filled();
  Listed.StatisticsCount = 3;
  TActionStates Expected = IdleEmpty();
  Expected.RetrieveData = Expected.Remove = Expected.RemoveAll = true;
  ExpectStates("entries, none selected", Listed, Expected);

  Listed.StatisticsSelected = true;
  Expected.SaveStatToFile = Expected.ExportSnapshot = Expected.CompareWith = true;
  ExpectStates("entries, one selected", Listed, Expected);
}

TEST(ActionRules, ARunningReaderLeavesOnlyStopAndCopy) {
  TActionInputs Running = Filled();
  Running.StatisticsCount = 3;
  Running.StatisticsSelected = true;
  Running.ReferenceChosen = Running.RecentFilesKept = true;
  Running.ReaderRunning = true;
  TActionStates StopAndCopy;
  StopAndCopy.StopRetrieval = StopAndCopy.ChartCopy = StopAndCopy.ChartLook = true;
  ExpectStates("reader running", Running, StopAndCopy);
  // Stopping needs none of the fields: emptied mid-run, it still works.
  Running.RouterFilled = Running.UserFilled = false;
  ExpectStates("reader running, fields emptied", Running, StopAndCopy);
}

// Comparing needs a second entry to compare with and, for the difference
// and stopping, a reference; the recent files follow loading.
TEST(ActionRules, ComparisonAndRecentFilesFollowTheListAndTheReference) {
  const struct {
    const char *Title;
    int Count;
    bool Selected, Reference, Recent;
    bool CompareWith, Difference, RecentFiles;
  } Cases[] = {
      {"one entry selected", 1, true, false, false, false, false, false},
      {"two entries, none selected", 2, false, false, false, false, false, false},
      {"two entries, one selected", 2, true, false, false, true, false, false},
      {"a reference chosen", 2, true, true, false, true, true, false},
      {"recent files kept", 0, false, false, true, false, false, true},
  };
  for (const auto &Case : Cases) {
    TActionInputs In = Filled();
    In.StatisticsCount = Case.Count;
    In.StatisticsSelected = Case.Selected;
    In.ReferenceChosen = Case.Reference;
    In.RecentFilesKept = Case.Recent;
    const TActionStates States = ComputeActionStates(In);
    EXPECT_EQ(States.CompareWith, Case.CompareWith) << Case.Title;
    EXPECT_EQ(States.Difference, Case.Difference) << Case.Title;
    EXPECT_EQ(States.StopComparing, Case.Difference) << Case.Title;
    EXPECT_EQ(States.RecentFiles, Case.RecentFiles) << Case.Title;
    EXPECT_EQ(States.ExportSnapshot, Case.Selected && Case.Count > 0) << Case.Title;
  }
}

} // namespace
