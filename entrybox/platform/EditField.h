// The single-line edit field every control hosts, and the notifications it sends.
//
// Positions are 0-based code-unit counts here; the editing logic works with 1-based
// positions on top of them. Writing Text puts the caret at 0 with no selection.
#pragma once

#include <cstdint>
#include <string>

#include "entrybox/platform/Font.h"

namespace entrybox {

class DataObject;

/// Receives the edit field's notifications (the control implements it).
/// Key parameters are passed by reference: what is left in them decides what the field
/// does itself (0: nothing).
class EditFieldEvents {
 public:
  virtual void FieldChange() {}
  virtual void FieldClick() {}
  virtual void FieldDblClick() {}
  virtual void FieldGotFocus() {}
  virtual void FieldLostFocus() {}
  virtual void FieldKeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
  virtual void FieldKeyPress(int16_t& /*KeyAscii*/) {}
  virtual void FieldKeyUp(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
  /// A KeyDown that comes from a command of the field (a context menu's Paste is Ctrl+V),
  /// not from the keyboard: the control handles it as a KeyDown but raises no key events
  /// to the host. What is left in KeyCode decides the field's own action, as for a key.
  virtual void FieldCommandKeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
  virtual void FieldMouseDown(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {
  }
  virtual void FieldMouseMove(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {
  }
  virtual void FieldMouseUp(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {}
  virtual void FieldOLECompleteDrag(int32_t& /*Effect*/) {}
  virtual void FieldOLEDragDrop(DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/,
                                int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {}
  virtual void FieldOLEDragOver(DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/,
                                int16_t& /*Shift*/, float& /*x*/, float& /*y*/,
                                int16_t& /*State*/) {}
  virtual void FieldOLEGiveFeedback(int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
  virtual void FieldOLESetData(DataObject& /*Data*/, int16_t& /*DataFormat*/) {}
  virtual void FieldOLEStartDrag(DataObject& /*Data*/, int32_t& /*AllowedEffects*/) {}

 protected:
  ~EditFieldEvents() = default;
};

/// The platform's single-line text box.
class EditField {
 public:
  virtual ~EditField() = default;

  /// The whole content. Setting it replaces everything, puts the caret at 0 and
  /// raises Change.
  virtual std::u16string Text() const = 0;
  virtual void SetText(const std::u16string& value) = 0;
  /// Caret, 0-based; setting it clamps to 0..length and clears the selection.
  virtual int32_t SelStart() const = 0;
  virtual void SetSelStart(int32_t value) = 0;
  /// Selected characters after SelStart; setting it clamps to the text after SelStart.
  virtual int32_t SelLength() const = 0;
  virtual void SetSelLength(int32_t value) = 0;
  /// The selected characters; setting it replaces the selection, puts the caret after
  /// it and raises Change.
  virtual std::u16string SelText() const = 0;
  virtual void SetSelText(const std::u16string& value) = 0;

  // Appearance members. Setters raise Error 380 for a value the field refuses.
  virtual int16_t Appearance() const = 0;
  virtual void SetAppearance(int16_t value) = 0;
  virtual int16_t Alignment() const = 0;
  virtual void SetAlignment(int16_t value) = 0;
  virtual int16_t BorderStyle() const = 0;
  virtual void SetBorderStyle(int16_t value) = 0;
  virtual int16_t MousePointer() const = 0;
  virtual void SetMousePointer(int16_t value) = 0;
  virtual uint32_t BackColor() const = 0;
  virtual void SetBackColor(uint32_t value) = 0;
  virtual uint32_t ForeColor() const = 0;
  virtual void SetForeColor(uint32_t value) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetEnabled(bool value) = 0;
  /// Locked: the field's own editing of passed keys is off.
  virtual bool Locked() const = 0;
  virtual void SetLocked(bool value) = 0;
  virtual entrybox::Font Font() const = 0;
  virtual void SetFont(const entrybox::Font& value) = 0;

  // Geometry in the control's own units.
  virtual double Left() const = 0;
  virtual double Top() const = 0;
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual void SetWidth(double value) = 0;
  virtual void Move(double left, double top, double width, double height) = 0;

  virtual void Refresh() = 0;

  /// Empties the undo history: the state was set, not typed (a property write, a load),
  /// so undo must not bring back one that the current rules did not produce.
  virtual void ClearHistory() = 0;

  /// Where the field sends its notifications (the owning control); null for none.
  virtual void SetEvents(EditFieldEvents* events) = 0;
};

}  // namespace entrybox
