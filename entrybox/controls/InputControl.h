// The frame the four controls share: an edit field, a drop-down button and an engine
// of the control's kind. The frame forwards the field's notifications to the host as
// the control's own events, runs keystrokes through the engine, lays out field and
// button, keeps the appearance properties on the field, and saves and loads them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "entrybox/controls/Enums.h"
#include "entrybox/platform/Button.h"
#include "entrybox/platform/ControlSite.h"
#include "entrybox/platform/EditField.h"
#include "entrybox/platform/PropertyBag.h"
#include "entrybox/platform/Variant.h"

namespace entrybox {

/// Common shell of twLong, twReal, twDate and twMask.
class InputControl : protected EditFieldEvents, protected ButtonEvents {
 public:
  InputControl(const InputControl&) = delete;
  InputControl& operator=(const InputControl&) = delete;
  virtual ~InputControl();

  /// The control's class name ("twLong", "twReal", "twDate", "twMask").
  virtual std::u16string ClassName() const = 0;

  // Lifecycle, called by the container.
  /// Sets up a new instance with its defaults.
  virtual void InitProperties() = 0;
  /// Loads the control from a property bag; sends no property-changed notifications.
  virtual void ReadProperties(const PropertyBag& bag) = 0;
  /// Saves the control into a property bag (values equal to their defaults are omitted).
  virtual void WriteProperties(PropertyBag& bag) = 0;
  /// Lays out field and button in the control's inner size.
  void Resize();

  // The value, each control's default and bindable property.
  virtual std::u16string Text() = 0;
  virtual void SetText(const std::u16string& NewValue) = 0;

  // Common properties.
  bool DropDown() const { return bDropDown; }
  void SetDropDown(bool NewValue);
  uint32_t ButtonBackColor() const;
  void SetButtonBackColor(uint32_t NewValue);
  int32_t Appearance() const;
  void SetAppearance(int32_t NewValue);
  int32_t Alignment() const;
  void SetAlignment(int32_t NewValue);
  uint32_t BackColor() const;
  void SetBackColor(uint32_t NewValue);
  int32_t BorderStyle() const;
  void SetBorderStyle(int32_t NewValue);
  bool Enabled() const;
  void SetEnabled(bool NewValue);
  entrybox::Font Font() const;
  void SetFont(const entrybox::Font& NewValue);
  uint32_t ForeColor() const;
  void SetForeColor(uint32_t NewValue);
  bool OnFocusSelect() const { return bOnFocusSelect; }
  void SetOnFocusSelect(bool NewValue);
  int32_t MousePointer() const;
  void SetMousePointer(int32_t NewValue);
  /// While on, keys that would edit the text are swallowed; copy and caret keys work.
  bool ReadOnly() const;
  void SetReadOnly(bool NewValue);
  bool AllowNull() const { return bAllowNull; }
  virtual void SetAllowNull(bool NewValue);
  int32_t SelStart() const;
  void SetSelStart(int32_t NewValue);
  int32_t SelLength() const;
  void SetSelLength(int32_t NewValue);
  std::u16string SelText() const;
  /// Each control decides what it lets into the field (see the control).
  virtual void SetSelText(const std::u16string& NewValue) = 0;

  /// Refreshes the edit field.
  virtual void Refresh();
  /// Shows the About box modally; every call shows a fresh dialog.
  void AboutBox();

  // Members by name, as hosts and property pages reach them. Names match without case.
  /// Error 438 for an unknown name.
  Variant GetProperty(std::string_view name);
  /// Error 438 for an unknown name, 383 for a read-only property. Any write but SelStart
  /// and SelLength empties the undo history.
  void SetProperty(std::string_view name, const Variant& value);
  /// Runs a method ("Refresh", "AboutBox"); Error 438 for an unknown name.
  void CallMethod(std::string_view name);
  /// Names of the properties offered by name, in the order they were declared.
  std::vector<std::string> PropertyNames() const;

 protected:
  explicit InputControl(ControlSite& site);

  /// A property offered by name; a property without a setter is read-only.
  struct PropertyEntry {
    std::string name;
    std::function<Variant()> get;
    std::function<void(const Variant&)> set;
  };
  void AddProperty(std::string name, std::function<Variant()> get,
                   std::function<void(const Variant&)> set = {});

  /// A persisted key: the value written, the defaults for writing and reading, and
  /// what reading applies.
  struct PersistedKey {
    std::string key;
    Variant writeDefault;
    Variant readDefault;
    std::function<Variant()> value;
    std::function<void(const Variant&)> apply;
  };
  void AddKey(PersistedKey key);
  /// Sets both defaults of an already declared key.
  void SetKeyDefaults(std::string_view key, const Variant& writeDefault,
                      const Variant& readDefault);
  void WriteKeys(PropertyBag& bag, const std::vector<std::string_view>& order);
  void ReadKeys(const PropertyBag& bag, const std::vector<std::string_view>& order);

  /// The common initial values of a new instance: the ambient font.
  void InitCommon();
  /// Places the button at the right edge when DropDown is on, and sizes the field.
  void ArrangeButton();
  /// Selects the whole text.
  void SelectAll();

  // What each control does with keys and focus.
  virtual int16_t EngineKeyPress(int16_t KeyAscii) = 0;
  virtual int16_t EngineKeyDown(int16_t KeyCode, int16_t Shift) = 0;
  /// True when the host sees keys before the engine (the real box).
  virtual bool HostSeesKeysFirst() const { return false; }
  virtual void GotFocus();
  virtual void LostFocus() {}

  // Field and button notifications.
  void FieldChange() override;
  void FieldClick() override;
  void FieldDblClick() override;
  void FieldGotFocus() override;
  void FieldLostFocus() override;
  void FieldKeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void FieldKeyPress(int16_t& KeyAscii) override;
  void FieldKeyUp(int16_t& KeyCode, int16_t& Shift) override;
  void FieldCommandKeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void FieldMouseDown(int16_t& Button, int16_t& Shift, float& x, float& y) override;
  void FieldMouseMove(int16_t& Button, int16_t& Shift, float& x, float& y) override;
  void FieldMouseUp(int16_t& Button, int16_t& Shift, float& x, float& y) override;
  void FieldOLECompleteDrag(int32_t& Effect) override;
  void FieldOLEDragDrop(DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                        float& x, float& y) override;
  void FieldOLEDragOver(DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift,
                        float& x, float& y, int16_t& State) override;
  void FieldOLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) override;
  void FieldOLESetData(DataObject& Data, int16_t& DataFormat) override;
  void FieldOLEStartDrag(DataObject& Data, int32_t& AllowedEffects) override;
  void ButtonClicked() override;

  ControlSite& site;
  EditField& txt;
  twButton& button;
  bool bOnFocusSelect = false;
  bool bAllowNull = false;
  bool bDropDown = false;

 private:
  static bool IsEditingKeyDown(int16_t KeyCode, int16_t Shift);
  // A KeyDown through the read-only rule and the engine, without the host's event.
  void RunKeyDown(int16_t& KeyCode, int16_t Shift);
  const PropertyEntry& FindProperty(std::string_view name) const;
  PersistedKey& FindKey(std::string_view key);

  std::vector<PropertyEntry> properties;
  std::vector<PersistedKey> keys;
};

}  // namespace entrybox
