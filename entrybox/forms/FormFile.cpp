#include "entrybox/forms/FormFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <optional>
#include <random>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <variant>

#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "entrybox-form";
constexpr const char* kKinds[] = {"long", "real", "date", "mask"};
constexpr const char* kKindList = R"("long", "real", "date" or "mask")";
// Whole numbers up to this size are written without a decimal point and read back exactly.
constexpr double kExactWhole = 9007199254740992.0;  // 2^53

// A rule broken at a place in the file; turned into FormFileError where the file is known.
struct Failure {
  std::string place;
  std::string reason;
};

// The length of the well-formed UTF-8 sequence (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF) that starts at s[i], or 0.
size_t Utf8Length(std::string_view s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) return 1;
  size_t n = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    if (b == 0xE0) low = 0xA0;
    if (b == 0xED) high = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    if (b == 0xF0) low = 0x90;
    if (b == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF)) return 0;
  }
  return n;
}

bool IsUtf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const size_t n = Utf8Length(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

// Messages carry text from the file and from paths: control characters and bytes that
// are not UTF-8 are shown as \xNN, so that a hostile file cannot garble a terminal or log.
std::string Printable(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const size_t n = Utf8Length(s, i);
    if (n == 0 || b < 0x20 || b == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(b));
      out += buf;
      ++i;
    } else {
      out.append(s.substr(i, n));
      i += n;
    }
  }
  return out;
}

