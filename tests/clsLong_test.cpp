// The long-integer engine, key by key on a headless field. Each row gives the field as a
// caret picture ("1,|234": caret after the ","; "1[23]4": "23" selected), the engine's
// settings and the clipboard, sends its keys straight to the engine and checks the
// picture afterwards, the clipboard and the code the last key returned.
#include "entrybox/engines/clsLong.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessField.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

struct Key {
  bool down;  // KeyDown, else KeyPress
  int16_t code;
  int16_t shift = 0;
};

Key Press(int16_t code) {
  return {false, code};
}
Key Down(int16_t code, int16_t shift = 0) {
  return {true, code, shift};
}
Key CtrlDown(char letter) {
  return {true, static_cast<int16_t>(letter), 2};
}

constexpr int16_t kBackspace = 8;
constexpr int16_t kUp = 38;
constexpr int16_t kDown = 40;
constexpr int16_t kDelete = 46;
constexpr int32_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int32_t kHighest = std::numeric_limits<int32_t>::max();

struct Settings {
  int32_t min = kLowest;
  int32_t max = kHighest;
  bool formatted = false;
  int16_t spin = 1;
  const char* clipboard = "";
};

struct Row {
  const char* name;
  const char* before;  // caret picture
  std::vector<Key> keys;
  const char* after;  // caret picture
  Settings settings = {};
  const char* clipboardAfter = nullptr;  // null: the clipboard is left as it was
  int16_t returned = 0;
};

// Writes a caret picture into the field: text, then SelStart, then SelLength.
void SetPicture(EditField& field, const std::string& picture) {
  std::string text;
  int32_t start = 0, length = 0;
  for (char c : picture) {
    if (c == '|' || c == '[') {
      start = static_cast<int32_t>(text.size());
    } else if (c == ']') {
      length = static_cast<int32_t>(text.size()) - start;
    } else {
      text += c;
    }
  }
  field.SetText(U(text));
  field.SetSelStart(start);
  field.SetSelLength(length);
}

std::string Picture(const EditField& field) {
  std::string text = ToUtf8(field.Text());
  const auto start = static_cast<size_t>(field.SelStart());
  const auto length = static_cast<size_t>(field.SelLength());
  if (length == 0) return text.insert(start, "|");
  return text.insert(start + length, "]").insert(start, "[");
}

void RunRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    HeadlessClipboard clipboard;
    clipboard.SetText(U(row.settings.clipboard));
    HeadlessField field(clipboard);
    clsLong engine(clipboard);
    engine.SetMin(row.settings.min);
    engine.SetMax(row.settings.max);
    engine.SetFormatted(row.settings.formatted);
    engine.SetSpinChange(row.settings.spin);
    SetPicture(field, row.before);

    int16_t returned = -1;
    for (const Key& key : row.keys) {
      returned =
          key.down ? engine.KeyDown(field, key.code, key.shift) : engine.KeyPress(field, key.code);
    }
    EXPECT_EQ(Picture(field), row.after);
    EXPECT_EQ(ToUtf8(clipboard.GetText()),
              row.clipboardAfter != nullptr ? row.clipboardAfter : row.settings.clipboard);
    EXPECT_EQ(returned, row.returned);
  }
}

const Settings kGrouped = {.formatted = true};

TEST(clsLong, Digits) {
  RunRows({
      {"digit replaces a lone 0", "|0", {Press('7')}, "7|"},
      {"digit after a lone 0", "0|", {Press('5')}, "5|"},
      {"0 in front of a number is refused", "|123", {Press('0')}, "|123"},
      {"0 into an empty text", "|", {Press('0')}, "0|"},
      {"digit inside", "1|2", {Press('5')}, "15|2"},
      {"digit replaces the selection", "1[23]4", {Press('9')}, "19|4"},
      {"digit above Max is refused", "12|", {Press('5')}, "12|", {.max = 100}},
      {"digit below Min is refused", "|", {Press('5')}, "|", {.min = 10, .max = 100}},
      {"digit in front of - is refused", "|-5", {Press('7')}, "|-5", {.min = -100}},
      {"digit replaces the 0 of -0", "-|0", {Press('3')}, "-3|"},
      {"0 after - leaves 0", "-|", {Press('0')}, "0|"},
      {"grouped: digit after the separator", "1,|234", {Press('5')}, "15,|234", kGrouped},
      {"grouped: a fourth digit", "999|", {Press('9')}, "9,999|", kGrouped},
      {"plain: a host's separators are dropped", "1,234|", {Press('5')}, "12345|"},
      {"other characters do nothing", "1|2", {Press('a')}, "1|2"},
  });
}

