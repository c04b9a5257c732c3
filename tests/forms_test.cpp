// Form files: round trips of every control kind and value kind, every kind of bad file,
// and saves that fail at each step without harming the previous file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "entrybox/controls/Factory.h"
#include "entrybox/forms/FormFile.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A private folder per test, removed afterwards.
class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "entrybox-forms-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(folder, ec);
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    return names;
  }
  fs::path folder;
};

FormModel OneControl(PropertyPairs properties, std::string name = "txt1") {
  return FormModel{{FormControl{"long", std::move(name), {10, 20, 2000, 300}, properties}}};
}

// ---- Round trips -------------------------------------------------------------------

TEST_F(FormsTest, EveryControlKindLoadsFromItsFileAsFromMemory) {
  struct Row {
    const char* kind;
    const char* text;
  };
  const Row rows[] = {{"long", "1234"}, {"real", "1234"}, {"date", "12/31/1999"}, {"mask", "AB12"}};
  HeadlessContainer container;
  ControlEvents events;
  int tested = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kind);
    auto site = container.NewSite(events);
    auto control = CreateControl(row.kind, *site);
    if (!control) continue;  // a kind this build does not have yet
    ++tested;
    control->InitProperties();
    control->Resize();
    control->SetProperty("Text", U(row.text));
    control->SetProperty("Alignment", 2.0);
    control->SetProperty("BackColor", 255.0);
    control->SetProperty("DropDown", true);
    control->SetProperty("Font", Font{u"Seri\u00E9f", 10.5});
    MemoryPropertyBag saved;
    control->WriteProperties(saved);

    const FormModel form{{FormControl{row.kind, "ctl", {0, 0, 2500, 350}, saved.Pairs()}}};
    const fs::path file = folder / (std::string(row.kind) + ".form");
    SaveForm(file, form);
    const FormModel loaded = LoadForm(file);
    EXPECT_EQ(loaded, form);

    // A control loaded from the file saves exactly as one loaded from the bag itself.
    auto siteA = container.NewSite(events);
    auto siteB = container.NewSite(events);
    auto a = CreateControl(row.kind, *siteA);
    auto b = CreateControl(row.kind, *siteB);
    a->ReadProperties(saved);
    b->ReadProperties(MemoryPropertyBag(loaded.Controls.at(0).Properties));
    MemoryPropertyBag savedA, savedB;
    a->WriteProperties(savedA);
    b->WriteProperties(savedB);
    EXPECT_EQ(savedB.Pairs(), savedA.Pairs());
  }
  EXPECT_GE(tested, 1);
}

TEST(FormText, EveryValueKindComesBackUnchangedInOrder) {
  const double tiny = std::numeric_limits<double>::denorm_min();
  const double huge = std::numeric_limits<double>::max();
  const PropertyPairs pairs = {
      {"Zulu", u"plain"},
      {"Alpha", std::u16string()},
      {"Accents", u"d\u00E9j\u00E0 \u20AC \u4E2D"},
      {"Emoji", u"\U0001F600"},  // a surrogate pair
      {"LoneHigh", std::u16string(u"a\xD800"
                                  u"b")},  // UTF-8 cannot carry these
      {"LoneLow", std::u16string(u"\xDC00")},
      {"Controls", std::u16string(u"\"q\" \\ \n\t\0end", 12)},
      {"Zero", 0.0},
      {"MinusZero", -0.0},
      {"Half", 1.5},
      {"Tenth", 0.1},
      {"Min32", -2147483648.0},
      {"Beyond53", 9007199254740994.0},
      {"Tiny", tiny},
      {"Huge", huge},
      {"True", true},
      {"False", false},
      {"Empty", std::monostate{}},
      {"Font", Font{u"Sans", 8}},
      {"OddFont", Font{std::u16string(u"x\xDBFF"), 8.25}},
      {"key/with~pointer chars", 1.0},
  };
  const FormModel form = OneControl(pairs);
  const std::string text = FormToText(form);
  const FormModel back = FormFromText(text, "t.form");
  ASSERT_EQ(back, form);
  const PropertyPairs& got = back.Controls[0].Properties;
  EXPECT_TRUE(std::signbit(std::get<double>(got[8].second)));  // -0 keeps its sign
  EXPECT_EQ(FormToText(back), text);                           // and saves the same
  // Whole numbers are written as such; texts are UTF-8 in the file.
  EXPECT_NE(text.find("\"Min32\": -2147483648,"), std::string::npos) << text;
  EXPECT_NE(text.find(ToUtf8(u"d\u00E9j\u00E0")), std::string::npos);
}

