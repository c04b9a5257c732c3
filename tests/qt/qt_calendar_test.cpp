// The date box's calendar popup: opened by the drop-down button, limited by DateMin and
// DateMax, written back through Text; and the widget setting that form files keep.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QLocale>
#include <QScreen>
#include <QTableView>
#include <QtTest/QTest>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "entrybox/forms/FormFile.h"
#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtFormHost.h"

namespace entrybox {
namespace {

using namespace std::chrono;

// A date box in a container whose today is fixed, with what its host sees recorded.
class DateBox : public QtDate {
 public:
  explicit DateBox(QtContainer& container) : QtDate(nullptr, &container) {
    connect(this, &QtInputControl::ButtonClick, this, [this](bool& Handled) {
      seen.push_back(Calendar() != nullptr && Calendar()->isVisible() ? "ButtonClick (open)"
                                                                      : "ButtonClick");
      Handled = handleClick;
    });
    connect(this, &QtInputControl::Change, this, [this] { seen.push_back("Change"); });
    connect(this, &QtInputControl::PropertyChanged, this,
            [this](const QString& name) { seen.push_back("notified " + name.toStdString()); });
    connect(this, &QtInputControl::ErrorRaised, this, [this](int number, const QString&) {
      seen.push_back("error " + std::to_string(number));
    });
  }

  bool CanPropertyChange(const QString& name) override { return !refuseText || name != "Text"; }

  std::vector<std::string> seen;
  bool handleClick = false;
  bool refuseText = false;
};

struct Fixture {
  Fixture() {
    container.Clock().SetToday(2026y / March / 15d);
    box = std::make_unique<DateBox>(container);
    box->SetDropDown(true);
    box->SetCalendarPopup(true);
    box->move(20, 20);
    box->show();
    QApplication::processEvents();
  }
  ~Fixture() {
    box.reset();  // the widget goes before its container
  }

  // Clicks the drop-down button; the popup if it opened.
  QtCalendarPopup* Click() {
    box->seen.clear();
    box->Button().ToolButton().click();
    QApplication::processEvents();
    QtCalendarPopup* popup = box->Calendar();
    return popup != nullptr && popup->isVisible() ? popup : nullptr;
  }

