#include "entrybox/controls/twLong.h"

#include "entrybox/values/Convert.h"
#include "entrybox/values/Number.h"

namespace entrybox {

namespace {

// A whole number as the long box holds it: optional "-", then digits and separators.
bool IsWholeNumberText(const std::u16string& s) {
  if (!IsNumeric(s)) return false;
  for (char16_t c : s) {
    if (c == u'.' || c == u'e' || c == u'E') return false;
  }
  return true;
}

}  // namespace

twLong::twLong(ControlSite& site) : InputControl(site), oLong(site.Clipboard()) {
  AddProperty(
      "Spin", [this] { return Variant(double(Spin())); },
      [this](const Variant& v) { SetSpin(VariantToInt16(v)); });
  AddProperty(
      "Formatted", [this] { return Variant(Formatted()); },
      [this](const Variant& v) { SetFormatted(VariantToBool(v)); });
  AddProperty(
      "Min", [this] { return Variant(Min()); },
      [this](const Variant& v) { SetMin(VariantToNumber(v)); });
  AddProperty(
      "Max", [this] { return Variant(Max()); },
      [this](const Variant& v) { SetMax(VariantToNumber(v)); });

  AddKey({"Text", 0.0, 0.0, [this] { return Variant(txt.Text()); },
          [this](const Variant& v) { oLong.SetText(VariantToText(v)); }});
  AddKey({"Formatted", true, true, [this] { return Variant(oLong.Formatted()); },
          [this](const Variant& v) { oLong.SetFormatted(VariantToBool(v)); }});
  AddKey({"MaxNumber", 0.0, 0.0, [this] { return Variant(double(oLong.Max())); },
          [this](const Variant& v) { oLong.SetMax(VariantToInt32(v)); }});
  AddKey({"MinNumber", 0.0, 0.0, [this] { return Variant(double(oLong.Min())); },
          [this](const Variant& v) { oLong.SetMin(VariantToInt32(v)); }});
  AddKey({"Spin", 0.0, 0.0, [this] { return Variant(double(oLong.SpinChange())); },
          [this](const Variant& v) { oLong.SetSpinChange(VariantToInt16(v)); }});
}

void twLong::InitProperties() {
  oLong.SetText(u"0");
  txt.SetText(u"0");
  oLong.SetMax(2147483647);
  oLong.SetMin(-2147483647 - 1);
  oLong.SetFormatted(true);
  bOnFocusSelect = true;
  bAllowNull = false;
  bDropDown = false;
  InitCommon();
}

void twLong::ReadProperties(const PropertyBag& bag) {
  ReadKeys(bag, {"Text", "Formatted", "MaxNumber", "MinNumber", "Spin", "Appearance", "Alignment",
                 "BorderStyle", "Font", "MousePointer", "BackColor", "ForeColor", "Enabled",
                 "OnFocusSelect", "AllowNull", "ReadOnly", "ButtonBackColor", "DropDown"});
  // A damaged bag must not put a non-number into the box.
  std::u16string text = oLong.Text();
  if (!IsWholeNumberText(text)) {
    if (IsNumeric(text)) {
      text = FormatFixed(text, 0, true, oLong.Formatted());
    } else if (!(text.empty() && bAllowNull)) {
      text = u"0";
    }
    oLong.SetText(text);
  }
  txt.SetText(text);
  ArrangeButton();
}

void twLong::WriteProperties(PropertyBag& bag) {
  WriteKeys(bag, {"Text", "Formatted", "MaxNumber", "MinNumber", "Spin", "Appearance", "Alignment",
                  "BorderStyle", "MousePointer", "BackColor", "ForeColor", "Enabled", "Font",
                  "OnFocusSelect", "ReadOnly", "AllowNull", "DropDown", "ButtonBackColor"});
}

std::u16string twLong::Text() {
  const std::u16string text = txt.Text();
  if (!IsNumeric(text)) return {};
  return FormatFixed(text, 0, true, false);
}

void twLong::SetText(const std::u16string& NewValue) {
  if (site.CanPropertyChange("Text")) {
    if (!NewValue.empty()) {
      txt.SetText(FormatFixed(NewValue, 0, true, oLong.Formatted()));
    } else if (!bAllowNull) {
      txt.SetText(u"0");
    } else {
      txt.SetText(u"");
    }
  }
  site.PropertyChanged("TEXT");
}

void twLong::SetSelText(const std::u16string& NewValue) {
  std::u16string result = txt.Text();
  result.replace(static_cast<size_t>(txt.SelStart()), static_cast<size_t>(txt.SelLength()),
                 NewValue);
  if (IsWholeNumberText(result)) txt.SetSelText(NewValue);
}

void twLong::SetFormatted(bool bFor) {
  oLong.SetFormatted(bFor);
  site.PropertyChanged("Formatted");
}

void twLong::SetMin(double iMinVal) {
  oLong.SetMin(ToInt32(iMinVal));
}
void twLong::SetMax(double iMaxVal) {
  oLong.SetMax(ToInt32(iMaxVal));
}

int16_t twLong::EngineKeyPress(int16_t KeyAscii) {
  return oLong.KeyPress(txt, KeyAscii);
}

int16_t twLong::EngineKeyDown(int16_t KeyCode, int16_t Shift) {
  return oLong.KeyDown(txt, KeyCode, Shift);
}

void twLong::LostFocus() {
  if (bAllowNull && LeadingValue(txt.Text()) == 0) txt.SetText(u"");
}

}  // namespace entrybox
