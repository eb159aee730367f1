#include "ErrorReport.h"

std::string GeneralErrorReportText(const std::string &AMessage) {
  // Bytes compare unsigned, so a message ending in a UTF-8 letter counts as
  // ending above "." just as a letter of any code page would.
  if (!AMessage.empty() && static_cast<unsigned char>(AMessage.back()) > static_cast<unsigned char>('.'))
    return AMessage + ".";
  return AMessage;
}
