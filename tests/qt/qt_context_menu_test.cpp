// The field's context menu and undo on Qt: which items can act, that each runs its key
// through the control without key events to the host, and the keys that open it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <map>
#include <memory>
#include <string>

#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtKeys.h"

namespace entrybox {
namespace {

// The items of a menu by object name.
std::map<std::string, QAction*> Items(QMenu& menu) {
  std::map<std::string, QAction*> items;
  for (QAction* action : menu.actions()) {
    if (!action->isSeparator()) items[action->objectName().toStdString()] = action;
  }
  return items;
}

std::string EnabledItems(QtInputControl& box) {
  std::unique_ptr<QMenu> menu(box.CreateContextMenu(nullptr));
  std::string names;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator() || !action->isEnabled()) continue;
    names += (names.empty() ? "" : " ") + action->objectName().toStdString();
  }
  return names;
}

void SendKey(QtInputControl& box, int16_t keyCode, int16_t shift) {
  QKeyEvent press = MakeKeyEvent(QEvent::KeyPress, keyCode, shift, QString());
  QApplication::sendEvent(&box.Field().LineEdit(), &press);
}

// Closes whatever popup menu is open; returns it was one.
bool ClosePopup() {
  QWidget* popup = QApplication::activePopupWidget();
  if (popup == nullptr) return false;
  const bool isMenu = qobject_cast<QMenu*>(popup) != nullptr;
  popup->close();
  QApplication::processEvents();
  return isMenu;
}

TEST(QtContextMenu, ItemsAreEnabledOnlyWhenTheyCanAct) {
  struct Row {
    const char* name;
    QString text;
    int selStart, selLength;
    QString clipboard;
    bool readOnly;
    const char* typed;
    const char* enabled;
  };
  const Row rows[] = {
      {"nothing selected, empty clipboard", "12", 1, 0, "", false, "", "selectAll"},
      {"a selection", "1234", 1, 2, "", false, "", "cut copy delete selectAll"},
      {"everything selected", "1234", 0, 5, "", false, "", "cut copy delete"},
      {"a text to paste", "12", 0, 0, "9", false, "", "paste selectAll"},
      {"a step to undo", "12", 2, 0, "", false, "3", "undo selectAll"},
      {"read-only", "1234", 1, 2, "9", true, "", "copy selectAll"},
  };
  for (const Row& row : rows) {
    QtLong box;
    box.SetText(row.text);
    box.SetReadOnly(row.readOnly);
    box.SetSelStart(row.selStart);
    box.SetSelLength(row.selLength);
    QApplication::clipboard()->setText(row.clipboard);
    box.TypeText(QString::fromLatin1(row.typed));
    EXPECT_EQ(EnabledItems(box), row.enabled) << row.name;
  }
}

TEST(QtContextMenu, ItemsRunTheirKeysThroughTheControlWithoutHostKeyEvents) {
  QtLong box;
  int hostKeys = 0;
  QObject::connect(&box, &QtInputControl::KeyDown, [&](qint16&, qint16&) { ++hostKeys; });
  QObject::connect(&box, &QtInputControl::KeyPress, [&](qint16&) { ++hostKeys; });
  const auto run = [&](const char* name) {
    std::unique_ptr<QMenu> menu(box.CreateContextMenu(nullptr));
    QAction* action = Items(*menu).at(name);
    ASSERT_TRUE(action->isEnabled()) << name;
    action->trigger();
  };
  box.SetText("1234");
  box.SetSelStart(0);
  box.SetSelLength(5);
  // the long box's own paste: a text that is no number pastes 0, as Ctrl+V does
  QApplication::clipboard()->setText("abc");
  run("paste");
  EXPECT_EQ(box.Field().LineEdit().text(), "0");
  run("undo");
  EXPECT_EQ(box.Field().LineEdit().text(), "1,234");
  EXPECT_EQ(box.SelLength(), 5);
  run("redo");
  EXPECT_EQ(box.Field().LineEdit().text(), "0");
  run("undo");
  box.SetSelStart(1);
  box.SetSelLength(3);
  run("copy");  // the long box copies the number plainly
  EXPECT_EQ(QApplication::clipboard()->text(), "23");
  run("cut");
  EXPECT_EQ(box.Field().LineEdit().text(), "14");
  run("selectAll");
  EXPECT_EQ(box.SelLength(), 2);
  run("delete");
  EXPECT_EQ(box.Field().LineEdit().text(), "0");
  run("undo");
  run("undo");
  EXPECT_EQ(box.Field().LineEdit().text(), "1,234");
  EXPECT_EQ(hostKeys, 0);
}

