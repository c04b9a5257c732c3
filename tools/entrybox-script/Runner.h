// Runs scenario scripts on the headless platform: one command line at a time, collecting
// the lines a command prints.
#pragma once

#include <iosfwd>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ScriptValue.h"
#include "entrybox/controls/InputControl.h"
#include "entrybox/headless/HeadlessPlatform.h"

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

/// One script's world: the container, its controls and the host.
class Runner {
 public:
  Runner();
  ~Runner();

  void AddCommands(std::unique_ptr<CommandSet> commands);
  /// The current control; SyntaxError when there is none.
  InputControl& CurrentControl();
  /// The control named `name`; SyntaxError when there is none.
  InputControl& ControlNamed(const std::string& name);
  HeadlessContainer& Container() { return container; }

  /// Runs one command line and returns what it printed. A malformed line, an unknown
  /// control name or a missing current control throws SyntaxError.
  std::vector<std::string> Execute(std::string_view line);

 private:
  struct Control {
    std::string name;
    std::string kind;
    std::unique_ptr<HeadlessSite> site;
    std::unique_ptr<InputControl> control;
  };

  Control& Current();
  Control& Create(const std::vector<Token>& tokens, size_t& next);
  void Deliver(const std::vector<Token>& tokens, std::vector<std::string>& out);
  void TypeText(const std::u16string& text);
  void PressNamedKey(const std::string& name);

  HeadlessContainer container;
  EventRecorder recorder;
  std::list<Control> controls;
  std::vector<std::unique_ptr<CommandSet>> extensions;  // stable addresses for `current`
  Control* current = nullptr;
};

/// Runs a script file: prints every output line (`check` false) or compares them with
/// the expected lines and prints the mismatches. Returns the exit status: 0, 1 on a
/// mismatch, 2 on a malformed script.
int RunFile(const std::string& path, bool check, std::ostream& out, std::ostream& err);

}  // namespace entrybox::script
