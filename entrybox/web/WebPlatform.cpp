#include "entrybox/web/WebPlatform.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <map>
#include <string>

#include "entrybox/values/Strings.h"

// clang-format off
EM_JS(int, entrybox_today, (), {
  const d = new Date();
  return d.getFullYear() * 10000 + (d.getMonth() + 1) * 100 + d.getDate();
});
EM_JS(void, entrybox_show_button, (int element, int visible, int back), {
  const e = Module.entryboxDom[element];
  if (!e || !e.button) return;
  e.button.hidden = !visible;
  e.button.style.backgroundColor =
    back > 0 ? "rgb(" + (back & 255) + "," + ((back >> 8) & 255) + "," + ((back >> 16) & 255) + ")"
             : "";
});
EM_JS(void, entrybox_show_form, (const char* caption), {
  if (Module.entryboxShowForm) Module.entryboxShowForm(UTF8ToString(caption));
});
// clang-format on

namespace entrybox::web {

namespace {
// The sites by element, for the page's event listeners (web/field.js).
std::map<int, WebSite*>& Sites() {
  static std::map<int, WebSite*> sites;
  return sites;
}

}  // namespace

std::chrono::year_month_day WebClock::Today() const {
  if (fixed) return *fixed;
  const int today = entrybox_today();
  return std::chrono::year_month_day{std::chrono::year{today / 10000},
                                     std::chrono::month{static_cast<unsigned>(today / 100 % 100)},
                                     std::chrono::day{static_cast<unsigned>(today % 100)}};
}

void WebButton::SetVisible(bool value) {
  HeadlessButton::SetVisible(value);
  entrybox_show_button(element, value ? 1 : 0, static_cast<int>(BackColor()));
}

void WebButton::SetBackColor(uint32_t value) {
  HeadlessButton::SetBackColor(value);
  entrybox_show_button(element, Visible() ? 1 : 0, static_cast<int>(value));
}

void WebFormHost::ShowModal(Form& form) {
  form.Load(LibraryTitle());
  shown.push_back(form.Caption());
  entrybox_show_form(ToUtf8(form.Caption()).c_str());
}

WebSite::WebSite(int element, WebContainer& container, ControlEvents& events)
    : element(element),
      container(container),
      events(events),
      field(element, container.clipboard, container.ambientFont),
      button(element) {
  Sites()[element] = this;
  button.SetVisible(false);
}

WebSite::~WebSite() {
  Sites().erase(element);
}

WebSite* WebSite::Find(int element) {
  const auto it = Sites().find(element);
  return it == Sites().end() ? nullptr : it->second;
}

entrybox::Clipboard& WebSite::Clipboard() {
  return container.clipboard;
}
const entrybox::Clock& WebSite::Clock() const {
  return container.clock;
}
FormHost& WebSite::Forms() {
  return container.forms;
}
Font WebSite::AmbientFont() const {
  return container.ambientFont;
}
void WebSite::PropertyChanged(std::string_view name) {
  container.notified.emplace_back(name);
}
bool WebSite::CanPropertyChange(std::string_view /*name*/) {
  return container.allowChanges;
}
void WebSite::SetSize(double newWidth, double newHeight) {
  width = newWidth;
  height = newHeight;
}

}  // namespace entrybox::web
