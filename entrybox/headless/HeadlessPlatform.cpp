#include "entrybox/headless/HeadlessPlatform.h"

#include <algorithm>

namespace entrybox {

void HeadlessButton::Click() {
  if (visible && events != nullptr) events->ButtonClicked();
}

void HeadlessFormHost::ShowModal(Form& form) {
  form.Load(LibraryTitle());
  shown.push_back(form.Caption());
}

Variant MemoryPropertyBag::ReadProperty(std::string_view key, const Variant& defaultValue) const {
  const auto it =
      std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == key; });
  return it == pairs.end() ? defaultValue : it->second;
}

void MemoryPropertyBag::WriteProperty(std::string_view key, const Variant& value,
                                      const Variant& defaultValue) {
  auto it =
      std::find_if(pairs.begin(), pairs.end(), [&](const auto& pair) { return pair.first == key; });
  if (it != pairs.end()) pairs.erase(it);
  if (SameValue(value, defaultValue)) return;
  pairs.emplace_back(std::string(key), value);
}

HeadlessSite::HeadlessSite(HeadlessContainer& container, ControlEvents& events)
    : container(container), events(events), field(container.clipboard, container.ambientFont) {}

entrybox::Clipboard& HeadlessSite::Clipboard() {
  return container.clipboard;
}
const entrybox::Clock& HeadlessSite::Clock() const {
  return container.clock;
}
FormHost& HeadlessSite::Forms() {
  return container.forms;
}
Font HeadlessSite::AmbientFont() const {
  return container.ambientFont;
}

void HeadlessSite::PropertyChanged(std::string_view name) {
  container.notified.emplace_back(name);
}

bool HeadlessSite::CanPropertyChange(std::string_view /*name*/) {
  return container.allowChanges;
}

void HeadlessSite::SetSize(double newWidth, double newHeight) {
  width = newWidth;
  height = newHeight;
}

std::unique_ptr<HeadlessSite> HeadlessContainer::NewSite(ControlEvents& events) {
  return std::make_unique<HeadlessSite>(*this, events);
}

}  // namespace entrybox
