// The Qt field holds the control's writes back during a key and hands the QLineEdit the
// result once: what the control and its host see stays exactly as on the headless
// platform, and the QLineEdit changes its text at most once per keystroke.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtControls.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

// One key as both platforms get it: the Qt key and text, the virtual key and code.
struct Key {
  int qtKey;
  QString text;
  int16_t virtualKey;
  int16_t code;
};

Key KeyFor(char16_t c) {
  if (c == u'\b') return {Qt::Key_Backspace, QStringLiteral("\b"), 8, 8};
  if (c == u'.') return {Qt::Key_Period, QStringLiteral("."), 190, u'.'};
  return {c, QString(QChar(c)), static_cast<int16_t>(c), static_cast<int16_t>(c)};
}

void Press(QWidget& target, const Key& key) {
  QKeyEvent press(QEvent::KeyPress, key.qtKey, Qt::NoModifier, key.text);
  QApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key.qtKey, Qt::NoModifier, key.text);
  QApplication::sendEvent(&target, &release);
}

std::unique_ptr<QtInputControl> MakeQt(const std::string& kind) {
  if (kind == "long") return std::make_unique<QtLong>();
  if (kind == "real") return std::make_unique<QtReal>();
  if (kind == "date") return std::make_unique<QtDate>();
  return std::make_unique<QtMask>();
}

// The same control on the headless platform, recording what its host sees at Change (the
// field itself: the date box's Text getter would write it).
struct Headless : ControlEvents {
  explicit Headless(const std::string& kind) : control(CreateControl(kind, *site)) {
    control->InitProperties();
  }
  void Change() override {
    seen.push_back("Change " + ToUtf8(site->Field().Text()) + " @" +
                   std::to_string(site->Field().SelStart()));
    if (throwOnChange) throw Error(5, "Invalid procedure call or argument");
  }
  void KeyDown(int16_t&, int16_t&) override {
    if (onKeyDown) onKeyDown(site->Field());
  }
  void Key(char16_t c) {
    const entrybox::Key key = KeyFor(c);
    int16_t virtualKey = key.virtualKey;
    site->Field().KeyDown(virtualKey, 0);
    site->Field().KeyPress(key.code);
    site->Field().KeyUp(virtualKey, 0);
  }

  HeadlessContainer container;
  std::unique_ptr<HeadlessSite> site = container.NewSite(*this);
  std::unique_ptr<InputControl> control;
  std::vector<std::string> seen;
  bool throwOnChange = false;
  std::function<void(EditField&)> onKeyDown;
};

struct Row {
  const char* kind;
  std::u16string keys;  // "\b" is Backspace
};

// Key by key, the host sees at each Change on Qt what it sees on the headless platform,
// the QLineEdit shows what the headless field holds, and it changed its text at most once.
TEST(QtFieldHeldWrites, HostsSeeWhatTheyAlwaysSawAndTheLineEditChangesOncePerKey) {
  const Row rows[] = {
      {"long", u"1234567\b\b-"},   // regrouping writes the text twice per digit
      {"real", u"1234.56\b\b\b"},  // and the real box's decimals
      {"date", u"12251999\b\b"},
      {"mask", u"5551234\b\b"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind);
    Headless reference(row.kind);
    std::unique_ptr<QtInputControl> box = MakeQt(row.kind);
    for (auto* control : {reference.control.get(), &box->Control()}) {
      if (std::string(row.kind) == "date")
        control->SetProperty("DateFormat", std::u16string(u"mm/dd/yyyy"));
      if (std::string(row.kind) == "mask")
        control->SetProperty("Mask", std::u16string(u"(###) ###-####"));
      control->SetProperty("Text", std::u16string());
    }
    // An empty date box shows today, which differs between the platforms' clocks.
    if (std::string(row.kind) == "date") {
      reference.site->Field().SetText(u"//");
      box->Field().SetText(u"//");
    }
    reference.seen.clear();
    std::vector<std::string> seen;
    QObject::connect(box.get(), &QtInputControl::Change, [&] {
      seen.push_back("Change " + ToUtf8(box->Field().Text()) + " @" +
                     std::to_string(box->Field().SelStart()));
    });
    int lineEditChanges = 0;
    QObject::connect(&box->Field().LineEdit(), &QLineEdit::textChanged, [&] { ++lineEditChanges; });
    for (char16_t c : row.keys) {
      SCOPED_TRACE(ToUtf8(std::u16string(1, c)));
      lineEditChanges = 0;
      reference.Key(c);
      Press(box->Field().LineEdit(), KeyFor(c));
      EXPECT_EQ(seen, reference.seen);
      EXPECT_EQ(box->Field().LineEdit().text().toStdString(),
                ToUtf8(reference.site->Field().Text()));
      EXPECT_EQ(box->Field().LineEdit().cursorPosition(), reference.site->Field().SelStart());
      EXPECT_LE(lineEditChanges, 1);
      seen.clear();
      reference.seen.clear();
    }
  }
}

