#pragma once
// The history database the window has open: its captures, the snapshots of
// the latest ones joined to the snapshot list, and the range of time whose
// captures the charts' envelope covers.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Capture.h"
#include "Timeline.h"

class TDrayData;
class THistoryStore;
class TSnapshotList;
struct TToneEnvelope;

// Called before each step of a long read; false stops the read there.
using THistoryStep = std::function<bool()>;

// The snapshots an opened database brings to the list, oldest first.
struct THistoryJoin {
  std::vector<std::unique_ptr<TDrayData>> Snapshots;
  int Failures = 0;          // captures whose snapshot could not be read
  std::string FirstFailure;  // why the first of them could not
};

class THistoryState {
public:
  // The list holds whole snapshots; beyond the latest ones the timeline and
  // the envelope still cover every capture.
  static constexpr std::size_t ListLimit = 200;

  THistoryState();
  ~THistoryState();
  THistoryState(const THistoryState &) = delete;
  THistoryState &operator=(const THistoryState &) = delete;

  // Opens the database and reads its captures in place of the one open
  // before, with no range chosen. On EHistoryError nothing changes.
  void Open(const std::string &AFileName);
  const THistoryStore *Store() const { return FStore.get(); }
  const std::vector<TCapture> &Captures() const { return FCaptures; }
  // The successful captures whose snapshots the list takes (the latest
  // ListLimit), and those left out for being older.
  std::size_t Listed() const;
  std::size_t Unlisted() const;
  // The snapshots of the latest successful captures whose entries the list
  // does not hold yet, named as their entries read: opening a database again
  // brings only the captures made since.
  THistoryJoin ReadSnapshots(const TSnapshotList &AList, const THistoryStep &AStep) const;
  std::string StatusText() const;

  void ChooseRange(std::optional<TTimeRange> ARange) { FRange = ARange; }
  const std::optional<TTimeRange> &Range() const { return FRange; }
  // How many captures of AProfile in the range the envelope reads.
  int EnvelopeCaptures(const std::string &AProfile) const;
  // None when no capture of AProfile lies in the range, or the read stopped.
  std::optional<TToneEnvelope> Envelope(const std::string &AProfile, const THistoryStep &AStep) const;

private:
  std::optional<std::string> From() const;
  std::optional<std::string> To() const;

  std::unique_ptr<THistoryStore> FStore;
  std::vector<TCapture> FCaptures;
  std::optional<TTimeRange> FRange;
};

// A capture's entry in the list: its time as people read it, then the
// router. A snapshot file stored as it was keeps the file's name, whose date
// is the capture's time already.
std::string HistoryEntryName(const TCapture &ACapture);
