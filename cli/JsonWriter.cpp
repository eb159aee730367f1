#include "JsonWriter.h"

#include <cstdio>

#include "CodePage.h"

void TJsonWriter::BeforeValue() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (!FHasValue.empty()) {
    if (FHasValue.back())
      FText += ',';
    FHasValue.back() = true;
  }
}

void TJsonWriter::BeginObject() {
  BeforeValue();
  FText += '{';
  FHasValue.push_back(false);
}

void TJsonWriter::EndObject() {
  FText += '}';
  FHasValue.pop_back();
}

void TJsonWriter::BeginArray() {
  BeforeValue();
  FText += '[';
  FHasValue.push_back(false);
}

void TJsonWriter::EndArray() {
  FText += ']';
  FHasValue.pop_back();
}

void TJsonWriter::Key(std::string_view AName) {
  String(AName);
  FText += ':';
  FAfterKey = true;
}

void TJsonWriter::String(std::string_view AText) {
  BeforeValue();
  FText += '"';
  for (const char C : SanitizeUtf8(AText)) {
    switch (C) {
    case '"': FText += "\\\""; break;
    case '\\': FText += "\\\\"; break;
    case '\n': FText += "\\n"; break;
    case '\r': FText += "\\r"; break;
    case '\t': FText += "\\t"; break;
    default:
      if (static_cast<unsigned char>(C) < 0x20) {
        char Escape[8];
        std::snprintf(Escape, sizeof Escape, "\\u%04x", static_cast<unsigned>(C));
        FText += Escape;
      } else {
        FText += C;
      }
    }
  }
  FText += '"';
}

void TJsonWriter::Integer(std::int64_t AValue) {
  BeforeValue();
  FText += std::to_string(AValue);
}

void TJsonWriter::Null() {
  BeforeValue();
  FText += "null";
}
