#include "entrybox/controls/InputControl.h"

#include <algorithm>
#include <utility>

#include "entrybox/about/frmAbout.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {
constexpr double kButtonWidth = 405;
constexpr int16_t kCtrlBit = 2;
constexpr int16_t kShiftBit = 1;

int16_t Narrow16(int32_t value) {
  return ToInt16(static_cast<double>(value));
}
Variant Number(double value) {
  return value;
}
}  // namespace

InputControl::InputControl(ControlSite& site)
    : site(site), txt(site.Field()), button(site.Button()) {
  txt.SetEvents(this);
  button.SetEvents(this);

  AddProperty(
      "DropDown", [this] { return Variant(DropDown()); },
      [this](const Variant& v) { SetDropDown(VariantToBool(v)); });
  AddProperty(
      "ButtonBackColor", [this] { return Number(ButtonBackColor()); },
      [this](const Variant& v) { SetButtonBackColor(VariantToColor(v)); });
  AddProperty(
      "Appearance", [this] { return Number(Appearance()); },
      [this](const Variant& v) { SetAppearance(VariantToInt32(v)); });
  AddProperty(
      "Alignment", [this] { return Number(Alignment()); },
      [this](const Variant& v) { SetAlignment(VariantToInt32(v)); });
  AddProperty(
      "BackColor", [this] { return Number(BackColor()); },
      [this](const Variant& v) { SetBackColor(VariantToColor(v)); });
  AddProperty(
      "BorderStyle", [this] { return Number(BorderStyle()); },
      [this](const Variant& v) { SetBorderStyle(VariantToInt32(v)); });
  AddProperty(
      "Enabled", [this] { return Variant(Enabled()); },
      [this](const Variant& v) { SetEnabled(VariantToBool(v)); });
  AddProperty(
      "Font", [this] { return Variant(Font()); },
      [this](const Variant& v) { SetFont(VariantToFont(v)); });
  AddProperty(
      "ForeColor", [this] { return Number(ForeColor()); },
      [this](const Variant& v) { SetForeColor(VariantToColor(v)); });
  AddProperty(
      "OnFocusSelect", [this] { return Variant(OnFocusSelect()); },
      [this](const Variant& v) { SetOnFocusSelect(VariantToBool(v)); });
  AddProperty(
      "MousePointer", [this] { return Number(MousePointer()); },
      [this](const Variant& v) { SetMousePointer(VariantToInt32(v)); });
  AddProperty(
      "ReadOnly", [this] { return Variant(ReadOnly()); },
      [this](const Variant& v) { SetReadOnly(VariantToBool(v)); });
  AddProperty(
      "AllowNull", [this] { return Variant(AllowNull()); },
      [this](const Variant& v) { SetAllowNull(VariantToBool(v)); });
  AddProperty(
      "SelStart", [this] { return Number(SelStart()); },
      [this](const Variant& v) { SetSelStart(VariantToInt32(v)); });
  AddProperty(
      "SelLength", [this] { return Number(SelLength()); },
      [this](const Variant& v) { SetSelLength(VariantToInt32(v)); });
  AddProperty(
      "SelText", [this] { return Variant(SelText()); },
      [this](const Variant& v) { SetSelText(VariantToText(v)); });
  AddProperty(
      "Text", [this] { return Variant(Text()); },
      [this](const Variant& v) { SetText(VariantToText(v)); });

  // The common persisted keys, with the defaults most controls use.
  const auto field16 = [this](void (EditField::*set)(int16_t)) {
    return [this, set](const Variant& v) { (txt.*set)(VariantToInt16(v)); };
  };
  AddKey({"Appearance", Number(1), Number(1), [this] { return Number(txt.Appearance()); },
          field16(&EditField::SetAppearance)});
  AddKey({"Alignment", Number(0), Number(0), [this] { return Number(txt.Alignment()); },
          field16(&EditField::SetAlignment)});
  AddKey({"BorderStyle", Number(1), Number(1), [this] { return Number(txt.BorderStyle()); },
          field16(&EditField::SetBorderStyle)});
  AddKey({"MousePointer", Number(0), Number(0), [this] { return Number(txt.MousePointer()); },
          field16(&EditField::SetMousePointer)});
  AddKey({"BackColor", Number(0), Number(0), [this] { return Number(txt.BackColor()); },
          [this](const Variant& v) { txt.SetBackColor(VariantToColor(v)); }});
  AddKey({"ForeColor", Number(0), Number(0), [this] { return Number(txt.ForeColor()); },
          [this](const Variant& v) { txt.SetForeColor(VariantToColor(v)); }});
  AddKey({"Enabled", true, true, [this] { return Variant(txt.Enabled()); },
          [this](const Variant& v) { txt.SetEnabled(VariantToBool(v)); }});
  AddKey({"Font", Number(0), site.AmbientFont(), [this] { return Variant(txt.Font()); },
          [this](const Variant& v) { txt.SetFont(VariantToFont(v)); }});
  AddKey({"OnFocusSelect", true, true, [this] { return Variant(bOnFocusSelect); },
          [this](const Variant& v) { bOnFocusSelect = VariantToBool(v); }});
  AddKey({"ReadOnly", false, false, [this] { return Variant(txt.Locked()); },
          [this](const Variant& v) { txt.SetLocked(VariantToBool(v)); }});
  AddKey({"AllowNull", false, false, [this] { return Variant(bAllowNull); },
          [this](const Variant& v) { bAllowNull = VariantToBool(v); }});
  AddKey({"DropDown", false, false, [this] { return Variant(bDropDown); },
          [this](const Variant& v) { bDropDown = VariantToBool(v); }});
  AddKey({"ButtonBackColor", Number(0), Number(0), [this] { return Number(button.BackColor()); },
          [this](const Variant& v) { button.SetBackColor(VariantToColor(v)); }});
}

