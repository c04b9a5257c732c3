// The Format page of the mask box: its prompt character.
#pragma once

#include "entrybox/pages/PageFields.h"
#include "entrybox/pages/PropertyPage.h"

namespace entrybox {

/// Format page of twMask. The field starts empty and the page loads nothing when the
/// selection changes, so a freshly opened page is unchanged; editing the field marks it
/// changed. Applying writes the field's whole text to PromptChar: the control keeps its
/// first character ("ab" gives "a", "" an empty prompt) and shows its input again with
/// the new prompt character.
class MaskFormat : public PropertyPage {
 public:
  explicit MaskFormat(PageHost& host);

  /// Labelled "PromptChar " (with a trailing blank); no length limit.
  TextField txtPromptChar;

 protected:
  void ReadFrom(PropertyAccess& control) override;
  void WriteTo(PropertyAccess& control) override;
};

}  // namespace entrybox