TEST(clsLong, Minus) {
  RunRows({
      {"refused when Min is 0", "5|", {Press('-')}, "5|", {.min = 0}},
      {"in front of 0", "0|", {Press('-')}, "-|0", {.min = -10}},
      {"-0 then 3", "0|", {Press('-'), Press('3')}, "-3|", {.min = -10}},
      {"refused when the negated value is below Min", "50|", {Press('-')}, "50|", {.min = -10}},
      {"a second - changes nothing", "-5|", {Press('-')}, "-5|"},
      {"- alone in an empty text", "|", {Press('-')}, "-|", {.min = -10}},
      {"a grouped text is not regrouped", "1,234|", {Press('-')}, "-|1,234", kGrouped},
  });
}

TEST(clsLong, Backspace) {
  RunRows({
      {"a lone 0 stays", "0|", {Press(kBackspace)}, "0|"},
      {"the last digit leaves nothing", "5|", {Press(kBackspace)}, "|"},
      {"caret at 0 deletes nothing", "|12", {Press(kBackspace)}, "|12"},
      {"the selection goes", "1[234]5", {Press(kBackspace)}, "1|5"},
      {"grouped: steps over the separator", "1,|234", {Press(kBackspace)}, "1|,234", kGrouped},
      {"grouped: a digit and a separator go", "1,2|34", {Press(kBackspace)}, "1|34", kGrouped},
      {"grouped: no separator left in front", "1|,234", {Press(kBackspace)}, "|234", kGrouped},
      {"grouped: last digit", "12,345|", {Press(kBackspace)}, "1,234|", kGrouped},
      {"grouped: selection up to a separator",
       "[1,234,]567",
       {Press(kBackspace)},
       "|567",
       kGrouped},
  });
}

TEST(clsLong, DeleteAndCut) {
  RunRows({
      {"empty text gives 0", "|", {Down(kDelete)}, "|0"},
      {"deleting the only digit gives 0", "|5", {Down(kDelete)}, "|0"},
      {"the character after the caret", "1|23", {Down(kDelete)}, "1|3"},
      {"at the end nothing goes", "12|", {Down(kDelete)}, "12|"},
      {"the selection goes", "1[23]4", {Down(kDelete)}, "1|4"},
      {"a removal that leaves the range is refused", "[1]5", {Down(kDelete)}, "|15", {.min = 10}},
      // A selection removes the selection, also where deleting the character after it
      // would leave 0 ("-0" here).
      {"a selected - goes, not the digit after it", "[-]10", {Down(kDelete)}, "|10"},
      {"grouped: steps over the separator", "1|,234", {Down(kDelete)}, "1,|234", kGrouped},
      {"grouped: the first digit", "|1,234", {Down(kDelete)}, "|234", kGrouped},
      {"grouped: 1,000 loses its 1", "|1,000", {Down(kDelete)}, "|0", kGrouped},
      {"cut puts the selection on the clipboard",
       "1[23]4",
       {CtrlDown('X')},
       "1|4",
       {.clipboard = "old"},
       "23"},
      {"cut with a lower-case x", "1[23]4", {CtrlDown('x')}, "1|4", {}, "23"},
      {"grouped cut copies the text as it stands",
       "1[,234],567",
       {CtrlDown('X')},
       "1|,567",
       kGrouped,
       ",234"},
      {"cut with nothing selected keeps the clipboard",
       "1|23",
       {CtrlDown('X')},
       "1|3",
       {.clipboard = "keep"}},
      {"X without Ctrl is passed on", "|12", {Down('X')}, "|12", {}, nullptr, 'X'},
  });
}

TEST(clsLong, CopyAndPaste) {
  RunRows({
      {"copy writes the selection plain", "[-1,234]", {CtrlDown('C')}, "[-1,234]", {}, "-1234"},
      {"copy with a lower-case c", "1,[234]", {CtrlDown('c')}, "1,[234]", {}, "234"},
      {"copy of nothing keeps the clipboard", "1|2", {CtrlDown('C')}, "1|2", {.clipboard = "keep"}},
      {"copy of a lone - keeps the clipboard",
       "[-]5",
       {CtrlDown('C')},
       "[-]5",
       {.clipboard = "keep"}},
      {"C with Shift is passed on", "|12", {Down('C', 1)}, "|12", {}, nullptr, 'C'},
      {"text that is no number pastes 0", "|", {CtrlDown('V')}, "|0", {.clipboard = "abc"}},
      {"a negative number is refused", "|", {CtrlDown('V')}, "|", {.min = -100, .clipboard = "-5"}},
      {"an empty clipboard pastes 0", "12|", {CtrlDown('v')}, "12|0"},
      {"separators in odd places", "|", {CtrlDown('V')}, "|15", {.clipboard = "1,5"}},
      {"a fraction is rounded", "|", {CtrlDown('V')}, "|2", {.clipboard = "1.6"}},
      {"paste inside keeps the caret", "1|2", {CtrlDown('V')}, "1|342", {.clipboard = "34"}},
      {"paste above Max is refused",
       "[12]",
       {CtrlDown('V')},
       "|12",
       {.max = 100, .clipboard = "500"}},
      {"paste in front of - is refused",
       "|-3",
       {CtrlDown('V')},
       "|-3",
       {.min = -100, .clipboard = "5"}},
      {"a value too large for a double is refused",
       "|",
       {CtrlDown('V')},
       "|",
       {.clipboard = "1e999"}},
      {"grouped paste", "|", {CtrlDown('V')}, "1|,234", {.formatted = true, .clipboard = "1234"}},
  });
}

