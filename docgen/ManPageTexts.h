#pragma once
// What the two manual pages tell beyond their programs' options: examples,
// exit status, environment, files and related pages.

#include "ManPage.h"

TManPageText CliManPageText();
TManPageText WindowManPageText();
