// The General page of the four controls: one design in four copies (LongGeneral,
// RealGeneral, DateGeneral, MaskGeneral) for the common appearance and behaviour
// properties and the value (the mask on the mask control's page).
#pragma once

#include "entrybox/pages/PageFields.h"
#include "entrybox/pages/PropertyPage.h"

namespace entrybox {

/// The General page. Left column: the value, Mouse Pointer, Appearance, Alignment and
/// Border Style; right column: five check boxes. Every click of a check box and every
/// change of a list's entry marks the page changed; editing the text field does so on the
/// long and mask pages only. Filling the page goes through the same handlers, and the
/// lists start with no entry chosen, so a freshly filled page is always changed.
class GeneralPage : public PropertyPage {
 public:
  /// The value: `Text` ("txtText"), or `Mask` on the mask page ("txtMask").
  TextField txtText;
  /// Entry 16 "Custom" stands for twCustom 99; every other entry for its own position.
  ListField cboMousePointer;
  /// "0 - Flat" twFlat, "1 - 3D" tw3d.
  ListField cboAppearance;
  ListField cboAlignment;
  ListField cboBorderStyle;
  CheckBox chkEnabled;
  CheckBox chkOnFocusSelect;
  CheckBox chkReadOnly;
  CheckBox chkAllowNull;
  CheckBox chkDropDown;

 protected:
  /// What sets the four copies apart.
  struct Design {
    const char* pageName;
    const char* textField;      // "txtText" or "txtMask"
    const char16_t* textLabel;  // "Text" or "Mask"
    const char* textProperty;   // "Text" or "Mask"
    bool textMarksChanged;      // editing the text field marks the page changed
    bool numericCheck;          // a text that is no number becomes "0" on losing focus
    bool keepsSameMask;         // the mask is written only when it differs
  };
  GeneralPage(PageHost& host, const Design& design);

  void ReadFrom(PropertyAccess& control) override;
  void WriteTo(PropertyAccess& control) override;

 private:
  void CheckNumeric();

  Design design;
};

/// General page of twLong: editing the text marks the page changed, and a text that is
/// no number becomes "0" when the field loses the focus ("12a" -> "0"; "-5" stays).
class LongGeneral : public GeneralPage {
 public:
  explicit LongGeneral(PageHost& host);
};

/// General page of twReal: editing the text does not mark the page changed by itself.
class RealGeneral : public GeneralPage {
 public:
  explicit RealGeneral(PageHost& host);
};

/// General page of twDate: editing the text does not mark the page changed by itself.
class DateGeneral : public GeneralPage {
 public:
  explicit DateGeneral(PageHost& host);
};

/// General page of twMask: the text field edits the mask. Applying writes the mask only
/// when it differs from the control's, because writing a mask renders the empty template
/// and would throw away the control's input on every apply.
class MaskGeneral : public GeneralPage {
 public:
  explicit MaskGeneral(PageHost& host);
  /// The mask field: the field named "txtMask".
  TextField& txtMask;
};

}  // namespace entrybox