TEST(clsLong, UpAndDown) {
  RunRows({
      {"Up steps and keeps the caret", "9|9", {Down(kUp)}, "1|00", {.max = 100}},
      {"Up at Max is passed on", "|100", {Down(kUp)}, "|100", {.max = 100}, nullptr, kUp},
      {"Up past Max by a large step is passed on",
       "|99",
       {Down(kUp)},
       "|99",
       {.max = 100, .spin = 5},
       nullptr,
       kUp},
      {"Up on an empty text starts at 0", "|", {Down(kUp)}, "|5", {.spin = 5}},
      {"Down on - starts at 0", "-|", {Down(kDown)}, "-|3", {.min = -10, .spin = 3}},
      {"Down at Min is passed on", "|5", {Down(kDown)}, "|5", {.min = 5}, nullptr, kDown},
      {"Down below Min by a large step is passed on",
       "|7",
       {Down(kDown)},
       "|7",
       {.min = 5, .spin = 5},
       nullptr,
       kDown},
      {"Down through zero", "|0", {Down(kDown)}, "|-2", {.min = -10, .spin = 2}},
      {"grouped Up", "999|", {Down(kUp)}, "1,0|00", kGrouped},
      {"grouped Down", "1,000|", {Down(kDown)}, "999|", kGrouped},
      {"other keys are passed on", "|12", {Down(37)}, "|12", {}, nullptr, 37},
  });
}

TEST(clsLong, Regrouping) {
  RunRows({
      {"a third group", "999,999|", {Press('9')}, "9,999,999|", kGrouped},
      {"digit at the front", "|234", {Press('1')}, "1,|234", kGrouped},
      {"a refused key still regroups a host's text", "|1234", {Press('0')}, "1|,234", kGrouped},
      {"a caret before the text is clamped", "1|,000,000", {Press(kBackspace)}, "|0", kGrouped},
      {"a negative number digit by digit",
       "0|",
       {Press('-'), Press('1'), Press('2'), Press('3'), Press('4'), Press('5'), Press('6'),
        Press('7')},
       "-1,234,567|",
       {.min = -10000000, .formatted = true}},
  });
}

TEST(clsLong, MainNumeric) {
  HeadlessClipboard clipboard;
  HeadlessField field(clipboard);
  clsLong engine(clipboard);
  engine.SetMax(1000);
  engine.SetSpinChange(1);
  SetPicture(field, "12|");
  EXPECT_EQ(engine.MainNumeric(u"keyPress", field, '3', 0), 0);
  EXPECT_EQ(engine.MainNumeric(u"KeyDown", field, kUp, 0), 0);
  EXPECT_EQ(engine.MainNumeric(u"KeyDown", field, 37, 0), 37);
  EXPECT_EQ(engine.MainNumeric(u"Click", field, '4', 0), 0);
  EXPECT_EQ(Picture(field), "124|");
}

TEST(clsLong, LongTexts) {
  HeadlessClipboard clipboard;
  HeadlessField field(clipboard);
  clsLong engine(clipboard);
  engine.SetMax(1000);

  // 32767 code units still edit: the zeros read as 0, the digit makes 5.
  field.SetText(std::u16string(32767, u'0'));
  field.SetSelStart(32767);
  engine.KeyPress(field, '5');
  EXPECT_EQ(Picture(field), "5|");

  // Longer texts fail with Overflow and keep the text.
  const std::u16string longText(40000, u'0');
  for (const Key& key : {Press('5'), Press(kBackspace), Press('-'), Down(kUp), Down(kDelete),
                         CtrlDown('V'), CtrlDown('X')}) {
    SCOPED_TRACE(key.code);
    field.SetText(longText);
    field.SetSelStart(39999);
    try {
      if (key.down) {
        engine.KeyDown(field, key.code, key.shift);
      } else {
        engine.KeyPress(field, key.code);
      }
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errors::kOverflow);
    }
    EXPECT_EQ(field.Text(), longText);
  }
}

}  // namespace
}  // namespace entrybox
