// The bins scanner against the pattern that defines a quadruple: every input,
// taken as one line, must give the same entries, the same answer to whether
// the line held a quadruple, and the same conversion error.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "BinsLine.h"
#include "Exceptions.h"

namespace {

struct TReading {
  bool Matched = false;
  std::string Error;
  TDrayBinArray Table{};
};

template <typename TReader> TReading Read(TReader AReader, std::string_view ALine) {
  TReading Reading;
  try {
    Reading.Matched = AReader(ALine, Reading.Table);
  } catch (const EConvertError &E) {
    Reading.Error = E.what();
  }
  return Reading;
}

void Require(bool ACondition) {
  if (!ACondition)
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *AData, std::size_t ASize) {
  const std::string_view Line(reinterpret_cast<const char *>(AData), ASize);
  const TReading Pattern = Read(ReadBinsLineByPattern, Line);
  const TReading Scanner = Read(ScanBinsLine, Line);
  Require(Pattern.Error == Scanner.Error);
  Require(!Pattern.Error.empty() || Pattern.Matched == Scanner.Matched);
  Require(Pattern.Table == Scanner.Table);
  return 0;
}
