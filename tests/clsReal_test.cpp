// clsReal on the headless field: rows of field state and properties, keys, and the
// field, caret, clipboard and key code that result.
#include "entrybox/engines/clsReal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessField.h"
#include "entrybox/platform/Error.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

constexpr int16_t kCtrl = 2;

struct Props {
  int16_t dp = 2;
  double min = -1e9;
  double max = 1e9;
  bool formatted = false;
  int16_t spin = 0;
};

const Props kDp2{};
const Props kDp0{0};
const Props kGrouped{2, -1e9, 1e9, true};

struct Key {
  bool down;  // KeyDown, else KeyPress
  int16_t code;
  int16_t shift;
};
Key Press(char16_t c) {
  return {false, static_cast<int16_t>(c), 0};
}
Key Down(int16_t code, int16_t shift = 0) {
  return {true, code, shift};
}
const Key kBackspace = Press(8);
const Key kDelete = Down(46);
const Key kUp = Down(38);
const Key kDownArrow = Down(40);

struct Row {
  const char* what;
  Props props;
  const char* text;
  int32_t caret;
  int32_t sel;
  std::vector<Key> keys;
  const char* expText;
  int32_t expCaret;
  int16_t expRet = 0;  // of the last key
  const char* clipIn = "(clip)";
  const char* expClip = "(clip)";
};

void Check(const Row& r) {
  SCOPED_TRACE(r.what);
  HeadlessClipboard clipboard;
  clipboard.SetText(U(r.clipIn));
  HeadlessField field(clipboard);
  clsReal engine(clipboard);
  engine.SetDecimalPlaces(r.props.dp);
  engine.SetMin(r.props.min);
  engine.SetMax(r.props.max);
  engine.SetFormatted(r.props.formatted);
  engine.SetSpinChange(r.props.spin);
  field.SetText(U(r.text));
  field.SetSelStart(r.caret);
  field.SetSelLength(r.sel);

  int16_t ret = -1;
  for (const Key& k : r.keys) {
    ret = k.down ? engine.KeyDown(field, k.code, k.shift) : engine.KeyPress(field, k.code);
  }
  EXPECT_EQ(ToUtf8(field.Text()), r.expText);
  EXPECT_EQ(field.SelStart(), r.expCaret);
  EXPECT_EQ(ret, r.expRet);
  EXPECT_EQ(ToUtf8(clipboard.GetText()), r.expClip);
}

void CheckAll(const std::vector<Row>& rows) {
  for (const Row& r : rows)
    Check(r);
}

Props Range(double min, double max, int16_t spin = 0, int16_t dp = 2) {
  return {dp, min, max, false, spin};
}

TEST(clsRealTest, Digits) {
  CheckAll({
      {"first digit gets the decimals", kDp2, "", 0, 0, {Press('5')}, "5.00", 1},
      {"no decimals: the point stays", kDp0, "", 0, 0, {Press('5')}, "5.", 1},
      {"pushes a decimal out", kDp2, "12.34", 3, 0, {Press('9')}, "12.93", 4},
      {"behind the last decimal falls away", kDp2, "12.34", 5, 0, {Press('9')}, "12.34", 5},
      {"no leading zero", kDp2, "5.00", 0, 0, {Press('0')}, "5.00", 0},
      {"digit in front", kDp2, "5.00", 0, 0, {Press('3')}, "35.00", 1},
      {"digit replaces the leading zero", kDp2, "0.50", 0, 0, {Press('7')}, "7.50", 1},
      {"digit replaces the zero behind the sign", kDp2, "-0.50", 1, 0, {Press('7')}, "-7.50", 2},
      {"no digit in front of the sign", kDp2, "-5.00", 0, 0, {Press('1')}, "-5.00", 0},
      {"above Max refused", Range(0, 100), "99.00", 2, 0, {Press('5')}, "99.00", 2},
      {"refused: lead 0 back", Range(0, 5), "0.50", 0, 0, {Press('7')}, "0.50", 0},
      {"zero into a zero value refused", kDp2, "0.00", 3, 0, {Press('0')}, "0.00", 3},
      {"selection replaced", kDp2, "12.34", 0, 2, {Press('7')}, "7.34", 1},
      {"letters swallowed", kDp2, "12.34", 2, 0, {Press('a')}, "12.34", 2},
      {"negative places count as none", Props{-1}, "", 0, 0, {Press('5')}, "5.", 1},
  });
}

