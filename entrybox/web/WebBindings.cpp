// What the page's script sees of the library (embind): the entry points of the fields'
// event listeners (web/field.js), and Container and Control for the custom elements.
#include <emscripten/bind.h>
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"
#include "entrybox/web/WebPlatform.h"

// clang-format off
// An event of a control to its element: Module.entryboxDom[element].onEvent(name, args).
EM_JS(void, entrybox_control_event, (int element, const char* name, int a, int b), {
  const e = Module.entryboxDom[element];
  if (e && e.onEvent) e.onEvent(UTF8ToString(name), a, b);
});
// clang-format on

namespace entrybox::web {

namespace {

using emscripten::val;

WebField* FieldOf(int element) {
  WebSite* site = WebSite::Find(element);
  return site == nullptr ? nullptr : &site->Field();
}

BrowserKey KeyOf(int keyCode, const std::u16string& key, bool shift, bool ctrl, bool alt) {
  return BrowserKey{static_cast<int16_t>(keyCode), key, shift, ctrl, alt};
}

int FieldKeyDown(int element, int keyCode, std::u16string key, bool shift, bool ctrl, bool alt) {
  WebField* field = FieldOf(element);
  if (field == nullptr) return static_cast<int>(KeyOutcome::Native);
  return static_cast<int>(field->BrowserKeyDown(KeyOf(keyCode, key, shift, ctrl, alt)));
}

void FieldKeyUp(int element, int keyCode, std::u16string key, bool shift, bool ctrl, bool alt) {
  if (WebField* field = FieldOf(element))
    field->BrowserKeyUp(KeyOf(keyCode, key, shift, ctrl, alt));
}

void FieldKeyPress(int element, int code) {
  if (WebField* field = FieldOf(element)) field->BrowserKeyPress(static_cast<int16_t>(code));
}

void FieldInsert(int element, std::u16string text) {
  if (WebField* field = FieldOf(element)) field->BrowserInsert(text);
}

void FieldPaste(int element, std::u16string text) {
  if (WebField* field = FieldOf(element)) field->BrowserPaste(text);
}

val FieldCopy(int element, bool cut) {
  WebField* field = FieldOf(element);
  if (field == nullptr) return val::null();
  const std::optional<std::u16string> text = field->BrowserCopy(cut);
  return text ? val(*text) : val::null();
}

void FieldInput(int element) {
  if (WebField* field = FieldOf(element)) field->BrowserInput();
}
void FieldFocus(int element) {
  if (WebField* field = FieldOf(element)) field->BrowserFocus();
}
void FieldBlur(int element) {
  if (WebField* field = FieldOf(element)) field->BrowserBlur();
}
void FieldClick(int element) {
  if (WebField* field = FieldOf(element)) field->BrowserClick();
}
void FieldDblClick(int element) {
  if (WebField* field = FieldOf(element)) field->BrowserDblClick();
}
void ButtonClick(int element) {
  if (WebSite* site = WebSite::Find(element)) site->Button().Click();
}

std::string ErrorText(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Error& e) {
    return "error " + std::to_string(e.Number()) + " " + e.Description();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown error";
  }
}

/// The error a control raised in the element's last event, as text ("" for none).
std::string FieldTakeError(int element) {
  WebField* field = FieldOf(element);
  if (field == nullptr) return {};
  std::exception_ptr error = field->TakeError();
  return error ? ErrorText(error) : std::string();
}

val ToVal(const Variant& value) {
  if (const auto* text = std::get_if<std::u16string>(&value)) return val(*text);
  if (const auto* number = std::get_if<double>(&value)) return val(*number);
  if (const auto* flag = std::get_if<bool>(&value)) return val(*flag);
  if (const auto* font = std::get_if<Font>(&value)) {
    val out = val::object();
    out.set("name", val(font->Name));
    out.set("size", val(font->Size));
    return out;
  }
  return val::null();
}

Variant FromVal(const val& value) {
  const std::string type = value.typeOf().as<std::string>();
  if (type == "string") return value.as<std::u16string>();
  if (type == "number") return value.as<double>();
  if (type == "boolean") return value.as<bool>();
  if (type == "object" && !value.isNull() && value["name"].isString()) {
    return Font{value["name"].as<std::u16string>(), value["size"].as<double>()};
  }
  return Variant{};
}

[[noreturn]] void ThrowToPage(std::exception_ptr error) {
  val::global("Error").new_(ErrorText(error)).throw_();
}

/// Sends a control's events to its element's onEvent.
class ElementEvents : public ControlEvents {
 public:
  explicit ElementEvents(int element) : element(element) {}
  void ButtonClick() override { Send("ButtonClick"); }
  void Click() override { Send("Click"); }
  void Change() override { Send("Change"); }
  void DblClick() override { Send("DblClick"); }
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override { Send("KeyDown", KeyCode, Shift); }
  void KeyPress(int16_t& KeyAscii) override { Send("KeyPress", KeyAscii); }
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override { Send("KeyUp", KeyCode, Shift); }

