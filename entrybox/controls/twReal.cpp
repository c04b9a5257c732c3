#include "entrybox/controls/twReal.h"

#include <algorithm>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

// The number of digits after the point of a decimal number text.
size_t DecimalsOf(const std::u16string& s) {
  const size_t point = s.find(u'.');
  return point == std::u16string::npos ? 0 : s.size() - point - 1;
}

// The significant digits of a decimal number text: from its first non-zero digit to its
// last. A double holds 15 of them exactly; the box writes its value with no more.
size_t SignificantDigitsOf(const std::u16string& s) {
  std::u16string digits;
  for (char16_t c : s) {
    if (c >= u'0' && c <= u'9') digits += c;
  }
  const size_t first = digits.find_first_not_of(u'0');
  if (first == std::u16string::npos) return 0;
  return digits.find_last_not_of(u'0') - first + 1;
}

// Whether a text can stand in the real box as it is: a decimal number as the box writes
// it (no blanks or "+"), with no more decimals than the box keeps and no more significant
// digits than its value holds. Anything else would come back changed from a save and a
// load.
bool KeepsItsValue(const std::u16string& s, int16_t places) {
  return s.find_first_not_of(u"0123456789,.-") == std::u16string::npos && IsNumeric(s) &&
         DecimalsOf(s) <= static_cast<size_t>(std::max<int16_t>(places, 0)) &&
         SignificantDigitsOf(s) <= 15;
}

}  // namespace

twReal::twReal(ControlSite& site) : InputControl(site) {
  AddProperty(
      "Spin", [this] { return Variant(double(Spin())); },
      [this](const Variant& v) { SetSpin(VariantToInt16(v)); });
  AddProperty(
      "DecimalPlaces", [this] { return Variant(double(DecimalPlaces())); },
      [this](const Variant& v) { SetDecimalPlaces(VariantToInt16(v)); });
  AddProperty(
      "Formatted", [this] { return Variant(Formatted()); },
      [this](const Variant& v) { SetFormatted(VariantToBool(v)); });
  AddProperty(
      "Min", [this] { return Variant(Min()); },
      [this](const Variant& v) { SetMin(VariantToNumber(v)); });
  AddProperty(
      "Max", [this] { return Variant(Max()); },
      [this](const Variant& v) { SetMax(VariantToNumber(v)); });

  // The decimals are always written (an empty default never equals a number).
  AddKey({"DecimalPlaces", Variant(), 2.0, [this] { return Variant(double(DecimalPlaces())); },
          [this](const Variant& v) {
            const int16_t places = VariantToInt16(v);
            if (places < 0) RaiseInvalidPropertyValue();
            Real().SetDecimalPlaces(places);
          }});
  AddKey({"Formatted", true, 1.0, [this] { return Variant(Formatted()); },
          [this](const Variant& v) { Real().SetFormatted(VariantToBool(v)); }});
  AddKey({"MaxNumber", 0.0, 0.0, [this] { return Variant(Max()); },
          [this](const Variant& v) { Real().SetMax(VariantToNumber(v)); }});
  AddKey({"MinNumber", 0.0, 0.0, [this] { return Variant(Min()); },
          [this](const Variant& v) { Real().SetMin(VariantToNumber(v)); }});
  AddKey({"Spin", 0.0, 0.0, [this] { return Variant(double(Spin())); },
          [this](const Variant& v) { Real().SetSpinChange(VariantToInt16(v)); }});
  // The saved text waits in the engine's copy for the finishing step of loading.
  AddKey({"Text", std::u16string(u"0.00"), 0.0, [this] { return Variant(txt.Text()); },
          [this](const Variant& v) { Real().SetText(VariantToText(v)); }});
}

clsReal& twReal::Real() {
  if (!oReal) oReal.emplace(site.Clipboard());
  return *oReal;
}

std::u16string twReal::PlainText(double value) {
  return FormatPattern(value, u"#################0." + Repeat(u'0', Real().DecimalPlaces()));
}

void twReal::InitProperties() {
  txt.SetText(u"0.00");
  clsReal& engine = Real();
  engine.SetText(u"0.00");
  engine.SetDecimalPlaces(2);
  engine.SetText(u"0.00");
  engine.SetMax(9000000000.0);
  engine.SetMin(-9000000000.0);
  engine.SetFormatted(true);
  bOnFocusSelect = true;
  bAllowNull = false;
  bDropDown = false;
  InitCommon();
}