InputControl::~InputControl() {
  txt.SetEvents(nullptr);
  button.SetEvents(nullptr);
}

void InputControl::AddProperty(std::string name, std::function<Variant()> get,
                               std::function<void(const Variant&)> set) {
  auto it = std::find_if(properties.begin(), properties.end(),
                         [&](const PropertyEntry& p) { return EqualsNoCase(p.name, name); });
  if (it != properties.end()) {
    *it = {std::move(name), std::move(get), std::move(set)};
  } else {
    properties.push_back({std::move(name), std::move(get), std::move(set)});
  }
}

const InputControl::PropertyEntry& InputControl::FindProperty(std::string_view name) const {
  auto it = std::find_if(properties.begin(), properties.end(),
                         [&](const PropertyEntry& p) { return EqualsNoCase(p.name, name); });
  if (it == properties.end()) RaiseNotSupported();
  return *it;
}

Variant InputControl::GetProperty(std::string_view name) {
  return FindProperty(name).get();
}

void InputControl::SetProperty(std::string_view name, const Variant& value) {
  const PropertyEntry& entry = FindProperty(name);
  if (!entry.set) RaiseReadOnly();
  // Every write by name (a host, a property page) may change the text or the rules, so
  // undo must not go back past it; moving the caret or the selection changes neither.
  if (!EqualsNoCase(name, "SelStart") && !EqualsNoCase(name, "SelLength")) txt.ClearHistory();
  entry.set(value);
}

void InputControl::CallMethod(std::string_view name) {
  if (EqualsNoCase(name, "Refresh")) {
    Refresh();
  } else if (EqualsNoCase(name, "AboutBox")) {
    AboutBox();
  } else {
    RaiseNotSupported();
  }
}

std::vector<std::string> InputControl::PropertyNames() const {
  std::vector<std::string> names;
  for (const auto& p : properties)
    names.push_back(p.name);
  return names;
}

void InputControl::AddKey(PersistedKey key) {
  keys.push_back(std::move(key));
}

InputControl::PersistedKey& InputControl::FindKey(std::string_view key) {
  auto it =
      std::find_if(keys.begin(), keys.end(), [&](const PersistedKey& k) { return k.key == key; });
  // Key orders are fixed in the code; an unknown key is a programming error.
  if (it == keys.end()) throw std::logic_error("unknown persisted key " + std::string(key));
  return *it;
}

void InputControl::SetKeyDefaults(std::string_view key, const Variant& writeDefault,
                                  const Variant& readDefault) {
  PersistedKey& k = FindKey(key);
  k.writeDefault = writeDefault;
  k.readDefault = readDefault;
}

void InputControl::WriteKeys(PropertyBag& bag, const std::vector<std::string_view>& order) {
  for (auto name : order) {
    const PersistedKey& k = FindKey(name);
    bag.WriteProperty(k.key, k.value(), k.writeDefault);
  }
}

void InputControl::ReadKeys(const PropertyBag& bag, const std::vector<std::string_view>& order) {
  txt.ClearHistory();
  for (auto name : order) {
    const PersistedKey& k = FindKey(name);
    k.apply(bag.ReadProperty(k.key, k.readDefault));
  }
}

