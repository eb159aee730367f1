// A retrieval writes raw text on its own thread while the window copies it
// under the kind's shared lock: every copy must be one whole state.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <shared_mutex>
#include <thread>

#include "DrayData.h"
#include "TestFiles.h"

namespace {

TEST(DrayDataLocks, ReadersUnderSharedLockNeverSeeHalfWrittenText) {
  TDrayData Data;
  const TTextLines A(3, "bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,");
  const TTextLines B(5, "bin=   8:  -9,-10,-11,-12,-13,-14,-15,-16,");
  const TTextLines BinsA(2, "1 2 3 4 * 5 6 7 8");
  const TTextLines BinsB(4, "9 10 11 12");
  std::atomic<bool> Done{false};

  std::thread Writer([&] {
    for (int I = 0; I < 300; ++I) {
      Data.SetRaw(TDrayKind::HLog, TDirection::Upstream, I % 2 ? A : B);
      Data.SetBinStatsDSRaw(I % 2 ? BinsA : BinsB);
      Data.SetQLNData({" US: (dBm/Hz)", "u", "x", " DS: (dBm/Hz)", "d", "p"});
    }
    Done = true;
  });
  int Copies = 0, Mixed = 0;
  while (!Done || Copies == 0) {
    TTextLines HLog, Bins;
    {
      std::shared_lock Guard(Data.HLogLock());
      HLog = Data.HLogUSRaw();
    }
    {
      std::shared_lock Guard(Data.BinStatLock());
      Bins = Data.BinStatsDSRaw();
    }
    if (!(HLog.empty() || HLog == A || HLog == B) || !(Bins.empty() || Bins == BinsA || Bins == BinsB))
      ++Mixed;
    ++Copies;
  }
  Writer.join();
  EXPECT_EQ(Mixed, 0);
  EXPECT_EQ(Data.QLNDSRaw().size(), 300u);
}

TEST(DrayDataLocks, SnapshotsParseOnSeveralThreadsAtOnce) {
  TDrayData Data[4];
  std::thread Threads[4];
  for (int T = 0; T < 4; ++T)
    Threads[T] = std::thread([&Data, T] {
      for (int I = 0; I < 50; ++I) {
        Data[T].SetSNRData({"GroupSize : 8 8", " US: (dB)", "bin=   0:  1, 2, 3, 4, 5, 6, 7, 8,", "x", " DS: (dB)",
                            "bin=   0:  9, 9, 9, 9, 9, 9, 9, 9,", "p"});
        Data[T].IdentifyVDSLProfile({"Running Mode : 35B"});
        Data[T].Clear();
      }
    });
  for (std::thread &Thread : Threads)
    Thread.join();
  for (const TDrayData &One : Data) {
    EXPECT_EQ(One.SNRStatsUS()[7], TStatValue::Of(8));
    EXPECT_EQ(One.VDSLProfile(), vp35b);
  }
}

// A snapshot file is loaded on the main thread while nothing else writes the
// snapshot; its raw text is still stored under each kind's lock, so a reader
// that copies under the shared lock sees one whole state.
TEST(DrayDataLocks, LoadingAFileStoresRawTextUnderTheKindsLock) {
  TTempFolder Folder;
  const TTextLines A(40, "bin=   0:  -1, -2, -3, -4, -5, -6, -7, -8,");
  const TTextLines B(7, "bin=   8:  -9,-10,-11,-12,-13,-14,-15,-16,");
  for (const bool First : {true, false}) {
    TDrayData Saved("saved");
    Saved.SetBinStatsUSRaw(First ? A : B);
    Saved.SaveToFile(Folder.Path(First ? "a.draydata" : "b.draydata"));
  }
  TDrayData Data;
  std::atomic<bool> Done{false};
  int Copies = 0, Mixed = 0;
  std::thread Reader([&] {
    while (!Done || Copies == 0) {
      TTextLines Copy;
      {
        std::shared_lock Guard(Data.BinStatLock());
        Copy = Data.BinStatsUSRaw();
      }
      if (!(Copy.empty() || Copy == A || Copy == B))
        ++Mixed;
      ++Copies;
    }
  });
  for (int I = 0; I < 100; ++I)
    Data.LoadFromFile(Folder.Path(I % 2 ? "a.draydata" : "b.draydata"));
  Done = true;
  Reader.join();
  EXPECT_EQ(Mixed, 0);
  EXPECT_EQ(Data.BinStatsUSRaw(), A);
}

TEST(DrayDataLocks, EachKindHasItsOwnLock) {
  TDrayData Data;
  std::unique_lock Held(Data.HLogLock());
  std::thread Other([&] {
    EXPECT_FALSE(Data.HLogLock().try_lock_shared());
    for (TDrayLock *Lock : {&Data.QLNLock(), &Data.SNRLock(), &Data.BinStatLock()}) {
      ASSERT_TRUE(Lock->try_lock());
      Lock->unlock();
    }
  });
  Other.join();
}

} // namespace
