// Identifying the VDSL profile from the "Running Mode" line of the status text.
#include <gtest/gtest.h>

#include "DrayData.h"
#include "TestFiles.h"

namespace {

struct TProfileCase {
  const char *Title;
  TTextLines Status;
  TVDSLProfile Expected;  // vpNA: identification fails
};

class ProfileCases : public testing::TestWithParam<TProfileCase> {};

TEST_P(ProfileCases, IdentifiesOrRefuses) {
  TDrayData Data;
  Data.SetVDSLProfile(vp8d);
  if (GetParam().Expected == vpNA) {
    try {
      Data.IdentifyVDSLProfile(GetParam().Status);
      FAIL() << "identified " << ProfileName(Data.VDSLProfile());
    } catch (const EDrayDataError &AError) {
      EXPECT_STREQ(AError.what(), "Unable to retrieve profile from VDSL data");
    }
    EXPECT_EQ(Data.VDSLProfile(), vp8d);
  } else {
    Data.IdentifyVDSLProfile(GetParam().Status);
    EXPECT_EQ(Data.VDSLProfile(), GetParam().Expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Status, ProfileCases,
    testing::Values(
        TProfileCase{"P35B", {"  Running Mode            :      35B       State : SHOWTIME"}, vp35b},
        TProfileCase{"P8A", {"Running Mode : 8A"}, vp8a},
        TProfileCase{"P8C", {"Running Mode\t:\t8C"}, vp8c},
        TProfileCase{"P12B", {"Running Mode : 12B"}, vp12b},
        TProfileCase{"P30A", {"Running Mode : 30A"}, vp30a},
        TProfileCase{"NameRunsOn", {"Running Mode : 12AB"}, vp12a},
        TProfileCase{"AcrossLineEnds", {"Running Mode", ":", "17A"}, vp17a},
        TProfileCase{"EightDNotRecognised", {"Running Mode : 8D"}, vpNA},
        TProfileCase{"LowerCaseName", {"Running Mode : 17a"}, vpNA},
        TProfileCase{"NoBlankBeforeColon", {"Running Mode: 17A"}, vpNA},
        TProfileCase{"NoRunningMode", {"State : SHOWTIME"}, vpNA},
        TProfileCase{"Empty", {}, vpNA},
        TProfileCase{"FirstMatchingLineDecides", {"Running Mode : 8D", "Running Mode : 17A", "Running Mode : 35B"}, vp17a}),
    [](const auto &AInfo) { return std::string(AInfo.param.Title); });

TEST(Profile, RealStatusAnswerIs17A) {
  TDrayData Data;
  Data.IdentifyVDSLProfile(SplitText(ReadBytes(FixturePath("router-vdsl-status-17a.txt"))));
  EXPECT_EQ(Data.VDSLProfile(), vp17a);
}

TEST(Profile, WritingStatsIdentifiesFirstAndKeepsOldTextOnFailure) {
  TDrayData Data;
  Data.SetStats({"Running Mode : 30A", "more"});
  EXPECT_EQ(Data.VDSLProfile(), vp30a);
  EXPECT_EQ(Data.Stats(), (TTextLines{"Running Mode : 30A", "more"}));
  EXPECT_THROW(Data.SetStats({"nothing"}), EDrayDataError);
  EXPECT_EQ(Data.Stats(), (TTextLines{"Running Mode : 30A", "more"}));
  EXPECT_EQ(Data.VDSLProfile(), vp30a);
}

TEST(Profile, NamesAndLookup) {
  const char *Names[] = {"N/A", "8A", "8B", "8C", "8D", "12A", "12B", "17A", "30A", "35B"};
  for (int I = 0; I < VDSLProfileCount; ++I) {
    EXPECT_STREQ(VDSLProfileNames[I], Names[I]);
    EXPECT_EQ(ProfileFromName(Names[I]), static_cast<TVDSLProfile>(I));
  }
  EXPECT_EQ(ProfileFromName("n/a"), vpNA);
  EXPECT_EQ(ProfileFromName("35b"), vp35b);
  EXPECT_EQ(ProfileFromName("17"), std::nullopt);
  EXPECT_EQ(ProfileFromName(""), std::nullopt);
}

TEST(Profile, ToneSpacingIsDoubledFor30AOnly) {
  for (int I = 0; I < VDSLProfileCount; ++I) {
    const auto Profile = static_cast<TVDSLProfile>(I);
    EXPECT_EQ(ToneSpacingHz(Profile), Profile == vp30a ? 8625.0 : 4312.5) << ProfileName(Profile);
  }
  // Tone 3478, the last of 30A, lies just below 30 MHz.
  EXPECT_EQ(3478 * ToneSpacingHz(vp30a), 29997750.0);
  EXPECT_EQ(ToneSpacingHz(static_cast<TVDSLProfile>(200)), 4312.5);  // damaged file: taken as N/A
}

TEST(StatusText, AddStatDataAppendsHeadersThenLines) {
  TDrayData Data;
  Data.AddStatData({}, nullptr);
  EXPECT_TRUE(Data.Stats().empty());
  const TTextLines Answer = {"a", "b"};
  Data.AddStatData({"", " [ STATUS ]"}, &Answer);
  Data.AddStatData({" [ INVENTORY ]"}, nullptr);
  EXPECT_EQ(Data.Stats(), (TTextLines{"", " [ STATUS ]", "a", "b", " [ INVENTORY ]"}));
}

} // namespace
