#include "entrybox/qt/QtField.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "entrybox/platform/Error.h"
#include "entrybox/platform/Keys.h"
#include "entrybox/qt/QtConvert.h"
#include "entrybox/qt/QtKeys.h"

namespace entrybox {

namespace {

int32_t Length(const QString& text) {
  return static_cast<int32_t>(text.size());
}

// The mouse button of an event in the controls' terms: 1 left, 2 right, 4 middle.
int16_t ButtonBits(Qt::MouseButtons buttons) {
  int16_t bits = 0;
  if (buttons & Qt::LeftButton) bits |= 1;
  if (buttons & Qt::RightButton) bits |= 2;
  if (buttons & Qt::MiddleButton) bits |= 4;
  return bits;
}

// The QLineEdit's editing shortcuts that are no part of an ordinary single-line field:
// each would change the text past the control, so the field leaves them alone.
constexpr QKeySequence::StandardKey kRefused[] = {QKeySequence::Undo,
                                                  QKeySequence::Redo,
                                                  QKeySequence::DeleteEndOfWord,
                                                  QKeySequence::DeleteStartOfWord,
                                                  QKeySequence::DeleteEndOfLine,
                                                  QKeySequence::DeleteCompleteLine,
                                                  QKeySequence::Backspace};

// A character key without Ctrl, Alt or Meta, passed on without its text: no binding of
// the QLineEdit's uses such a key, so all it could do is ignore it. Sparing it the look-up
// of every binding saves a third of a typed key's cost.
bool LineEditOnlyIgnores(const QKeyEvent& passed) {
  constexpr Qt::KeyboardModifiers kCommand =
      Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
  return passed.text().isEmpty() && passed.key() >= Qt::Key_Space &&
         passed.key() < Qt::Key_Escape && !(passed.modifiers() & kCommand);
}

Qt::CursorShape CursorFor(int16_t pointer) {
  switch (pointer) {
    case 1:
    case 4:
      return Qt::ArrowCursor;
    case 2:
      return Qt::CrossCursor;
    case 3:
      return Qt::IBeamCursor;
    case 5:
    case 15:
      return Qt::SizeAllCursor;
    case 6:
      return Qt::SizeBDiagCursor;
    case 7:
      return Qt::SizeVerCursor;
    case 8:
      return Qt::SizeFDiagCursor;
    case 9:
      return Qt::SizeHorCursor;
    case 10:
      return Qt::UpArrowCursor;
    case 11:
      return Qt::WaitCursor;
    case 12:
      return Qt::ForbiddenCursor;
    case 13:
      return Qt::BusyCursor;
    case 14:
      return Qt::WhatsThisCursor;
    default:  // 0 the field's own, 99 a custom icon the binding does not have
      return Qt::IBeamCursor;
  }
}

}  // namespace

// --- QtLineEdit ---------------------------------------------------------------------------

QtLineEdit::QtLineEdit(QWidget* parent) : QLineEdit(parent) {
  // The menu is the field's own (QtField::SetContextMenuHandler), never QLineEdit's.
  setContextMenuPolicy(Qt::DefaultContextMenu);
  setAcceptDrops(false);
  setDragEnabled(false);
  // QLineEdit cuts texts at 32767 characters; the controls' fields have no such limit.
  setMaxLength(std::numeric_limits<int>::max() / 2);
}

QtLineEdit::~QtLineEdit() = default;

void QtLineEdit::keyPressEvent(QKeyEvent* event) {
  if (field != nullptr) {
    field->KeyPressed(*event);
  } else {
    QLineEdit::keyPressEvent(event);
  }
}

void QtLineEdit::keyReleaseEvent(QKeyEvent* event) {
  if (field != nullptr) {
    field->KeyReleased(*event);
  } else {
    QLineEdit::keyReleaseEvent(event);
  }
}

void QtLineEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (field != nullptr) field->FocusIn(*event);
}

void QtLineEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (field != nullptr) field->FocusOut(*event);
}

void QtLineEdit::mousePressEvent(QMouseEvent* event) {
  // The middle button pastes the selection on X11, past the control: not here.
  if (event->button() != Qt::MiddleButton) QLineEdit::mousePressEvent(event);
  if (field != nullptr) field->MousePressed(*event);
}

void QtLineEdit::mouseMoveEvent(QMouseEvent* event) {
  QLineEdit::mouseMoveEvent(event);
  if (field != nullptr) field->MouseMoved(*event);
}

void QtLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::MiddleButton) QLineEdit::mouseReleaseEvent(event);
  if (field != nullptr) field->MouseReleased(*event);
}

void QtLineEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (field != nullptr) field->MouseDoubleClicked(*event);
}

void QtLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  event->setAccepted(field != nullptr && field->ContextMenuRequested(event->globalPos()));
}

void QtLineEdit::inputMethodEvent(QInputMethodEvent* event) {
  if (field != nullptr) {
    field->InputMethod(*event);
  } else {
    QLineEdit::inputMethodEvent(event);
  }
}

void QtLineEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  // A flat field with a border: one plain line in the text colour.
  if (field != nullptr && field->borderStyle == 1 && field->appearance == 0) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

// --- QtField ------------------------------------------------------------------------------

QtField::QtField(QWidget* parent) : edit(new QtLineEdit(parent)) {
  edit->field = this;
  QtLineEdit* lineEdit = edit.data();
  // textEdited: the QLineEdit changed its text itself, acting on a passed key.
  QObject::connect(lineEdit, &QLineEdit::textEdited, lineEdit, [lineEdit] {
    if (lineEdit->field != nullptr) lineEdit->field->TextEdited();
  });
  ApplyLook();
}

QtField::~QtField() {
  if (edit) {
    edit->field = nullptr;
    delete edit.data();
  }
}

template <typename Step>
void QtField::Guard(Step&& step) {
  HeldWrites hold(*this);
  try {
    step();
  } catch (...) {
    pendingHigh = 0;
    if (errorHandler) errorHandler(std::current_exception());
  }
}

void QtField::Changed() {
  if (events != nullptr) events->FieldChange();
}

std::u16string QtField::Text() const {
  if (holding) return held.text;
  return FromQString(edit->text());
}

void QtField::SetText(const std::u16string& value) {
  if (HeldState* state = StateToWrite()) {
    state->text = value;
    state->selStart = 0;
    state->selLength = 0;
  } else {
    edit->setText(ToQString(value));
    edit->setCursorPosition(0);
  }
  Changed();
}

int32_t QtField::SelStart() const {
  if (holding) return held.selStart;
  return edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
}

void QtField::SetSelStart(int32_t value) {
  if (HeldState* state = StateToWrite()) {
    state->selStart = std::clamp(value, 0, static_cast<int32_t>(state->text.size()));
    state->selLength = 0;
    return;
  }
  edit->setCursorPosition(std::clamp(value, 0, Length(edit->text())));
}

int32_t QtField::SelLength() const {
  if (holding) return held.selLength;
  return edit->selectionLength();
}

void QtField::SetSelLength(int32_t value) {
  const int32_t start = SelStart();
  if (HeldState* state = StateToWrite()) {
    state->selLength = std::clamp(value, 0, static_cast<int32_t>(state->text.size()) - start);
    return;
  }
  const int32_t length = std::clamp(value, 0, Length(edit->text()) - start);
  if (length == 0) {
    edit->setCursorPosition(start);
  } else {
    edit->setSelection(start, length);
  }
}

std::u16string QtField::SelText() const {
  if (holding) return held.text.substr(held.selStart, held.selLength);
  return FromQString(edit->selectedText());
}

void QtField::SetSelText(const std::u16string& value) {
  const int32_t start = SelStart();
  if (HeldState* state = StateToWrite()) {
    state->text.replace(start, state->selLength, value);
    state->selStart = start + static_cast<int32_t>(value.size());
    state->selLength = 0;
    Changed();
    return;
  }
  QString text = edit->text();
  const QString inserted = ToQString(value);
  text.replace(start, SelLength(), inserted);
  edit->setText(text);
  edit->setCursorPosition(start + Length(inserted));
  Changed();
}

// --- writes held back during an event ------------------------------------------------------

QtField::HeldWrites::~HeldWrites() {
  if (--field.holdDepth != 0) return;
  // Handing the text on emits the QLineEdit's signals; an error from a slot cannot leave
  // a destructor, so it goes where the event's own errors go.
  try {
    field.PassHeldWrites();
  } catch (...) {
    if (field.errorHandler) field.errorHandler(std::current_exception());
  }
}

QtField::HeldState* QtField::StateToWrite() {
  if (holdDepth == 0) return nullptr;
  if (!holding) {
    const QString text = edit->text();
    held.text.assign(reinterpret_cast<const char16_t*>(text.utf16()),
                     static_cast<size_t>(text.size()));
    held.selStart = SelStart();
    held.selLength = SelLength();
    holding = true;
  }
  return &held;
}

