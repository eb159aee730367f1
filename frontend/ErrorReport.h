#pragma once
// The text of the general error report: the failure's message, with a full
// stop appended when its last character sorts above "." (so messages ending
// in ".", ")", "!" or a blank stay as they are).

#include <string>

std::string GeneralErrorReportText(const std::string &AMessage);
