// Regressions found by the control fuzz targets (docs/reliability.md lists the findings;
// each input is kept in fuzz/corpus/fuzz_<kind>/regression-*).
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/platform/Keys.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Date.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

// One control on the headless platform.
struct Box {
  explicit Box(const char* kind) : site(container.NewSite(host)) {
    control = CreateControl(kind, *site);
  }
  ~Box() { control.reset(); }

  void Type(std::u16string_view text) {
    for (char16_t c : text) {
      site->Field().KeyDown(static_cast<int16_t>(c), 0);
      site->Field().KeyPress(static_cast<int16_t>(c));
      site->Field().KeyUp(static_cast<int16_t>(c), 0);
    }
  }

  HeadlessContainer container;
  ControlEvents host;
  std::unique_ptr<HeadlessSite> site;
  std::unique_ptr<InputControl> control;
};

// Finding 2 (fuzz_date): with a four-digit format and a century ceiling of 0, leaving the
// field with 2/29/00 (29 February 2000 to the date test) widened the year to 1900, which
// has no 29 February: the field held no date after the check that should leave a date
// or nothing.
TEST(RegressionControls, DateCenturyRuleNeverLeavesANonDate) {
  Box box("date");
  ASSERT_NE(box.control, nullptr);
  box.control->InitProperties();
  box.control->SetProperty("DateFormat", std::u16string(u"mm/dd/yyyy"));
  box.control->SetProperty("DateY2KCeiling", std::u16string(u"0"));
  box.site->Field().SetText(u"//");
  box.site->Field().GotFocus();
  box.Type(u"22900");  // month 2, day 29, year 00
  ASSERT_EQ(box.site->Field().Text(), u"2/29/00");
  box.site->Field().LostFocus();
  const std::u16string text = box.site->Field().Text();
  EXPECT_TRUE(text.empty() || IsDate(text, std::chrono::year{2000})) << ToUtf8(text);
}

// Finding 3 (fuzz_long, any kind): with a negative inner size the layout refuses the
// field's width (error 380), but DropDown had already stored its new value: a setter
// that failed changed the control.
TEST(RegressionControls, DropDownThatFailsChangesNothing) {
  Box box("long");
  box.control->InitProperties();
  box.control->SetProperty("DropDown", true);
  box.site->SetSize(-5, 300);
  try {
    box.control->SetProperty("DropDown", false);
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 380);
    EXPECT_TRUE(box.control->DropDown()) << "the failed setter stored its value";
    return;
  }
  EXPECT_FALSE(box.control->DropDown());  // or the layout copes with the size
}

// Finding 4 (fuzz_mask): a load that stops at an error (here the colour -1, error 6)
// leaves the mask box reporting the loaded Mask while its engine still types into the
// old one (none): the text is then no rendering of the Mask the box reports.
TEST(RegressionControls, MaskAfterAFailedLoadTypesIntoItsMask) {
  Box box("mask");
  MemoryPropertyBag bag({{"Mask", Variant(std::u16string(u"##"))}, {"ButtonBackColor", -1.0}});
  EXPECT_THROW(box.control->ReadProperties(bag), Error);
  const std::u16string mask = VariantToText(box.control->GetProperty("Mask"));
  box.Type(u"5");
  const std::u16string text = box.site->Field().Text();
  EXPECT_TRUE(text.empty() ? mask.empty() : text.size() == mask.size())
      << "Mask " << ToUtf8(mask) << ", text " << ToUtf8(text);
}

// Finding 5 (fuzz_real): SelText let the real box hold more decimals than DecimalPlaces
// ("0.7|0" with SelText "29" gave "0.7290" with two places); saving and loading then
// rounded the value to 0.73: a value that changes through a save.
TEST(RegressionControls, RealSelTextKeepsTheDecimalPlaces) {
  Box box("real");
  box.control->InitProperties();
  box.site->Field().SetText(u"0.70");
  box.site->Field().SetSelStart(3);
  box.control->SetProperty("SelText", std::u16string(u"29"));
  const std::u16string text = box.site->Field().Text();
  const size_t point = text.find(u'.');
  ASSERT_NE(point, std::u16string::npos);
  EXPECT_EQ(text.size() - point - 1, 2u) << ToUtf8(text);
}

// Finding 6 (fuzz_real): pasting a clipboard whose leading number lies beyond the double
// range ("90888.E100000005...") raised error 6 from the paste key instead of refusing it.
TEST(RegressionControls, RealPasteBeyondTheDoubleRangeIsRefused) {
  Box box("real");
  box.control->InitProperties();
  box.container.clipboard.SetText(u"90888.E100000005.8888000");
  for (const int16_t shift : {keys::kCtrl, static_cast<int16_t>(keys::kCtrl | keys::kShift)}) {
    EXPECT_NO_THROW(box.site->Field().KeyDown(86, shift));
    EXPECT_EQ(box.site->Field().Text(), u"0.00");
  }
  box.container.clipboard.SetText(u"-9e999");
  EXPECT_NO_THROW(box.site->Field().KeyDown(86, keys::kCtrl));
  EXPECT_EQ(box.site->Field().Text(), u"0.00");
}

// Findings 8 and 9 (fuzz_real): SelText took results that a save and a load rewrote: a
// number with 16 significant digits ("7999999999999999.00" came back as
// "8000000000000000.00") and a blank before a grouped 228-digit number. Neither can be
// typed; SelText now refuses both, as it refuses surplus decimals.
TEST(RegressionControls, RealSelTextKeepsOnlyTextsThatSurviveASave) {
  struct Case {
    std::u16string field;
    int32_t start, length;
    std::u16string selText;
    std::u16string expected;
  };
  std::u16string grouped228 = u"8,120,219";
  for (int i = 0; i < 73; ++i)
    grouped228 += u",000";
  grouped228 += u".00";
  const Case cases[] = {
      {u"7.00", 1, 0, u"999999999999999", u"7.00"},
      {u"0.00", 0, 4, u"7999999999999999.00", u"0.00"},
      {grouped228, 0, 0, u" 21", grouped228},
      {u"0.00", 0, 4, u"+5", u"0.00"},
      {u"7.00", 1, 0, u"99999999999999", u"799999999999999.00"},
      {u"0.00", 0, 4, u"12340000000000000000.00", u"12340000000000000000.00"},
  };
  for (const Case& c : cases) {
    Box box("real");
    box.control->InitProperties();
    box.site->Field().SetText(c.field);
    box.site->Field().SetSelStart(c.start);
    box.site->Field().SetSelLength(c.length);
    box.control->SetProperty("SelText", c.selText);
    EXPECT_EQ(ToUtf8(box.site->Field().Text()), ToUtf8(c.expected)) << ToUtf8(c.selText);
  }
}

}  // namespace
}  // namespace entrybox
