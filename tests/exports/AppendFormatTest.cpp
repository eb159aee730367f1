// Formatting onto a text keeps every character, however long the result.
#include <gtest/gtest.h>

#include <string>

#include "AppendFormat.h"

namespace {

TEST(AppendFormat, AppendsTheWholeFormattedTextAtEveryLength) {
  for (const std::size_t Length : {0u, 1u, 510u, 511u, 512u, 513u, 5000u}) {
    const std::string Word(Length, 'x');
    std::string Text = "head:";
    AppendFormat(Text, "[%s|%5d]", Word.c_str(), 42);
    EXPECT_EQ(Text, "head:[" + Word + "|   42]") << Length;
  }
}

} // namespace