void QtField::PassHeldWrites() {
  if (!holding) return;
  holding = false;
  const QStringView heldText(held.text.data(), static_cast<qsizetype>(held.text.size()));
  if (QStringView(edit->text()) != heldText) edit->setText(heldText.toString());
  if (held.selLength == 0) {
    if (edit->hasSelectedText() || edit->cursorPosition() != held.selStart)
      edit->setCursorPosition(held.selStart);
  } else if (SelStart() != held.selStart || SelLength() != held.selLength) {
    edit->setSelection(held.selStart, held.selLength);
  }
}

bool QtField::IsRefusedShortcut(const QKeyEvent& event) {
  // QKeyEvent::matches asks the platform theme for its bindings on every call.
  if (refusedShortcuts.isEmpty()) {
    for (const QKeySequence::StandardKey key : kRefused) {
      for (const QKeySequence& sequence : QKeySequence::keyBindings(key))
        if (sequence.count() == 1) refusedShortcuts.append(sequence[0]);
    }
  }
  // Compared as QKeyEvent::matches compares: the keypad and group-switch modifiers make
  // no difference.
  const int combined = (event.modifiers().toInt() | event.key()) &
                       ~(Qt::KeypadModifier | Qt::GroupSwitchModifier).toInt();
  return refusedShortcuts.contains(QKeyCombination::fromCombined(combined));
}

void QtField::SetAppearance(int16_t value) {
  if (value < 0 || value > 1) RaiseInvalidPropertyValue();
  appearance = value;
  ApplyLook();
}

void QtField::SetAlignment(int16_t value) {
  if (value < 0 || value > 2) RaiseInvalidPropertyValue();
  alignment = value;
  ApplyLook();
}

void QtField::SetBorderStyle(int16_t value) {
  if (value < 0 || value > 1) RaiseInvalidPropertyValue();
  borderStyle = value;
  ApplyLook();
}

void QtField::SetMousePointer(int16_t value) {
  if ((value < 0 || value > 15) && value != 99) RaiseInvalidPropertyValue();
  mousePointer = value;
  ApplyLook();
}

void QtField::SetBackColor(uint32_t value) {
  backColor = value;
  ApplyLook();
}

void QtField::SetForeColor(uint32_t value) {
  foreColor = value;
  ApplyLook();
}

void QtField::SetEnabled(bool value) {
  enabled = value;
  edit->setEnabled(value);
}

bool QtField::Locked() const {
  return edit->isReadOnly();
}

void QtField::SetLocked(bool value) {
  edit->setReadOnly(value);
}

void QtField::SetFont(const entrybox::Font& value) {
  font = value;
  edit->setFont(ToQFont(value, QApplication::font(edit.data())));
}

void QtField::ApplyLook() {
  edit->setFrame(borderStyle == 1 && appearance == 1);
  static constexpr Qt::Alignment kAlignments[] = {Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter};
  edit->setAlignment(kAlignments[alignment] | Qt::AlignVCenter);
  if (mousePointer == 0 || mousePointer == 99) {
    edit->unsetCursor();
  } else {
    edit->setCursor(CursorFor(mousePointer));
  }
  if (backColor == 0 && foreColor == 0) {
    edit->setPalette(QPalette());
  } else {
    const QPalette standard = QApplication::palette(edit.data());
    QPalette palette = standard;
    palette.setColor(QPalette::Base, ColorFromValue(backColor, standard, QPalette::Base));
    palette.setColor(QPalette::Text, ColorFromValue(foreColor, standard, QPalette::Text));
    edit->setPalette(palette);
  }
  edit->update();
}

void QtField::SetWidth(double value) {
  if (!(value >= 0)) RaiseInvalidPropertyValue();
  width = value;
  ApplyGeometry();
}

void QtField::Move(double newLeft, double newTop, double newWidth, double newHeight) {
  if (!(newWidth >= 0) || !(newHeight >= 0)) RaiseInvalidPropertyValue();
  left = newLeft;
  top = newTop;
  width = newWidth;
  height = newHeight;
  ApplyGeometry();
}

void QtField::ApplyGeometry() {
  edit->setGeometry(TwipsToPixelRect(left, top, width, height));
}

void QtField::Refresh() {
  edit->update();
}

// --- events -------------------------------------------------------------------------------

