// libFuzzer target: the form-file loader on random bytes. A file is refused with a
// FormFileError (error 8000 naming the place) or gives a form; a form is written again
// and reads back equal, and each of its controls loads from its bag with at most the
// errors a bag may cause (6, 13, 380, 8000), saves, and that bag makes a file again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "entrybox/controls/Factory.h"
#include "entrybox/forms/FormFile.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "\n*** entrybox form-file invariant broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

void LoadEachControl(const entrybox::FormModel& form) {
  using namespace entrybox;
  HeadlessContainer container;
  ControlEvents host;
  FormModel saved;
  for (const FormControl& c : form.Controls) {
    auto site = container.NewSite(host);
    auto control = CreateControl(c.Kind, *site);
    if (!control) Fail("the loader let through the kind \"" + c.Kind + "\"");
    MemoryPropertyBag bag(c.Properties);
    try {
      control->ReadProperties(bag);
      control->Resize();
    } catch (const Error& e) {
      const int32_t n = e.Number();
      if (n != 6 && n != 13 && n != 380 && n != 8000) {
        Fail("loading a " + c.Kind + " from a form raised error " + std::to_string(n));
      }
      continue;
    }
    MemoryPropertyBag out;
    control->WriteProperties(out);
    FormControl copy = c;
    copy.Properties = out.Pairs();
    saved.Controls.push_back(std::move(copy));
    control.reset();
  }
  // What the controls save is always a form file.
  try {
    const std::string text = FormToText(saved, "saved.form");
    if (!(FormFromText(text, "saved.form") == saved)) Fail("the controls' bags do not read back");
  } catch (const FormFileError& e) {
    Fail(std::string("the controls' own bags make no form file: ") + e.what());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace entrybox;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  FormModel form;
  try {
    form = FormFromText(bytes, "fuzz.form");
  } catch (const FormFileError& e) {
    if (e.Number() != errors::kLibrary)
      Fail("a form-file error with number " + std::to_string(e.Number()));
    if (e.Description().find("fuzz.form") == std::string::npos) {
      Fail("a form-file error that does not name the file: " + e.Description());
    }
    return 0;
  } catch (const std::exception& e) {
    Fail(std::string("the loader threw something else than a FormFileError: ") + e.what());
  }
  std::string text;
  try {
    text = FormToText(form, "again.form");
  } catch (const FormFileError& e) {
    Fail(std::string("a loaded form cannot be saved: ") + e.what());
  }
  try {
    if (!(FormFromText(text, "again.form") == form)) Fail("a saved form reads back different");
  } catch (const FormFileError& e) {
    Fail(std::string("a saved form does not load: ") + e.what());
  }
  LoadEachControl(form);
  return 0;
}