  QtContainer container;
  std::unique_ptr<DateBox> box;
};

QWidget& Days(QtCalendarPopup& popup) {
  return *popup.Calendar().focusProxy();
}

void Press(QtCalendarPopup& popup, Qt::Key key) {
  QTest::keyClick(&Days(popup), key);
  QApplication::processEvents();
}

// The popup opens under the field with the field's date selected, read as the control
// reads it: a two-digit year by DateY2KCeiling, no date as today's.
TEST(QtCalendar, OpensUnderTheFieldWithTheFieldsDateSelected) {
  struct Row {
    const char* format;
    const char* ceiling;
    const char* text;
    QDate selected;
  };
  const Row rows[] = {
      {"mm/dd/yyyy", "30", "12/25/2024", {2024, 12, 25}},
      {"m/d/yy", "30", "1/5/29", {2029, 1, 5}},
      {"m/d/yy", "20", "1/5/29", {1929, 1, 5}},
      {"mm/dd/yyyy", "30", "", {2026, 3, 15}},  // no date: today's
  };
  for (const Row& row : rows) {
    Fixture f;
    f.box->SetAllowNull(true);
    f.box->SetDateFormat(row.format);
    f.box->SetDateY2KCeiling(row.ceiling);
    f.box->SetText(row.text);
    QtCalendarPopup* popup = f.Click();
    ASSERT_NE(popup, nullptr) << row.text;
    EXPECT_EQ(popup->Calendar().selectedDate(), row.selected) << row.text;
    EXPECT_EQ(popup->Calendar().monthShown(), row.selected.month());
    EXPECT_EQ(f.box->seen, std::vector<std::string>{"ButtonClick"}) << "opened after the event";
    EXPECT_EQ(QApplication::activePopupWidget(), popup);
    // Under the field, give or take the frame the platform draws around a window.
    const QPoint under = f.box->mapToGlobal(QPoint(0, f.box->height()));
    EXPECT_LE((popup->geometry().topLeft() - under).manhattanLength(), 8) << row.text;
    EXPECT_EQ(popup->Calendar().firstDayOfWeek(), QLocale::system().firstDayOfWeek());
    EXPECT_EQ(popup->Calendar().locale(), QLocale::system());
    popup->close();
  }
}

// Near the bottom of the screen the calendar opens above the field instead.
TEST(QtCalendar, OpensAboveTheFieldWhereThereIsNoRoomBelow) {
  Fixture f;
  const QRect room = f.box->screen()->availableGeometry();
  f.box->move(room.left() + 10, room.bottom() - 3 * f.box->height());
  QApplication::processEvents();
  QtCalendarPopup* popup = f.Click();
  ASSERT_NE(popup, nullptr);
  EXPECT_LE(popup->geometry().bottom(), f.box->mapToGlobal(QPoint(0, 0)).y() + 4);
  EXPECT_GE(popup->geometry().top(), room.top());
}

// Off by default; with it off, disabled or read-only, the click is only the event.
TEST(QtCalendar, OpensOnlyWhenSwitchedOnAndTheUserMayWrite) {
  EXPECT_FALSE(QtDate().CalendarPopup());
  const std::vector<void (*)(QtDate&)> stoppers = {
      [](QtDate& box) { box.SetCalendarPopup(false); },
      [](QtDate& box) { box.SetEnabled(false); },
      [](QtDate& box) { box.SetReadOnly(true); },
  };
  for (const auto& stop : stoppers) {
    Fixture f;
    stop(*f.box);
    EXPECT_EQ(f.Click(), nullptr);
    EXPECT_EQ(f.box->seen, std::vector<std::string>{"ButtonClick"});
  }
  // Switched off while open, it closes.
  Fixture f;
  QtCalendarPopup* popup = f.Click();
  ASSERT_NE(popup, nullptr);
  f.box->SetCalendarPopup(false);
  EXPECT_FALSE(popup->isVisible());
}

// A host that handles ButtonClick keeps the calendar shut.
TEST(QtCalendar, AHostThatHandlesTheClickPreventsThePopup) {
  Fixture f;
  f.box->handleClick = true;
  EXPECT_EQ(f.Click(), nullptr);
  EXPECT_EQ(f.box->seen, std::vector<std::string>{"ButtonClick"});
  f.box->handleClick = false;
  EXPECT_NE(f.Click(), nullptr);
}

// The days run from DateMin to DateMax where they are dates, within the years a date text
// carries; a two-digit-year format narrows them to the years its ceiling reads.
TEST(QtCalendar, LimitsFollowDateMinAndDateMax) {
  struct Row {
    const char* format;
    const char* min;
    const char* max;
    const char* text;
    QDate minimum, maximum, selected;
  };
  const Row rows[] = {
      {"mm/dd/yyyy", "", "", "06/15/2024", {100, 1, 1}, {9999, 12, 31}, {2024, 6, 15}},
      {"mm/dd/yyyy",
       "1/1/2020",
       "12/31/2030",
       "06/15/2024",
       {2020, 1, 1},
       {2030, 12, 31},
       {2024, 6, 15}},
      {"mm/dd/yyyy", "3/1/2024", "", "01/15/2024", {2024, 3, 1}, {9999, 12, 31}, {2024, 3, 1}},
      {"mm/dd/yyyy", "", "2/10/2024", "06/15/2024", {100, 1, 1}, {2024, 2, 10}, {2024, 2, 10}},
      {"m/d/yy", "", "", "6/15/24", {1930, 1, 1}, {2029, 12, 31}, {2024, 6, 15}},
      {"m/d/yy", "1/1/2000", "12/31/2050", "6/15/24", {2000, 1, 1}, {2029, 12, 31}, {2024, 6, 15}},
  };
  for (const Row& row : rows) {
    Fixture f;
    f.box->SetDateFormat(row.format);
    f.box->SetDateMin(row.min);
    f.box->SetDateMax(row.max);
    f.box->SetText(row.text);
    QtCalendarPopup* popup = f.Click();
    ASSERT_NE(popup, nullptr) << row.min << " " << row.max;
    EXPECT_EQ(popup->Calendar().minimumDate(), row.minimum) << row.min << " " << row.max;
    EXPECT_EQ(popup->Calendar().maximumDate(), row.maximum) << row.min << " " << row.max;
    EXPECT_EQ(popup->Calendar().selectedDate(), row.selected) << row.min << " " << row.max;
    // A day outside the limits cannot be picked.
    emit popup->Calendar().clicked(row.maximum.addDays(1));
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(f.box->Field().LineEdit().text(), row.text);
    popup->close();
  }
}

// What the host sees of a pick: the field's change, then the Text write's own notification.
const std::vector<std::string> kPicked = {"ButtonClick", "notified Text", "Change",
                                          "notified Text"};

// The keyboard moves through the days and Enter picks one; the pick goes through Text,
// in DateFormat, with its notification and Change.
TEST(QtCalendar, APickWritesTheFormattedDateWithItsNotifications) {
  struct Row {
    const char* format;
    const char* text;
    std::vector<Qt::Key> keys;
    const char* written;
  };
  const Row rows[] = {
      {"mm/dd/yyyy", "12/25/2024", {Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Return}, "01/26/2025"},
      {"m/d/yy", "3/5/99", {Qt::Key_Down, Qt::Key_PageUp, Qt::Key_Enter}, "2/12/99"},
      {"m/d/yyyy", "1/31/2024", {Qt::Key_Left, Qt::Key_Up, Qt::Key_Return}, "1/23/2024"},
  };
  for (const Row& row : rows) {
    Fixture f;
    f.box->SetDateFormat(row.format);
    f.box->SetText(row.text);
    QtCalendarPopup* popup = f.Click();
    ASSERT_NE(popup, nullptr);
    for (Qt::Key key : row.keys)
      Press(*popup, key);
    EXPECT_FALSE(popup->isVisible()) << row.written;
    EXPECT_EQ(f.box->Field().LineEdit().text(), row.written);
    EXPECT_EQ(f.box->seen, kPicked) << row.written;
  }
}

// A click on a day picks it, once: the double-click's second report finds the popup shut.
TEST(QtCalendar, AClickOnADayPicksIt) {
  Fixture f;
  f.box->SetDateFormat("mm/dd/yyyy");
  f.box->SetText("06/03/2024");
  QtCalendarPopup* popup = f.Click();
  ASSERT_NE(popup, nullptr);
  auto* days = qobject_cast<QTableView*>(&Days(*popup));
  ASSERT_NE(days, nullptr);
  // The 17th shows once in any month's grid.
  QModelIndex seventeenth;
  for (int r = 0; r < days->model()->rowCount(); ++r) {
    for (int c = 0; c < days->model()->columnCount(); ++c) {
      const QModelIndex index = days->model()->index(r, c);
      if (index.data().toString() == "17") seventeenth = index;
    }
  }
  ASSERT_TRUE(seventeenth.isValid());
  QTest::mouseClick(days->viewport(), Qt::LeftButton, {}, days->visualRect(seventeenth).center());
  QApplication::processEvents();
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(f.box->Field().LineEdit().text(), "06/17/2024");
  EXPECT_EQ(f.box->seen, kPicked);
  emit popup->Calendar().activated(QDate(2024, 6, 18));
  EXPECT_EQ(f.box->Field().LineEdit().text(), "06/17/2024");
  EXPECT_EQ(f.box->seen, kPicked);
}

// Escape, a click outside and a click on the drop-down button close the popup and change
// nothing; the button's click does not open it again.
TEST(QtCalendar, EscapeOrAClickOutsideChangesNothing) {
  enum Way { kEscape, kOutside, kButton };
  for (const Way way : {kEscape, kOutside, kButton}) {
    Fixture f;
    f.box->SetDateFormat("mm/dd/yyyy");
    f.box->SetText("12/25/2024");
    QtCalendarPopup* popup = f.Click();
    ASSERT_NE(popup, nullptr);
    Press(*popup, Qt::Key_Right);
    EXPECT_EQ(popup->Calendar().selectedDate(), QDate(2024, 12, 26));
    if (way == kEscape) {
      Press(*popup, Qt::Key_Escape);
    } else {
      QWidget& button = f.box->Button().ToolButton();
      const QPoint target = way == kOutside
                                ? QPoint(-20, -20)
                                : popup->mapFromGlobal(button.mapToGlobal(button.rect().center()));
      QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, target);
      QApplication::processEvents();
    }
    EXPECT_FALSE(popup->isVisible()) << way;
    EXPECT_EQ(f.box->Field().LineEdit().text(), "12/25/2024");
    EXPECT_EQ(f.box->seen, std::vector<std::string>{"ButtonClick"}) << way;
  }
}

// A container that refuses the change of Text keeps the field as it was; the pick is
// notified as every Text write is.
TEST(QtCalendar, ARefusingContainerKeepsTheText) {
  Fixture f;
  f.box->SetDateFormat("mm/dd/yyyy");
  f.box->SetText("12/25/2024");
  f.box->refuseText = true;
  QtCalendarPopup* popup = f.Click();
  ASSERT_NE(popup, nullptr);
  Press(*popup, Qt::Key_Right);
  Press(*popup, Qt::Key_Return);
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(f.box->Field().LineEdit().text(), "12/25/2024");
  EXPECT_EQ(f.box->seen, (std::vector<std::string>{"ButtonClick", "notified Text"}));
  EXPECT_EQ(f.box->Text(), "12/25/2024");
}

// CalendarPopup is the date box's one widget setting: written for every date box, read
// back, checked before anything changes, left alone by a file that does not name it.
TEST(QtCalendar, TheWidgetSettingRoundTripsAndRefusesBadValues) {
  QtContainer container;
  QtDate date(nullptr, &container);
  QtLong amount(nullptr, &container);
  EXPECT_TRUE(WidgetSettings(amount).empty());
  date.SetCalendarPopup(true);
  const WidgetSettingPairs on = WidgetSettings(date);
  ASSERT_EQ(on, (WidgetSettingPairs{{"CalendarPopup", Variant(true)}}));

  // Through a form file's text and back, beside an untouched bag.
  const FormModel form{
      {FormControl{"date", "txtDue", {0, 0, 2000, 300}, {{"Text", Variant(u"12/25/2024")}}, on}}};
  const std::string text = FormToText(form, "a.form");
  EXPECT_NE(text.find(R"("widget": {)"), std::string::npos) << text;
  const FormModel back = FormFromText(text, "a.form");
  EXPECT_EQ(back, form);
  QtDate loaded(nullptr, &container);
  ApplyWidgetSettings(loaded, back.Controls.front().Widget);
  EXPECT_TRUE(loaded.CalendarPopup());
  ApplyWidgetSettings(loaded, {});  // a file from before: nothing changes
  EXPECT_TRUE(loaded.CalendarPopup());
  ApplyWidgetSettings(loaded, {{"CalendarPopup", Variant(false)}});
  EXPECT_FALSE(loaded.CalendarPopup());

  const struct {
    WidgetSettingPairs settings;
    const char* says;
  } bad[] = {
      {{{"CalendarPopup", Variant(u"yes")}}, R"(widget setting "CalendarPopup": expected true)"},
      {{{"CalendarPopup", Variant(1.0)}}, "found a number"},
      {{{"calendarpopup", Variant(true)}}, R"(unknown widget setting "calendarpopup" for a date)"},
      {{{"CalendarPopup", Variant(true)}, {"CalendarPopup", Variant(false)}}, "given twice"},
      {{{"Calendar\x01", Variant(true)}}, R"("Calendar\x01")"},
  };
  for (const auto& row : bad) {
    try {
      ApplyWidgetSettings(loaded, row.settings);
      ADD_FAILURE() << row.says;
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kLibrary);
      EXPECT_NE(e.Description().find(row.says), std::string::npos) << e.Description();
    }
    EXPECT_FALSE(loaded.CalendarPopup()) << row.says;
  }
  EXPECT_THROW(ApplyWidgetSettings(amount, on), Error);
}

