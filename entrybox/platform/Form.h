// Forms that the library shows modally (the About box), and the host that shows them.
#pragma once

#include <string>

namespace entrybox {

/// A dialog the library shows: the platform draws it from this model.
class Form {
 public:
  virtual ~Form() = default;
  /// Called when the form is loaded, before it is shown.
  virtual void Load(const std::u16string& libraryTitle) = 0;
  virtual std::u16string Caption() const = 0;
  /// True once the form has unloaded itself (for example its OK button was clicked).
  virtual bool Unloaded() const = 0;
};

/// Shows forms modally.
class FormHost {
 public:
  virtual ~FormHost() = default;
  /// Loads the form, shows it and returns when it has closed.
  virtual void ShowModal(Form& form) = 0;
  /// The library's title (the About box's caption uses it).
  virtual std::u16string LibraryTitle() const = 0;
};

}  // namespace entrybox
