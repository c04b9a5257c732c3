#include "entrybox/pages/GeneralPage.h"

#include <vector>

#include "entrybox/values/Convert.h"
#include "entrybox/values/Number.h"

namespace entrybox {

namespace {

// Left column: a label at the page's left edge and a field beside it, one row each;
// right column: the check boxes at two thirds of the page's width.
constexpr int32_t kRowTop = 240;
constexpr int32_t kRowStep = 480;
PageRect FieldAt(int row) {
  return {1440, kRowTop + row * kRowStep, 2085, 315};
}
PageRect LabelAt(int row) {
  return {120, kRowTop + 45 + row * kRowStep, 1215, 195};
}
PageRect CheckAt(int row) {
  return {3960, kRowTop + 15 + row * kRowStep, 1815, 285};
}

std::vector<ListField::Entry> MousePointers() {
  return {{u"Default", 0},
          {u"Arrow", 1},
          {u"Cross Hair", 2},
          {u"lBeam", 3},
          {u"Icon", 4},
          {u"Size", 5},
          {u"Size NESW", 6},
          {u"Size NS", 7},
          {u"Size NWSE", 8},
          {u"Size WE", 9},
          {u"Up Arrow", 10},
          {u"Hour Glass", 11},
          {u"No Drop", 12},
          {u"Hour Glass w/ Arrow", 13},
          {u"Question Mark w/ Arrow", 14},
          {u"Size All", 15},
          {u"Custom", 99}};
}

// A list shows the entry standing for the control's value, or none when no entry does.
void ChooseEntry(ListField& list, const Variant& value) {
  list.SetListIndex(list.IndexOfValue(VariantToNumber(value)));
}

Variant ValueOf(const ListField& list) {
  return static_cast<double>(list.ChosenValue());
}

}  // namespace

GeneralPage::GeneralPage(PageHost& host, const Design& design)
    : PropertyPage(host, design.pageName, u"General"),
      txtText(design.textField, design.textLabel, FieldAt(0), LabelAt(0)),
      cboMousePointer("cboMousePointer", u"Mouse Pointer", FieldAt(1), LabelAt(1), MousePointers()),
      cboAppearance("cboAppearance", u"Appearance", FieldAt(2), LabelAt(2),
                    {{u"0 - Flat", 0}, {u"1 - 3D", 1}}),
      cboAlignment("cboAlignment", u"Alignment", FieldAt(3), LabelAt(3),
                   {{u"Left Justify", 0}, {u"Right Justify", 1}, {u"Center", 2}}),
      cboBorderStyle("cboBorderStyle", u"Border Style", FieldAt(4), LabelAt(4),
                     {{u"None", 0}, {u"Fixed Single", 1}}),
      chkEnabled("chkEnabled", u"Enabled", CheckAt(0)),
      chkOnFocusSelect("chkOnFocusSelect", u"OnFocusSelect", CheckAt(1)),
      chkReadOnly("chkReadOnly", u"Read Only", CheckAt(2)),
      chkAllowNull("chkAllowNull", u"Allow Null", CheckAt(3)),
      chkDropDown("chkDropDown", u"Drop Down", CheckAt(4)),
      design(design) {
  for (PageField* f : std::vector<PageField*>{
           &txtText, &cboMousePointer, &cboAppearance, &cboAlignment, &cboBorderStyle, &chkEnabled,
           &chkOnFocusSelect, &chkReadOnly, &chkAllowNull, &chkDropDown}) {
    AddField(*f);
  }
  if (design.textMarksChanged) txtText.SetChangeHandler([this] { MarkChanged(); });
  if (design.numericCheck) txtText.SetLostFocusHandler([this] { CheckNumeric(); });
  for (ListField* list : {&cboMousePointer, &cboAppearance, &cboAlignment, &cboBorderStyle}) {
    list->SetClickHandler([this] { MarkChanged(); });
  }
  for (CheckBox* box :
       {&chkEnabled, &chkOnFocusSelect, &chkReadOnly, &chkAllowNull, &chkDropDown}) {
    box->SetClickHandler([this] { MarkChanged(); });
  }
}

void GeneralPage::CheckNumeric() {
  if (!IsNumeric(txtText.Text())) txtText.SetText(u"0");
}

void GeneralPage::ReadFrom(PropertyAccess& control) {
  chkOnFocusSelect.SetValue(CheckFor(control.GetProperty("OnFocusSelect")));
  chkEnabled.SetValue(CheckFor(control.GetProperty("Enabled")));
  chkReadOnly.SetValue(CheckFor(control.GetProperty("ReadOnly")));
  chkAllowNull.SetValue(CheckFor(control.GetProperty("AllowNull")));
  txtText.SetText(VariantToText(control.GetProperty(design.textProperty)));
  ChooseEntry(cboMousePointer, control.GetProperty("MousePointer"));
  ChooseEntry(cboAppearance, control.GetProperty("Appearance"));
  ChooseEntry(cboAlignment, control.GetProperty("Alignment"));
  ChooseEntry(cboBorderStyle, control.GetProperty("BorderStyle"));
  chkDropDown.SetValue(CheckFor(control.GetProperty("DropDown")));
}

void GeneralPage::WriteTo(PropertyAccess& control) {
  control.SetProperty("OnFocusSelect", BoolOf(chkOnFocusSelect));
  control.SetProperty("Enabled", BoolOf(chkEnabled));
  if (!design.keepsSameMask ||
      VariantToText(control.GetProperty(design.textProperty)) != txtText.Text()) {
    control.SetProperty(design.textProperty, txtText.Text());
  }
  control.SetProperty("ReadOnly", BoolOf(chkReadOnly));
  control.SetProperty("MousePointer", ValueOf(cboMousePointer));
  control.SetProperty("Appearance", ValueOf(cboAppearance));
  control.SetProperty("Alignment", ValueOf(cboAlignment));
  control.SetProperty("BorderStyle", ValueOf(cboBorderStyle));
  control.SetProperty("AllowNull", BoolOf(chkAllowNull));
  control.SetProperty("DropDown", BoolOf(chkDropDown));
}

LongGeneral::LongGeneral(PageHost& host)
    : GeneralPage(host, {"LongGeneral", "txtText", u"Text", "Text", true, true, false}) {}

RealGeneral::RealGeneral(PageHost& host)
    : GeneralPage(host, {"RealGeneral", "txtText", u"Text", "Text", false, false, false}) {}

DateGeneral::DateGeneral(PageHost& host)
    : GeneralPage(host, {"DateGeneral", "txtText", u"Text", "Text", false, false, false}) {}

MaskGeneral::MaskGeneral(PageHost& host)
    : GeneralPage(host, {"MaskGeneral", "txtMask", u"Mask", "Mask", true, false, true}),
      txtMask(txtText) {}

}  // namespace entrybox
