#include "entrybox/pages/PropertyPage.h"

#include <algorithm>
#include <utility>

#include "entrybox/values/Convert.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

PropertyPage::PropertyPage(PageHost& host, std::string name, std::u16string caption)
    : host(host), name(std::move(name)), caption(std::move(caption)) {
  host.SetEvents(this);
}

PropertyPage::~PropertyPage() {
  host.SetEvents(nullptr);
}

PageField* PropertyPage::FieldNamed(std::string_view fieldName) const {
  for (PageField* f : fields) {
    if (EqualsNoCase(f->Name(), fieldName)) return f;
  }
  return nullptr;
}

void PropertyPage::SelectionChanged() {
  if (host.SelectedCount() == 0) return;
  ReadFrom(host.SelectedControl(0));
}

void PropertyPage::ApplyChanges() {
  if (host.SelectedCount() == 0) return;
  WriteTo(host.SelectedControl(0));
}

void PropertyPage::AddField(PageField& field) {
  fields.push_back(&field);
}

void PropertyPage::InsertField(PageField& field, const PageField& before) {
  auto it = std::find(fields.begin(), fields.end(), &before);
  fields.insert(it, &field);
}

int16_t PropertyPage::CheckFor(const Variant& value) {
  return VariantToBool(value) ? 1 : 0;
}

}  // namespace entrybox