// ---- Bad files -----------------------------------------------------------------------

std::string Wrap(const std::string& properties, const std::string& control = {}) {
  return R"({"format": "entrybox-form", "version": 1, "controls": [{"kind": "long", "name": "a", )"
         R"("geometry": {"left": 0, "top": 0, "width": 1, "height": 1}, "properties": )" +
         properties + control + "}]}";
}

TEST(FormText, EveryKindOfBadFileIsRefusedNamingThePlace) {
  const std::string head = R"({"format": "entrybox-form", "version": 1, "controls": )";
  const std::string geometry = R"("geometry": {"left": 0, "top": 0, "width": 1, "height": 1})";
  const auto form = [&](const std::string& controls) { return head + controls + "}"; };
  const auto control = [&](const std::string& kind, const std::string& name) {
    return R"({"kind": ")" + kind + R"(", "name": ")" + name + R"(", )" + geometry +
           R"(, "properties": {}})";
  };
  struct Row {
    std::string bytes;
    std::string expected;  // the description after `form file "bad.form": `
  };
  const std::vector<Row> rows = {
      // Not JSON.
      {"",
       "line 1, column 1 (byte 1): syntax error while parsing value - unexpected end of "
       "input"},
      {head + "[", "syntax error while parsing value - unexpected end of input"},
      {"{}\n  x", "line 2, column 3 (byte 6): syntax error"},
      {"{\"format\": \"\xFF\"}", "invalid string: ill-formed UTF-8 byte; last read: '\"\\xFF'"},
      {"{\"format\": \"\xED\xA0\x80\"}", "ill-formed UTF-8 byte"},  // an encoded surrogate
      {R"({"format": "\ud800"})", "surrogate U+D800..U+DBFF must be followed by"},
      {Wrap(R"({"N": 1e999})"), "number overflow parsing '1e999'"},
      // Not this format.
      {"[]", "expected an object, found an array"},
      {R"({"format": "other"})", "/format: not an entrybox form file"},
      {R"({"controls": []})", "not an entrybox form file"},
      {R"({"format": "entrybox-form", "version": 2, "controls": []})",
       "/version: version 2 is newer than this library reads (1)"},
      // A version beyond any integer type (found by fuzz_forms: converting it was undefined).
      {R"({"format": "entrybox-form", "version": 1e70, "controls": []})",
       "/version: version 1e+70 is newer than this library reads (1)"},
      {R"({"format": "entrybox-form", "version": 0.5, "controls": []})",
       "/version: unknown version"},
      {R"({"format": "entrybox-form", "version": "1", "controls": []})",
       "/version: expected a number, found a string"},
      {R"({"format": "entrybox-form", "version": 1})", "missing member \"controls\""},
      {head + "[], \"extra\": 1}", "/extra: unknown member \"extra\""},
      {head + "{}}", "/controls: expected an array, found an object"},
      {R"({"format": "entrybox-form", "format": "entrybox-form"})",
       "/format: duplicate member \"format\""},
      // Controls.
      {form("[" + control("spin", "a") + "]"),
       R"(/controls/0/kind: unknown kind "spin" (expected "long", "real", "date" or "mask"))"},
      {form(R"([{"kind": 7}])"), "/controls/0/kind: expected a string, found a number"},
      {form("[" + control("long", "a") + ", 5]"),
       "/controls/1: expected an object, found a number"},
      {form(R"([{"kind": "long", "name": "a", "properties": {}}])"),
       "/controls/0: missing member \"geometry\""},
      {form("[" + control("long", "a") + "," + control("real", "b") + "," + control("date", "a") +
            "]"),
       "/controls/2/name: name \"a\" is used by /controls/0 already"},
      {form("[" + control("long", std::string(256, 'n')) + "]"),
       "/controls/0/name: name longer than 255 bytes"},
      {Wrap("{}", R"(, "colour": 1)"), "/controls/0/colour: unknown member \"colour\""},
      {form(R"([{"kind": "long", "name": "a", "geometry": {"left": 0, "top": 0, "width": -1, )"
            R"("height": 1}, "properties": {}}])"),
       "/controls/0/geometry/width: negative width"},
      {form(R"([{"kind": "long", "name": "a", "geometry": {"left": "0", "top": 0, )"
            R"("width": 1, "height": 1}, "properties": {}}])"),
       "/controls/0/geometry/left: expected a number, found a string"},
      // Property values.
      {Wrap(R"({"Text": "1", "Text": "2"})"),
       "/controls/0/properties/Text: duplicate member \"Text\""},
      {Wrap(R"({"a\u0007b": 1, "a\u0007b": 2})"), "/controls/0/properties/a\\x07b: duplicate"},
      {Wrap(R"({"a/b~c": [1]})"), "/controls/0/properties/a~1b~0c: expected a property value"},
      {Wrap(R"({"": 1})"), "/controls/0/properties/: empty key"},
      {Wrap("{\"" + std::string(256, 'k') + "\": 1}"), "key longer than 255 bytes"},
      {Wrap(R"({"F": {"font": {"name": "Sans"}}})"),
       "/controls/0/properties/F/font: missing member \"size\""},
      {Wrap(R"({"F": {"font": {"name": 3, "size": 8}}})"),
       "/controls/0/properties/F/font/name: expected a string or {\"text16\": [...]}, found a "
       "number"},
      {Wrap(R"({"F": {"font": {"name": "S", "size": 8, "bold": true}}})"),
       "/controls/0/properties/F/font/bold: unknown member"},
      {Wrap(R"({"F": {"colour": 1}})"), "/controls/0/properties/F: expected a property value"},
      {Wrap(R"({"T": {"text16": [65, 65536]}})"),
       "/controls/0/properties/T/text16/1: not a UTF-16 code unit (0 to 65535)"},
      {Wrap(R"({"T": {"text16": [1.5]}})"), "/controls/0/properties/T/text16/0: not a UTF-16"},
      {Wrap(R"({"T": {"text16": "A"}})"),
       "/controls/0/properties/T/text16: expected an array, found a string"},
      // Limits.
      {std::string(100000, '['), "/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0/0: nested deeper than 16 levels"},
      {Wrap(R"({"T": )" + std::string(20, '[') + std::string(20, ']') + "}"),
       "/controls/0/properties/T/0/0/0/0/0/0/0/0/0/0/0/0: nested deeper than 16 levels"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes.substr(0, 120));
    try {
      FormFromText(row.bytes, "bad.form");
      ADD_FAILURE() << "loaded";
    } catch (const FormFileError& e) {
      EXPECT_EQ(e.Number(), 8000);
      EXPECT_EQ(e.File(), "bad.form");
      const std::string prefix = "form file \"bad.form\": ";
      EXPECT_EQ(e.Description().rfind(prefix, 0), 0u) << e.Description();
      EXPECT_NE(e.Description().find(row.expected), std::string::npos) << e.Description();
    }
  }
}

