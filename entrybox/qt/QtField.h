// The edit field on Qt: a QLineEdit whose keys, focus and clicks go through the control
// first, exactly as the platform delivers them.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "entrybox/platform/EditField.h"
#include "entrybox/platform/FieldHistory.h"

namespace entrybox {

class QtField;

/// The QLineEdit that QtField drives. It hands its events to the field; on its own it
/// only draws and acts on what the field passes back.
class QtLineEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit QtLineEdit(QWidget* parent);
  ~QtLineEdit() override;

  /// Where the caret is drawn, in the line edit's pixels.
  QRect CaretRect() const { return cursorRect(); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class QtField;
  QtField* field = nullptr;
};

/// EditField over a QtLineEdit. Keys arrive as the platform delivers them: a key press
/// is KeyDown (virtual key and Shift bits), then KeyPress for each character it types,
/// a key release KeyUp; each goes through the control first, and the QLineEdit acts only
/// on the code the control leaves (0: nothing). Geometry is kept in twips as written
/// and shown in pixels, 15 twips to a pixel.
///
/// The QLineEdit's own actions are those of an ordinary single-line field: characters,
/// Backspace, Delete, cut, copy, paste, caret and selection keys. Its own undo, redo, word
/// and line deletions, context menu, drag and drop and middle-click paste are off: they
/// would change the text past the control. Undo and redo are the field's, kept by a
/// FieldHistory; the context menu is the owner's (SetContextMenuHandler).
///
/// An error the control raises while handling a Qt event cannot travel through Qt; it
/// ends the handling of that event and goes to the error handler.
///
/// While the field handles a Qt event (a key, the focus, a click), the control's writes
/// (SetText, SetSelStart, SetSelLength, SetSelText) go to a copy of the field's state, and
/// the QLineEdit takes the result once, when the event is done or before it acts on a key
/// itself: an edit that writes the text three times lays the text out once. Reads and the
/// Change notifications are as before; only the QLineEdit's own text() and cursor lag
/// behind within the event, so hosts read the field through Text() and SelStart().
class QtField : public EditField {
 public:
  /// Creates the QLineEdit as a child of `parent` (which owns it).
  explicit QtField(QWidget* parent);
  ~QtField() override;
  QtField(const QtField&) = delete;
  QtField& operator=(const QtField&) = delete;

  /// The QLineEdit that shows the field.
  QtLineEdit& LineEdit() { return *edit; }

  std::u16string Text() const override;
  void SetText(const std::u16string& value) override;
  int32_t SelStart() const override;
  void SetSelStart(int32_t value) override;
  int32_t SelLength() const override;
  void SetSelLength(int32_t value) override;
  std::u16string SelText() const override;
  void SetSelText(const std::u16string& value) override;

  int16_t Appearance() const override { return appearance; }
  void SetAppearance(int16_t value) override;
  int16_t Alignment() const override { return alignment; }
  void SetAlignment(int16_t value) override;
  int16_t BorderStyle() const override { return borderStyle; }
  void SetBorderStyle(int16_t value) override;
  int16_t MousePointer() const override { return mousePointer; }
  void SetMousePointer(int16_t value) override;
  uint32_t BackColor() const override { return backColor; }
  void SetBackColor(uint32_t value) override;
  uint32_t ForeColor() const override { return foreColor; }
  void SetForeColor(uint32_t value) override;
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool value) override;
  bool Locked() const override;
  void SetLocked(bool value) override;
  entrybox::Font Font() const override { return font; }
  void SetFont(const entrybox::Font& value) override;

  double Left() const override { return left; }
  double Top() const override { return top; }
  double Width() const override { return width; }
  double Height() const override { return height; }
  void SetWidth(double value) override;
  void Move(double newLeft, double newTop, double newWidth, double newHeight) override;
  void Refresh() override;
  void SetEvents(EditFieldEvents* value) override { events = value; }
  void ClearHistory() override { history.Clear(); }

  /// The undo history, for the context menu's enabled states.
  const FieldHistory& History() const { return history; }
  /// Runs a KeyDown chosen from a command (the context menu) rather than typed: through
  /// the control without host events, then the field's own action, recorded in the
  /// history as a keystroke. An error goes to the error handler.
  void RunCommandKey(int16_t keyCode, int16_t shift);
  /// Where a request for the context menu goes (a right click, the Menu key, Shift+F10
  /// the control passed on), with the point to show it at; it answers whether it showed
  /// one (a right click it did not take goes on to the parent widget). None: no menu.
  void SetContextMenuHandler(std::function<bool(const QPoint&)> handler) {
    contextMenuHandler = std::move(handler);
  }