TEST(clsRealTest, Point) {
  CheckAll({
      {"empty field gets the zero text", kDp2, "", 0, 0, {Press('.')}, "0.00", 2},
      {"then a decimal", kDp2, "", 0, 0, {Press('.'), Press('5')}, "0.50", 3},
      {"caret jumps behind the point", kDp2, "12.34", 0, 0, {Press('.')}, "12.34", 3},
      {"no decimals: swallowed", kDp0, "5.", 0, 0, {Press('.')}, "5.", 0},
      {"negative places: swallowed", Props{-3}, "", 0, 0, {Press('.')}, "", 0},
  });
}

TEST(clsRealTest, Sign) {
  CheckAll({
      {"Min 0 ignores the sign", Range(0, 100), "5.00", 0, 0, {Press('-')}, "5.00", 0},
      {"sign added, caret follows", Range(-10, 100), "5.00", 2, 0, {Press('-')}, "-5.00", 3},
      {"second sign changes nothing", Range(-10, 100), "-5.00", 3, 0, {Press('-')}, "-5.00", 3},
      {"sign below Min ignored", Range(-3, 100), "5.00", 0, 0, {Press('-')}, "5.00", 0},
      {"sign then digit", Range(-10, 100), "", 0, 0, {Press('-'), Press('5')}, "-5.00", 2},
  });
}

TEST(clsRealTest, Backspace) {
  CheckAll({
      {"behind point: caret", kDp2, "12.34", 3, 0, {kBackspace}, "12.34", 2},
      {"decimal removed and refilled", kDp2, "12.34", 5, 0, {kBackspace}, "12.30", 4},
      {"last digit: zero text", kDp2, "5.00", 1, 0, {kBackspace}, "0.00", 0},
      {"integer digit", kDp2, "12.34", 1, 0, {kBackspace}, "2.34", 0},
      {"at 0 nothing", kDp2, "12.34", 0, 0, {kBackspace}, "12.34", 0},
      {"a lone 0 is only reformatted", kDp2, "0", 1, 0, {kBackspace}, "0.00", 1},
      {"selection removed", kDp2, "123.45", 1, 2, {kBackspace}, "1.45", 1},
      {"selection over the point", kDp2, "12.34", 1, 3, {kBackspace}, "14.00", 1},
      {"grouped: \",\" back", kGrouped, "1,234.00", 2, 0, {kBackspace}, "1,234.00", 2},
  });
}

TEST(clsRealTest, Delete) {
  CheckAll({
      {"in front of the point nothing", kDp2, "12.34", 2, 0, {kDelete}, "12.34", 2},
      {"decimal removed and refilled", kDp2, "12.34", 3, 0, {kDelete}, "12.40", 3},
      {"at the end nothing", kDp2, "12.34", 5, 0, {kDelete}, "12.34", 5},
      {"first digit: 0 in front", kDp2, "5.25", 0, 0, {kDelete}, "0.25", 0},
      {"lone zero integer part kept", kDp2, "0.50", 0, 0, {kDelete}, "0.50", 0},
      {"value 0 gives the zero text", kDp2, "5.00", 0, 0, {kDelete}, "0.00", 0},
      {"selection removed", kDp2, "123.45", 0, 2, {kDelete}, "3.45", 0},
      {"sel over point refills", kDp2, "12.34", 1, 3, {kDelete}, "14.00", 1},
      {"sel over point, >Max", Range(0, 20), "12.34", 1, 2, {kDelete}, "12.34", 1},
      {"everything selected", kDp2, "12.34", 0, 5, {kDelete}, "0.00", 0},
      {"grouped: step over \",\"", kGrouped, "1,234.00", 1, 0, {kDelete}, "1,234.00", 2},
      {"grouped: caret clamped", kGrouped, "1,234.00", 0, 0, {kDelete}, "234.00", 0},
      {"other keys passed on", kDp2, "12.34", 2, 0, {Down(37)}, "12.34", 2, 37},
  });
}

