#include <iostream>

#include "entrybox/controls/twLong.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/values/Strings.h"

int main() {
  entrybox::HeadlessContainer container;
  entrybox::ControlEvents host;
  auto site = container.NewSite(host);
  entrybox::twLong box(*site);
  box.InitProperties();
  box.SetText(u"1234");
  std::cout << entrybox::ToUtf8(site->Field().Text()) << "\n";
  return site->Field().Text() == u"1,234" ? 0 : 1;
}
