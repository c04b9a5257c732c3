// What assistive technology learns of the controls: names, descriptions, roles, the
// field's value, the drop-down button, and the update events of a change.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "entrybox/qt/QtControls.h"

namespace entrybox {
namespace {

QAccessibleInterface* Of(QObject* object) {
  return QAccessible::queryAccessibleInterface(object);
}

TEST(QtAccessibility, NamesComeFromTheWidgetElseItsBuddyLabel) {
  struct Row {
    const char* name;
    QString accessibleName;
    QString label;
    bool buddyIsField;
    QString expected;
  };
  const std::vector<Row> rows = {
      {"accessible name wins", "Amount", "&Price", false, "Amount"},
      {"buddy label, mnemonic removed", "", "&Price", false, "Price"},
      {"label buddied to the field", "", "R&&D budget", true, "R&D budget"},
      {"no name at all", "", "", false, ""},
  };
  for (const Row& row : rows) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(row.label);
    auto* box = new QtLong;
    layout->addWidget(label);
    layout->addWidget(box);
    box->SetDropDown(true);
    if (!row.label.isEmpty()) {
      label->setBuddy(row.buddyIsField ? static_cast<QWidget*>(&box->Field().LineEdit()) : box);
    }
    box->setAccessibleName(row.accessibleName);
    QAccessibleInterface* control = Of(box);
    QAccessibleInterface* field = Of(&box->Field().LineEdit());
    QAccessibleInterface* button = Of(&box->Button().ToolButton());
    ASSERT_TRUE(control && field && button) << row.name;
    EXPECT_EQ(control->text(QAccessible::Name), row.expected) << row.name;
    EXPECT_EQ(field->text(QAccessible::Name), row.expected) << row.name;
    EXPECT_EQ(button->text(QAccessible::Name),
              row.expected.isEmpty() ? QString("Open") : "Open " + row.expected)
        << row.name;
    EXPECT_EQ(control->role(), QAccessible::Grouping);
    EXPECT_EQ(field->role(), QAccessible::EditableText);
    EXPECT_EQ(button->role(), QAccessible::Button);
  }
}

TEST(QtAccessibility, DescriptionsAndTheFieldsValue) {
  QtLong number;
  QtDate date;
  EXPECT_EQ(Of(&number)->text(QAccessible::Description), "Whole number");
  EXPECT_EQ(Of(&date.Field().LineEdit())->text(QAccessible::Description), "Date");
  number.setAccessibleDescription("Units in stock");
  EXPECT_EQ(Of(&number.Field().LineEdit())->text(QAccessible::Description), "Units in stock");

  number.SetText("1234");
  QAccessibleInterface* field = Of(&number.Field().LineEdit());
  EXPECT_EQ(field->text(QAccessible::Value), "1,234");  // as shown, not as Text reads
  EXPECT_EQ(field->textInterface()->characterCount(), 5);
  EXPECT_EQ(field->textInterface()->text(1, 4), ",23");
  // assistive technology cannot write past the control's rules
  field->setText(QAccessible::Value, "abc");
  EXPECT_EQ(number.Field().LineEdit().text(), "1,234");
  EXPECT_EQ(field->editableTextInterface(), nullptr);
  number.SetReadOnly(true);
  EXPECT_TRUE(field->state().readOnly);
  EXPECT_FALSE(field->state().editable);
}

TEST(QtAccessibility, ButtonPressesAndValueChangesAreReported) {
  QtDate box;
  box.SetDropDown(true);
  int clicks = 0;
  QObject::connect(&box, &QtInputControl::ButtonClick, [&] { ++clicks; });
  QAccessibleInterface* button = Of(&box.Button().ToolButton());
  ASSERT_NE(button->actionInterface(), nullptr);
  button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(clicks, 1);
}

// Every change of the field goes through its QLineEdit (setText, or the QLineEdit's own
// action on a passed key), so it raises the QLineEdit's update events, and the value read
// afterwards is the new one, undo included.
TEST(QtAccessibility, ValueChangesAreReportedAndReadBack) {
  QtDate box;
  box.SetDateFormat("m/d/yyyy");
  QAccessibleInterface* field = Of(&box.Field().LineEdit());
  static std::vector<QAccessible::Event> seen;
  static QObject* watched = nullptr;
  seen.clear();
  watched = &box.Field().LineEdit();
  QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
    if (event->object() == watched) seen.push_back(event->type());
  });
  box.SetText("7/4/1999");
  EXPECT_EQ(field->text(QAccessible::Value), "7/4/1999");
  box.Field().SetSelStart(0);
  box.Field().SetSelLength(1);
  box.TypeText("1");
  EXPECT_EQ(field->text(QAccessible::Value), "1/4/1999");
  QKeyEvent undo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier, QString(QChar(26)));
  QApplication::sendEvent(&box.Field().LineEdit(), &undo);
  EXPECT_EQ(field->text(QAccessible::Value), "7/4/1999");
  EXPECT_EQ(field->textInterface()->selectionCount(), 1);
  QAccessible::installUpdateHandler(nullptr);
  // Qt delivers update events only while assistive technology is active, which the
  // offscreen platform never is.
  if (QAccessible::isActive()) {
    EXPECT_NE(std::find(seen.begin(), seen.end(), QAccessible::TextUpdated), seen.end());
  }
}

}  // namespace
}  // namespace entrybox
