// Regressions found by fuzz_values (docs/reliability.md lists the findings; each input
// is kept in fuzz/corpus/fuzz_values/regression-*).
#include <gtest/gtest.h>

#include <string>

#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

// Finding 1: CharAt took a position before the text as position 1, so the character
// "before the caret" at caret 0 read as the first character. Positions outside 1..length
// are no character.
TEST(RegressionValues, CharAtBeforeTheTextIsNothing) {
  const std::u16string text = u"0";
  for (std::ptrdiff_t i : {-8, -1, 0, 2, 3}) {
    EXPECT_EQ(CharAt(text, i), u"") << "position " << i;
  }
  EXPECT_EQ(CharAt(text, 1), u"0");
  EXPECT_EQ(CharAt(u"", 0), u"");
  EXPECT_EQ(CharAt(u"", 1), u"");
}

}  // namespace
}  // namespace entrybox
