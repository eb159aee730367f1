#include "ThinningPlan.h"

#include <algorithm>

TThinningPlanner::TThinningPlanner(const TRetentionPolicy &APolicy, std::int64_t ANow)
    : FPolicy(APolicy), FNow(ANow) {}

// A tier's spans are counted from 1970, so that a span keeps its snapshot
// from one thinning to the next.
std::optional<std::pair<std::size_t, std::int64_t>> TThinningPlanner::SpanOf(std::int64_t ATime) const {
  const std::int64_t Age = FNow - ATime;
  for (std::size_t Tier = 0; Tier < FPolicy.Tiers.size(); ++Tier) {
    const TRetentionTier &T = FPolicy.Tiers[Tier];
    if (T.Until && Age > *T.Until)
      continue;
    // Every snapshot of an "all" tier is a span of its own: -1 - its index.
    if (!T.Every)
      return std::make_pair(Tier, -1 - FSnapshots);
    const std::int64_t Span = ATime >= 0 ? ATime / *T.Every : (ATime + 1) / *T.Every - 1;
    return std::make_pair(Tier, Span);
  }
  return std::nullopt;
}

void TThinningPlanner::Add(const TStoredSnapshot &ASnapshot) {
  const auto Span = SpanOf(ASnapshot.Time);
  ++FSnapshots;
  if (ASnapshot.Line != FLine || Span != FSpan || !Span)
    CloseSpan();
  FLine = ASnapshot.Line;
  FSpan = Span;
  if (Span)
    FInSpan.push_back(ASnapshot);
  else
    FDropped.emplace_back(ASnapshot.Id, ASnapshot.Base.has_value());
}

// The span's full snapshot, or its first when it has none, stays.
void TThinningPlanner::CloseSpan() {
  if (FInSpan.empty())
    return;
  auto Kept = std::find_if(FInSpan.begin(), FInSpan.end(), [](const TStoredSnapshot &S) { return !S.Base; });
  if (Kept == FInSpan.end())
    Kept = FInSpan.begin();
  if (Kept->Base)
    FNeededBases.insert(*Kept->Base);
  for (auto It = FInSpan.begin(); It != FInSpan.end(); ++It)
    if (It != Kept)
      FDropped.emplace_back(It->Id, It->Base.has_value());
  FInSpan.clear();
}

TThinningPlan TThinningPlanner::Finish() {
  CloseSpan();
  TThinningPlan Plan;
  Plan.Snapshots = FSnapshots;
  // Those made against a base go first: a thinning stopped halfway never
  // leaves one whose base is gone.
  std::stable_partition(FDropped.begin(), FDropped.end(), [](const auto &ADropped) { return ADropped.second; });
  for (const auto &[Id, HasBase] : FDropped) {
    if (FNeededBases.count(Id))
      ++Plan.KeptAsBase;
    else
      Plan.Drop.push_back(Id);
  }
  FDropped.clear();
  return Plan;
}