void twReal::ReadProperties(const PropertyBag& bag) {
  ReadKeys(bag,
           {"DecimalPlaces", "Formatted", "MaxNumber", "MinNumber", "Spin", "Text", "Appearance",
            "Alignment", "BorderStyle", "Font", "MousePointer", "BackColor", "ForeColor", "Enabled",
            "OnFocusSelect", "AllowNull", "ReadOnly", "ButtonBackColor", "DropDown"});
  // The saved value comes back with the loaded decimals; a damaged bag cannot put a
  // non-number into the box.
  clsReal& engine = Real();
  const std::u16string saved = engine.Text();
  std::u16string text;
  if (IsNumeric(saved)) {
    text = PlainText(ToNumber(saved));
  } else if (!(saved.empty() && bAllowNull)) {
    text = PlainText(0);
  }
  // The engine keeps its copy of the loaded text and the field is written from it, so a
  // host sees the field change twice while the box loads.
  txt.SetText(text);
  engine.SetText(text);
  txt.SetText(engine.Text());
  ArrangeButton();
}

void twReal::WriteProperties(PropertyBag& bag) {
  WriteKeys(
      bag, {"DecimalPlaces", "Formatted", "MaxNumber", "MinNumber", "Spin", "Text", "Appearance",
            "Alignment", "BorderStyle", "MousePointer", "BackColor", "ForeColor", "Enabled", "Font",
            "OnFocusSelect", "ReadOnly", "AllowNull", "DropDown", "ButtonBackColor"});
}

std::u16string twReal::Text() {
  const std::u16string text = txt.Text();
  // A lone "-" while the user types must not make the getter fail.
  if (!IsNumeric(text)) return {};
  return FormatFixed(text, DecimalPlaces(), true, false);
}

void twReal::SetText(const std::u16string& NewValue) {
  if (site.CanPropertyChange("Text")) {
    if (!NewValue.empty()) {
      txt.SetText(FormatFixed(NewValue, DecimalPlaces(), true, Formatted()));
    } else if (bAllowNull) {
      txt.SetText(u"");
    } else {
      txt.SetText(FormatFixed(0.0, DecimalPlaces(), true, Formatted()));
    }
  }
  site.PropertyChanged("TEXT");
}

void twReal::SetSelText(const std::u16string& NewValue) {
  // The selection is taken within the text, whatever the field reports.
  std::u16string result = txt.Text();
  const size_t start = std::min(static_cast<size_t>(std::max(txt.SelStart(), 0)), result.size());
  const size_t length =
      std::min(static_cast<size_t>(std::max(txt.SelLength(), 0)), result.size() - start);
  result.replace(start, length, NewValue);
  if (KeepsItsValue(result, DecimalPlaces())) {
    txt.SetSelText(NewValue);
  }
}

int16_t twReal::Spin() {
  return Real().SpinChange();
}
void twReal::SetSpin(int16_t iSpinC) {
  Real().SetSpinChange(iSpinC);
  site.PropertyChanged("Spin");
}

int16_t twReal::DecimalPlaces() {
  return Real().DecimalPlaces();
}
void twReal::SetDecimalPlaces(int16_t NewValue) {
  if (NewValue < 0) RaiseInvalidPropertyValue();
  clsReal& engine = Real();
  const std::u16string text = txt.Text();
  // The value stays; only the number of decimals changes. An empty field stays empty.
  if (!text.empty()) {
    const double value = IsNumeric(text) ? ToNumber(text) : 0.0;
    engine.SetDecimalPlaces(NewValue);
    txt.SetText(PlainText(value));
  } else {
    engine.SetDecimalPlaces(NewValue);
  }
  site.PropertyChanged("DecimalPlaces");
}

bool twReal::Formatted() {
  return Real().Formatted();
}
void twReal::SetFormatted(bool bFor) {
  Real().SetFormatted(bFor);
  site.PropertyChanged("Formatted");
}

double twReal::Min() {
  return Real().Min();
}
void twReal::SetMin(double iMinVal) {
  Real().SetMin(iMinVal);
  site.PropertyChanged("Min");
}

double twReal::Max() {
  return Real().Max();
}
void twReal::SetMax(double iMaxVal) {
  Real().SetMax(iMaxVal);
  site.PropertyChanged("Max");
}

int16_t twReal::EngineKeyPress(int16_t KeyAscii) {
  return Real().KeyPress(txt, KeyAscii);
}

int16_t twReal::EngineKeyDown(int16_t KeyCode, int16_t Shift) {
  return Real().KeyDown(txt, KeyCode, Shift);
}

void twReal::GotFocus() {
  // A blank or zero value shows its zero text, ready for typing behind the point.
  if (!bAllowNull && LeadingValue(txt.Text()) == 0) {
    txt.SetText(u"0." + Repeat(u'0', DecimalPlaces()));
  }
  InputControl::GotFocus();
}

void twReal::LostFocus() {
  if (bAllowNull && LeadingValue(txt.Text()) == 0) txt.SetText(u"");
}

}  // namespace entrybox