// In the file, widget settings are an optional object beside "properties": left out when
// there are none, so files from before them and after look alike; checked as strictly.
TEST(QtCalendar, FormFilesKeepWidgetSettingsBesideTheBag) {
  const FormModel plain{{FormControl{"long", "txtAmount", {0, 0, 2000, 300}, {}}}};
  const std::string text = FormToText(plain, "a.form");
  EXPECT_EQ(text.find("widget"), std::string::npos) << text;
  EXPECT_EQ(FormFromText(text, "a.form"), plain);

  const std::string head =
      R"({"format":"entrybox-form","version":1,"controls":[{"kind":"date","name":"d",)"
      R"("geometry":{"left":0,"top":0,"width":2000,"height":300},"properties":{},"widget":)";
  const struct {
    const char* widget;
    const char* says;
  } bad[] = {
      {"[]", "/controls/0/widget: expected an object, found an array"},
      {R"({"": true})", "/controls/0/widget/: empty key"},
      {R"({"CalendarPopup": [true]})", "/controls/0/widget/CalendarPopup: expected a property"},
      {R"({"CalendarPopup": true, "CalendarPopup": false})", "CalendarPopup"},
  };
  for (const auto& row : bad) {
    try {
      FormFromText(head + row.widget + "}]}", "a.form");
      ADD_FAILURE() << row.widget;
    } catch (const FormFileError& e) {
      EXPECT_NE(e.Description().find(row.says), std::string::npos) << e.Description();
    }
  }
  FormModel unsaved = plain;
  unsaved.Controls.front().Widget = {{"", Variant(true)}};
  try {
    FormToText(unsaved, "a.form");
    ADD_FAILURE() << "an empty key was saved";
  } catch (const FormFileError& e) {
    EXPECT_NE(e.Description().find("/controls/0/widget/: cannot save: empty key"),
              std::string::npos)
        << e.Description();
  }
}

}  // namespace
}  // namespace entrybox
