#include "entrybox/pages/MaskFormat.h"

namespace entrybox {

MaskFormat::MaskFormat(PageHost& host)
    : PropertyPage(host, "MaskFormat", u"Format"),
      txtPromptChar("txtPromptChar", u"PromptChar ", {1560, 270, 2085, 315},
                    {240, 315, 1215, 195}) {
  AddField(txtPromptChar);
  txtPromptChar.SetChangeHandler([this] { MarkChanged(); });
}

void MaskFormat::ReadFrom(PropertyAccess& /*control*/) {}

void MaskFormat::WriteTo(PropertyAccess& control) {
  control.SetProperty("PromptChar", txtPromptChar.Text());
}

}  // namespace entrybox
