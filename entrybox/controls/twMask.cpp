#include "entrybox/controls/twMask.h"

#include <algorithm>
#include <string_view>

#include "entrybox/about/frmAbout.h"
#include "entrybox/values/Convert.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {
constexpr const char16_t* kDefaultMask = u"&&&&&&&&&&";
constexpr const char16_t* kDefaultPrompt = u"_";

bool IsMaskPlaceholder(char16_t m) {
  return std::u16string_view(u"#&?%<>").find(m) != std::u16string_view::npos;
}
}  // namespace

twMask::twMask(ControlSite& site) : InputControl(site), oMask(site.Clipboard()) {
  AddProperty(
      "Mask", [this] { return Variant(Mask()); },
      [this](const Variant& v) { SetMask(VariantToText(v)); });
  AddProperty(
      "PromptChar", [this] { return Variant(PromptChar()); },
      [this](const Variant& v) { SetPromptChar(VariantToText(v)); });
  AddProperty("MaskValue", [this] { return Variant(MaskValue()); });
  AddProperty("IsNull", [this] { return Variant(IsNull()); });
  AddProperty("About", [this] { return Variant(About()); });
  AddProperty("Name", [this] { return Variant(ClassName()); });

  AddKey({"Text", std::u16string(), std::u16string(), [this] { return Variant(txt.Text()); },
          [this](const Variant& v) { txt.SetText(VariantToText(v)); }});
  AddKey({"Mask", std::u16string(kDefaultMask), std::u16string(kDefaultMask),
          [this] { return Variant(sMask); },
          [this](const Variant& v) {
            // The engine takes the mask as it is read, so that a load stopped by a later
            // key leaves the box typing into the Mask it reports.
            sMask = VariantToText(v);
            oMask.SetMask(sMask);
          }});
  // Only the first character is kept, as the engine keeps it: the property must report
  // the prompt the field actually shows.
  AddKey({"PromptChar", std::u16string(kDefaultPrompt), std::u16string(kDefaultPrompt),
          [this] { return Variant(sPromptChar); },
          [this](const Variant& v) {
            sPromptChar = Left(VariantToText(v), 1);
            oMask.SetPromptChar(sPromptChar);
          }});
}

void twMask::InitProperties() {
  sMask = kDefaultMask;
  txt.SetText(u"");
  sPromptChar = kDefaultPrompt;
  oMask.SetMask(sMask);
  oMask.SetPromptChar(sPromptChar);
  bOnFocusSelect = false;
  bAllowNull = false;
  bDropDown = false;
  InitCommon();
}

void twMask::ReadProperties(const PropertyBag& bag) {
  ReadKeys(bag, {"Text", "Mask", "Appearance", "Alignment", "BackColor", "ForeColor", "BorderStyle",
                 "Enabled", "Font", "OnFocusSelect", "MousePointer", "ReadOnly", "AllowNull",
                 "PromptChar", "DropDown", "ButtonBackColor"});
  ArrangeButton();
}

void twMask::WriteProperties(PropertyBag& bag) {
  WriteKeys(bag, {"Text", "Mask", "Appearance", "Alignment", "BackColor", "ForeColor",
                  "BorderStyle", "Enabled", "Font", "OnFocusSelect", "MousePointer", "ReadOnly",
                  "AllowNull", "PromptChar", "DropDown", "ButtonBackColor"});
}

std::u16string twMask::Text() {
  return UserInput();
}

std::u16string twMask::UserInput() const {
  const std::u16string shown = txt.Text();
  std::u16string input = oMask.GetUserInput(shown, sMask);
  if (sPromptChar.empty()) {
    // Empty places show nothing, so the literals behind them move left onto placeholder
    // positions: "() -" for "(###) ###-####" holds no input, not ") -". A text shorter
    // than its mask by d has d empty places; only the placeholders before them hold input.
    const auto places = std::count_if(sMask.begin(), sMask.end(), IsMaskPlaceholder);
    const auto missing =
        static_cast<std::ptrdiff_t>(sMask.size()) - static_cast<std::ptrdiff_t>(shown.size());
    if (missing > 0) input = Left(input, std::max<std::ptrdiff_t>(0, places - missing));
  }
  return input;
}

void twMask::SetText(const std::u16string& NewValue) {
  if (!site.CanPropertyChange("Text")) return;
  txt.SetText(oMask.FormatWithMask(NewValue, sMask));
  site.PropertyChanged("TEXT");
}

void twMask::SetSelText(const std::u16string& NewValue) {
  txt.SetSelText(NewValue);
}

void twMask::SetMask(const std::u16string& sMsk) {
  sMask = sMsk;
  oMask.SetMask(sMask);
  txt.SetText(u"");
  txt.SetText(oMask.MaskRefresh(txt.Text(), sMask));
  site.PropertyChanged("MasK");
}

void twMask::SetPromptChar(const std::u16string& NewValue) {
  // The input is read with the prompt it was shown with, then shown again with the new
  // one. An input character equal to the new prompt would read as an empty place: it
  // drops out, so that the empty placeholders stay the last ones.
  const std::u16string input = UserInput();
  sPromptChar = Left(NewValue, 1);
  oMask.SetPromptChar(sPromptChar);
  txt.SetText(oMask.FormatWithMask(oMask.TextData(input), sMask));
  site.PropertyChanged("PromptChar");
}

std::u16string twMask::MaskValue() const {
  return oMask.TextData(txt.Text());
}

bool twMask::IsNull() const {
  return txt.Text().empty();
}

std::u16string twMask::About() const {
  return kMakerName;
}

int16_t twMask::EngineKeyPress(int16_t KeyAscii) {
  return oMask.KeyPress(txt, KeyAscii);
}

int16_t twMask::EngineKeyDown(int16_t KeyCode, int16_t Shift) {
  return oMask.KeyDown(txt, KeyCode, Shift);
}

void twMask::GotFocus() {
  if (bOnFocusSelect) SelectEnteredText();
}

void twMask::SelectEnteredText() {
  txt.SetSelStart(0);
  const std::u16string T = txt.Text();
  const std::ptrdiff_t length = static_cast<std::ptrdiff_t>(T.size());
  const std::ptrdiff_t after = std::ptrdiff_t{txt.SelStart()} + txt.SelLength() + 1;
  if (CharAt(T, after) == sPromptChar) return;
  std::ptrdiff_t n = 0;
  for (std::ptrdiff_t i = 0; i <= length; ++i) {
    if (CharAt(T, i + 1) == sPromptChar) break;
    ++n;
  }
  // A text without prompts would count one past its end.
  txt.SetSelLength(static_cast<int32_t>(std::min(n, length)));
}

}  // namespace entrybox