 private:
  void Send(const char* name, int a = 0, int b = 0) { entrybox_control_event(element, name, a, b); }
  int element;
};

/// The controls of one page.
class Container {
 public:
  /// The font the controls start with: the page's.
  void SetAmbientFont(const std::u16string& name, double size) {
    container.ambientFont = Font{name, size};
  }
  void SetToday(int year, int month, int day) {
    container.clock.SetToday(std::chrono::year_month_day{
        std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
        std::chrono::day{static_cast<unsigned>(day)}});
  }
  WebContainer container;
};

/// One control of a custom element, shown in the element registered as `element`.
class Control {
 public:
  Control(Container& container, const std::string& kind, int element)
      : events(element), site(std::make_unique<WebSite>(element, container.container, events)) {
    control = CreateControl(kind, *site);
    if (!control) val::global("Error").new_("no control of kind " + kind).throw_();
  }
  ~Control() { control.reset(); }  // the control goes before its site

  void InitNew() {
    Guard([&] {
      control->InitProperties();
      control->Resize();
    });
  }
  /// Loads the control from the pairs [[key, value], ...] of a saved property bag.
  void Load(const val& pairs) {
    std::vector<std::pair<std::string, Variant>> read;
    const auto length = pairs["length"].as<unsigned>();
    for (unsigned i = 0; i < length; ++i)
      read.emplace_back(pairs[i][0].as<std::string>(), FromVal(pairs[i][1]));
    Guard([&] {
      MemoryPropertyBag bag(std::move(read));
      control->ReadProperties(bag);
      control->Resize();
    });
  }
  /// The pairs the control saves into an empty property bag.
  val Save() {
    MemoryPropertyBag bag;
    Guard([&] { control->WriteProperties(bag); });
    val out = val::array();
    for (const auto& [key, value] : bag.Pairs()) {
      val pair = val::array();
      pair.call<void>("push", val(key), ToVal(value));
      out.call<void>("push", pair);
    }
    return out;
  }
  val Get(const std::string& name) {
    site->Field().Adopt();
    val out = val::null();
    Guard([&] { out = ToVal(control->GetProperty(name)); });
    return out;
  }
  void Set(const std::string& name, const val& value) {
    site->Field().Adopt();
    Guard([&] { control->SetProperty(name, FromVal(value)); });
  }
  void Call(const std::string& name) {
    Guard([&] { control->CallMethod(name); });
  }
  std::vector<std::string> PropertyNames() const { return control->PropertyNames(); }

 private:
  template <typename Action>
  void Guard(Action action) {
    std::exception_ptr error;
    try {
      action();
    } catch (...) {
      error = std::current_exception();
    }
    if (error) ThrowToPage(error);
  }

  ElementEvents events;
  std::unique_ptr<WebSite> site;
  std::unique_ptr<InputControl> control;
};

}  // namespace

EMSCRIPTEN_BINDINGS(entrybox_web) {
  using namespace emscripten;
  function("fieldKeyDown", &FieldKeyDown);
  function("fieldKeyUp", &FieldKeyUp);
  function("fieldKeyPress", &FieldKeyPress);
  function("fieldInsert", &FieldInsert);
  function("fieldPaste", &FieldPaste);
  function("fieldCopy", &FieldCopy);
  function("fieldInput", &FieldInput);
  function("fieldFocus", &FieldFocus);
  function("fieldBlur", &FieldBlur);
  function("fieldClick", &FieldClick);
  function("fieldDblClick", &FieldDblClick);
  function("buttonClick", &ButtonClick);
  function("fieldTakeError", &FieldTakeError);
  register_vector<std::string>("StringList");
  class_<Container>("Container")
      .constructor<>()
      .function("setToday", &Container::SetToday)
      .function("setAmbientFont", &Container::SetAmbientFont);
  class_<Control>("Control")
      .constructor<Container&, const std::string&, int>()
      .function("initNew", &Control::InitNew)
      .function("load", &Control::Load)
      .function("save", &Control::Save)
      .function("get", &Control::Get)
      .function("set", &Control::Set)
      .function("call", &Control::Call)
      .function("propertyNames", &Control::PropertyNames);
}

}  // namespace entrybox::web