// A host that edits the field in its KeyDown handler: the engine then works on the
// host's text and selection, held or not, and the host reads back what it wrote.
TEST(QtFieldHeldWrites, AHostsWritesDuringAKeyAreWhatTheEngineSees) {
  struct Row {
    const char* what;
    std::function<void(EditField&)> host;
    char16_t key;
  };
  const Row rows[] = {
      {"new text", [](EditField& f) { f.SetText(u"98765"); }, u'1'},
      {"selection replaced",
       [](EditField& f) {
         f.SetSelStart(1);
         f.SetSelLength(3);
       },
       u'4'},
      {"selected text written, then read",
       [](EditField& f) {
         f.SetSelStart(0);
         f.SetSelLength(2);
         f.SetSelText(f.SelText() + u"0");
         f.SetSelStart(f.SelStart() - 1);
       },
       u'7'},
      {"caret past the end", [](EditField& f) { f.SetSelStart(99); }, u'\b'},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Headless reference("long");
    QtLong box;
    reference.control->SetProperty("Text", std::u16string(u"12345"));
    box.SetText(QStringLiteral("12345"));
    reference.onKeyDown = row.host;
    QObject::connect(&box, &QtInputControl::KeyDown,
                     [&](qint16&, qint16&) { row.host(box.Field()); });
    reference.Key(row.key);
    Press(box.Field().LineEdit(), KeyFor(row.key));
    EXPECT_EQ(box.Field().LineEdit().text().toStdString(), ToUtf8(reference.site->Field().Text()));
    EXPECT_EQ(box.Field().LineEdit().cursorPosition(), reference.site->Field().SelStart());
    EXPECT_EQ(box.Field().SelLength(), reference.site->Field().SelLength());
  }
}

// Writes made outside a Qt event (a host setting the text) reach the QLineEdit at once.
TEST(QtFieldHeldWrites, WritesOutsideAnEventAreShownAtOnce) {
  QtLong box;
  box.Field().SetText(u"12345");
  EXPECT_EQ(box.Field().LineEdit().text(), QStringLiteral("12345"));
  box.Field().SetSelStart(2);
  box.Field().SetSelLength(2);
  EXPECT_EQ(box.Field().LineEdit().selectedText(), QStringLiteral("34"));
  box.Field().SetSelText(u"x");
  EXPECT_EQ(box.Field().LineEdit().text(), QStringLiteral("12x5"));
  EXPECT_EQ(box.Field().LineEdit().cursorPosition(), 3);
}

// An error from the host's Change handler ends the key, and the text written before it
// is shown, as the headless field keeps it: held writes are never lost.
TEST(QtFieldHeldWrites, AnErrorMidKeyLosesNoWrite) {
  Headless reference("long");
  QtLong box;
  reference.control->SetProperty("Text", std::u16string(u"123"));
  box.SetText(QStringLiteral("123"));
  reference.site->Field().SetSelStart(3);
  box.Field().SetSelStart(3);
  reference.throwOnChange = true;
  QObject::connect(&box, &QtInputControl::Change,
                   [] { throw Error(5, "Invalid procedure call or argument"); });
  EXPECT_THROW(reference.Key(u'4'), Error);
  Press(box.Field().LineEdit(), KeyFor(u'4'));
  EXPECT_NE(box.TakeError(), nullptr);
  EXPECT_EQ(box.Field().LineEdit().text().toStdString(), ToUtf8(reference.site->Field().Text()));
  EXPECT_EQ(box.Field().Text(), reference.site->Field().Text());
}

// Keys the QLineEdit has no use for go on to the widgets around it, as they always did;
// keys it acts on (the caret keys) stop there.
TEST(QtFieldHeldWrites, UnusedKeysStillReachTheParent) {
  struct Catcher : QWidget {
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
    std::vector<int> keys;
  };
  Catcher parent;
  auto* box = new QtMask(&parent);
  box->SetMask(QStringLiteral("###"));
  Press(box->Field().LineEdit(), KeyFor(u'5'));
  Press(box->Field().LineEdit(), {Qt::Key_A, QStringLiteral("a"), 'A', 'a'});
  Press(box->Field().LineEdit(), {Qt::Key_Left, QString(), 37, 0});
  EXPECT_EQ(parent.keys, (std::vector<int>{'5', Qt::Key_A}));
  EXPECT_EQ(box->Field().LineEdit().text(), QStringLiteral("5__"));
}

}  // namespace
}  // namespace entrybox