TEST(FormText, LargeFilesAreRefusedAtTheirLimits) {
  const auto refused = [](const std::string& bytes, const std::string& expected) {
    try {
      FormFromText(bytes, "big.form");
      ADD_FAILURE() << "loaded " << expected;
    } catch (const FormFileError& e) {
      EXPECT_NE(e.Description().find(expected), std::string::npos) << e.Description();
    }
  };
  refused(std::string(formfile::kMaxFileBytes + 1, ' '), "larger than 8388608 bytes");
  std::string zeros = "[0";
  for (size_t i = 0; i < formfile::kMaxValues; ++i)
    zeros += ",0";
  refused(zeros + "]", "/999999: more than 1000000 JSON values");

  const std::string head = R"({"format": "entrybox-form", "version": 1, "controls": [)";
  std::string controls = head + "{}";
  for (size_t i = 0; i < formfile::kMaxControls; ++i)
    controls += ",{}";
  refused(controls + "]}", "/controls: more than 10000 controls");

  std::string properties = "{";
  for (size_t i = 0; i <= formfile::kMaxProperties; ++i)
    properties += (i ? ",\"k" : "\"k") + std::to_string(i) + "\": 1";
  refused(Wrap(properties + "}"), "/controls/0/properties: more than 1000 properties");
  refused(Wrap(R"({"T": ")" + std::string(formfile::kMaxTextLength + 1, 'x') + "\"}"),
          "/controls/0/properties/T: text longer than 1048576 UTF-16 code units");

  // At the limits themselves: the text loads, and 16 levels are no error of nesting.
  EXPECT_EQ(FormFromText(Wrap(R"({"T": ")" + std::string(formfile::kMaxTextLength, 'x') + "\"}"))
                .Controls[0]
                .Properties[0]
                .second,
            Variant(std::u16string(formfile::kMaxTextLength, u'x')));
  refused(head + std::string(14, '[') + std::string(15, ']') + "}",
          "/controls/0: expected an object, found an array");
}

