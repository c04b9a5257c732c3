// The Qt edit field: key events reach the control as the platform delivers them, and the
// QLineEdit acts only on what the control leaves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtKeys.h"

namespace entrybox {
namespace {

// Records the control's key events and Change, as a host's slots see them.
struct Recorder {
  explicit Recorder(QtInputControl& control) {
    QObject::connect(&control, &QtInputControl::KeyDown, [this](qint16& code, qint16& shift) {
      events.push_back("KeyDown(" + std::to_string(code) + "," + std::to_string(shift) + ")");
      if (zeroKeyDown) code = 0;
    });
    QObject::connect(&control, &QtInputControl::KeyPress, [this](qint16& code) {
      events.push_back("KeyPress(" + std::to_string(code) + ")");
      if (throwOnKeyPress) throw Error(5, "Invalid procedure call or argument");
    });
    QObject::connect(&control, &QtInputControl::KeyUp, [this](qint16& code, qint16& shift) {
      events.push_back("KeyUp(" + std::to_string(code) + "," + std::to_string(shift) + ")");
    });
    QObject::connect(&control, &QtInputControl::Change, [this] { events.push_back("Change"); });
  }
  std::string Take() {
    std::string all;
    for (const auto& e : events)
      all += (all.empty() ? "" : " ") + e;
    events.clear();
    return all;
  }
  std::vector<std::string> events;
  bool zeroKeyDown = false;
  bool throwOnKeyPress = false;
};

void Press(QWidget& target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(&target, &release);
}

// What a host sees of one keystroke on the headless platform: the reference.
struct HeadlessRecorder : ControlEvents {
  void Change() override { events.push_back("Change"); }
  void KeyDown(int16_t& code, int16_t& shift) override {
    events.push_back("KeyDown(" + std::to_string(code) + "," + std::to_string(shift) + ")");
  }
  void KeyPress(int16_t& code) override {
    events.push_back("KeyPress(" + std::to_string(code) + ")");
  }
  void KeyUp(int16_t& code, int16_t& shift) override {
    events.push_back("KeyUp(" + std::to_string(code) + "," + std::to_string(shift) + ")");
  }
  std::vector<std::string> events;
};

std::string Joined(const std::vector<std::string>& events) {
  std::string all;
  for (const auto& e : events)
    all += (all.empty() ? "" : " ") + e;
  return all;
}

// A key press and its release as a keyboard sends them reach every control as the
// platform delivers that keystroke: KeyDown with the virtual key and Shift bits, KeyPress
// for each character typed, KeyUp. The host sees the same events, and the field ends the
// same, as on the headless platform given the keystroke itself.
TEST(QtFieldKeys, DeliveryOrderAsThePlatformDeliversIt) {
  struct Row {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    // The keystroke the platform makes of it.
    bool hasKey;
    int16_t keyCode;
    int16_t shift;
    std::u16string chars;
  };
  const Row rows[] = {
      {"digit", Qt::Key_5, Qt::NoModifier, "5", true, 53, 0, u"5"},
      {"capital letter", Qt::Key_A, Qt::ShiftModifier, "A", true, 65, 1, u"A"},
      {"shifted digit", Qt::Key_Exclam, Qt::ShiftModifier, "!", true, 49, 1, u"!"},
      {"punctuation", Qt::Key_Slash, Qt::NoModifier, "/", true, 191, 0, u"/"},
      {"minus", Qt::Key_Minus, Qt::NoModifier, "-", true, 189, 0, u"-"},
      {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", true, 8, 0, u"\b"},
      {"Ctrl+C", Qt::Key_C, Qt::ControlModifier, QString(QChar(3)), true, 67, 2, u"\x03"},
      {"Ctrl+X", Qt::Key_X, Qt::ControlModifier, QString(QChar(24)), true, 88, 2, u"\x18"},
      {"Delete's text is no character", Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)), true,
       46, 0, u""},
      {"Up", Qt::Key_Up, Qt::NoModifier, "", true, 38, 0, u""},
      {"Alt sends no character", Qt::Key_X, Qt::AltModifier, "x", true, 88, 4, u""},
      {"keypad digit", Qt::Key_3, Qt::KeypadModifier, "3", true, 99, 0, u"3"},
      {"function key", Qt::Key_F7, Qt::NoModifier, "", true, 118, 0, u""},
      {"a character no key types", Qt::Key_unknown, Qt::NoModifier, QString(QChar(0xE9)), false, 0,
       0, u"\u00e9"},
  };
  const struct {
    const char* kind;
    const char16_t* text;
    int32_t selStart;
    int32_t selLength;
  } starts[] = {{"long", u"1,234", 2, 0},
                {"real", u"12.50", 1, 0},
                {"date", u"12/25/2024", 3, 2},
                {"mask", u"", 0, 0}};
  for (const auto& start : starts) {
    for (const Row& row : rows) {
      HeadlessContainer container;
      HeadlessRecorder reference;
      auto site = container.NewSite(reference);
      auto control = CreateControl(start.kind, *site);
      if (!control) continue;  // a kind this build does not have
      control->InitProperties();
      control->Resize();
      site->Field().SetText(start.text);
      site->Field().SetSelStart(start.selStart);
      site->Field().SetSelLength(start.selLength);
      reference.events.clear();
      if (row.hasKey) site->Field().KeyDown(row.keyCode, row.shift);
      for (const char16_t c : row.chars)
        site->Field().KeyPress(static_cast<int16_t>(c));
      if (row.hasKey) site->Field().KeyUp(row.keyCode, row.shift);

      QtContainer qtContainer;
      qtContainer.SetAmbientFont(container.ambientFont);
      QtInputControl box(start.kind, nullptr, &qtContainer);
      box.InitProperties();
      box.Field().SetText(start.text);
      box.Field().SetSelStart(start.selStart);
      box.Field().SetSelLength(start.selLength);
      Recorder recorder(box);
      Press(box.Field().LineEdit(), row.key, row.modifiers, row.text);

      const std::string where = std::string(start.kind) + ": " + row.what;
      EXPECT_EQ(recorder.Take(), Joined(reference.events)) << where;
      EXPECT_EQ(box.Field().Text(), site->Field().Text()) << where;
      EXPECT_EQ(box.Field().SelStart(), site->Field().SelStart()) << where;
      EXPECT_EQ(box.Field().SelLength(), site->Field().SelLength()) << where;
    }
  }
}

// Every virtual key with every Shift combination survives the trip to a Qt key event and
// back, so that a code the host changes reaches the QLineEdit as the key it names.
TEST(QtFieldKeys, EveryVirtualKeyRoundTrips) {
  for (int code = 1; code <= 0xFFFF; ++code) {
    for (int16_t shift = 0; shift < 8; ++shift) {
      const QKeyEvent event =
          MakeKeyEvent(QEvent::KeyPress, static_cast<int16_t>(code), shift, QString());
      const auto back = VirtualKeyOf(event);
      ASSERT_TRUE(back.has_value()) << code;
      ASSERT_EQ(static_cast<uint16_t>(*back), code) << "shift " << shift;
      // The Shift, Ctrl and Alt keys' own events carry their modifier, as Qt reports them.
      if (code < 16 || code > 18) {
        ASSERT_EQ(ShiftBitsOf(event.modifiers()), shift) << code;
      }
    }
  }
}

// The QLineEdit moves the caret on a passed Left, and not when the host zeroes the key.
TEST(QtFieldKeys, TheLineEditActsOnlyOnTheCodeLeft) {
  QtLong box;
  box.SetText(QStringLiteral("1234"));
  box.SetSelStart(3);
  Recorder recorder(box);
  Press(box.Field().LineEdit(), Qt::Key_Left, Qt::NoModifier, QString());
  EXPECT_EQ(box.SelStart(), 2);
  recorder.zeroKeyDown = true;
  Press(box.Field().LineEdit(), Qt::Key_Left, Qt::NoModifier, QString());
  EXPECT_EQ(box.SelStart(), 2);
  EXPECT_EQ(recorder.Take(), "KeyDown(37,0) KeyUp(37,0) KeyDown(37,0) KeyUp(37,0)");
}

// Without a control the field is a plain QLineEdit, minus the edits that would pass a
// control by: undo, word and line deletion.
TEST(QtFieldKeys, TheLineEditsOwnEditingShortcutsAreOff) {
  QWidget parent;
  QtField field(&parent);
  QtLineEdit& edit = field.LineEdit();
  for (const QChar c : QStringLiteral("ab cd"))
    Press(edit, Qt::Key_unknown, Qt::NoModifier, QString(c));
  EXPECT_EQ(edit.text(), QStringLiteral("ab cd"));
  Press(edit, Qt::Key_Backspace, Qt::ControlModifier, QString(QChar(0x7F)));
  EXPECT_EQ(edit.text(), QStringLiteral("ab cd"));
  Press(edit, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
  EXPECT_EQ(edit.text(), QStringLiteral("ab c"));
  // Ctrl+Z is the field's own undo, by steps (the typing run whole), not the QLineEdit's
  // character by character.
  Press(edit, Qt::Key_Z, Qt::ControlModifier, QString(QChar(26)));
  EXPECT_EQ(edit.text(), QStringLiteral("ab cd"));
  Press(edit, Qt::Key_Z, Qt::ControlModifier, QString(QChar(26)));
  EXPECT_EQ(edit.text(), QString());
  Press(edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, QString(QChar(26)));
  EXPECT_EQ(edit.text(), QStringLiteral("ab cd"));
}

// The field's members: Text puts the caret at 0, SelStart and SelLength clamp, SelText
// replaces the selection, and each write of Text or SelText raises Change.
TEST(QtFieldMembers, TextAndSelectionFollowTheEditFieldContract) {
  QWidget parent;
  QtField field(&parent);
  struct Counter : EditFieldEvents {
    void FieldChange() override { ++changes; }
    int changes = 0;
  } counter;
  field.SetEvents(&counter);
  field.SetText(u"hello");
  EXPECT_EQ(field.SelStart(), 0);
  field.SetText(u"hello");
  EXPECT_EQ(counter.changes, 2);  // also when the text stays the same
  field.SetSelStart(99);
  EXPECT_EQ(field.SelStart(), 5);
  field.SetSelStart(1);
  field.SetSelLength(99);
  EXPECT_EQ(field.SelLength(), 4);
  EXPECT_EQ(field.SelText(), u"ello");
  field.SetSelText(u"i");
  EXPECT_EQ(field.Text(), u"hi");
  EXPECT_EQ(field.SelStart(), 2);
  EXPECT_EQ(counter.changes, 3);
  // Longer than QLineEdit's own limit of 32767.
  field.SetText(std::u16string(40000, u'x'));
  EXPECT_EQ(field.Text().size(), 40000u);
  field.SetEvents(nullptr);
}

TEST(QtFieldMembers, RefusesWhatTheHeadlessFieldRefuses) {
  QWidget parent;
  QtField field(&parent);
  const auto number = [](auto&& write) {
    try {
      write();
    } catch (const Error& e) {
      return e.Number();
    }
    return 0;
  };
  EXPECT_EQ(number([&] { field.SetAppearance(2); }), 380);
  EXPECT_EQ(number([&] { field.SetAlignment(3); }), 380);
  EXPECT_EQ(number([&] { field.SetBorderStyle(-1); }), 380);
  EXPECT_EQ(number([&] { field.SetMousePointer(16); }), 380);
  EXPECT_EQ(number([&] { field.SetMousePointer(99); }), 0);
  EXPECT_EQ(number([&] { field.Move(0, 0, -1, 10); }), 380);
  EXPECT_EQ(field.Appearance(), 1);
  EXPECT_EQ(field.Alignment(), 0);
}

// An error the control raises while handling a Qt event ends that event, comes out as
// ErrorRaised, and waits in TakeError; TypeText throws it and types no further.
TEST(QtFieldErrors, AnErrorInAHandlerStopsTheKeyAndIsReported) {
  QtLong box;
  box.SetText(QStringLiteral(""));
  Recorder recorder(box);
  recorder.throwOnKeyPress = true;
  int reported = 0;
  QObject::connect(&box, &QtInputControl::ErrorRaised,
                   [&](int number, const QString&) { reported = number; });
  EXPECT_THROW(box.TypeText(QStringLiteral("12")), Error);
  EXPECT_EQ(reported, 5);
  EXPECT_EQ(box.TakeError(), nullptr);  // TypeText took it
  // '1' went down and its KeyPress threw: no KeyUp, and nothing of '2' was sent.
  const std::string events = recorder.Take();
  EXPECT_EQ(events.rfind("KeyDown(49,0) ", 0), 0u) << events;
  EXPECT_EQ(events.substr(events.size() - 11), "KeyPress(0)") << events;
  EXPECT_EQ(events.find("KeyUp"), std::string::npos) << events;
  EXPECT_EQ(events.find("(50"), std::string::npos) << events;
}

// A composed text from an input method arrives as KeyPress per character, through the
// control like typed keys.
TEST(QtFieldInput, AnInputMethodsTextGoesThroughTheControl) {
  QtLong box;
  box.SetText(QStringLiteral(""));
  Recorder recorder(box);
  QInputMethodEvent composed;
  composed.setCommitString(QStringLiteral("12x3"));
  QApplication::sendEvent(&box.Field().LineEdit(), &composed);
  EXPECT_EQ(box.Field().LineEdit().text(), QStringLiteral("123"));
  EXPECT_EQ(recorder.Take().find("KeyDown"), std::string::npos);
}

// Focus moves within the form reach the control; switching windows or opening a popup
// does not (the focus stays with the field), nor does a disabled field get the focus.
TEST(QtFieldInput, FocusReachesTheControlOnlyWhenItMovesWithinTheForm) {
  struct Row {
    Qt::FocusReason reason;
    bool enabled;
    bool reaches;
  };
  const Row rows[] = {
      {Qt::TabFocusReason, true, true},    {Qt::MouseFocusReason, true, true},
      {Qt::OtherFocusReason, true, true},  {Qt::ActiveWindowFocusReason, true, false},
      {Qt::PopupFocusReason, true, false}, {Qt::OtherFocusReason, false, false}};
  for (const Row& row : rows) {
    QtDate date;
    date.Field().SetText(u"");
    date.Field().SetEnabled(row.enabled);
    QFocusEvent in(QEvent::FocusIn, row.reason);
    QApplication::sendEvent(&date.Field().LineEdit(), &in);
    // The date box puts "//" into an empty field when it gains the focus.
    EXPECT_EQ(date.Field().LineEdit().text() == QStringLiteral("//"), row.reaches) << row.reason;
  }
}

// A click where the caret stands raises MouseDown, MouseUp and Click; a double click
// raises DblClick, and the release that ends it is no second Click.
TEST(QtFieldInput, ClicksAndDoubleClicks) {
  QtLong box;
  std::vector<std::string> events;
  QObject::connect(&box, &QtInputControl::Click, [&] { events.push_back("Click"); });
  QObject::connect(&box, &QtInputControl::DblClick, [&] { events.push_back("DblClick"); });
  QObject::connect(&box, &QtInputControl::MouseDown, [&](qint16& button, qint16&, float&, float&) {
    events.push_back("MouseDown(" + std::to_string(button) + ")");
  });
  QObject::connect(&box, &QtInputControl::MouseUp, [&](qint16& button, qint16&, float&, float&) {
    events.push_back("MouseUp(" + std::to_string(button) + ")");
  });
  QtLineEdit& edit = box.Field().LineEdit();
  const QPointF at = QRectF(edit.CaretRect()).center();
  const auto mouse = [&](QEvent::Type type, Qt::MouseButton button) {
    QMouseEvent event(type, at, edit.mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QApplication::sendEvent(&edit, &event);
  };
  mouse(QEvent::MouseButtonPress, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
  mouse(QEvent::MouseButtonDblClick, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, Qt::LeftButton);
  mouse(QEvent::MouseButtonPress, Qt::RightButton);
  mouse(QEvent::MouseButtonRelease, Qt::RightButton);
  const std::vector<std::string> expected = {"MouseDown(1)", "MouseUp(1)", "Click",
                                             "DblClick",     "MouseUp(1)", "MouseDown(2)",
                                             "MouseUp(2)"};
  EXPECT_EQ(events, expected);
}

}  // namespace
}  // namespace entrybox
