// Form files: a form's controls (kind, name, place, property bag) kept as JSON, saved so
// that a failure never costs the previous file, and loaded so that a bad file costs
// nothing but a clear error.
//
// A file looks like this (keys of "properties" in the order the control wrote them):
//
//   {
//     "format": "entrybox-form",
//     "version": 1,
//     "controls": [
//       {
//         "kind": "long",
//         "name": "txtAmount",
//         "geometry": { "left": 120, "top": 240, "width": 2000, "height": 300 },
//         "properties": {
//           "Text": "1,234",
//           "MaxNumber": 100,
//           "Formatted": false,
//           "Font": { "font": { "name": "Sans", "size": 8 } }
//         }
//       },
//       {
//         "kind": "date",
//         "name": "txtDue",
//         "geometry": { "left": 120, "top": 600, "width": 2000, "height": 300 },
//         "properties": { "Text": "12/25/2024" },
//         "widget": { "CalendarPopup": true }
//       }
//     ]
//   }
//
// "widget" is optional: settings of the widget that hosts the control (a toolkit's own,
// such as the Qt date box's calendar popup), kept beside the bag so that the bag's keys
// stay the control's. Its keys and values follow the rules of "properties".
//
// Property values keep their kind: a text is a JSON string, a number a JSON number, a
// Boolean true or false, an empty value null, a font {"font": {"name": TEXT, "size":
// NUMBER}}. Texts are UTF-16 inside the library and UTF-8 in the file; a text that is not
// well-formed UTF-16 (a lone surrogate, which UTF-8 cannot carry) is written as
// {"text16": [CODE UNIT, ...]} so that it comes back unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "entrybox/platform/Error.h"
#include "entrybox/platform/Variant.h"

namespace entrybox {

/// Where a control sits on its form and how large it is, in the container's units.
struct ControlGeometry {
  double Left = 0;
  double Top = 0;
  double Width = 0;
  double Height = 0;

  friend bool operator==(const ControlGeometry&, const ControlGeometry&) = default;
};

/// A control's persisted pairs in the order the control wrote them (as MemoryPropertyBag
/// keeps them).
using PropertyPairs = std::vector<std::pair<std::string, Variant>>;

/// One control of a form: its kind, its name, its place and its property bag.
struct FormControl {
  /// "long", "real", "date" or "mask".
  std::string Kind;
  /// UTF-8; "" for none. Names that are not "" are unique within a form.
  std::string Name;
  ControlGeometry Geometry;
  /// Keys are unique, not "", UTF-8.
  PropertyPairs Properties;
  /// Settings of the hosting widget, beside the bag; same rules as Properties. Empty for
  /// none, and then not written.
  PropertyPairs Widget = {};

  friend bool operator==(const FormControl&, const FormControl&) = default;
};

/// A form as its file holds it: its controls, in order.
struct FormModel {
  std::vector<FormControl> Controls;

  friend bool operator==(const FormModel&, const FormModel&) = default;
};

/// Limits of a form file. Loading refuses a file beyond any of them, and saving refuses a
/// form that would make such a file, so that every saved file loads again.
namespace formfile {
/// The file's size in bytes (8 MiB).
inline constexpr std::size_t kMaxFileBytes = 8u << 20;
/// Nesting of JSON arrays and objects; the format itself needs 8.
inline constexpr std::size_t kMaxDepth = 16;
/// JSON values in the whole file (every number, string, array, object... counts one).
inline constexpr std::size_t kMaxValues = 1'000'000;
/// Controls in one form.
inline constexpr std::size_t kMaxControls = 10'000;
/// Properties of one control (and, apart, widget settings of one control).
inline constexpr std::size_t kMaxProperties = 1'000;
/// A control's name or a property key, in UTF-8 bytes.
inline constexpr std::size_t kMaxNameBytes = 255;
/// A text value or a font name, in UTF-16 code units (1 Mi).
inline constexpr std::size_t kMaxTextLength = 1u << 20;
/// The version this library writes and the newest it reads.
inline constexpr int32_t kVersion = 1;
}  // namespace formfile

/// A form file that could not be saved or loaded: error 8000 (errors::kLibrary) whose
/// description names the file, the place and what is wrong, for example
///   form file "a.form": /controls/0/kind: unknown kind "spin" (expected "long", ...)
///   form file "a.form": line 3, column 7 (byte 41): syntax error while parsing ...
///   form file "a.form": cannot save: writing failed: No space left on device; the previous
///     file is unchanged
class FormFileError : public Error {
 public:
  /// `place` is a JSON pointer ("/controls/0/name"), a line and column, or "" for none.
  FormFileError(std::string file, std::string place, std::string reason);

  const std::string& File() const { return file; }
  const std::string& Place() const { return place; }
  const std::string& Reason() const { return reason; }

  /// The description for these parts (used again by tools that name the file otherwise).
  static std::string Describe(std::string_view file, std::string_view place,
                              std::string_view reason);

 private:
  std::string file;
  std::string place;
  std::string reason;
};

/// The text of a form's file (UTF-8 JSON, ending in a newline). FormFileError, naming
/// `file` and the JSON pointer of the offending place, when the form breaks a rule of
/// FormControl or a limit of formfile (a number that is not finite, a kind that is none
/// of the four, a name used twice, a negative width...).
std::string FormToText(const FormModel& form, const std::string& file = {});

/// The form that the bytes of a file hold. FormFileError, naming `file` and the place
/// (a JSON pointer, or a line and column for text that is no JSON), for anything that is
/// not a form file within the limits: bad JSON or UTF-8, a wrong format or newer version,
/// unknown or missing members, values of the wrong type, an unknown kind, duplicate
/// names or keys, too deep, too large. Nothing partial is ever returned.
FormModel FormFromText(std::string_view bytes, const std::string& file = {});

/// The system calls that SaveForm makes, one virtual member per step, so that a test can
/// make any step fail as a full disk or a lost device would. Each behaves as its POSIX
/// call does: on failure it returns -1 and sets errno.
class SaveSteps {
 public:
  virtual ~SaveSteps() = default;
  virtual int Open(const char* path, int flags, int mode);
  /// May write fewer bytes than asked; SaveForm writes the rest with further calls.
  virtual std::ptrdiff_t Write(int fd, const char* data, std::size_t size);
  virtual int Sync(int fd);
  virtual int Close(int fd);
  virtual int Rename(const char* from, const char* to);
};

/// Saves a form crash-safely: the text goes to a new temporary file in the target's
/// folder, which is flushed to the disk (fsync) and then renamed over the target, so the
/// target holds either its previous content or the whole new one, whenever the machine
/// stops. A target that is a symbolic link has the file it points to replaced; a target
/// that exists keeps its permission bits. On any failure (a form that breaks a rule, a
/// folder that cannot be written, a write, flush, close or rename that fails) the
/// temporary file is removed, the previous file is left as it was, and FormFileError says
/// what failed. POSIX only.
void SaveForm(const std::filesystem::path& path, const FormModel& form);
/// The same with the system calls of `steps`.
void SaveForm(const std::filesystem::path& path, const FormModel& form, SaveSteps& steps);

/// Loads a form file: FormFileError when it cannot be read (missing, not a regular file,
/// larger than formfile::kMaxFileBytes) or FormFromText refuses it.
FormModel LoadForm(const std::filesystem::path& path);

}  // namespace entrybox
