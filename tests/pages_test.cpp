// Property pages against a recording control: the order in which a page reads and writes
// properties, when its fields mark it changed while it fills itself, and how an apply
// stops at a failing setter.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "entrybox/headless/HeadlessPageHost.h"
#include "entrybox/pages/DateFormat.h"
#include "entrybox/pages/GeneralPage.h"
#include "entrybox/pages/NumberFormatPage.h"
#include "entrybox/pages/PageFactory.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

using Log = std::vector<std::string>;

std::string Show(const Variant& v) {
  if (IsText(v)) return "\"" + ToUtf8(std::get<std::u16string>(v)) + "\"";
  if (IsNumber(v)) return ToUtf8(NumberToText(std::get<double>(v)));
  if (IsBool(v)) return std::get<bool>(v) ? "true" : "false";
  return "?";
}

// A control that answers from a table of properties and logs every read and write.
class RecordingControl : public PropertyAccess {
 public:
  RecordingControl(Log& log, std::map<std::string, Variant> values)
      : log(log), values(std::move(values)) {}

  Variant GetProperty(std::string_view name) override {
    log.push_back("get " + std::string(name));
    return values.at(std::string(name));
  }
  void SetProperty(std::string_view name, const Variant& value) override {
    log.push_back("set " + std::string(name) + "=" + Show(value));
    values[std::string(name)] = value;
  }

  Log& log;
  std::map<std::string, Variant> values;
};

// The host logs each time the page marks itself changed, between the control's reads.
class RecordingHost : public HeadlessPageHost {
 public:
  explicit RecordingHost(Log& log) : log(log) {}
  void SetChanged(bool value) override {
    if (value) log.push_back("changed");
    HeadlessPageHost::SetChanged(value);
  }
  Log& log;
};

const std::map<std::string, Variant> kCommon = {{"OnFocusSelect", true},
                                                {"Enabled", true},
                                                {"ReadOnly", false},
                                                {"AllowNull", false},
                                                {"MousePointer", 99.0},
                                                {"Appearance", 1.0},
                                                {"Alignment", 2.0},
                                                {"BorderStyle", 0.0},
                                                {"DropDown", false},
                                                {"Text", u"12"},
                                                {"Mask", u"##"},
                                                {"Max", 5.0},
                                                {"Min", -5.0},
                                                {"Formatted", false},
                                                {"Spin", 0.0},
                                                {"DecimalPlaces", 2.0},
                                                {"DateMin", u""},
                                                {"DateMax", u"1/2/2003"},
                                                {"DateY2KCeiling", u"30"},
                                                {"DateCenturyOn", true},
                                                {"DateFormat", u"m/d/yy"},
                                                {"PromptChar", u"_"}};

struct OrderCase {
  const char* page;
  Log fill;
  Log apply;
};

// Filling reads the first control in the page's order, and every field whose shown value
// changes runs its handler right then; applying writes in the page's own order.
const OrderCase kOrders[] = {
    {"LongGeneral",
     {"get OnFocusSelect", "changed", "get Enabled", "changed", "get ReadOnly", "get AllowNull",
      "get Text", "changed", "get MousePointer", "changed", "get Appearance", "changed",
      "get Alignment", "changed", "get BorderStyle", "changed", "get DropDown"},
     {"set OnFocusSelect=true", "set Enabled=true", "set Text=\"12\"", "set ReadOnly=false",
      "set MousePointer=99", "set Appearance=1", "set Alignment=2", "set BorderStyle=0",
      "set AllowNull=false", "set DropDown=false"}},
    // The real and date pages' text field does not mark the page changed.
    {"RealGeneral",
     {"get OnFocusSelect", "changed", "get Enabled", "changed", "get ReadOnly", "get AllowNull",
      "get Text", "get MousePointer", "changed", "get Appearance", "changed", "get Alignment",
      "changed", "get BorderStyle", "changed", "get DropDown"},
     {"set OnFocusSelect=true", "set Enabled=true", "set Text=\"12\"", "set ReadOnly=false",
      "set MousePointer=99", "set Appearance=1", "set Alignment=2", "set BorderStyle=0",
      "set AllowNull=false", "set DropDown=false"}},
    // An unchanged mask is not written again: that would empty the control's input.
    {"MaskGeneral",
     {"get OnFocusSelect", "changed", "get Enabled", "changed", "get ReadOnly", "get AllowNull",
      "get Mask", "changed", "get MousePointer", "changed", "get Appearance", "changed",
      "get Alignment", "changed", "get BorderStyle", "changed", "get DropDown"},
     {"set OnFocusSelect=true", "set Enabled=true", "get Mask", "set ReadOnly=false",
      "set MousePointer=99", "set Appearance=1", "set Alignment=2", "set BorderStyle=0",
      "set AllowNull=false", "set DropDown=false"}},
    {"LongFormat",
     {"get Max", "changed", "get Min", "changed", "get Formatted", "get Spin", "changed"},
     {"set Max=5", "set Min=-5", "set Formatted=false", "set Spin=0"}},
    {"RealFormat",
     {"get Max", "changed", "get Min", "changed", "get Formatted", "get Spin", "changed",
      "get DecimalPlaces", "changed"},
     {"set Max=5", "set Min=-5", "set Formatted=false", "set Spin=0", "set DecimalPlaces=2"}},
    // Switching the option on while filling runs its click, which marks the page changed.
    {"DateFormat",
     {"get DateMin", "get DateMax", "get DateY2KCeiling", "changed", "get DateCenturyOn", "changed",
      "get DateFormat", "changed"},
     {"set DateMin=\"\"", "set DateMax=\"1/2/2003\"", "set DateY2KCeiling=\"30\"",
      "set DateCenturyOn=true", "set DateFormat=\"m/d/yy\""}},
    // The mask format page loads nothing, so it opens unchanged.
    {"MaskFormat", {}, {"set PromptChar=\"\""}},
};