TEST(clsRealTest, Clipboard) {
  const Key copy = Down('C', kCtrl), paste = Down('V', kCtrl), cut = Down('X', kCtrl);
  CheckAll({
      // Copy writes the selection with the decimals, a leading 0 and no separators.
      {"copy", kDp2, "12.5", 0, 4, {copy}, "12.5", 0, 0, "", "12.50"},
      {"copy, lower-case code", kDp2, "0.5", 1, 2, {Down('c', kCtrl)}, "0.5", 1, 0, "", "0.50"},
      {"copy ungrouped", kGrouped, "1,234.00", 0, 8, {copy}, "1,234.00", 0, 0, "", "1234.00"},
      {"copy of nothing", kDp2, "12.34", 2, 0, {copy}, "12.34", 2},
      {"copy of a sign", Range(-10, 10), "-5.00", 0, 1, {copy}, "-5.00", 0},
      {"C without Ctrl passed on", kDp2, "12.34", 0, 5, {Down('C')}, "12.34", 0, 'C'},
      // Paste by value, same rules as typing.
      {"paste", kDp2, "", 0, 0, {paste}, "12.50", 0, 0, "12.5", "12.5"},
      {"paste rounds", kDp2, "", 0, 0, {paste}, "12.35", 0, 0, "12.345", "12.345"},
      {"paste of no number pastes 0", kDp2, "", 0, 0, {paste}, "0.00", 0, 0, "abc", "abc"},
      {"paste into the integer part", kDp2, "5.00", 1, 0, {paste}, "53.00", 1, 0, "3", "3"},
      {"paste among decimals", kDp2, "5.00", 3, 0, {paste}, "5.07", 3, 0, "7", "7"},
      {"negative paste refused", Range(-10, 10), "5.00", 0, 4, {paste}, "5.00", 0, 0, "-5", "-5"},
      {"paste above Max refused", Range(0, 100), "50.00", 0, 0, {paste}, "50.00", 0, 0, "9", "9"},
      {"second point refused", kDp2, "5.00", 1, 0, {paste}, "5.00", 1, 0, "1.5", "1.5"},
      {"no number refused", kDp2, "1.50", 1, 0, {paste}, "1.50", 1, 0, "-3", "-3"},
      // Cut puts the raw selection on the clipboard, then deletes as Delete does; with
      // nothing selected the clipboard keeps what it held.
      {"cut", kDp2, "12.34", 3, 2, {cut}, "12.00", 3, 0, "", "34"},
      {"cut without selection", kDp2, "12.34", 3, 0, {cut}, "12.40", 3, 0, "(clip)", "(clip)"},
  });
}

TEST(clsRealTest, Spin) {
  CheckAll({
      {"up", Range(0, 100, 5), "90.00", 2, 0, {kUp}, "95.00", 2},
      {"a step past Max is refused", Range(0, 100, 5), "99.00", 2, 0, {kUp}, "99.00", 2, 38},
      {"less than 1 below Max", Range(0, 100, 1), "99.50", 0, 0, {kUp}, "99.50", 0, 38},
      {"at Max", Range(0, 100, 1), "100.00", 0, 0, {kUp}, "100.00", 0, 38},
      {"step 0 rewrites the value", Range(0, 100, 0), "12.3", 1, 0, {kUp}, "12.30", 1},
      {"down", Range(0, 100, 5), "10.00", 3, 0, {kDownArrow}, "5.00", 3},
      {"a step past Min is refused", Range(0, 100, 5), "3.00", 0, 0, {kDownArrow}, "3.00", 0, 40},
      {"no number counts as 0", Range(-10, 100, 5), "", 0, 0, {kUp}, "5.00", 0},
      {"a lone sign counts as 0", Range(-10, 100, 5), "-", 1, 0, {kDownArrow}, "-5.00", 1},
      {"limits at shown places", Range(0.3, 10, 5, 1), "5.3", 0, 0, {kDownArrow}, "0.3", 0},
      {"grouped", Props{2, 0, 10000, true, 5}, "999.00", 2, 0, {kUp}, "1,004.00", 2},
  });
}