TEST(FormText, SavingRefusesAFormThatWouldNotLoad) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Row {
    FormModel form;
    std::string expected;
  };
  FormModel twoA = OneControl({});
  twoA.Controls.push_back(twoA.Controls[0]);
  FormModel badKind = OneControl({});
  badKind.Controls[0].Kind = "Long";
  FormModel badGeometry = OneControl({});
  badGeometry.Controls[0].Geometry.Top = inf;
  FormModel negative = OneControl({});
  negative.Controls[0].Geometry.Height = -1;
  const std::vector<Row> rows = {
      {OneControl({{"N", nan}}), "/controls/0/properties/N: cannot save: number is not finite"},
      {OneControl({{"F", Font{u"S", inf}}}), "/controls/0/properties/F/font/size: cannot save"},
      {OneControl({{"A", 1.0}, {"A", 2.0}}), "/controls/0/properties/A: cannot save: key \"A\""},
      {OneControl({{"", 1.0}}), "/controls/0/properties/: cannot save: empty key"},
      {OneControl({{"\xC3", 1.0}}), "/controls/0/properties: cannot save: key 0 is not UTF-8"},
      {OneControl({}, "\xFF"), "/controls/0/name: cannot save: name is not UTF-8"},
      {OneControl({{std::string(256, 'k'), 1.0}}), "cannot save: key longer than 255 bytes"},
      {twoA, "/controls/1/name: cannot save: name \"txt1\" is used by /controls/0 already"},
      {badKind, "/controls/0/kind: cannot save: unknown kind \"Long\""},
      {badGeometry, "/controls/0/geometry/top: cannot save: number is not finite"},
      {negative, "/controls/0/geometry/height: cannot save: negative height"},
      {OneControl({{"T", std::u16string(formfile::kMaxTextLength + 1, u'x')}}),
       "/controls/0/properties/T: cannot save: text longer than"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    try {
      FormToText(row.form, "out.form");
      ADD_FAILURE() << "saved";
    } catch (const FormFileError& e) {
      EXPECT_NE(e.Description().find(row.expected), std::string::npos) << e.Description();
    }
  }
}

// ---- Files on disk -------------------------------------------------------------------

// Fails the chosen step the way a disk does; the other steps work.
class FailingSteps : public SaveSteps {
 public:
  enum class Step { Open, Write, ShortThenFail, WriteNothing, Sync, Close, Rename };
  explicit FailingSteps(Step step) : step(step) {}

  int Open(const char* path, int flags, int mode) override {
    if (step == Step::Open) return Fail(EACCES);
    return SaveSteps::Open(path, flags, mode);
  }
  std::ptrdiff_t Write(int fd, const char* data, std::size_t size) override {
    ++writes;
    if (step == Step::Write) return Fail(ENOSPC);
    if (step == Step::WriteNothing) return 0;
    if (step == Step::ShortThenFail) {
      if (writes == 1) return SaveSteps::Write(fd, data, std::min<std::size_t>(size, 10));
      return Fail(EIO);
    }
    return SaveSteps::Write(fd, data, size);
  }
  int Sync(int fd) override { return step == Step::Sync ? Fail(EIO) : SaveSteps::Sync(fd); }
  int Close(int fd) override {
    const int result = SaveSteps::Close(fd);  // the descriptor goes either way
    return step == Step::Close ? Fail(EIO) : result;
  }
  int Rename(const char* from, const char* to) override {
    return step == Step::Rename ? Fail(EXDEV) : SaveSteps::Rename(from, to);
  }

  int writes = 0;

 private:
  static int Fail(int error) {
    errno = error;
    return -1;
  }
  Step step;
};

