// The general error report appends a full stop only when the message's last
// character sorts above ".".
#include <gtest/gtest.h>

#include "ErrorReport.h"

namespace {

TEST(ErrorReport, FullStopAfterACharacterAboveTheStop) {
  const struct {
    const char *Message;
    const char *Shown;
  } Cases[] = {
      {"Not a valida 'DrayData' file", "Not a valida 'DrayData' file."},
      {"Error 42", "Error 42."},
      {"a/", "a/."},  // the slash sorts above the stop
      {"Done.", "Done."},
      {"Stream read error (x)", "Stream read error (x)"},
      {"Reject !!!", "Reject !!!"},
      {"ends in blank ", "ends in blank "},
      {"dash-", "dash-"},  // the hyphen sorts below the stop
      {"Datei \u00E4", "Datei \u00E4."},
      {"", ""},
  };
  for (const auto &Case : Cases)
    EXPECT_EQ(GeneralErrorReportText(Case.Message), Case.Shown) << '"' << Case.Message << '"';
}

} // namespace
