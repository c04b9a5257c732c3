#include "entrybox/pages/PageFields.h"

#include <utility>

#include "entrybox/platform/Error.h"

namespace entrybox {

PageField::PageField(std::string name, FieldKind kind, std::u16string caption, PageRect bounds,
                     PageRect labelBounds)
    : name(std::move(name)),
      kind(kind),
      caption(std::move(caption)),
      bounds(bounds),
      labelBounds(labelBounds) {}

void PageField::LoseFocus() {
  if (lostFocus) lostFocus();
}

TextField::TextField(std::string name, std::u16string label, PageRect bounds, PageRect labelBounds)
    : PageField(std::move(name), FieldKind::Text, std::move(label), bounds, labelBounds) {}

void TextField::SetText(const std::u16string& value) {
  if (value == text) return;
  text = value;
  if (change) change();
}

CheckBox::CheckBox(std::string name, std::u16string caption, PageRect bounds)
    : PageField(std::move(name), FieldKind::Check, std::move(caption), bounds, {}) {}

void CheckBox::SetValue(int16_t NewValue) {
  if (NewValue < 0 || NewValue > 2) RaiseInvalidPropertyValue();
  if (NewValue == value) return;
  value = NewValue;
  if (click) click();
}

ListField::ListField(std::string name, std::u16string label, PageRect bounds, PageRect labelBounds,
                     std::vector<Entry> entries)
    : PageField(std::move(name), FieldKind::List, std::move(label), bounds, labelBounds),
      entries(std::move(entries)) {}

void ListField::SetListIndex(int32_t NewValue) {
  if (NewValue < -1 || NewValue >= static_cast<int32_t>(entries.size())) {
    RaiseInvalidPropertyValue();
  }
  if (NewValue == listIndex) return;
  listIndex = NewValue;
  if (click) click();
}

int32_t ListField::IndexOfValue(double value) const {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].value == value) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t ListField::ChosenValue() const {
  if (listIndex < 0) RaiseInvalidPropertyValue();
  return entries[static_cast<size_t>(listIndex)].value;
}

OptionGroup::OptionGroup(std::string name, std::u16string caption, PageRect bounds,
                         std::vector<Option> options)
    : PageField(std::move(name), FieldKind::Options, std::move(caption), bounds, {}),
      options(std::move(options)) {}

void OptionGroup::SwitchOn(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(options.size())) RaiseInvalidPropertyValue();
  if (index == value) return;
  value = index;
  if (click) click(index);
}

}  // namespace entrybox