void InputControl::InitCommon() {
  txt.ClearHistory();
  txt.SetFont(site.AmbientFont());
}

void InputControl::Resize() {
  txt.Move(0, 0, site.ScaleWidth(), site.ScaleHeight());
  ArrangeButton();
}

void InputControl::ArrangeButton() {
  const double W = site.ScaleWidth();
  const double H = site.ScaleHeight();
  if (!bDropDown) {
    button.SetVisible(false);
    // A container that reports no size (or a negative one) leaves the field no room
    // rather than a width the field refuses.
    txt.SetWidth(std::max(0.0, W));
    return;
  }
  button.SetVisible(false);
  button.SetTop(0);
  button.SetLeft(W - kButtonWidth);
  button.SetWidth(kButtonWidth);
  button.SetHeight(H);
  button.SetVisible(true);
  // A control narrower than the button leaves the field no room rather than a
  // negative width.
  txt.SetWidth(std::max(0.0, button.Left()));
}

void InputControl::SetDropDown(bool NewValue) {
  bDropDown = NewValue;
  ArrangeButton();
  site.PropertyChanged("DropDown");
}

uint32_t InputControl::ButtonBackColor() const {
  return button.BackColor();
}
void InputControl::SetButtonBackColor(uint32_t NewValue) {
  button.SetBackColor(NewValue);
  site.PropertyChanged("ButtonBackColor");
}

int32_t InputControl::Appearance() const {
  return txt.Appearance();
}
void InputControl::SetAppearance(int32_t NewValue) {
  txt.SetAppearance(Narrow16(NewValue));
  site.PropertyChanged("Appearance");
}

int32_t InputControl::Alignment() const {
  return txt.Alignment();
}
void InputControl::SetAlignment(int32_t NewValue) {
  txt.SetAlignment(Narrow16(NewValue));
  site.PropertyChanged("Alignment");
}

uint32_t InputControl::BackColor() const {
  return txt.BackColor();
}
void InputControl::SetBackColor(uint32_t NewValue) {
  txt.SetBackColor(NewValue);
  site.PropertyChanged("BackColor");
}

int32_t InputControl::BorderStyle() const {
  return txt.BorderStyle();
}
void InputControl::SetBorderStyle(int32_t NewValue) {
  txt.SetBorderStyle(Narrow16(NewValue));
  site.PropertyChanged("BorderStyle");
}

bool InputControl::Enabled() const {
  return txt.Enabled();
}
void InputControl::SetEnabled(bool NewValue) {
  txt.SetEnabled(NewValue);
  site.PropertyChanged("Enabled");
}

entrybox::Font InputControl::Font() const {
  return txt.Font();
}
void InputControl::SetFont(const entrybox::Font& NewValue) {
  txt.SetFont(NewValue);
  site.PropertyChanged("Font");
}

uint32_t InputControl::ForeColor() const {
  return txt.ForeColor();
}
void InputControl::SetForeColor(uint32_t NewValue) {
  txt.SetForeColor(NewValue);
  site.PropertyChanged("ForeColor");
}

void InputControl::SetOnFocusSelect(bool NewValue) {
  bOnFocusSelect = NewValue;
  site.PropertyChanged("OnFocusSelect");
}

int32_t InputControl::MousePointer() const {
  return txt.MousePointer();
}
void InputControl::SetMousePointer(int32_t NewValue) {
  txt.SetMousePointer(Narrow16(NewValue));
  site.PropertyChanged("MousePointer");
}

bool InputControl::ReadOnly() const {
  return txt.Locked();
}
void InputControl::SetReadOnly(bool NewValue) {
  txt.SetLocked(NewValue);
  site.PropertyChanged("ReadOnly");
}

void InputControl::SetAllowNull(bool NewValue) {
  bAllowNull = NewValue;
  site.PropertyChanged("AllowNull");
}

int32_t InputControl::SelStart() const {
  return txt.SelStart();
}
void InputControl::SetSelStart(int32_t NewValue) {
  txt.SetSelStart(NewValue);
}
int32_t InputControl::SelLength() const {
  return txt.SelLength();
}
void InputControl::SetSelLength(int32_t NewValue) {
  txt.SetSelLength(NewValue);
}
std::u16string InputControl::SelText() const {
  return txt.SelText();
}

void InputControl::Refresh() {
  txt.Refresh();
}

void InputControl::AboutBox() {
  frmAbout dialog;
  site.Forms().ShowModal(dialog);
}

void InputControl::SelectAll() {
  txt.SetSelStart(0);
  txt.SetSelLength(static_cast<int32_t>(txt.Text().size()));
}

