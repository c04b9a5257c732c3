// The masked-text box: input typed into a template of placeholders and literals.
#pragma once

#include <cstdint>
#include <string>

#include "entrybox/controls/InputControl.h"
#include "entrybox/engines/clsMask.h"

namespace entrybox {

/// Input control for text laid out by an input mask such as "(###) ###-####". The
/// displayed text (literals and prompts included) lives only in the edit field; the
/// control keeps Mask and PromptChar and hands copies to its clsMask engine.
class twMask : public InputControl {
 public:
  explicit twMask(ControlSite& site);

  std::u16string ClassName() const override { return u"twMask"; }

  void InitProperties() override;
  /// Shows the stored text as it was saved; the mask is not re-applied to it.
  void ReadProperties(const PropertyBag& bag) override;
  void WriteProperties(PropertyBag& bag) override;

  /// The bare input: "(555) 1__-____" reads "5551".
  std::u16string Text() override;
  /// Renders bare input into the mask, one character per placeholder with no class
  /// check: "5551" shows "(555) 1__-____". Nothing happens when the container refuses
  /// the change.
  void SetText(const std::u16string& NewValue) override;
  /// Writes straight into the field, without any mask handling.
  void SetSelText(const std::u16string& NewValue) override;

  std::u16string Mask() const { return sMask; }
  /// Shows the empty template of the new mask; any input is lost.
  void SetMask(const std::u16string& sMsk);
  std::u16string PromptChar() const { return sPromptChar; }
  /// Keeps the first character ("" stays "") and shows the same input with the new
  /// prompt: "(555) 1__-____" with "*" shows "(555) 1**-****".
  void SetPromptChar(const std::u16string& NewValue);
  /// The displayed text without its prompts, literals kept: "(555) 1__-____" reads
  /// "(555) 1-".
  std::u16string MaskValue() const;
  /// True only for an empty field (a new box before its first key); the empty
  /// template is not null.
  bool IsNull() const;
  /// The maker's name.
  std::u16string About() const;

 protected:
  int16_t EngineKeyPress(int16_t KeyAscii) override;
  int16_t EngineKeyDown(int16_t KeyCode, int16_t Shift) override;
  /// With OnFocusSelect, selects the filled part instead of the whole text.
  void GotFocus() override;

 private:
  /// Selects from the start up to the first prompt, literals included:
  /// "(555) 1__-____" selects "(555) 1".
  void SelectEnteredText();
  /// The input of the field's text, read with the current prompt.
  std::u16string UserInput() const;

  clsMask oMask;
  std::u16string sMask;
  std::u16string sPromptChar;
};

}  // namespace entrybox
