#include "entrybox/pages/DateFormat.h"

#include <array>

#include "entrybox/values/Convert.h"

namespace entrybox {

namespace {

// The format each option stands for, by index.
constexpr std::array<std::u16string_view, 4> kFormats = {u"mm/dd/yyyy", u"m/d/yyyy", u"mm/dd/yy",
                                                         u"m/d/yy"};

}  // namespace

DateFormat::DateFormat(PageHost& host)
    : PropertyPage(host, "DateFormat", u"Format"),
      opt("opt", u"Format", {240, 120, 5415, 1095},
          {{u"-  mm/dd/yyyy", {480, 420, 2175, 255}},
           {u"-  m/d/yyyy", {480, 780, 2175, 255}},
           {u"-  mm/dd/yy", {3000, 420, 2175, 255}},
           {u"-  m/d/yy", {3000, 780, 2175, 255}}}),
      txtMinDate("txtMinDate", u"Minimum Date", {1560, 1380, 2085, 315}, {240, 1425, 1215, 195}),
      txtMaxDate("txtMaxDate", u"Maximum Date", {1560, 1860, 2085, 315}, {240, 1905, 1215, 195}),
      txtDateY2KCeiling("txtDateY2KCeiling", u"Y2K Ceiling", {1560, 2340, 615, 315},
                        {240, 2385, 1215, 195}),
      chkDateCenturyOn("chkDateCenturyOn", u"Century On", {240, 2820, 1815, 285}) {
  AddField(opt);
  AddField(txtMinDate);
  AddField(txtMaxDate);
  AddField(txtDateY2KCeiling);
  AddField(chkDateCenturyOn);
  opt.SetClickHandler([this](int32_t Index) { OptionClicked(Index); });
  txtDateY2KCeiling.SetChangeHandler([this] { MarkChanged(); });
  chkDateCenturyOn.SetClickHandler([this] { MarkChanged(); });
}

void DateFormat::OptionClicked(int32_t Index) {
  if (Index >= 0 && Index < static_cast<int32_t>(kFormats.size())) {
    sFormat = kFormats[static_cast<size_t>(Index)];
    bytOption = static_cast<uint8_t>(Index);
  }
  MarkChanged();
}

void DateFormat::ShowFormat() {
  for (size_t i = 0; i < kFormats.size(); ++i) {
    if (sFormat == kFormats[i]) bytOption = static_cast<uint8_t>(i);
  }
  opt.SwitchOn(bytOption);
}

void DateFormat::ReadFrom(PropertyAccess& control) {
  txtMinDate.SetText(VariantToText(control.GetProperty("DateMin")));
  txtMaxDate.SetText(VariantToText(control.GetProperty("DateMax")));
  txtDateY2KCeiling.SetText(VariantToText(control.GetProperty("DateY2KCeiling")));
  chkDateCenturyOn.SetValue(CheckFor(control.GetProperty("DateCenturyOn")));
  sFormat = VariantToText(control.GetProperty("DateFormat"));
  ShowFormat();
}

void DateFormat::WriteTo(PropertyAccess& control) {
  control.SetProperty("DateMin", txtMinDate.Text());
  control.SetProperty("DateMax", txtMaxDate.Text());
  control.SetProperty("DateY2KCeiling", txtDateY2KCeiling.Text());
  control.SetProperty("DateCenturyOn", BoolOf(chkDateCenturyOn));
  control.SetProperty("DateFormat", sFormat);
}

}  // namespace entrybox
