// twDate on the headless platform: what the scenario scripts cannot show, chiefly the
// error kept by the part setters and raised again with everything it carried.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "entrybox/controls/twDate.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

// A host whose Change handler fails, as a host's own validation might.
class FailingHost : public ControlEvents {
 public:
  void Change() override {
    if (fail) throw Error(5, "Invalid procedure call or argument", "HostApp", "host.chm", 42);
  }
  bool fail = false;
};

struct DateBox {
  DateBox() {
    box.InitProperties();
    box.Resize();
  }
  HeadlessContainer container;
  FailingHost host;
  std::unique_ptr<HeadlessSite> site = container.NewSite(host);
  twDate box{*site};
};

TEST(twDatePartWrite, ErrorOnTheWayIsRaisedAgainWithAllItCarried) {
  struct Row {
    const char* name;
    void (twDate::*set)(int16_t);
    int16_t value;
  };
  const Row rows[] = {{"Day", &twDate::SetDay, 5},
                      {"Month", &twDate::SetMonth, 5},
                      {"Year", &twDate::SetYear, 1999}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DateBox d;
    d.site->Field().SetText(u"1/1/2000");
    d.host.fail = true;
    try {
      (d.box.*row.set)(row.value);
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), 5);
      EXPECT_EQ(e.Description(), "Invalid procedure call or argument");
      EXPECT_EQ(e.Source(), "HostApp");
      EXPECT_EQ(e.HelpFile(), "host.chm");
      EXPECT_EQ(e.HelpContext(), 42);
    }
  }
}

TEST(twDatePartWrite, YearOutOfRangeIsTheLibrarysOwnErrorAndChangesNothing) {
  for (int16_t year : {int16_t{-1}, int16_t{10000}, int16_t{32767}, int16_t{-32768}}) {
    DateBox d;
    d.site->Field().SetText(u"1/1/2000");
    try {
      d.box.SetYear(year);
      FAIL() << "no error for " << year;
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kLibrary);
      EXPECT_EQ(e.Description(), "Invalid property year !");
    }
    EXPECT_EQ(d.site->Field().Text(), u"1/1/2000");
  }
}

TEST(twDatePartWrite, ByNameConversionErrorsComeFirst) {
  DateBox d;
  d.site->Field().SetText(u"1/1/2000");
  struct Row {
    const char* name;
    Variant value;
    int32_t number;
  };
  const Row rows[] = {{"Year", 100000.0, errors::kOverflow},
                      {"Day", std::u16string(u"x"), errors::kTypeMismatch},
                      {"Month", -40000.0, errors::kOverflow}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    try {
      d.box.SetProperty(row.name, row.value);
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), row.number);
    }
  }
  EXPECT_EQ(d.site->Field().Text(), u"1/1/2000");
}

TEST(twDateMembers, RefreshReachesFieldAndControl) {
  DateBox d;
  d.box.Refresh();
  EXPECT_EQ(d.site->Field().RefreshCount(), 1);
  EXPECT_EQ(d.site->RefreshCount(), 1);
}

TEST(twDateMembers, ReadOnlyMembersRefuseWrites) {
  DateBox d;
  for (const char* name : {"IsValid", "IsNull", "DateValue", "About", "Name"}) {
    SCOPED_TRACE(name);
    try {
      d.box.SetProperty(name, std::u16string(u"1/1/2000"));
      FAIL() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kReadOnlyProperty);
    }
  }
}

TEST(twDateMembers, PublishedDescriptions) {
  const auto& table = twDate::Descriptions();
  const auto find = [&](std::string_view member) -> std::string_view {
    for (const auto& [name, text] : table) {
      if (name == member) return text;
    }
    return {};
  };
  EXPECT_EQ(table.size(), 8u);
  EXPECT_EQ(find("About"), "Provides version information.");
  EXPECT_EQ(find("AllowNull"), "Sets/Returns whether Null is a valid value.");
  EXPECT_EQ(find("Change"), "Occurs when the contents of a control have changed.");
  EXPECT_EQ(find("Click"),
            "Occurs when the user presses and then releases a mouse button over an object.");
  // Every described member exists on the control (events aside).
  DateBox d;
  for (const auto& [name, text] : table) {
    if (name == "Click" || name == "Change") continue;
    EXPECT_NO_THROW(d.box.GetProperty(name)) << name;
  }
}

}  // namespace
}  // namespace entrybox
