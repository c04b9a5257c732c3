#include "entrybox/pages/PageFactory.h"

#include "entrybox/pages/DateFormat.h"
#include "entrybox/pages/GeneralPage.h"
#include "entrybox/pages/MaskFormat.h"
#include "entrybox/pages/NumberFormatPage.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

template <class Page>
std::unique_ptr<PropertyPage> Make(PageHost& host) {
  return std::make_unique<Page>(host);
}

}  // namespace

std::unique_ptr<PropertyPage> CreatePage(std::string_view name, PageHost& host) {
  struct Known {
    std::string_view name;
    std::unique_ptr<PropertyPage> (*make)(PageHost&);
  };
  static constexpr Known known[] = {
      {"LongGeneral", Make<LongGeneral>}, {"RealGeneral", Make<RealGeneral>},
      {"DateGeneral", Make<DateGeneral>}, {"MaskGeneral", Make<MaskGeneral>},
      {"LongFormat", Make<LongFormat>},   {"RealFormat", Make<RealFormat>},
      {"DateFormat", Make<DateFormat>},   {"MaskFormat", Make<MaskFormat>}};
  for (const auto& k : known) {
    if (EqualsNoCase(k.name, name)) return k.make(host);
  }
  return nullptr;
}

}  // namespace entrybox