// True when every surrogate of s is half of a pair: only then does UTF-8 carry s.
bool IsWellFormed(std::u16string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (c >= 0xDC00 && c <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

// One reference token of a JSON pointer.
std::string Token(std::string_view name) {
  std::string out = "/";
  for (char c : name) {
    if (c == '~') {
      out += "~0";
    } else if (c == '/') {
      out += "~1";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string Token(size_t index) {
  return "/" + std::to_string(index);
}

std::string Quoted(std::string_view s) {
  return "\"" + Printable(s) + "\"";
}

bool IsKind(std::string_view kind) {
  return std::find(std::begin(kKinds), std::end(kKinds), kind) != std::end(kKinds);
}

std::string SystemMessage(int error) {
  return std::generic_category().message(error);
}

// Rules that saving and loading share.

void CheckName(std::string_view name, const std::string& place, const char* what) {
  if (name.size() > formfile::kMaxNameBytes) {
    throw Failure{place, std::string(what) + " longer than " +
                             std::to_string(formfile::kMaxNameBytes) + " bytes"};
  }
}

void CheckTextLength(size_t length, const std::string& place) {
  if (length > formfile::kMaxTextLength) {
    throw Failure{place, "text longer than " + std::to_string(formfile::kMaxTextLength) +
                             " UTF-16 code units"};
  }
}

void CheckGeometry(const ControlGeometry& g, const std::string& place) {
  const std::pair<const char*, double> parts[] = {
      {"left", g.Left}, {"top", g.Top}, {"width", g.Width}, {"height", g.Height}};
  for (const auto& [name, value] : parts) {
    if (!std::isfinite(value)) throw Failure{place + Token(name), "number is not finite"};
  }
  if (g.Width < 0) throw Failure{place + "/width", "negative width"};
  if (g.Height < 0) throw Failure{place + "/height", "negative height"};
}

// ---- Writing -------------------------------------------------------------------------

Json NumberJson(double value, const std::string& place) {
  if (!std::isfinite(value)) throw Failure{place, "number is not finite"};
  // Whole numbers read better without ".0"; -0 keeps its sign only as a float.
  if (value == std::trunc(value) && std::fabs(value) <= kExactWhole &&
      !(value == 0 && std::signbit(value))) {
    return static_cast<int64_t>(value);
  }
  return value;
}

Json TextJson(std::u16string_view text, const std::string& place) {
  CheckTextLength(text.size(), place);
  if (IsWellFormed(text)) return ToUtf8(text);
  Json units = Json::array();
  for (char16_t c : text)
    units.push_back(static_cast<unsigned>(c));
  Json out = Json::object();
  out["text16"] = std::move(units);
  return out;
}

Json ValueJson(const Variant& value, const std::string& place) {
  return std::visit(
      [&](const auto& v) -> Json {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::monostate>) {
          return nullptr;
        } else if constexpr (std::is_same_v<T, std::u16string>) {
          return TextJson(v, place);
        } else if constexpr (std::is_same_v<T, double>) {
          return NumberJson(v, place);
        } else if constexpr (std::is_same_v<T, bool>) {
          return v;
        } else {
          Json font = Json::object();
          font["name"] = TextJson(v.Name, place + "/font/name");
          font["size"] = NumberJson(v.Size, place + "/font/size");
          Json out = Json::object();
          out["font"] = std::move(font);
          return out;
        }
      },
      value);
}

// The pairs of a control's bag or of its widget settings, as one JSON object at `at`.
Json PairsJson(const PropertyPairs& pairs, const std::string& at) {
  if (pairs.size() > formfile::kMaxProperties) {
    throw Failure{at, "more than " + std::to_string(formfile::kMaxProperties) + " properties"};
  }
  Json out = Json::object();
  std::unordered_set<std::string_view> keys;
  for (size_t i = 0; i < pairs.size(); ++i) {
    const auto& [key, value] = pairs[i];
    // A key that is no UTF-8 cannot be named by a pointer: its position says which.
    if (!IsUtf8(key)) throw Failure{at, "key " + std::to_string(i) + " is not UTF-8"};
    const std::string place = at + Token(key);
    if (key.empty()) throw Failure{place, "empty key"};
    CheckName(key, place, "key");
    if (!keys.insert(key).second) throw Failure{place, "key " + Quoted(key) + " written twice"};
    out[key] = ValueJson(value, place);
  }
  return out;
}

Json ControlJson(const FormControl& control, const std::string& place) {
  if (!IsKind(control.Kind)) {
    throw Failure{place + "/kind",
                  "unknown kind " + Quoted(control.Kind) + " (expected " + kKindList + ")"};
  }
  if (!IsUtf8(control.Name)) throw Failure{place + "/name", "name is not UTF-8"};
  CheckName(control.Name, place + "/name", "name");
  CheckGeometry(control.Geometry, place + "/geometry");
  Json properties = PairsJson(control.Properties, place + "/properties");
  Json out = Json::object();
  out["kind"] = control.Kind;
  out["name"] = control.Name;
  Json geometry = Json::object();
  geometry["left"] = NumberJson(control.Geometry.Left, place + "/geometry/left");
  geometry["top"] = NumberJson(control.Geometry.Top, place + "/geometry/top");
  geometry["width"] = NumberJson(control.Geometry.Width, place + "/geometry/width");
  geometry["height"] = NumberJson(control.Geometry.Height, place + "/geometry/height");
  out["geometry"] = std::move(geometry);
  out["properties"] = std::move(properties);
  // Left out when empty, so that a form without widget settings reads as it always did.
  if (!control.Widget.empty()) out["widget"] = PairsJson(control.Widget, place + "/widget");
  return out;
}

size_t CountValues(const Json& json) {
  size_t n = 1;
  if (json.is_structured()) {
    for (const auto& item : json)
      n += CountValues(item);
  }
  return n;
}

std::string WriteText(const FormModel& form) {
  if (form.Controls.size() > formfile::kMaxControls) {
    throw Failure{"/controls", "more than " + std::to_string(formfile::kMaxControls) + " controls"};
  }
  Json controls = Json::array();
  std::unordered_map<std::string_view, size_t> names;
  for (size_t i = 0; i < form.Controls.size(); ++i) {
    const FormControl& control = form.Controls[i];
    const std::string place = "/controls" + Token(i);
    controls.push_back(ControlJson(control, place));
    if (control.Name.empty()) continue;
    const auto [it, added] = names.emplace(control.Name, i);
    if (!added) {
      throw Failure{place + "/name", "name " + Quoted(control.Name) + " is used by /controls" +
                                         Token(it->second) + " already"};
    }
  }
  Json root = Json::object();
  root["format"] = kFormat;
  root["version"] = formfile::kVersion;
  root["controls"] = std::move(controls);
  if (CountValues(root) > formfile::kMaxValues) {
    throw Failure{"", "more than " + std::to_string(formfile::kMaxValues) + " JSON values"};
  }
  std::string text = root.dump(2, ' ', false, Json::error_handler_t::strict);
  text.push_back('\n');
  if (text.size() > formfile::kMaxFileBytes) {
    throw Failure{"", "larger than " + std::to_string(formfile::kMaxFileBytes) + " bytes"};
  }
  return text;
}

// ---- Reading -------------------------------------------------------------------------

// The parsed file. Built by a SAX handler of our own rather than by nlohmann's DOM, so
// that duplicate member names are caught (nlohmann keeps the last) and adding a member
// costs no search through the object.
struct Node;
using NodeArray = std::vector<Node>;
using NodeObject = std::vector<std::pair<std::string, Node>>;
struct Node {
  std::variant<std::nullptr_t, bool, double, std::string, NodeArray, NodeObject> value;
};

const char* TypeName(const Node& node) {
  static constexpr const char* names[] = {"null",     "a Boolean", "a number",
                                          "a string", "an array",  "an object"};
  return names[node.value.index()];
}

// Builds the Node tree and stops at the first limit broken, remembering where.
class TreeBuilder : public nlohmann::json_sax<nlohmann::json> {
 public:
  explicit TreeBuilder(std::string_view bytes) : bytes(bytes) {}

  bool null() override { return Add(Node{nullptr}) != nullptr; }
  bool boolean(bool v) override { return Add(Node{v}) != nullptr; }
  bool number_integer(number_integer_t v) override {
    return Add(Node{static_cast<double>(v)}) != nullptr;
  }
  bool number_unsigned(number_unsigned_t v) override {
    return Add(Node{static_cast<double>(v)}) != nullptr;
  }
  bool number_float(number_float_t v, const string_t& /*text*/) override {
    if (!std::isfinite(v)) return Fail(SlotPointer(), "number out of range");
    return Add(Node{v}) != nullptr;
  }
  bool string(string_t& v) override { return Add(Node{std::move(v)}) != nullptr; }
  bool binary(binary_t& /*v*/) override { return Fail(SlotPointer(), "binary value"); }
  bool start_object(std::size_t /*size*/) override { return Open(Node{NodeObject{}}); }
  bool key(string_t& v) override {
    Frame& frame = frames.back();
    if (!frame.keys.insert(v).second) {
      return Fail(FramePointer(frames.size()) + Token(v), "duplicate member " + Quoted(v));
    }
    frame.key = std::move(v);
    return true;
  }
  bool end_object() override { return Close(); }
  bool start_array(std::size_t /*size*/) override { return Open(Node{NodeArray{}}); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t position, const std::string& /*lastToken*/,
                   const nlohmann::detail::exception& ex) override {
    failure = Failure{Position(position), Reason(ex.what())};
    return false;
  }

  Node root;
  std::optional<Failure> failure;

 private:
  struct Frame {
    Node* node;
    std::string key;                       // objects: the member being read
    std::unordered_set<std::string> keys;  // objects: the members read so far
  };

  bool Fail(std::string place, std::string reason) {
    failure = Failure{std::move(place), std::move(reason)};
    return false;
  }

  // The pointer of the value that the innermost `depth` frames lead to.
  std::string FramePointer(size_t depth) const {
    std::string out;
    for (size_t i = 0; i + 1 < depth; ++i) {
      const Node& node = *frames[i].node;
      if (const auto* array = std::get_if<NodeArray>(&node.value)) {
        out += Token(array->size() - 1);
      } else {
        out += Token(frames[i].key);
      }
    }
    return out;
  }

  // The pointer of the value about to be added.
  std::string SlotPointer() const {
    if (frames.empty()) return "";
    std::string out = FramePointer(frames.size());
    const Node& node = *frames.back().node;
    if (const auto* array = std::get_if<NodeArray>(&node.value)) {
      out += Token(array->size());
    } else {
      out += Token(frames.back().key);
    }
    return out;
  }

  Node* Add(Node node) {
    if (++count > formfile::kMaxValues) {
      Fail(SlotPointer(), "more than " + std::to_string(formfile::kMaxValues) + " JSON values");
      return nullptr;
    }
    if (frames.empty()) {
      root = std::move(node);
      return &root;
    }
    Frame& frame = frames.back();
    if (auto* array = std::get_if<NodeArray>(&frame.node->value)) {
      array->push_back(std::move(node));
      return &array->back();
    }
    auto& object = std::get<NodeObject>(frame.node->value);
    object.emplace_back(frame.key, std::move(node));
    return &object.back().second;
  }

  bool Open(Node node) {
    if (frames.size() >= formfile::kMaxDepth) {
      return Fail(SlotPointer(),
                  "nested deeper than " + std::to_string(formfile::kMaxDepth) + " levels");
    }
    Node* added = Add(std::move(node));
    if (added == nullptr) return false;
    frames.push_back(Frame{added, {}, {}});
    return true;
  }

  bool Close() {
    frames.pop_back();
    return true;
  }

  // "line L, column C (byte B)" for the 1-based position of the last byte read.
  std::string Position(size_t position) const {
    const size_t last = std::min(position, bytes.size());  // bytes before the one at fault
    size_t line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i + 1 < last; ++i) {
      if (bytes[i] == '\n') {
        ++line;
        lineStart = i + 1;
      }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(position - lineStart) +
           " (byte " + std::to_string(position) + ")";
  }

  // nlohmann's message without its prefix and position, which the place already gives.
  static std::string Reason(std::string_view what) {
    if (const size_t close = what.find("] "); close != std::string_view::npos) {
      what.remove_prefix(close + 2);
    }
    if (what.rfind("parse error", 0) == 0) {
      if (const size_t colon = what.find(": "); colon != std::string_view::npos) {
        what.remove_prefix(colon + 2);
      }
    }
    return Printable(what);
  }

  std::string_view bytes;
  std::vector<Frame> frames;
  size_t count = 0;
};

// Reads the Node tree into a form, checking every member against the format.
class FormReader {
 public:
  FormModel Read(const Node& root) {
    const NodeObject& members = Object(root, "");
    const Node* format = Find(members, "format");
    if (format == nullptr || !std::holds_alternative<std::string>(format->value) ||
        std::get<std::string>(format->value) != kFormat) {
      throw Failure{
          format == nullptr ? "" : "/format",
          std::string("not an entrybox form file (\"format\" is not \"") + kFormat + "\")"};
    }
    const double version = Number(Member(members, "version", ""), "/version");
    if (version != std::trunc(version) || version < 1) {
      throw Failure{"/version", "unknown version"};
    }
    if (version > formfile::kVersion) {
      // Any whole number may stand here, far beyond what an integer type holds.
      char shown[32];
      std::snprintf(shown, sizeof shown, "%.15g", version);
      throw Failure{"/version", std::string("version ") + shown +
                                    " is newer than this library reads (" +
                                    std::to_string(formfile::kVersion) + ")"};
    }
    OnlyMembers(members, "", {"format", "version", "controls"});
    const NodeArray& controls = Array(Member(members, "controls", ""), "/controls");
    if (controls.size() > formfile::kMaxControls) {
      throw Failure{"/controls",
                    "more than " + std::to_string(formfile::kMaxControls) + " controls"};
    }
    FormModel form;
    form.Controls.reserve(controls.size());
    std::unordered_map<std::string, size_t> names;
    for (size_t i = 0; i < controls.size(); ++i) {
      const std::string place = "/controls" + Token(i);
      form.Controls.push_back(Control(controls[i], place));
      const std::string& name = form.Controls.back().Name;
      if (name.empty()) continue;
      const auto [it, added] = names.emplace(name, i);
      if (!added) {
        throw Failure{place + "/name", "name " + Quoted(name) + " is used by /controls" +
                                           Token(it->second) + " already"};
      }
    }
    return form;
  }

 private:
  static Failure Mismatch(const Node& node, const std::string& place, const char* expected) {
    return Failure{place, std::string("expected ") + expected + ", found " + TypeName(node)};
  }

  static const NodeObject& Object(const Node& node, const std::string& place) {
    if (const auto* object = std::get_if<NodeObject>(&node.value)) return *object;
    throw Mismatch(node, place, "an object");
  }
  static const NodeArray& Array(const Node& node, const std::string& place) {
    if (const auto* array = std::get_if<NodeArray>(&node.value)) return *array;
    throw Mismatch(node, place, "an array");
  }
  static const std::string& String(const Node& node, const std::string& place) {
    if (const auto* s = std::get_if<std::string>(&node.value)) return *s;
    throw Mismatch(node, place, "a string");
  }
  static double Number(const Node& node, const std::string& place) {
    if (const auto* d = std::get_if<double>(&node.value)) return *d;
    throw Mismatch(node, place, "a number");
  }

  static const Node* Find(const NodeObject& members, std::string_view name) {
    for (const auto& [key, value] : members) {
      if (key == name) return &value;
    }
    return nullptr;
  }
  static const Node& Member(const NodeObject& members, std::string_view name,
                            const std::string& place) {
    if (const Node* found = Find(members, name)) return *found;
    throw Failure{place, "missing member " + Quoted(name)};
  }
  static void OnlyMembers(const NodeObject& members, const std::string& place,
                          std::initializer_list<std::string_view> allowed) {
    for (const auto& [key, value] : members) {
      if (std::find(allowed.begin(), allowed.end(), key) == allowed.end()) {
        throw Failure{place + Token(key), "unknown member " + Quoted(key)};
      }
    }
  }

  static FormControl Control(const Node& node, const std::string& place) {
    const NodeObject& members = Object(node, place);
    OnlyMembers(members, place, {"kind", "name", "geometry", "properties", "widget"});
    FormControl control;
    control.Kind = String(Member(members, "kind", place), place + "/kind");
    if (!IsKind(control.Kind)) {
      throw Failure{place + "/kind",
                    "unknown kind " + Quoted(control.Kind) + " (expected " + kKindList + ")"};
    }
    control.Name = String(Member(members, "name", place), place + "/name");
    CheckName(control.Name, place + "/name", "name");
    control.Geometry = Geometry(Member(members, "geometry", place), place + "/geometry");
    control.Properties = Pairs(Member(members, "properties", place), place + "/properties");
    // Optional: files written before widget settings existed have none.
    if (const Node* widget = Find(members, "widget")) {
      control.Widget = Pairs(*widget, place + "/widget");
    }
    return control;
  }

  static PropertyPairs Pairs(const Node& node, const std::string& at) {
    const NodeObject& members = Object(node, at);
    if (members.size() > formfile::kMaxProperties) {
      throw Failure{at, "more than " + std::to_string(formfile::kMaxProperties) + " properties"};
    }
    PropertyPairs pairs;
    pairs.reserve(members.size());
    for (const auto& [key, value] : members) {
      if (key.empty()) throw Failure{at + Token(key), "empty key"};
      CheckName(key, at + Token(key), "key");
      pairs.emplace_back(key, Value(value, at + Token(key)));
    }
    return pairs;
  }

  static ControlGeometry Geometry(const Node& node, const std::string& place) {
    const NodeObject& members = Object(node, place);
    OnlyMembers(members, place, {"left", "top", "width", "height"});
    ControlGeometry g;
    g.Left = Number(Member(members, "left", place), place + "/left");
    g.Top = Number(Member(members, "top", place), place + "/top");
    g.Width = Number(Member(members, "width", place), place + "/width");
    g.Height = Number(Member(members, "height", place), place + "/height");
    CheckGeometry(g, place);
    return g;
  }

  static std::u16string Text(const Node& node, const std::string& place) {
    if (const auto* s = std::get_if<std::string>(&node.value)) {
      // The parser let only well-formed UTF-8 through, so the conversion is exact.
      std::u16string text = FromUtf8(*s);
      CheckTextLength(text.size(), place);
      return text;
    }
    const auto* object = std::get_if<NodeObject>(&node.value);
    if (object == nullptr || object->size() != 1 || object->front().first != "text16") {
      throw Mismatch(node, place, R"(a string or {"text16": [...]})");
    }
    const std::string at = place + "/text16";
    const NodeArray& units = Array(object->front().second, at);
    CheckTextLength(units.size(), place);
    std::u16string text;
    text.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
      const double unit = Number(units[i], at + Token(i));
      if (unit != std::trunc(unit) || unit < 0 || unit > 0xFFFF) {
        throw Failure{at + Token(i), "not a UTF-16 code unit (0 to 65535)"};
      }
      text.push_back(static_cast<char16_t>(unit));
    }
    return text;
  }

  static Variant Value(const Node& node, const std::string& place) {
    if (std::holds_alternative<std::nullptr_t>(node.value)) return std::monostate{};
    if (const auto* b = std::get_if<bool>(&node.value)) return *b;
    if (const auto* d = std::get_if<double>(&node.value)) return *d;
    if (std::holds_alternative<std::string>(node.value)) return Text(node, place);
    const auto* object = std::get_if<NodeObject>(&node.value);
    if (object != nullptr && object->size() == 1 && object->front().first == "text16") {
      return Text(node, place);
    }
    if (object != nullptr && object->size() == 1 && object->front().first == "font") {
      const std::string at = place + "/font";
      const NodeObject& members = Object(object->front().second, at);
      OnlyMembers(members, at, {"name", "size"});
      Font font;
      font.Name = Text(Member(members, "name", at), at + "/name");
      font.Size = Number(Member(members, "size", at), at + "/size");
      return font;
    }
    throw Mismatch(node, place,
                   R"(a property value (null, true, false, a number, a string, {"font": ...} )"
                   R"(or {"text16": [...]}))");
  }
};

// Closes and removes a temporary file unless the save went through.
class TemporaryFile {
 public:
  TemporaryFile(SaveSteps& steps, std::string path, int fd)
      : steps(steps), path(std::move(path)), fd(fd) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd >= 0) steps.Close(fd);
    if (!kept) ::unlink(path.c_str());
  }
  int Fd() const { return fd; }
  // The descriptor is gone after a close, whatever close returned.
  int Close() {
    const int result = steps.Close(fd);
    fd = -1;
    return result;
  }
  void Keep() { kept = true; }
  const std::string& Path() const { return path; }

 private:
  SaveSteps& steps;
  std::string path;
  int fd;
  bool kept = false;
};

std::string RandomSuffix() {
  std::random_device device;
  char buf[17];
  std::snprintf(buf, sizeof buf, "%08x%08x", device(), device());
  return buf;
}

}  // namespace