TEST(QtContextMenu, RightClickMenuKeyAndShiftF10OpenItUnlessTurnedOff) {
  QtLong box;
  box.show();
  int shown = 0;
  QObject::connect(&box, &QtInputControl::AboutToShowContextMenu, [&](QMenu* menu) {
    ++shown;
    menu->addAction("Host item")->setObjectName("host");
  });
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
  QApplication::sendEvent(&box.Field().LineEdit(), &click);
  QMenu* open = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(Items(*open).count("host"), 1u);
  EXPECT_EQ(Items(*open).size(), 8u);
  EXPECT_TRUE(ClosePopup());
  SendKey(box, 93, 0);  // the Menu key
  EXPECT_TRUE(ClosePopup());
  SendKey(box, 121, 1);  // Shift+F10
  EXPECT_TRUE(ClosePopup());
  SendKey(box, 121, 0);  // F10 alone is no menu key
  EXPECT_FALSE(ClosePopup());
  EXPECT_EQ(shown, 3);

  // a host that swallows the key, and a host that turned the menu off
  auto swallow = QObject::connect(&box, &QtInputControl::KeyDown,
                                  [](qint16& KeyCode, qint16&) { KeyCode = 0; });
  SendKey(box, 93, 0);
  EXPECT_FALSE(ClosePopup());
  QObject::disconnect(swallow);
  box.SetContextMenu(false);
  EXPECT_FALSE(box.property("ContextMenu").toBool());
  SendKey(box, 93, 0);
  // a right click the field does not take goes on to the widgets around it
  QContextMenuEvent untaken(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
  QApplication::sendEvent(&box.Field().LineEdit(), &untaken);
  EXPECT_FALSE(untaken.isAccepted());
  EXPECT_FALSE(ClosePopup());
  EXPECT_EQ(shown, 3);
}

// Undo on the Qt field: Ctrl+Z and Ctrl+Shift+Z through real key events, and a write by
// the widget's own setters empties the history as a host write does.
TEST(QtUndo, KeysUndoAndRedoAndWidgetWritesEmptyTheHistory) {
  QtReal box;
  box.SetText("1");
  box.SetSelStart(0);
  box.SetSelLength(4);
  box.TypeText("25");
  EXPECT_EQ(box.Field().LineEdit().text(), "25.00");
  SendKey(box, 90, 2);
  EXPECT_EQ(box.Field().LineEdit().text(), "1.00");
  SendKey(box, 90, 3);
  EXPECT_EQ(box.Field().LineEdit().text(), "25.00");
  EXPECT_TRUE(box.Field().History().CanUndo());
  struct Write {
    const char* name;
    void (*write)(QtReal&);
  };
  const Write writes[] = {
      {"Alignment", [](QtReal& b) { b.SetAlignment(1); }},
      {"DropDown", [](QtReal& b) { b.SetDropDown(true); }},
      {"Font", [](QtReal& b) { b.SetFont(b.Font()); }},
      {"Max", [](QtReal& b) { b.SetMax(1e9); }},
      {"Text", [](QtReal& b) { b.SetText("3"); }},
  };
  for (const Write& w : writes) {
    box.TypeText("7");
    ASSERT_TRUE(box.Field().History().CanUndo()) << w.name;
    w.write(box);
    EXPECT_FALSE(box.Field().History().CanUndo()) << w.name;
  }
  box.SetSelStart(1);
  box.TypeText("7");
  EXPECT_EQ(box.Field().LineEdit().text(), "37.00");
  box.SetSelStart(0);
  box.SetSelLength(1);
  EXPECT_TRUE(box.Field().History().CanUndo());
}

}  // namespace
}  // namespace entrybox
