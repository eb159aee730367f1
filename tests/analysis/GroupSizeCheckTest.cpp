// Group sizes that put a table's values past the profile's last tone: such a
// table is left out of the analysis, with a finding that says why.
#include <gtest/gtest.h>

#include <algorithm>

#include "DrayData.h"
#include "GroupSizeCheck.h"
#include "LineAnalysis.h"
#include "TestFiles.h"

namespace {

// Values in entries 0 to ALast.
TDrayStatArray TableTo(int ALast) {
  TDrayStatArray Table{};
  for (int Entry = 0; Entry <= ALast; ++Entry)
    Table[static_cast<std::size_t>(Entry)] = TStatValue::Of(-20);
  return Table;
}

} // namespace

TEST(GroupSizeCheck, FitsWhenTheLastValuedEntryStartsBelowTheToneCount) {
  const struct {
    int Last, GroupSize;
    TVDSLProfile Profile;
    bool Fits;
  } Cases[] = {
      {511, 8, vp17a, true},   {511, 159, vp17a, false}, {511, 16, vp17a, false}, {255, 16, vp17a, true},
      {511, 4, vp8b, true},    {511, 8, vp8b, false},    {511, 16, vp35b, true},  {511, 0, vp17a, false},
      {-1, 0, vp17a, true},    {-1, 255, vp8a, true},    {0, 255, vp8a, true},    {511, 16, vpNA, true},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(GroupSizeFits(TableTo(Case.Last), Case.GroupSize, Case.Profile), Case.Fits)
        << Case.Last << " x " << Case.GroupSize << " on " << ProfileName(Case.Profile);
}

// "GroupSize : 99999", kept as 159, on a 17A line: no notch, tap or
// disturber from that table, and a finding instead.
TEST(GroupSizeCheck, AnalysisLeavesOutATableWhoseGroupSizeDoesNotFit) {
  std::string Text = ReadBytes(FixturePath("line17a-hlog.txt"));
  const std::string Sizes = "GroupSize      :     8     8";
  ASSERT_NE(Text.find(Sizes), std::string::npos);
  Text.replace(Text.find(Sizes), Sizes.size(), "GroupSize      : 99999 99999");
  TTempFolder Folder;
  WriteBytes(Folder.Path("hlog.txt"), Text);
  TDrayData Data("misfit");
  Data.SetVDSLProfile(vp17a);
  Data.LoadHLogFromFile(Folder.Path("hlog.txt"));
  ASSERT_EQ(Data.Multipliers(TDrayKind::HLog)[0], 159);
  const TLineAnalysis Analysis = AnalyzeLine(Data);
  EXPECT_TRUE(Analysis.BridgedTaps.empty());
  EXPECT_FALSE(Analysis.Loop.Kl0Db.has_value());
  ASSERT_GE(Analysis.Findings.size(), 2u);
  EXPECT_EQ(Analysis.Findings[0],
            (TFinding{TFindingKind::GroupSize, TSeverity::Warning,
                      "The HLOG group size 159 (upstream) does not fit the 4096 tones of 17A; that table is left out "
                      "of the analysis"}));
  EXPECT_EQ(Analysis.Findings[1].Text,
            "The HLOG group size 159 (downstream) does not fit the 4096 tones of 17A; that table is left out of the "
            "analysis");
}
