#include "IntegerText.h"

#include <string>

#include "Exceptions.h"

std::optional<std::int32_t> TryTextToInt(std::string_view AText) {
  bool Negative = false;
  if (!AText.empty() && AText.front() == '-') {
    Negative = true;
    AText.remove_prefix(1);
  }
  if (AText.empty())
    return std::nullopt;
  // The magnitude may reach 2^31 for the most negative number.
  const std::int64_t Limit = Negative ? 2147483648LL : 2147483647LL;
  std::int64_t Value = 0;
  for (const char C : AText) {
    if (C < '0' || C > '9')
      return std::nullopt;
    Value = Value * 10 + (C - '0');
    if (Value > Limit)
      return std::nullopt;
  }
  return static_cast<std::int32_t>(Negative ? -Value : Value);
}

std::int32_t TextToInt(std::string_view AText) {
  if (const auto Value = TryTextToInt(AText))
    return *Value;
  throw EConvertError("'" + std::string(AText) + "' is not a valid integer value");
}

std::int32_t TextToIntDef(std::string_view AText, std::int32_t ADefault) {
  return TryTextToInt(AText).value_or(ADefault);
}
