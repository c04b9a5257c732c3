#include "BagCommands.h"

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "entrybox/forms/FormFile.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Strings.h"

namespace entrybox::script {

namespace {

namespace fs = std::filesystem;

void ExpectEnd(const std::vector<Token>& tokens, size_t n) {
  if (tokens.size() > n) throw SyntaxError("too many words");
}

// "twLong" -> "long": the kind a form file names.
std::string KindOf(const InputControl& control) {
  return ToUtf8(LCase(Mid(control.ClassName(), 3)));
}

// `bag save "FILE"` writes the current control (kind, name, size, and the pairs that
// WriteProperties stores) as the one control of a form file. `bag load "FILE" [as NAME]`
// creates a control of the kind of the file's first control, loads it from that
// control's pairs and sizes it as the file says; it becomes current, as with `load`.
// `bag scratch` makes a fresh private folder for the script's files: from then on a
// relative FILE lies in it, and it goes with everything in it when the script ends.
// Messages name FILE as the script wrote it, so that expected lines do not depend on
// where the scratch folder is.
class BagCommands : public CommandSet {
 public:
  BagCommands() = default;
  BagCommands(const BagCommands&) = delete;
  BagCommands& operator=(const BagCommands&) = delete;
  ~BagCommands() override { RemoveScratch(); }

  bool Execute(Runner& runner, const std::vector<Token>& tokens,
               std::vector<std::string>& /*out*/) override {
    if (tokens.empty() || tokens[0].kind != Token::Kind::Word || tokens[0].word != "bag") {
      return false;
    }
    if (tokens.size() < 2 || tokens[1].kind != Token::Kind::Word) {
      throw SyntaxError("expected bag save, bag load or bag scratch");
    }
    const std::string& what = tokens[1].word;
    if (what == "scratch") {
      ExpectEnd(tokens, 2);
      MakeScratch();
      return true;
    }
    if (what != "save" && what != "load") {
      throw SyntaxError("expected bag save, bag load or bag scratch");
    }
    if (tokens.size() < 3 || tokens[2].kind != Token::Kind::String) {
      throw SyntaxError("expected a file name in double quotes");
    }
    const std::string file = ToUtf8(tokens[2].text);
    if (what == "save") {
      ExpectEnd(tokens, 3);
      Save(runner, file);
      return true;
    }
    std::string name;
    if (tokens.size() > 3) {
      if (tokens[3].kind != Token::Kind::Word || tokens[3].word != "as" || tokens.size() < 5 ||
          tokens[4].kind != Token::Kind::Word) {
        throw SyntaxError("expected as NAME");
      }
      name = tokens[4].word;
      ExpectEnd(tokens, 5);
    }
    Load(runner, file, name);
    return true;
  }

 private:
  void Save(Runner& runner, const std::string& file) {
    InputControl& control = runner.CurrentControl();
    MemoryPropertyBag bag;
    control.WriteProperties(bag);
    const auto [width, height] = runner.CurrentSize();
    FormModel form;
    form.Controls.push_back(
        FormControl{KindOf(control), runner.CurrentName(), {0, 0, width, height}, bag.Pairs()});
    try {
      SaveForm(Resolve(file), form);
    } catch (const FormFileError& e) {
      throw Renamed(e, file);
    }
  }

  void Load(Runner& runner, const std::string& file, const std::string& name) {
    FormModel form;
    try {
      form = LoadForm(Resolve(file));
    } catch (const FormFileError& e) {
      throw Renamed(e, file);
    }
    if (form.Controls.empty()) {
      throw Error(errors::kLibrary, FormFileError::Describe(file, "/controls", "no controls"));
    }
    const FormControl& first = form.Controls.front();
    const MemoryPropertyBag bag(first.Properties);
    runner.Load(first.Kind, name, bag, first.Geometry.Width, first.Geometry.Height);
  }

  fs::path Resolve(const std::string& file) const {
    const fs::path path(file);
    return scratch.empty() || path.is_absolute() ? path : scratch / path;
  }

  static Error Renamed(const FormFileError& e, const std::string& file) {
    return Error(errors::kLibrary, FormFileError::Describe(file, e.Place(), e.Reason()));
  }

  void MakeScratch() {
    RemoveScratch();
    std::error_code ec;
    fs::path base = fs::temp_directory_path(ec);
    if (ec) base = "/tmp";
    std::string pattern = (base / "entrybox-script-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      RaiseLibraryError("cannot make a scratch folder in \"" + base.string() + "\"");
    }
    scratch = pattern;
  }

  void RemoveScratch() {
    if (scratch.empty()) return;
    std::error_code ec;
    fs::remove_all(scratch, ec);
    scratch.clear();
  }

  fs::path scratch;
};

}  // namespace

std::unique_ptr<CommandSet> MakeBagCommands() {
  return std::make_unique<BagCommands>();
}

}  // namespace entrybox::script