TEST(Pages, FillAndApplyOrder) {
  for (const auto& c : kOrders) {
    SCOPED_TRACE(c.page);
    Log log;
    RecordingHost host(log);
    RecordingControl first(log, kCommon);
    Log otherLog;
    RecordingControl second(otherLog, kCommon);
    auto page = CreatePage(c.page, host);
    ASSERT_NE(page, nullptr);
    host.Select({&first, &second});
    EXPECT_EQ(log, c.fill);
    host.SetChanged(true);  // so that a page that filled unchanged applies too
    log.clear();
    host.Confirm();
    EXPECT_EQ(log, c.apply);
    EXPECT_FALSE(host.Changed());
    EXPECT_TRUE(otherLog.empty()) << "only the first selected control is touched";
  }
}

TEST(Pages, NothingSelected) {
  Log log;
  RecordingHost host(log);
  LongFormat page(host);
  host.Select({});
  host.SetChanged(true);
  host.Confirm();
  EXPECT_TRUE(log == Log{"changed"});
  EXPECT_EQ(page.txtMax.Text(), u"");
  try {
    host.SelectedControl(0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 9);
  }
}

// The date page's options follow the platform's option buttons: a click runs when an
// option is switched on, not when it is already on. Selected again with the option of
// bytOption already on, the page keeps the control's format as it reads it.
TEST(Pages, DateFormatReselected) {
  Log log;
  RecordingHost host(log);
  RecordingControl first(log, kCommon);
  DateFormat page(host);
  host.Select({&first});
  auto values = kCommon;
  values["DateFormat"] = u"M/D/YY";
  RecordingControl second(log, values);
  host.SetChanged(false);
  host.Select({&second});
  EXPECT_EQ(page.opt.Value(), 3);
  EXPECT_EQ(page.Format(), u"M/D/YY");
  EXPECT_FALSE(host.Changed()) << "no field's shown value changed";
}

TEST(Pages, FieldsRaiseTheirHandlersOnlyWhenTheirValueChanges) {
  int changes = 0;
  TextField text("txt", u"Text", {}, {});
  text.SetChangeHandler([&] { ++changes; });
  text.SetText(u"");
  text.SetText(u"a");
  text.SetText(u"a");
  EXPECT_EQ(changes, 1);

  int clicks = 0;
  CheckBox check("chk", u"Check", {});
  check.SetClickHandler([&] { ++clicks; });
  check.SetValue(0);
  check.SetValue(2);
  check.SetValue(2);
  EXPECT_EQ(clicks, 1);
  for (int16_t bad : {-1, 3}) {
    EXPECT_THROW(check.SetValue(bad), Error);
  }
  EXPECT_EQ(check.Value(), 2);

  clicks = 0;
  ListField list("cbo", u"List", {}, {}, {{u"A", 0}, {u"B", 99}});
  list.SetClickHandler([&] { ++clicks; });
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_THROW(list.ChosenValue(), Error) << "no entry chosen, no value";
  list.SetListIndex(list.IndexOfValue(99));
  list.SetListIndex(1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.ChosenValue(), 99);
  EXPECT_EQ(list.IndexOfValue(5), -1);
  for (int32_t bad : {-2, 2}) {
    EXPECT_THROW(list.SetListIndex(bad), Error);
  }

  std::vector<int32_t> optionClicks;
  OptionGroup options("opt", u"Format", {}, {{u"a", {}}, {u"b", {}}});
  options.SetClickHandler([&](int32_t i) { optionClicks.push_back(i); });
  options.SwitchOn(1);
  options.SwitchOn(1);
  options.SwitchOn(0);
  EXPECT_EQ(optionClicks, (std::vector<int32_t>{1, 0}));
  EXPECT_THROW(options.SwitchOn(2), Error);
}

TEST(Pages, GeneralPageLists) {
  HeadlessPageHost host;
  DateGeneral page(host);
  EXPECT_EQ(page.Caption(), u"General");
  EXPECT_EQ(page.Width(), 5925);
  EXPECT_EQ(page.Height(), 3495);
  const auto& pointers = page.cboMousePointer.Entries();
  ASSERT_EQ(pointers.size(), 17u);
  for (int32_t i = 0; i < 16; ++i) {
    EXPECT_EQ(pointers[static_cast<size_t>(i)].value, i);
  }
  EXPECT_EQ(pointers[16].text, u"Custom");
  EXPECT_EQ(pointers[16].value, 99);
  EXPECT_EQ(page.cboAppearance.Entries()[0].text, u"0 - Flat");
  EXPECT_EQ(page.cboAppearance.Entries()[1].text, u"1 - 3D");
  EXPECT_EQ(page.FieldNamed("CHKREADONLY"), &page.chkReadOnly);

  MaskGeneral mask(host);
  EXPECT_EQ(mask.txtMask.Name(), "txtMask");
  EXPECT_EQ(mask.FieldNamed("txtText"), nullptr);
}

}  // namespace
}  // namespace entrybox