void QtField::KeyPressed(QKeyEvent& event) {
  event.accept();
  Guard([&] {
    if (const auto virtualKey = VirtualKeyOf(event)) {
      DeliverKeyDown(event, *virtualKey, ShiftBitsOf(event.modifiers()), false);
    }
    for (const int16_t code : KeyPressCodesOf(event))
      DeliverKeyPress(code);
    FlushPendingSurrogate();
  });
}

void QtField::ActOnKeyDown(QKeyEvent& original, int16_t originalCode, int16_t originalShift,
                           int16_t code, int16_t shift) {
  // Backspace edits on its KeyPress (code 8), like every character.
  if (code == keys::kBack) return;
  // The key as the control left it, without its text: the characters come as KeyPress.
  QKeyEvent passed = (code == originalCode && shift == originalShift)
                         ? QKeyEvent(QEvent::KeyPress, original.key(), original.modifiers(),
                                     original.nativeScanCode(), original.nativeVirtualKey(),
                                     original.nativeModifiers(), QString(), original.isAutoRepeat())
                         : MakeKeyEvent(QEvent::KeyPress, code, shift, QString());
  if (IsRefusedShortcut(passed)) return;
  if (LineEditOnlyIgnores(passed)) {
    original.setAccepted(false);
    return;
  }
  PassHeldWrites();
  innerError = nullptr;
  edit->QLineEdit::keyPressEvent(&passed);
  if (innerError) std::rethrow_exception(std::exchange(innerError, nullptr));
  // Keys the QLineEdit does not use (Enter, Escape...) go on to the dialog around it.
  original.setAccepted(passed.isAccepted());
}

void QtField::DeliverKeyPress(int16_t code) {
  // A character (code 32 or more) is typing, whether the engine or the field writes it.
  RecordKeystroke(static_cast<uint16_t>(code) >= keys::kSpace, [&] {
    if (events != nullptr) events->FieldKeyPress(code);
    if (code != 0) ActOnCharacter(code);
  });
}

void QtField::ActOnCharacter(int16_t code) {
  const auto unit = static_cast<char16_t>(static_cast<uint16_t>(code));
  // A character outside the Basic Multilingual Plane arrives as two codes; the QLineEdit
  // takes it whole.
  if (QChar::isHighSurrogate(unit)) {
    FlushPendingSurrogate();
    pendingHigh = unit;
    return;
  }
  QString text;
  if (QChar::isLowSurrogate(unit) && pendingHigh != 0) {
    const QChar pair[] = {QChar(pendingHigh), QChar(unit)};
    text = QString(pair, 2);
    pendingHigh = 0;
  } else {
    FlushPendingSurrogate();
    if (unit == keys::kBack) {
      QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
      PassHeldWrites();
      innerError = nullptr;
      edit->QLineEdit::keyPressEvent(&backspace);
      if (innerError) std::rethrow_exception(std::exchange(innerError, nullptr));
      return;
    }
    if (unit < keys::kSpace || unit == 0x7F) return;
    text = QString(QChar(unit));
  }
  QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
  PassHeldWrites();
  innerError = nullptr;
  edit->QLineEdit::keyPressEvent(&typed);
  if (innerError) std::rethrow_exception(std::exchange(innerError, nullptr));
}

void QtField::FlushPendingSurrogate() {
  if (pendingHigh == 0) return;
  // A lone high surrogate is no character: the QLineEdit, like any text field, drops it.
  pendingHigh = 0;
}

void QtField::KeyReleased(QKeyEvent& event) {
  event.accept();
  // An auto-repeated key sends presses only, as on the platform the controls come from.
  if (event.isAutoRepeat()) return;
  Guard([&] {
    if (const auto virtualKey = VirtualKeyOf(event)) {
      int16_t code = *virtualKey;
      int16_t shift = ShiftBitsOf(event.modifiers());
      if (events != nullptr) events->FieldKeyUp(code, shift);
    }
  });
}

void QtField::TextEdited() {
  try {
    Changed();
  } catch (...) {
    if (!innerError) innerError = std::current_exception();
  }
}

void QtField::FocusIn(QFocusEvent& event) {
  // Switching windows or opening a popup leaves the focus where it was within the form.
  if (!enabled || event.reason() == Qt::ActiveWindowFocusReason ||
      event.reason() == Qt::PopupFocusReason) {
    return;
  }
  Guard([&] {
    if (events != nullptr) events->FieldGotFocus();
  });
}

