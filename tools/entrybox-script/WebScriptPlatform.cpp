#include "WebScriptPlatform.h"

#ifdef __EMSCRIPTEN__

#include <emscripten/bind.h>
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#include <emscripten/val.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "Runner.h"
#include "entrybox/controls/Factory.h"
#include "entrybox/web/WebPlatform.h"

// clang-format off
// A control's element in the page: an <input> and its drop-down <button>. Errors stay
// with the field for the runner to take (keepErrors).
EM_JS(int, entrybox_script_element, (), {
  const box = document.createElement("div");
  const input = document.createElement("input");
  const button = document.createElement("button");
  button.textContent = "\u25BE";
  box.append(input, button);
  document.body.append(box);
  return Module.entryboxAttach(input, button, {keepErrors : true});
});
EM_JS(void, entrybox_script_remove, (int element), {
  const e = Module.entryboxDom[element];
  if (e) e.input.parentNode.remove();
  Module.entryboxDetach(element);
});
// One keyboard event as a user's key sends it to the <input>. Returns 1 when a listener
// cancelled it (the field handled the key).
EM_JS(int, entrybox_script_key,
      (int element, const char* type, int code, int shift, const char16_t* key, int length), {
        const input = Module.entryboxDom[element].input;
        const init = {
          bubbles : true,
          cancelable : true,
          key : String.fromCharCode.apply(null, HEAPU16.subarray(key >> 1, (key >> 1) + length)),
          keyCode : code,
          charCode : UTF8ToString(type) == "keypress" ? code : 0,
          shiftKey : !!(shift & 1),
          ctrlKey : !!(shift & 2),
          altKey : !!(shift & 4)
        };
        const e = new KeyboardEvent(UTF8ToString(type), init);
        // keyCode and charCode are legacy members that some engines leave out of the init.
        if (e.keyCode !== init.keyCode) Object.defineProperty(e, "keyCode", {value : init.keyCode});
        if (e.charCode !== init.charCode) {
          Object.defineProperty(e, "charCode", {value : init.charCode});
        }
        return input.dispatchEvent(e) ? 0 : 1;
      });
// What the browser does after a clipboard key it was left: its copy, cut or paste event,
// the paste one with the clipboard's text.
EM_JS(void, entrybox_script_clipboard_event,
      (int element, const char* type, const char16_t* text, int length), {
        const data = new DataTransfer();
        data.setData("text/plain",
                     String.fromCharCode.apply(null, HEAPU16.subarray(text >> 1, (text >> 1) + length)));
        Module.entryboxDom[element].input.dispatchEvent(
          new ClipboardEvent(UTF8ToString(type), {bubbles : true, cancelable : true, clipboardData : data}));
      });
// Characters that no key types arrive as an input method's text.
EM_JS(void, entrybox_script_insert, (int element, const char16_t* text, int length), {
  Module.entryboxDom[element].input.dispatchEvent(new InputEvent("beforeinput", {
    bubbles : true,
    cancelable : true,
    inputType : "insertText",
    data : String.fromCharCode.apply(null, HEAPU16.subarray(text >> 1, (text >> 1) + length))
  }));
});
EM_JS(void, entrybox_script_event, (int element, int onButton, const char* type), {
  const e = Module.entryboxDom[element];
  const name = UTF8ToString(type);
  const target = onButton ? e.button : e.input;
  if (name == "focus" || name == "blur") {
    target.dispatchEvent(new FocusEvent(name));
  } else {
    target.dispatchEvent(new MouseEvent(name, {bubbles : true, cancelable : true, detail : name == "dblclick" ? 2 : 1}));
  }
});
// clang-format on

namespace entrybox::script {

namespace {

using web::BrowserKey;
using web::WebContainer;
using web::WebSite;

// The `key` of a keydown that types `chars`: the character itself, or the key's name.
std::u16string KeyValue(const std::u16string& chars, int16_t shift) {
  if (chars == u"\r") return u"Enter";
  if (chars == u"\b") return u"Backspace";
  if (chars == u"\x1b") return u"Escape";
  if (chars.size() == 1 && chars[0] >= 1 && chars[0] <= 26 && (shift & keys::kCtrl) != 0) {
    return std::u16string(1, static_cast<char16_t>(chars[0] + ((shift & keys::kShift) ? 64 : 96)));
  }
  return chars.empty() ? u"Unidentified" : chars;
}

class WebScriptControl : public ScriptControl {
 public:
  WebScriptControl(std::string_view kind, WebContainer& container, ControlEvents& events)
      : element(entrybox_script_element()),
        site(std::make_unique<WebSite>(element, container, events)),
        control(CreateControl(kind, *site)),
        container(container) {}
  ~WebScriptControl() override {
    control.reset();  // the control goes before its site
    site.reset();
    entrybox_script_remove(element);
  }
  bool Made() const { return control != nullptr; }

