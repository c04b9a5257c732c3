#include "entrybox/pages/NumberFormatPage.h"

#include "entrybox/values/Convert.h"

namespace entrybox {

NumberFormatPage::NumberFormatPage(PageHost& host, const char* pageName, PageRect formattedBounds)
    : PropertyPage(host, pageName, u"Format"),
      txtSpin("txtSpin", u"Spin", {1605, 270, 930, 330}, {240, 315, 315, 195}),
      txtMin("txtMin", u"Min", {1590, 675, 2130, 330}, {255, 720, 255, 195}),
      txtMax("txtMax", u"Max", {1590, 1095, 2130, 330}, {255, 1170, 300, 195}),
      chkFormatted("chkFormatted", u"Formatted", formattedBounds) {
  AddField(txtSpin);
  AddField(txtMin);
  AddField(txtMax);
  AddField(chkFormatted);
  for (TextField* field : {&txtSpin, &txtMin, &txtMax}) {
    field->SetChangeHandler([this] { MarkChanged(); });
  }
  chkFormatted.SetClickHandler([this] { MarkChanged(); });
}

void NumberFormatPage::ShowNumber(TextField& field, const Variant& value) {
  field.SetText(VariantToText(VariantToNumber(value)));
}

Variant NumberFormatPage::NumberOf(const TextField& field) {
  return VariantToNumber(field.Text());
}

void NumberFormatPage::ReadFrom(PropertyAccess& control) {
  ShowNumber(txtMax, control.GetProperty("Max"));
  ShowNumber(txtMin, control.GetProperty("Min"));
  chkFormatted.SetValue(CheckFor(control.GetProperty("Formatted")));
  ShowNumber(txtSpin, control.GetProperty("Spin"));
}

void NumberFormatPage::WriteTo(PropertyAccess& control) {
  control.SetProperty("Max", NumberOf(txtMax));
  control.SetProperty("Min", NumberOf(txtMin));
  control.SetProperty("Formatted", BoolOf(chkFormatted));
  control.SetProperty("Spin", NumberOf(txtSpin));
}

LongFormat::LongFormat(PageHost& host)
    : NumberFormatPage(host, "LongFormat", {285, 1545, 2700, 285}) {}

RealFormat::RealFormat(PageHost& host)
    : NumberFormatPage(host, "RealFormat", {285, 2055, 2700, 285}),
      txtDecimal("txtDecimal", u"Decimal Place", {1590, 1500, 2130, 345}, {270, 1545, 1020, 195}) {
  InsertField(txtDecimal, chkFormatted);
  txtDecimal.SetChangeHandler([this] { MarkChanged(); });
}

void RealFormat::ReadFrom(PropertyAccess& control) {
  NumberFormatPage::ReadFrom(control);
  ShowNumber(txtDecimal, control.GetProperty("DecimalPlaces"));
}

void RealFormat::WriteTo(PropertyAccess& control) {
  NumberFormatPage::WriteTo(control);
  control.SetProperty("DecimalPlaces", NumberOf(txtDecimal));
}

}  // namespace entrybox
