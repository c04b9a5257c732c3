// Runs scenario scripts on a platform (the headless one unless told otherwise): one command
// line at a time, collecting the lines a command prints.
#pragma once

#include <iosfwd>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptPlatform.h"
#include "ScriptValue.h"
#include "entrybox/controls/InputControl.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/PropertyBag.h"

namespace entrybox::script {

/// The host's event handlers: records every event and can cancel keys.
class EventRecorder : public ControlEvents {
 public:
  void ButtonClick() override { events.push_back("ButtonClick"); }
  void Click() override { events.push_back("Click"); }
  void Change() override { events.push_back("Change"); }
  void DblClick() override { events.push_back("DblClick"); }
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override;
  void KeyPress(int16_t& KeyAscii) override;
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override;

  std::vector<std::string> events;
  bool zeroKeyDown = false;
  bool zeroKeyPress = false;
};

class Runner;

/// A group of commands that the runner hands every command it does not know itself.
class CommandSet {
 public:
  virtual ~CommandSet() = default;
  /// Runs the command and returns true, or returns false when it is not one of this
  /// set's. Throws SyntaxError for a malformed line; entrybox::Error for a failure.
  virtual bool Execute(Runner& runner, const std::vector<Token>& tokens,
                       std::vector<std::string>& out) = 0;
};

/// Adds the command sets of the library's later parts (defined in Extensions.cpp).
void AddExtensions(Runner& runner);

/// One script's world: the platform, its controls and the host.
class Runner {
 public:
  /// A runner on the headless platform.
  Runner();
  /// A runner on `platform`.
  explicit Runner(std::unique_ptr<ScriptPlatform> platform);
  ~Runner();

  void AddCommands(std::unique_ptr<CommandSet> commands);
  /// The current control; SyntaxError when there is none.
  InputControl& CurrentControl();
  /// The control named `name`; SyntaxError when there is none.
  InputControl& ControlNamed(const std::string& name);
  ScriptPlatform& Platform() { return *platform; }
  /// The headless container; std::logic_error on another platform.
  HeadlessContainer& Container();
  /// The current control's name ("" for none) and inner size; SyntaxError when there is none.
  const std::string& CurrentName();
  std::pair<double, double> CurrentSize();
  /// Creates a control of `kind` (named `name` unless it is ""), loads it from `bag` and
  /// sizes it to width x height, as `load` does: it is current even when loading raises
  /// an error, and is then not sized. SyntaxError for an unknown kind or a taken name.
  InputControl& Load(std::string_view kind, const std::string& name, const PropertyBag& bag,
                     double width, double height);

  /// Runs one command line and returns what it printed. A malformed line, an unknown
  /// control name or a missing current control throws SyntaxError.
  std::vector<std::string> Execute(std::string_view line);

 private:
  struct Control {
    std::string name;
    std::string kind;
    std::unique_ptr<ScriptControl> on;  // the control on its platform
    InputControl* control = nullptr;
  };

  Control& Current();
  Control& Create(const std::vector<Token>& tokens, size_t& next);
  Control& Create(std::string_view kind, const std::string& name);
  void Deliver(const std::vector<Token>& tokens, std::vector<std::string>& out);
  /// Hands the command to the extensions; false when none knows it.
  bool RunExtensions(const std::vector<Token>& tokens, std::vector<std::string>& out);
  void TypeText(const std::u16string& text);
  void PressNamedKey(const std::string& name);

  std::unique_ptr<ScriptPlatform> platform;
  EventRecorder recorder;
  std::list<Control> controls;
  std::vector<std::unique_ptr<CommandSet>> extensions;  // stable addresses for `current`
  Control* current = nullptr;
};

/// RunFile's status for a script skipped on this platform (CTest's skip code).
inline constexpr int kSkipped = 77;

/// Runs a script file on a platform `makePlatform` makes: prints every output line
/// (`check` false) or compares them with the expected lines and prints the mismatches.
/// Returns the exit status: 0, 1 on a mismatch, 2 on a malformed script, kSkipped for a
/// script whose first lines say `#! headless-only: REASON` on another platform than the
/// headless one (it says so on `out`).
int RunFile(const std::string& path, bool check, std::ostream& out, std::ostream& err,
            const PlatformFactory& makePlatform = MakeHeadlessPlatform);

}  // namespace entrybox::script
