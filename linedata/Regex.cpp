#include "Regex.h"

#include <pcre2.h>

#include <stdexcept>
#include <string>

namespace {
// Enough pairs for the widest pattern (nine groups) and some slack.
constexpr uint32_t MatchPairs = 16;
} // namespace

TRegexMatch::TRegexMatch() : FData(pcre2_match_data_create(MatchPairs, nullptr)) {
  if (!FData)
    throw std::bad_alloc();
  FVector = pcre2_get_ovector_pointer(FData);
}

TRegexMatch::~TRegexMatch() { pcre2_match_data_free(FData); }

bool TRegexMatch::Took(int AGroup) const {
  return AGroup >= 0 && AGroup < FCount && FVector[2 * AGroup] != PCRE2_UNSET;
}

std::string_view TRegexMatch::Group(int AGroup) const {
  if (!Took(AGroup))
    return {};
  return FSubject.substr(FVector[2 * AGroup], FVector[2 * AGroup + 1] - FVector[2 * AGroup]);
}

std::size_t TRegexMatch::End() const { return FVector[1]; }

TRegex::TRegex(const char *APattern) {
  int Error = 0;
  PCRE2_SIZE Offset = 0;
  FCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(APattern), PCRE2_ZERO_TERMINATED,
                        PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &Error, &Offset, nullptr);
  if (!FCode) {
    PCRE2_UCHAR Message[256];
    pcre2_get_error_message(Error, Message, sizeof Message);
    throw std::logic_error("Pattern does not compile at " + std::to_string(Offset) + ": " +
                           reinterpret_cast<const char *>(Message));
  }
  // Without JIT support the interpreter gives the same results, only slower.
  FJit = pcre2_jit_compile(FCode, PCRE2_JIT_COMPLETE) == 0;
}

TRegex::~TRegex() { pcre2_code_free(FCode); }

bool TRegex::Search(std::string_view ASubject, std::size_t AStart, TRegexMatch &AMatch) const {
  // An empty view may carry a null pointer, which PCRE2 refuses.
  if (ASubject.data() == nullptr)
    ASubject = std::string_view("", 0);
  AMatch.FSubject = ASubject;
  const auto Subject = reinterpret_cast<PCRE2_SPTR>(ASubject.data());
  // The JIT entry skips the interpreter's per-call checks; the results are the same.
  const int Result = FJit ? pcre2_jit_match(FCode, Subject, ASubject.size(), AStart, 0, AMatch.FData, nullptr)
                          : pcre2_match(FCode, Subject, ASubject.size(), AStart, 0, AMatch.FData, nullptr);
  AMatch.FCount = Result > 0 ? Result : 0;
  return Result > 0;
}