  InputControl& Control() override { return *control; }
  EditField& Field() override { return site->Field(); }
  twButton& Button() override { return site->Button(); }
  double Width() const override { return site->ScaleWidth(); }
  double Height() const override { return site->ScaleHeight(); }
  void SetSize(double width, double height) override { site->SetSize(width, height); }

  void Keystroke(const std::optional<keys::Keystroke>& key, const std::u16string& chars) override {
    if (!key) {
      Insert(chars);
      return;
    }
    const std::u16string value = KeyValue(chars, key->shift);
    const BrowserKey browserKey{key->keyCode, value, (key->shift & keys::kShift) != 0,
                                (key->shift & keys::kCtrl) != 0, (key->shift & keys::kAlt) != 0};
    if (web::PressesFor(browserKey) == chars) {
      Down(key->keyCode, key->shift, value);
    } else {
      // A keystroke no browser key sends: its keydown, then its characters alone.
      Down(key->keyCode, key->shift, u"Unidentified");
      for (const char16_t c : chars)
        KeyPress(static_cast<int16_t>(c));
    }
    KeyUp(key->keyCode, key->shift);
  }
  void KeyDown(int16_t code, int16_t shift) override { Down(code, shift, u"Unidentified"); }
  void KeyPress(int16_t code) override {
    const char16_t unit = static_cast<char16_t>(code);
    entrybox_script_key(element, "keypress", static_cast<uint16_t>(code), 0, &unit, 1);
    Check();
  }
  void KeyUp(int16_t code, int16_t shift) override {
    const std::u16string value = u"Unidentified";
    entrybox_script_key(element, "keyup", code, shift, value.data(),
                        static_cast<int>(value.size()));
    Check();
  }
  void Focus() override { Event(false, "focus"); }
  void Blur() override { Event(false, "blur"); }
  void ClickField() override { Event(false, "click"); }
  void DblClickField() override { Event(false, "dblclick"); }
  void ClickButton() override { Event(true, "click"); }

 private:
  void Down(int16_t code, int16_t shift, const std::u16string& value) {
    const int cancelled = entrybox_script_key(element, "keydown", code, shift, value.data(),
                                              static_cast<int>(value.size()));
    Check();
    if (cancelled != 0) return;
    switch (web::ChordFor(code, shift)) {
      case web::ClipboardChord::Paste: {
        const std::u16string text = container.clipboard.GetText();
        entrybox_script_clipboard_event(element, "paste", text.data(),
                                        static_cast<int>(text.size()));
        break;
      }
      case web::ClipboardChord::Copy:
        entrybox_script_clipboard_event(element, "copy", nullptr, 0);
        break;
      case web::ClipboardChord::Cut:
        entrybox_script_clipboard_event(element, "cut", nullptr, 0);
        break;
      case web::ClipboardChord::None:
        break;
    }
    Check();
  }
  void Insert(const std::u16string& chars) {
    entrybox_script_insert(element, chars.data(), static_cast<int>(chars.size()));
    Check();
  }
  void Event(bool onButton, const char* type) {
    entrybox_script_event(element, onButton ? 1 : 0, type);
    Check();
  }
  // An error the control raised while handling the event reaches the runner.
  void Check() {
    if (std::exception_ptr error = site->Field().TakeError()) std::rethrow_exception(error);
  }

  int element;
  std::unique_ptr<WebSite> site;
  std::unique_ptr<InputControl> control;
  WebContainer& container;
};

class WebScriptPlatform : public ScriptPlatform {
 public:
  WebScriptPlatform() {
    container.clock.SetToday(std::chrono::year_month_day{
        std::chrono::year{2000}, std::chrono::January, std::chrono::day{1}});
  }
  std::string_view Name() const override { return "web"; }
  std::unique_ptr<ScriptControl> NewControl(std::string_view kind, ControlEvents& events) override {
    auto control = std::make_unique<WebScriptControl>(kind, container, events);
    if (!control->Made()) return nullptr;
    return control;
  }
  entrybox::Clipboard& Clipboard() override { return container.clipboard; }
  void SetToday(std::chrono::year_month_day date) override { container.clock.SetToday(date); }
  void SetAllowChanges(bool allow) override { container.allowChanges = allow; }
  std::vector<std::string> TakeNotified() override { return std::exchange(container.notified, {}); }
  std::vector<std::u16string> TakeShownForms() override {
    return std::exchange(container.forms.shown, {});
  }

 private:
  WebContainer container;
};

// Runs one script given as text under its own path, as the command line would.
emscripten::val RunScript(const std::string& path, const std::string& text, bool check) {
  std::error_code ec;
  const std::filesystem::path file(path);
  if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
  {
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream << text;
  }
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunFile(path, check, out, err, MakeWebPlatform);
  emscripten::val result = emscripten::val::object();
  result.set("status", status);
  result.set("out", out.str());
  result.set("err", err.str());
  return result;
}

}  // namespace

std::unique_ptr<ScriptPlatform> MakeWebPlatform() {
  return std::make_unique<WebScriptPlatform>();
}

EMSCRIPTEN_BINDINGS(entrybox_script) {
  emscripten::function("runScript", &RunScript);
}

}  // namespace entrybox::script