  /// Where errors raised while handling a Qt event go.
  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
    errorHandler = std::move(handler);
  }

 private:
  friend class QtLineEdit;

  // The QtLineEdit's events, in the controls' terms.
  void KeyPressed(QKeyEvent& event);
  void KeyReleased(QKeyEvent& event);
  void FocusIn(QFocusEvent& event);
  void FocusOut(QFocusEvent& event);
  void MousePressed(QMouseEvent& event);
  void MouseMoved(QMouseEvent& event);
  void MouseReleased(QMouseEvent& event);
  void MouseDoubleClicked(QMouseEvent& event);
  void InputMethod(QInputMethodEvent& event);
  void TextEdited();
  bool ContextMenuRequested(const QPoint& globalPos);

  // A KeyDown through the control (from a command: without host events), then the
  // field's own action: undo and redo, the context menu, or the QLineEdit's.
  void DeliverKeyDown(QKeyEvent& original, int16_t virtualKey, int16_t shift, bool command);
  static bool IsContextMenuKey(int16_t keyCode, int16_t shift);
  // Runs one keystroke and records it in the history, also when it raised an error.
  template <typename Deliver>
  void RecordKeystroke(bool typed, Deliver&& deliver);

  // The QLineEdit's own action on a KeyDown and on the characters of KeyPress.
  void ActOnKeyDown(QKeyEvent& original, int16_t originalCode, int16_t originalShift, int16_t code,
                    int16_t shift);
  void ActOnCharacter(int16_t code);
  void DeliverKeyPress(int16_t code);
  void FlushPendingSurrogate();
  // Runs a step of event handling: an error ends the step and goes to the handler.
  template <typename Step>
  void Guard(Step&& step);
  void ApplyLook();
  void ApplyGeometry();
  void Changed();
  void MouseEvent(QMouseEvent& event,
                  void (EditFieldEvents::*notify)(int16_t&, int16_t&, float&, float&));

  // The field's state while writes are held back from the QLineEdit.
  struct HeldState {
    std::u16string text;  // reused from event to event: no allocation per keystroke
    int32_t selStart = 0;
    int32_t selLength = 0;
  };
  // Holds the writes of one Qt event back; the outermost one hands them on.
  class HeldWrites {
   public:
    explicit HeldWrites(QtField& field) : field(field) { ++field.holdDepth; }
    ~HeldWrites();
    HeldWrites(const HeldWrites&) = delete;
    HeldWrites& operator=(const HeldWrites&) = delete;

   private:
    QtField& field;
  };
  // The state a write changes: the held copy, loaded from the QLineEdit on the first write
  // of an event; null when writes go straight to the QLineEdit (outside an event).
  HeldState* StateToWrite();
  // Gives the QLineEdit the held state: its text only when that changed, then the caret.
  void PassHeldWrites();
  // Whether a key is one of the QLineEdit's editing shortcuts that the field leaves alone;
  // the platform's bindings are read once, not on every key.
  bool IsRefusedShortcut(const QKeyEvent& event);

  QPointer<QtLineEdit> edit;
  EditFieldEvents* events = nullptr;
  std::function<void(std::exception_ptr)> errorHandler;
  std::function<bool(const QPoint&)> contextMenuHandler;
  FieldHistory history;
  // An error raised inside the QLineEdit's own handling (from a signal), carried out of Qt.
  std::exception_ptr innerError;
  // A high surrogate passed on by the control, waiting for its low half.
  char16_t pendingHigh = 0;
  bool afterDoubleClick = false;
  bool pressedInside = false;
  int16_t appearance = 1;
  int16_t alignment = 0;
  int16_t borderStyle = 1;
  int16_t mousePointer = 0;
  uint32_t backColor = 0;
  uint32_t foreColor = 0;
  bool enabled = true;
  entrybox::Font font;
  double left = 0, top = 0, width = 0, height = 0;
  int holdDepth = 0;
  bool holding = false;  // `held` holds writes the QLineEdit has not taken yet
  HeldState held;
  QList<QKeyCombination> refusedShortcuts;  // empty until the first key
};

}  // namespace entrybox
