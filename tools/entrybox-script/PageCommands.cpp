#include "PageCommands.h"

#include <list>
#include <string>
#include <vector>

#include "entrybox/headless/HeadlessPageHost.h"
#include "entrybox/pages/DateFormat.h"
#include "entrybox/pages/PageFactory.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox::script {

namespace {

const std::string& WordAt(const std::vector<Token>& tokens, size_t i, const char* what) {
  if (i >= tokens.size() || tokens[i].kind != Token::Kind::Word) {
    throw SyntaxError(std::string("expected ") + what);
  }
  return tokens[i].word;
}

void ExpectEnd(const std::vector<Token>& tokens, size_t n) {
  if (tokens.size() > n) throw SyntaxError("too many words");
}

// A number word converted as a host language would for a 16- or 32-bit parameter.
double NumberAt(const std::vector<Token>& tokens, size_t i, const char* what) {
  double value = 0;
  if (!ParseNumber(WordAt(tokens, i, what), value)) {
    throw SyntaxError(std::string("expected ") + what);
  }
  return value;
}

class PageCommands : public CommandSet {
 public:
  bool Execute(Runner& runner, const std::vector<Token>& tokens,
               std::vector<std::string>& out) override {
    if (tokens.empty() || tokens[0].kind != Token::Kind::Word) return false;
    const std::string& command = tokens[0].word;
    if (command == "print") {
      if (tokens.size() < 2 || tokens[1].kind != Token::Kind::Word || tokens[1].word != "page") {
        return false;
      }
      ExpectEnd(tokens, 2);
      Print(out);
      return true;
    }
    if (command != "page") return false;
    const std::string& what = WordAt(tokens, 1, "a page name, edit, blur or apply");
    if (what == "edit") {
      Edit(tokens);
    } else if (what == "blur") {
      const std::string& name = WordAt(tokens, 2, "a field");
      ExpectEnd(tokens, 3);
      Field(name).LoseFocus();
    } else if (what == "apply") {
      ExpectEnd(tokens, 2);
      Page();
      host.Confirm();
    } else {
      Open(runner, tokens);
    }
    return true;
  }

 private:
  // Every `page NAME` opens a new page: fields empty, nothing changed.
  void Open(Runner& runner, const std::vector<Token>& tokens) {
    std::vector<InputControl*> controls;
    for (size_t i = 2; i < tokens.size(); ++i) {
      controls.push_back(&runner.ControlNamed(WordAt(tokens, i, "a control name")));
    }
    if (controls.empty()) controls.push_back(&runner.CurrentControl());
    page.reset();
    selection.clear();
    host.SetChanged(false);
    page = CreatePage(tokens[1].word, host);
    if (!page) throw SyntaxError("unknown page " + tokens[1].word);
    std::vector<PropertyAccess*> selected;
    for (InputControl* c : controls) {
      selected.push_back(&selection.emplace_back(*c));
    }
    host.Select(std::move(selected));
  }

  PropertyPage& Page() {
    if (!page) throw SyntaxError("no page open");
    return *page;
  }

  // A field by name; "opt2" names option 2 of the frame "opt".
  PageField& Field(const std::string& name) {
    if (PageField* f = Page().FieldNamed(name)) return *f;
    int32_t index = 0;
    if (OptionGroup* group = OptionNamed(name, index)) return *group;
    throw SyntaxError("no field " + name + " on " + Page().Name());
  }

  OptionGroup* OptionNamed(const std::string& name, int32_t& index) {
    for (PageField* f : Page().Fields()) {
      if (f->Kind() != FieldKind::Options) continue;
      auto* group = static_cast<OptionGroup*>(f);
      for (size_t i = 0; i < group->Options().size(); ++i) {
        if (EqualsNoCase(name, f->Name() + std::to_string(i))) {
          index = static_cast<int32_t>(i);
          return group;
        }
      }
    }
    return nullptr;
  }

  void Edit(const std::vector<Token>& tokens) {
    const std::string& name = WordAt(tokens, 2, "a field");
    if (tokens.size() < 4) throw SyntaxError("expected a value");
    ExpectEnd(tokens, 4);
    int32_t index = 0;
    if (OptionGroup* group = OptionNamed(name, index)) {
      if (WordAt(tokens, 3, "click") != "click") throw SyntaxError("expected click");
      group->SwitchOn(index);
      return;
    }
    PageField& field = Field(name);
    switch (field.Kind()) {
      case FieldKind::Text:
        if (tokens[3].kind != Token::Kind::String) throw SyntaxError("expected a text");
        static_cast<TextField&>(field).SetText(tokens[3].text);
        break;
      case FieldKind::Check:
        static_cast<CheckBox&>(field).SetValue(ToInt16(NumberAt(tokens, 3, "0, 1 or 2")));
        break;
      case FieldKind::List:
        static_cast<ListField&>(field).SetListIndex(ToInt32(NumberAt(tokens, 3, "an index")));
        break;
      case FieldKind::Options:
        throw SyntaxError("click one of the options " + name + "0 ...");
    }
  }

  void Print(std::vector<std::string>& out) {
    PropertyPage& p = Page();
    std::string line = std::string("page changed=") + (host.Changed() ? "true" : "false");
    for (const PageField* f : p.Fields()) {
      line += " " + f->Name() + "=";
      switch (f->Kind()) {
        case FieldKind::Text:
          line += QuoteText(static_cast<const TextField*>(f)->Text());
          break;
        case FieldKind::Check:
          line += std::to_string(static_cast<const CheckBox*>(f)->Value());
          break;
        case FieldKind::List:
          line += std::to_string(static_cast<const ListField*>(f)->ListIndex());
          break;
        case FieldKind::Options:
          line += std::to_string(static_cast<const OptionGroup*>(f)->Value());
          break;
      }
    }
    if (const auto* date = dynamic_cast<const DateFormat*>(&p)) {
      line += " sFormat=" + QuoteText(date->Format());
    }
    out.push_back(line);
  }

  std::list<ControlAccess> selection;  // stable addresses for the host
  HeadlessPageHost host;
  std::unique_ptr<PropertyPage> page;  // goes before the host it is registered with
};

}  // namespace

std::unique_ptr<CommandSet> MakePageCommands() {
  return std::make_unique<PageCommands>();
}

}  // namespace entrybox::script