void QtField::FocusOut(QFocusEvent& event) {
  if (!enabled || event.reason() == Qt::ActiveWindowFocusReason ||
      event.reason() == Qt::PopupFocusReason) {
    return;
  }
  Guard([&] {
    if (events != nullptr) events->FieldLostFocus();
  });
}

void QtField::MouseEvent(QMouseEvent& event,
                         void (EditFieldEvents::*notify)(int16_t&, int16_t&, float&, float&)) {
  Guard([&] {
    if (events == nullptr) return;
    int16_t button =
        ButtonBits(event.type() == QEvent::MouseMove ? event.buttons() : event.button());
    int16_t shift = ShiftBitsOf(event.modifiers());
    float x = static_cast<float>(event.position().x() * kTwipsPerPixel);
    float y = static_cast<float>(event.position().y() * kTwipsPerPixel);
    (events->*notify)(button, shift, x, y);
  });
}

void QtField::MousePressed(QMouseEvent& event) {
  pressedInside = true;
  afterDoubleClick = false;
  MouseEvent(event, &EditFieldEvents::FieldMouseDown);
}

void QtField::MouseMoved(QMouseEvent& event) {
  MouseEvent(event, &EditFieldEvents::FieldMouseMove);
}

void QtField::MouseReleased(QMouseEvent& event) {
  MouseEvent(event, &EditFieldEvents::FieldMouseUp);
  // A click is a press and a release of the left button over the field; the release
  // that ends a double click is no second click.
  const bool click = event.button() == Qt::LeftButton && pressedInside && !afterDoubleClick &&
                     edit->rect().contains(event.position().toPoint());
  pressedInside = false;
  afterDoubleClick = false;
  if (click) {
    Guard([&] {
      if (events != nullptr) events->FieldClick();
    });
  }
}

void QtField::MouseDoubleClicked(QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) return;
  afterDoubleClick = true;
  pressedInside = false;
  Guard([&] {
    if (events != nullptr) events->FieldDblClick();
  });
}

void QtField::InputMethod(QInputMethodEvent& event) {
  event.accept();
  // A composed text arrives as its characters, each through KeyPress.
  Guard([&] {
    for (const QChar c : event.commitString())
      DeliverKeyPress(static_cast<int16_t>(c.unicode()));
    FlushPendingSurrogate();
  });
}

// --- undo history and command keys -----------------------------------------------------

template <typename Deliver>
void QtField::RecordKeystroke(bool typed, Deliver&& deliver) {
  std::u16string text;
  history.Record(
      typed,
      [&] {
        text = Text();
        return FieldStateView{text, SelStart(), SelLength()};
      },
      std::forward<Deliver>(deliver));
}

void QtField::DeliverKeyDown(QKeyEvent& original, int16_t virtualKey, int16_t shift, bool command) {
  int16_t code = virtualKey;
  int16_t bits = shift;
  bool historyKey = false;
  bool menuKey = false;
  RecordKeystroke(false, [&] {
    if (events != nullptr) {
      if (command) {
        events->FieldCommandKeyDown(code, bits);
      } else {
        events->FieldKeyDown(code, bits);
      }
    }
    if (code == 0) return;
    historyKey = FieldHistory::IsHistoryKey(code, bits);
    menuKey = !command && IsContextMenuKey(code, bits);
    if (!historyKey && !menuKey) ActOnKeyDown(original, virtualKey, shift, code, bits);
  });
  // Undo and redo come after the key's own step, and are no steps themselves.
  if (historyKey) history.ActOnKeyDown(*this, code, bits);
  if (menuKey) ContextMenuRequested(edit->mapToGlobal(edit->CaretRect().bottomLeft()));
}

bool QtField::IsContextMenuKey(int16_t keyCode, int16_t shift) {
  constexpr int16_t kApps = 93;
  constexpr int16_t kF10 = 121;
  return (keyCode == kApps && shift == 0) || (keyCode == kF10 && shift == 1);
}

void QtField::RunCommandKey(int16_t keyCode, int16_t shift) {
  Guard([&] {
    QKeyEvent event = MakeKeyEvent(QEvent::KeyPress, keyCode, shift, QString());
    DeliverKeyDown(event, keyCode, shift, true);
  });
}

bool QtField::ContextMenuRequested(const QPoint& globalPos) {
  return contextMenuHandler && contextMenuHandler(globalPos);
}

}  // namespace entrybox