FormFileError::FormFileError(std::string file, std::string place, std::string reason)
    : Error(errors::kLibrary, Describe(file, place, reason)),
      file(std::move(file)),
      place(std::move(place)),
      reason(std::move(reason)) {}

std::string FormFileError::Describe(std::string_view file, std::string_view place,
                                    std::string_view reason) {
  std::string out = "form file";
  if (!file.empty()) out += " " + Quoted(file);
  if (!place.empty()) out += ": " + Printable(place);
  return out + ": " + std::string(reason);
}

std::string FormToText(const FormModel& form, const std::string& file) {
  try {
    return WriteText(form);
  } catch (const Failure& f) {
    throw FormFileError(file, f.place, "cannot save: " + f.reason);
  } catch (const nlohmann::json::exception& e) {
    // Not expected: every text is checked before it reaches the serializer.
    throw FormFileError(file, "", std::string("cannot save: ") + Printable(e.what()));
  }
}

FormModel FormFromText(std::string_view bytes, const std::string& file) {
  try {
    if (bytes.size() > formfile::kMaxFileBytes) {
      throw Failure{"", "larger than " + std::to_string(formfile::kMaxFileBytes) + " bytes"};
    }
    TreeBuilder builder(bytes);
    const bool parsed =
        nlohmann::json::sax_parse(bytes.data(), bytes.data() + bytes.size(), &builder);
    if (!parsed || builder.failure) {
      throw builder.failure.value_or(Failure{"", "not valid JSON"});
    }
    return FormReader().Read(builder.root);
  } catch (const Failure& f) {
    throw FormFileError(file, f.place, f.reason);
  } catch (const nlohmann::json::exception& e) {
    throw FormFileError(file, "", Printable(e.what()));
  }
}

