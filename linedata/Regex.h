#pragma once
// A PCRE2 pattern compiled once (with JIT where the platform has it) and the
// match data one search fills. Subjects are UTF-8; invalid bytes never match
// but never fail either. \s and \d stay ASCII: no UCP.

#include <cstddef>
#include <string_view>

struct pcre2_real_code_8;
struct pcre2_real_match_data_8;

// The result of one search; reused across searches to avoid allocations.
class TRegexMatch {
public:
  TRegexMatch();
  ~TRegexMatch();
  TRegexMatch(const TRegexMatch &) = delete;
  TRegexMatch &operator=(const TRegexMatch &) = delete;

  // Number of the highest capture group that took part (0: only the whole match).
  int HighestGroup() const { return FCount - 1; }
  bool Took(int AGroup) const;
  std::string_view Group(int AGroup) const;
  std::size_t End() const;

private:
  friend class TRegex;
  pcre2_real_match_data_8 *FData;
  const std::size_t *FVector;  // the match data's offset pairs
  std::string_view FSubject;
  int FCount = 0;
};

class TRegex {
public:
  explicit TRegex(const char *APattern);
  ~TRegex();
  TRegex(const TRegex &) = delete;
  TRegex &operator=(const TRegex &) = delete;

  // Searches ASubject from byte AStart onward; false when nothing matches.
  bool Search(std::string_view ASubject, std::size_t AStart, TRegexMatch &AMatch) const;

private:
  pcre2_real_code_8 *FCode;
  bool FJit = false;
};