void InputControl::GotFocus() {
  if (bOnFocusSelect) SelectAll();
}

bool InputControl::IsEditingKeyDown(int16_t KeyCode, int16_t Shift) {
  const bool ctrl = (Shift & kCtrlBit) != 0;
  const bool shift = (Shift & kShiftBit) != 0;
  switch (KeyCode) {
    case 46:  // Delete
    case 38:  // Up
    case 40:  // Down
      return true;
    case 45:  // Shift+Insert pastes
      return shift;
    case 86:
    case 118:  // V
    case 88:
    case 120:  // X
    case 89:   // Y redoes
    case 90:   // Z undoes
      return ctrl;
    default:
      return false;
  }
}

void InputControl::FieldChange() {
  site.PropertyChanged("Text");
  site.Events().Change();
}

void InputControl::FieldClick() {
  site.Events().Click();
}
void InputControl::FieldDblClick() {
  site.Events().DblClick();
}
void InputControl::FieldGotFocus() {
  GotFocus();
}
void InputControl::FieldLostFocus() {
  LostFocus();
}

void InputControl::FieldKeyDown(int16_t& KeyCode, int16_t& Shift) {
  if (HostSeesKeysFirst()) site.Events().KeyDown(KeyCode, Shift);
  RunKeyDown(KeyCode, Shift);
  if (!HostSeesKeysFirst()) site.Events().KeyDown(KeyCode, Shift);
}

void InputControl::FieldCommandKeyDown(int16_t& KeyCode, int16_t& Shift) {
  RunKeyDown(KeyCode, Shift);
}

void InputControl::RunKeyDown(int16_t& KeyCode, int16_t Shift) {
  if (ReadOnly() && IsEditingKeyDown(KeyCode, Shift)) {
    KeyCode = 0;
  } else if (KeyCode == 45 && (Shift & (kShiftBit | kCtrlBit)) == kShiftBit) {
    // Shift+Insert pastes through the engine's own paste, like Ctrl+V, so that a paste
    // can never put into the field what typing would refuse.
    const int16_t result = EngineKeyDown(86, static_cast<int16_t>(Shift | kCtrlBit));
    if (result == 0) KeyCode = 0;
  } else {
    KeyCode = EngineKeyDown(KeyCode, Shift);
  }
}

void InputControl::FieldKeyPress(int16_t& KeyAscii) {
  if (HostSeesKeysFirst()) site.Events().KeyPress(KeyAscii);
  KeyAscii = ReadOnly() ? int16_t{0} : EngineKeyPress(KeyAscii);
  if (!HostSeesKeysFirst()) site.Events().KeyPress(KeyAscii);
}

void InputControl::FieldKeyUp(int16_t& KeyCode, int16_t& Shift) {
  site.Events().KeyUp(KeyCode, Shift);
}

void InputControl::FieldMouseDown(int16_t& Button, int16_t& Shift, float& x, float& y) {
  site.Events().MouseDown(Button, Shift, x, y);
}
void InputControl::FieldMouseMove(int16_t& Button, int16_t& Shift, float& x, float& y) {
  site.Events().MouseMove(Button, Shift, x, y);
}
void InputControl::FieldMouseUp(int16_t& Button, int16_t& Shift, float& x, float& y) {
  site.Events().MouseUp(Button, Shift, x, y);
}
void InputControl::FieldOLECompleteDrag(int32_t& Effect) {
  site.Events().OLECompleteDrag(Effect);
}
void InputControl::FieldOLEDragDrop(DataObject& Data, int32_t& Effect, int16_t& Button,
                                    int16_t& Shift, float& x, float& y) {
  site.Events().OLEDragDrop(Data, Effect, Button, Shift, x, y);
}
void InputControl::FieldOLEDragOver(DataObject& Data, int32_t& Effect, int16_t& Button,
                                    int16_t& Shift, float& x, float& y, int16_t& State) {
  site.Events().OLEDragOver(Data, Effect, Button, Shift, x, y, State);
}
void InputControl::FieldOLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) {
  site.Events().OLEGiveFeedback(Effect, DefaultCursors);
}
void InputControl::FieldOLESetData(DataObject& Data, int16_t& DataFormat) {
  site.Events().OLESetData(Data, DataFormat);
}
void InputControl::FieldOLEStartDrag(DataObject& Data, int32_t& AllowedEffects) {
  site.Events().OLEStartDrag(Data, AllowedEffects);
}
void InputControl::ButtonClicked() {
  site.Events().ButtonClick();
}

}  // namespace entrybox