int SaveSteps::Open(const char* path, int flags, int mode) {
  return ::open(path, flags, mode);
}
std::ptrdiff_t SaveSteps::Write(int fd, const char* data, std::size_t size) {
  return ::write(fd, data, size);
}
int SaveSteps::Sync(int fd) {
  return ::fsync(fd);
}
int SaveSteps::Close(int fd) {
  return ::close(fd);
}
int SaveSteps::Rename(const char* from, const char* to) {
  return ::rename(from, to);
}

void SaveForm(const std::filesystem::path& path, const FormModel& form) {
  SaveSteps steps;
  SaveForm(path, form, steps);
}

void SaveForm(const std::filesystem::path& path, const FormModel& form, SaveSteps& steps) {
  namespace fs = std::filesystem;
  const std::string file = path.string();
  const std::string text = FormToText(form, file);

  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(path, ec)) {
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) target = resolved;
  }
  struct stat previous {};
  const bool existed = ::stat(target.c_str(), &previous) == 0;
  const std::string unchanged =
      existed ? "; the previous file is unchanged" : "; no file was written";
  const auto fail = [&](const std::string& what, int error) {
    throw FormFileError(file, "", "cannot save: " + what + ": " + SystemMessage(error) + unchanged);
  };

  // The temporary file must lie in the target's folder: rename replaces atomically only
  // within one file system.
  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  int fd = -1;
  std::string temporary;
  for (int attempt = 0; fd < 0; ++attempt) {
    temporary = (folder / ("." + target.filename().string() + "." + RandomSuffix() + ".tmp"));
    fd = steps.Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    const int error = errno;
    if (fd < 0 && (error != EEXIST || attempt >= 100)) {
      fail("cannot create a temporary file in its folder", error);
    }
  }
  TemporaryFile temp(steps, temporary, fd);
  // A form replaced in place keeps who may read it; failing to copy the bits costs nothing
  // worth refusing the save for.
  if (existed && S_ISREG(previous.st_mode)) (void)::fchmod(fd, previous.st_mode & 0777);

  size_t done = 0;
  while (done < text.size()) {
    const size_t chunk = std::min<size_t>(text.size() - done, 1u << 16);
    const std::ptrdiff_t written = steps.Write(fd, text.data() + done, chunk);
    const int error = errno;
    if (written < 0 && error == EINTR) continue;
    if (written < 0) fail("writing failed", error);
    // A write that makes no progress would loop for ever; a full disk is the usual cause.
    if (written == 0) fail("writing failed", ENOSPC);
    done += static_cast<size_t>(written);
  }
  if (steps.Sync(fd) != 0) {
    const int error = errno;
    fail("flushing to the disk failed", error);
  }
  if (temp.Close() != 0) {
    const int error = errno;
    fail("closing failed", error);
  }
  if (steps.Rename(temp.Path().c_str(), target.c_str()) != 0) {
    const int error = errno;
    fail(target == path ? std::string("cannot replace the file")
                        : "cannot replace " + Quoted(target.string()) + ", where the link points",
         error);
  }
  temp.Keep();
  // Make the rename itself durable. The new file is in place by now, so a folder that
  // cannot be flushed (some file systems refuse) is no reason to report a failure.
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    (void)::fsync(dir);
    ::close(dir);
  }
}

