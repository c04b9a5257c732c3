#include "ScriptPlatform.h"

#include <utility>

#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"

namespace entrybox::script {

namespace {

class HeadlessScriptControl : public ScriptControl {
 public:
  HeadlessScriptControl(std::unique_ptr<HeadlessSite> site, std::unique_ptr<InputControl> control)
      : site(std::move(site)), control(std::move(control)) {}
  ~HeadlessScriptControl() override { control.reset(); }  // the control goes before its site

  InputControl& Control() override { return *control; }
  EditField& Field() override { return site->Field(); }
  twButton& Button() override { return site->Button(); }
  double Width() const override { return site->ScaleWidth(); }
  double Height() const override { return site->ScaleHeight(); }
  void SetSize(double width, double height) override { site->SetSize(width, height); }

  void Keystroke(const std::optional<keys::Keystroke>& key, const std::u16string& chars) override {
    HeadlessField& field = site->Field();
    if (key) field.KeyDown(key->keyCode, key->shift);
    for (const char16_t c : chars)
      field.KeyPress(static_cast<int16_t>(c));
    if (key) field.KeyUp(key->keyCode, key->shift);
  }
  void KeyDown(int16_t code, int16_t shift) override { site->Field().KeyDown(code, shift); }
  void KeyPress(int16_t code) override { site->Field().KeyPress(code); }
  void KeyUp(int16_t code, int16_t shift) override { site->Field().KeyUp(code, shift); }
  void Focus() override { site->Field().GotFocus(); }
  void Blur() override { site->Field().LostFocus(); }
  void ClickField() override { site->Field().Click(); }
  void DblClickField() override { site->Field().DblClick(); }
  void ClickButton() override { site->Button().Click(); }

 private:
  std::unique_ptr<HeadlessSite> site;
  std::unique_ptr<InputControl> control;
};

class HeadlessScriptPlatform : public ScriptPlatform {
 public:
  std::string_view Name() const override { return "headless"; }
  std::unique_ptr<ScriptControl> NewControl(std::string_view kind, ControlEvents& events) override {
    auto site = container.NewSite(events);
    auto control = CreateControl(kind, *site);
    if (!control) return nullptr;
    return std::make_unique<HeadlessScriptControl>(std::move(site), std::move(control));
  }
  entrybox::Clipboard& Clipboard() override { return container.clipboard; }
  void SetToday(std::chrono::year_month_day date) override { container.clock.SetToday(date); }
  void SetAllowChanges(bool allow) override { container.allowChanges = allow; }
  std::vector<std::string> TakeNotified() override { return std::exchange(container.notified, {}); }
  std::vector<std::u16string> TakeShownForms() override {
    return std::exchange(container.forms.shown, {});
  }
  HeadlessContainer* Headless() override { return &container; }

 private:
  HeadlessContainer container;
};

}  // namespace

std::unique_ptr<ScriptPlatform> MakeHeadlessPlatform() {
  return std::make_unique<HeadlessScriptPlatform>();
}

}  // namespace entrybox::script
