// The headless reference edit field: an ordinary single-line edit field in memory.
#pragma once

#include <cstdint>
#include <string>

#include "entrybox/platform/Clipboard.h"
#include "entrybox/platform/EditField.h"
#include "entrybox/platform/FieldHistory.h"

namespace entrybox {

/// In-memory edit field. Besides the EditField members it delivers keystrokes, focus and
/// clicks as the platform does: each through the owner's handler first, then, when the
/// handler left a non-zero code, the field's own default action.
class HeadlessField : public EditField {
 public:
  explicit HeadlessField(Clipboard& clipboard, entrybox::Font font = {});

  std::u16string Text() const override { return text; }
  void SetText(const std::u16string& value) override;
  int32_t SelStart() const override { return selStart; }
  void SetSelStart(int32_t value) override;
  int32_t SelLength() const override { return selLength; }
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
  void SetBackColor(uint32_t value) override { backColor = value; }
  uint32_t ForeColor() const override { return foreColor; }
  void SetForeColor(uint32_t value) override { foreColor = value; }
  bool Enabled() const override { return enabled; }
  void SetEnabled(bool value) override { enabled = value; }
  bool Locked() const override { return locked; }
  void SetLocked(bool value) override { locked = value; }
  entrybox::Font Font() const override { return font; }
  void SetFont(const entrybox::Font& value) override { font = value; }

  double Left() const override { return left; }
  double Top() const override { return top; }
  double Width() const override { return width; }
  double Height() const override { return height; }
  void SetWidth(double value) override;
  void Move(double newLeft, double newTop, double newWidth, double newHeight) override;
  void Refresh() override { ++refreshCount; }
  void SetEvents(EditFieldEvents* value) override { events = value; }
  void ClearHistory() override { history.Clear(); }

  /// Keystrokes as the platform delivers them (disabled fields receive none).
  void KeyDown(int16_t keyCode, int16_t shift);
  void KeyPress(int16_t keyAscii);
  void KeyUp(int16_t keyCode, int16_t shift);
  void GotFocus();
  void LostFocus();
  void Click();
  void DblClick();

  /// The undo history (read by tests).
  const FieldHistory& History() const { return history; }

  /// How often Refresh was called.
  int RefreshCount() const { return refreshCount; }

 private:
  void ReplaceSelection(const std::u16string& with);
  void Changed();
  // The default actions on a KeyDown and a KeyPress the control passed on.
  void ActOnKeyDown(int16_t keyCode, int16_t shift);
  void ActOnKeyPress(int16_t keyAscii);
  // Runs one keystroke and records it in the history, also when it raised an error.
  template <typename Deliver>
  void Keystroke(bool typed, Deliver&& deliver);

  Clipboard& clipboard;
  EditFieldEvents* events = nullptr;
  FieldHistory history;
  std::u16string text;
  int32_t selStart = 0;
  int32_t selLength = 0;
  int16_t appearance = 1;
  int16_t alignment = 0;
  int16_t borderStyle = 1;
  int16_t mousePointer = 0;
  uint32_t backColor = 0;
  uint32_t foreColor = 0;
  bool enabled = true;
  bool locked = false;
  entrybox::Font font;
  double left = 0, top = 0, width = 0, height = 0;
  int refreshCount = 0;
};

}  // namespace entrybox