FormModel LoadForm(const std::filesystem::path& path) {
  const std::string file = path.string();
  // Non-blocking, so that a FIFO cannot hang the open; it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int error = errno;
    throw FormFileError(file, "", "cannot open: " + SystemMessage(error));
  }
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    throw FormFileError(file, "", "cannot open: " + SystemMessage(error));
  }
  if (!S_ISREG(info.st_mode)) throw FormFileError(file, "", "not a regular file");
  const std::string tooLarge = "larger than " + std::to_string(formfile::kMaxFileBytes) + " bytes";
  if (static_cast<uintmax_t>(info.st_size) > formfile::kMaxFileBytes) {
    throw FormFileError(file, "", tooLarge);
  }
  // Read to the end but never past the limit: the file may have grown since fstat.
  std::string bytes;
  bytes.reserve(static_cast<size_t>(info.st_size));
  char buffer[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    const int error = errno;
    if (n < 0 && error == EINTR) continue;
    if (n < 0) throw FormFileError(file, "", "cannot read: " + SystemMessage(error));
    if (n == 0) break;
    if (bytes.size() + static_cast<size_t>(n) > formfile::kMaxFileBytes) {
      throw FormFileError(file, "", tooLarge);
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return FormFromText(bytes, file);
}

}  // namespace entrybox