#else  // the command line's side

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

#include "Runner.h"

#ifndef ENTRYBOX_SOURCE_DIR
#define ENTRYBOX_SOURCE_DIR "."
#endif

namespace entrybox::script {

namespace {

// The Node driver as a child process: requests on its standard input, answers on its
// standard output. Each request is "run|check PATHBYTES TEXTBYTES\n" then the path and
// the script; each answer "STATUS OUTBYTES ERRBYTES\n" then the output and the errors.
class Driver {
 public:
  Driver(const std::string& script, const std::string& build) {
    int in[2];
    int out[2];
    if (::pipe(in) != 0 || ::pipe(out) != 0) return;
    pid = ::fork();
    if (pid == 0) {
      ::dup2(in[0], 0);
      ::dup2(out[1], 1);
      ::close(in[0]);
      ::close(in[1]);
      ::close(out[0]);
      ::close(out[1]);
      ::execlp("node", "node", script.c_str(), build.c_str(), static_cast<char*>(nullptr));
      std::fprintf(stderr, "entrybox-script: cannot run node: %s\n", std::strerror(errno));
      ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    if (pid < 0) {
      ::close(in[1]);
      ::close(out[0]);
      return;
    }
    // A driver that dies must not end this process with SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
    toDriver = ::fdopen(in[1], "w");
    fromDriver = ::fdopen(out[0], "r");
  }
  ~Driver() {
    if (toDriver != nullptr) std::fclose(toDriver);  // end of input: the driver quits
    if (fromDriver != nullptr) std::fclose(fromDriver);
    if (pid > 0) {
      int status = 0;
      ::waitpid(pid, &status, 0);
    }
  }
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  bool Started() const { return toDriver != nullptr && fromDriver != nullptr; }

  /// Runs one script; false when the driver did not answer.
  bool Run(const std::string& path, const std::string& text, bool check, int& status,
           std::string& out, std::string& err) {
    std::fprintf(toDriver, "%s %zu %zu\n", check ? "check" : "run", path.size(), text.size());
    std::fwrite(path.data(), 1, path.size(), toDriver);
    std::fwrite(text.data(), 1, text.size(), toDriver);
    if (std::fflush(toDriver) != 0) return false;
    size_t outBytes = 0;
    size_t errBytes = 0;
    if (std::fscanf(fromDriver, "%d %zu %zu", &status, &outBytes, &errBytes) != 3) return false;
    if (std::fgetc(fromDriver) != '\n') return false;
    out.assign(outBytes, '\0');
    err.assign(errBytes, '\0');
    return std::fread(out.data(), 1, outBytes, fromDriver) == outBytes &&
           std::fread(err.data(), 1, errBytes, fromDriver) == errBytes;
  }

 private:
  pid_t pid = -1;
  FILE* toDriver = nullptr;
  FILE* fromDriver = nullptr;
};

}  // namespace

int RunWebFiles(const std::vector<std::string>& files, bool check, std::ostream& out,
                std::ostream& err) {
  const char* fromEnvironment = std::getenv("ENTRYBOX_WEB_BUILD");
  const std::string build = fromEnvironment != nullptr && *fromEnvironment != '\0'
                                ? fromEnvironment
                                : std::string(ENTRYBOX_SOURCE_DIR) + "/build-web";
  if (!std::ifstream(build + "/entrybox-script.js")) {
    err << "entrybox-script: no web build in " << build
        << " (scripts/web.sh build makes it; ENTRYBOX_WEB_BUILD names another folder)\n";
    return 2;
  }
  Driver driver(std::string(ENTRYBOX_SOURCE_DIR) + "/web/script-driver.mjs", build);
  if (!driver.Started()) {
    err << "entrybox-script: cannot start the web driver\n";
    return 2;
  }
  int worst = 0;
  bool allSkipped = true;
  for (const std::string& path : files) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
      err << path << ": cannot open\n";
      worst = std::max(worst, 2);
      allSkipped = false;
      continue;
    }
    const std::string text((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    int status = 0;
    std::string printed;
    std::string errors;
    if (!driver.Run(path, text, check, status, printed, errors)) {
      err << "entrybox-script: the web driver stopped answering (see its messages above)\n";
      return 2;
    }
    out << printed << std::flush;
    err << errors << std::flush;
    if (status == kSkipped) continue;
    allSkipped = false;
    worst = std::max(worst, status);
  }
  return allSkipped ? kSkipped : worst;
}

}  // namespace entrybox::script

#endif