TEST_F(FormsTest, AFailedSaveKeepsThePreviousFileWhole) {
  using Step = FailingSteps::Step;
  struct Row {
    Step step;
    const char* reason;
  };
  const Row rows[] = {
      {Step::Open, "cannot create a temporary file in its folder: Permission denied"},
      {Step::Write, "writing failed: No space left on device"},
      {Step::ShortThenFail, "writing failed: Input/output error"},
      {Step::WriteNothing, "writing failed: No space left on device"},
      {Step::Sync, "flushing to the disk failed: Input/output error"},
      {Step::Close, "closing failed: Input/output error"},
      {Step::Rename, "cannot replace the file: Invalid cross-device link"},
  };
  const fs::path file = folder / "form.json";
  SaveForm(file, OneControl({{"Text", u"old"}}));
  const std::string before = ReadAll(file);
  const FormModel replacement = OneControl({{"Text", std::u16string(5000, u'n')}});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reason);
    FailingSteps steps(row.step);
    try {
      SaveForm(file, replacement, steps);
      ADD_FAILURE() << "saved";
    } catch (const FormFileError& e) {
      EXPECT_EQ(e.Description(), "form file \"" + file.string() + "\": cannot save: " + row.reason +
                                     "; the previous file is unchanged");
    }
    EXPECT_EQ(ReadAll(file), before);
    EXPECT_EQ(Entries(), std::vector<std::string>{"form.json"});  // no temporary file left
  }
  // The same steps, none failing, replace it.
  SaveForm(file, replacement);
  EXPECT_EQ(LoadForm(file), replacement);
  EXPECT_EQ(Entries(), std::vector<std::string>{"form.json"});
}

TEST_F(FormsTest, AFolderThatCannotTakeTheFileLeavesNothingBehind) {
  const FormModel form = OneControl({});
  WriteAll(folder / "plain", "not a folder");
  fs::create_directory(folder / "taken.form");
  struct Row {
    fs::path path;
    const char* reason;
  };
  const Row rows[] = {
      {folder / "missing" / "a.form", "cannot create a temporary file in its folder: No such file"},
      {folder / "plain" / "a.form",
       "cannot create a temporary file in its folder: Not a directory"},
      {folder / "taken.form", "cannot replace the file: Is a directory"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path.string());
    try {
      SaveForm(row.path, form);
      ADD_FAILURE() << "saved";
    } catch (const FormFileError& e) {
      EXPECT_NE(e.Description().find(row.reason), std::string::npos) << e.Description();
    }
  }
  std::vector<std::string> entries = Entries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (std::vector<std::string>{"plain", "taken.form"}));
  EXPECT_TRUE(fs::is_empty(folder / "taken.form"));
}

TEST_F(FormsTest, AReadOnlyFolderKeepsItsFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  const fs::path file = folder / "a.form";
  SaveForm(file, OneControl({}));
  const std::string before = ReadAll(file);
  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);
  EXPECT_THROW(SaveForm(file, OneControl({{"Text", u"new"}})), FormFileError);
  EXPECT_EQ(ReadAll(file), before);
}

TEST_F(FormsTest, ReplacingKeepsPermissionsAndFollowsLinks) {
  const fs::path real = folder / "real.form";
  const fs::path link = folder / "link.form";
  SaveForm(real, OneControl({}));
  ::chmod(real.c_str(), 0640);
  fs::create_symlink("real.form", link);
  const FormModel changed = OneControl({{"Text", u"through the link"}});
  SaveForm(link, changed);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(LoadForm(real), changed);
  struct stat info {};
  ASSERT_EQ(::stat(real.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(FormsTest, FilesThatAreNoFormsAreRefusedWithoutReadingThemWhole) {
  const fs::path big = folder / "big.form";
  WriteAll(big, "");
  fs::resize_file(big, formfile::kMaxFileBytes + 1);
  const fs::path fifo = folder / "fifo.form";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path bad = folder / "bad.form";
  WriteAll(bad, "{\"format\": 1}");
  struct Row {
    fs::path path;
    std::string expected;
  };
  const Row rows[] = {
      {folder / "none.form", "cannot open: No such file or directory"},
      {folder, "not a regular file"},
      {fifo, "not a regular file"},
      {big, "larger than 8388608 bytes"},
      {bad, "/format: not an entrybox form file"},
  };
  for (const Row& row : rows) {
    try {
      LoadForm(row.path);
      ADD_FAILURE() << row.path;
    } catch (const FormFileError& e) {
      EXPECT_EQ(e.File(), row.path.string());
      const std::string prefix = "form file \"" + row.path.string() + "\": ";
      EXPECT_EQ(e.Description().substr(0, prefix.size() + row.expected.size()),
                prefix + row.expected);
    }
  }
}

}  // namespace
}  // namespace entrybox
