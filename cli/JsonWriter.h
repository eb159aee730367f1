#pragma once
// A small streaming JSON writer: values are appended in order, commas and
// escapes are its business. Text must be UTF-8; malformed bytes become U+FFFD.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TJsonWriter {
public:
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(std::string_view AName);
  void String(std::string_view AText);
  void Integer(std::int64_t AValue);
  void Null();

  const std::string &Text() const { return FText; }

private:
  void BeforeValue();

  std::string FText;
  // Per open container: whether a value was written yet.
  std::vector<bool> FHasValue;
  bool FAfterKey = false;
};