TEST(clsRealTest, Grouping) {
  CheckAll({
      {"digit before \",\"", kGrouped, "1,234.00", 1, 0, {Press('5')}, "15,234.00", 2},
      {"a new separator moves the caret", kGrouped, "123.00", 3, 0, {Press('4')}, "1,234.00", 5},
      {"plain form drops separators", kDp2, "1,234.00", 1, 0, {Press('5')}, "15234.00", 2},
  });
}

// A host may write a text far longer than a 16-bit caret can count.
TEST(clsRealTest, LongTextsKeepTheCaretInRange) {
  const std::string digits(33000, '2');
  const int32_t end = static_cast<int32_t>(digits.size()) + 2;
  const std::string text = "1." + digits;
  CheckAll({
      {"backspace at the end", kDp2, text.c_str(), end, 0, {kBackspace}, "1.22", 4},
      {"delete near the end", kDp2, text.c_str(), end - 1, 0, {kDelete}, "1.22", 4},
      {"digit at the end", kDp2, text.c_str(), end, 0, {Press('9')}, "1.22", 4},
  });
}

TEST(clsRealTest, MainNumericDispatchesByType) {
  HeadlessClipboard clipboard;
  HeadlessField field(clipboard);
  clsReal engine(clipboard);
  engine.SetDecimalPlaces(2);
  engine.SetMax(100);
  engine.SetSpinChange(1);

  EXPECT_EQ(engine.MainNumeric(u"keypress", field, '5', 0), 0);
  EXPECT_EQ(field.Text(), u"5.00");
  EXPECT_EQ(engine.MainNumeric(u"KeyDown", field, 38, 0), 0);
  EXPECT_EQ(field.Text(), u"6.00");
  EXPECT_EQ(engine.MainNumeric(u"KeyDown", field, 37, 0), 37);
  EXPECT_EQ(engine.MainNumeric(u"KEYUP", field, '7', 0), 0);
  EXPECT_EQ(field.Text(), u"6.00");
}

TEST(clsRealTest, RealFormat) {
  HeadlessClipboard clipboard;
  clsReal engine(clipboard);
  engine.SetDecimalPlaces(2);
  EXPECT_EQ(engine.RealFormat(u"1234.5"), u"1234.50");
  EXPECT_EQ(engine.RealFormat(u"-"), u"-");
  engine.SetFormatted(true);
  EXPECT_EQ(engine.RealFormat(u"1234.5"), u"1,234.50");
  EXPECT_EQ(engine.RealFormat(u""), u"");
}

TEST(clsRealTest, MinMaxSetterLimits) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  const double nan = std::nan("");
  struct LimitRow {
    bool isMin;
    double value;
    bool accepted;
  };
  const LimitRow rows[] = {
      {true, -1.1e38, true},
      {true, std::nextafter(-1.1e38, -inf), true},  // equal once written with 15 digits
      {true, -1.2e38, false},
      {true, 3e38, true},  // Min is not compared with Max
      {true, -inf, false},
      {true, nan, false},
      {false, 3.3e38, true},
      {false, 3.4e38, false},
      {false, -4e38, true},
      {false, inf, false},
      {false, nan, false},
  };
  for (const LimitRow& r : rows) {
    SCOPED_TRACE(std::string(r.isMin ? "Min " : "Max ") + std::to_string(r.value));
    HeadlessClipboard clipboard;
    clsReal engine(clipboard);
    engine.SetMin(-1);
    engine.SetMax(1);
    try {
      r.isMin ? engine.SetMin(r.value) : engine.SetMax(r.value);
      EXPECT_TRUE(r.accepted);
      EXPECT_EQ(r.isMin ? engine.Min() : engine.Max(), r.value);
    } catch (const Error& e) {
      EXPECT_FALSE(r.accepted);
      EXPECT_EQ(e.Number(), 8000);
      EXPECT_EQ(e.Description(), r.isMin ? "Invalid property Min !" : "Invalid property Max !");
      EXPECT_EQ(r.isMin ? engine.Min() : engine.Max(), r.isMin ? -1 : 1);
    }
  }
}

}  // namespace
}  // namespace entrybox
