// clsMask on the headless field: rows of mask, prompt and field state, one key, and the
// field, selection, key code and clipboard that result; then the text helpers and a
// random walk that checks the template never breaks.
#include "entrybox/engines/clsMask.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessField.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

constexpr int16_t kShift = 1;
constexpr int16_t kCtrl = 2;
constexpr int16_t kAlt = 4;
constexpr const char* kPhone = "(###) ###-####";

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
const Key kBack = Press(8);

constexpr const char* kUntouched = "(clip)";

struct Row {
  const char* what;
  const char* mask;
  const char* prompt;
  const char* text;
  int32_t caret;
  int32_t sel;
  Key key;
  const char* expText;
  int32_t expCaret;
  int32_t expSel = 0;
  int16_t expRet = 0;
  const char* clipIn = kUntouched;
  const char* clipOut = nullptr;  // null: as clipIn
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.what;
}

class MaskKeys : public ::testing::TestWithParam<Row> {};

TEST_P(MaskKeys, EditsTheField) {
  const Row& row = GetParam();
  HeadlessClipboard clipboard;
  clipboard.SetText(U(row.clipIn));
  HeadlessField field(clipboard);
  clsMask engine(clipboard);
  engine.SetMask(U(row.mask));
  engine.SetPromptChar(U(row.prompt));
  field.SetText(U(row.text));
  field.SetSelStart(row.caret);
  field.SetSelLength(row.sel);

  const int16_t ret = row.key.down ? engine.KeyDown(field, row.key.code, row.key.shift)
                                   : engine.KeyPress(field, row.key.code);

  EXPECT_EQ(ToUtf8(field.Text()), row.expText);
  EXPECT_EQ(field.SelStart(), row.expCaret);
  EXPECT_EQ(field.SelLength(), row.expSel);
  EXPECT_EQ(ret, row.expRet);
  EXPECT_EQ(ToUtf8(clipboard.GetText()), row.clipOut ? row.clipOut : row.clipIn);
}

// Typed characters: placeholder classes, overtyping, literals skipped.
const Row kTyping[] = {
    {"EmptyFieldTakesTheKeyIntoTheTemplate", kPhone, "_", "", 0, 0, Press('5'), "(5__) ___-____",
     2},
    {"FirstDigitIntoTemplate", kPhone, "_", "(___) ___-____", 0, 0, Press('5'), "(5__) ___-____",
     2},
    {"CaretSkipsLiteralsAfterTheKey", kPhone, "_", "(12_) ___-____", 3, 0, Press('3'),
     "(123) ___-____", 6},
    {"KeyBeforeLiteralsOvertypesTheNextPlaceholder", kPhone, "_", "(123) 4__-____", 4, 0,
     Press('5'), "(123) 5__-____", 7},
    {"Overtypes", "###", "_", "123", 1, 0, Press('9'), "193", 2},
    {"LetterIntoEmptyField", "???", "_", "", 0, 0, Press('a'), "a__", 1},
    {"LetterRefusedAtDigit", kPhone, "_", "(___) ___-____", 0, 0, Press('x'), "(___) ___-____", 0},
    {"RefusedKeyLeavesEmptyFieldEmpty", kPhone, "_", "", 0, 0, Press('x'), "", 0},
    {"ControlCodeRefusedAtAny", "&&", "_", "__", 0, 0, Press(3), "__", 0},
    {"PromptRefusedAtAny", "&&", "_", "__", 0, 0, Press('_'), "__", 0},
    {"AnyTakesNonAscii", "&&", "_", "__", 0, 0, Press(0x00E9), "\u00e9_", 1},
    {"AnyTakesUnitAbove7FFF", "&&", "_", "__", 0, 0, Press(0xFF21), "\uff21_", 1},
    {"LetterPlaceholderRefusesNonAscii", "??", "_", "__", 0, 0, Press(0x00E9), "__", 0},
    {"UpperPlaceholderStoresUpperCase", ">>", "_", "__", 0, 0, Press('a'), "A_", 1},
    {"LowerPlaceholderStoresLowerCase", "<<", "_", "__", 0, 0, Press('Q'), "q_", 1},
    {"LetterOrDigitTakesDigit", "%%", "_", "a_", 1, 0, Press('7'), "a7", 2},
    {"LetterOrDigitRefusesPunctuation", "%%", "_", "a_", 1, 0, Press('-'), "a_", 1},
    {"DigitPromptAcceptedButVanishes", "##", "0", "00", 0, 0, Press('0'), "00", 1},
    {"EndOfMaskRefusesEveryKey", "###", "_", "123", 3, 0, Press('4'), "123", 3},
    {"OtherOneCharPrompt", "##-##", "*", "1*-**", 1, 0, Press('2'), "12-**", 3},
};
INSTANTIATE_TEST_SUITE_P(Typing, MaskKeys, ::testing::ValuesIn(kTyping),
                         [](const auto& info) { return std::string(info.param.what); });

// A selection is replaced by the typed character; what follows keeps its mask positions
// and is packed.
const Row kSelections[] = {
    {"ReplacedAndPacked", kPhone, "_", "(123) 456-____", 1, 3, Press('9'), "(945) 6__-____", 2},
    {"AtStartReplaced", "###", "_", "123", 0, 1, Press('4'), "423", 1},
    {"FromLeadingLiteral", kPhone, "_", "(123) 456-____", 0, 2, Press('9'), "(923) 456-____", 2},
    {"FromInnerLiteral", kPhone, "_", "(123) 456-7___", 5, 3, Press('9'), "(123) 967-____", 7},
    {"OfLiteralsOnlyOvertypes", kPhone, "_", "(123) 456-____", 4, 2, Press('9'), "(123) 956-____",
     7},
    {"PackingBreaksClassTextKeptCaretMoves", "#?#", "_", "1a2", 0, 2, Press('5'), "1a2", 1},
};
INSTANTIATE_TEST_SUITE_P(Selections, MaskKeys, ::testing::ValuesIn(kSelections),
                         [](const auto& info) { return std::string(info.param.what); });

// Backspace blanks the character before the caret and closes the input up.
const Row kBackspace[] = {
    {"ClosesUp", kPhone, "_", "(123) 4__-____", 3, 0, kBack, "(134) ___-____", 2},
    {"OnLiteralOnlyMovesCaret", kPhone, "_", "(123) 4__-____", 6, 0, kBack, "(123) 4__-____", 4},
    {"CaretMovesOverLiteralRun", kPhone, "_", "(123) 4__-____", 7, 0, kBack, "(123) ___-____", 4},
    {"PackingBreaksClassTextKept", "#?#", "_", "1a2", 2, 0, kBack, "1a2", 1},
    {"AtStartNothing", kPhone, "_", "(123) 4__-____", 0, 0, kBack, "(123) 4__-____", 0},
    {"RemovesSelection", kPhone, "_", "(123) 456-____", 1, 3, kBack, "(456) ___-____", 1},
    {"RemovesSelectionFromStart", "###", "_", "123", 0, 3, kBack, "___", 0},
    {"EmptyFieldShowsTemplate", kPhone, "_", "", 0, 0, kBack, "(___) ___-____", 0},
};
INSTANTIATE_TEST_SUITE_P(Backspace, MaskKeys, ::testing::ValuesIn(kBackspace),
                         [](const auto& info) { return std::string(info.param.what); });

// The empty prompt, masks without placeholders and the empty mask.
const Row kDegenerate[] = {
    {"EmptyPromptTypes", "###", "", "12", 2, 0, Press('3'), "123", 3},
    {"EmptyPromptEmptyField", "###", "", "", 0, 0, Press('5'), "5", 1},
    {"EmptyPromptBackspace", "###", "", "123", 2, 0, kBack, "13", 1},
    {"EmptyPromptDelete", "###", "", "123", 0, 0, Down(46), "23", 0},
    {"EmptyPromptEndStopsAtEnd", "##-##", "", "1-", 0, 0, Down(35), "1-", 2},
    {"NoPlaceholdersRefuseKeys", "ABC", "_", "ABC", 1, 0, Press('x'), "ABC", 1},
    {"NoPlaceholdersEmptyFieldStaysEmpty", "ABC", "_", "", 0, 0, Press('x'), "", 0},
    {"NoPlaceholdersBackspaceWalksToStart", "ABC", "_", "ABC", 3, 0, kBack, "ABC", 0},
    {"NoPlaceholdersDelete", "ABC", "_", "ABC", 0, 0, Down(46), "ABC", 0},
    {"EmptyMaskRefusesKeys", "", "_", "", 0, 0, Press('5'), "", 0},
    {"EmptyMaskBackspace", "", "_", "", 0, 0, kBack, "", 0},
    {"EmptyMaskDropsForeignText", "", "_", "xyz", 3, 0, kBack, "", 0},
    {"EmptyMaskPaste", "", "_", "", 0, 0, Down('V', kCtrl), "", 0, 0, 0, "12"},
    {"EmptyMaskCopiesNothing", "", "_", "xyz", 0, 3, Down('C', kCtrl), "xyz", 0, 3, 0, "old", ""},
};
INSTANTIATE_TEST_SUITE_P(Degenerate, MaskKeys, ::testing::ValuesIn(kDegenerate),
                         [](const auto& info) { return std::string(info.param.what); });

// KeyDown, rules 1 to 11 in the order they are tried.
const Row kKeyDown[] = {
    // 1 Ctrl+C: the input inside the selection.
    {"CopyInputOfSelection", kPhone, "_", "(555) 123-4567", 6, 3, Down('C', kCtrl),
     "(555) 123-4567", 6, 3, 0, kUntouched, "123"},
    {"CopySkipsLiteralsAndPrompts", kPhone, "_", "(555) 1__-____", 0, 14, Down('C', kCtrl),
     "(555) 1__-____", 0, 14, 0, kUntouched, "5551"},
    {"CopyWithoutSelection", kPhone, "_", "(555) 123-4567", 3, 0, Down('C', kCtrl),
     "(555) 123-4567", 3, 0, 0, kUntouched, ""},
    {"CopyByNumpad3", kPhone, "_", "(555) 123-4567", 1, 3, Down(99, kCtrl), "(555) 123-4567", 1, 3,
     0, kUntouched, "555"},
    {"CopyWithCtrlShift", "###", "_", "123", 0, 2, Down('C', kCtrl | kShift), "123", 0, 2, 0,
     kUntouched, "12"},
    // 2 Ctrl+V: inserted raw and re-packed, refused when a class breaks.
    {"PasteShiftedLiteralRefused", "###-###", "_", "12_-___", 2, 0, Down('V', kCtrl), "12_-___", 2,
     0, 0, "3"},
    {"PasteAfterLiteral", "###-###", "_", "123-___", 4, 0, Down('V', kCtrl), "123-45_", 4, 0, 0,
     "45"},
    {"PasteOverSelection", "###", "_", "123", 0, 3, Down('V', kCtrl), "9__", 0, 0, 0, "9"},
    {"PasteWrongClassRefused", "###", "_", "___", 0, 0, Down('V', kCtrl), "___", 0, 0, 0, "ab"},
    {"PasteByF7", "###", "_", "1__", 1, 0, Down(118, kCtrl), "12_", 1, 0, 0, "2"},
    {"PasteIntoEmptyField", "###", "_", "", 0, 0, Down('V', kCtrl), "12_", 0, 0, 0, "12"},
    // A text that does not line up with the literals is bare input, inserted whole or not
    // at all (laid in position by position it would lose characters on the literals).
    {"PasteDisplayedTextLinesUp", kPhone, "_", "(___) ___-____", 0, 0, Down('V', kCtrl),
     "(555) 123-4567", 0, 0, 0, "(555) 123-4567"},
    {"PasteBareInputAcrossLiterals", kPhone, "_", "(___) ___-____", 0, 0, Down('V', kCtrl),
     "(555) 123-4567", 0, 0, 0, "5551234567"},
    {"PasteCopiedInputOverWholeText", kPhone, "_", "(555) 123-4567", 0, 14, Down('V', kCtrl),
     "(212) 555-0100", 0, 0, 0, "2125550100"},
    {"PasteBareInputBetweenInput", kPhone, "_", "(555) 4__-____", 6, 0, Down('V', kCtrl),
     "(555) 123-4___", 6, 0, 0, "123"},
    {"PasteThatDoesNotFitRefused", kPhone, "_", "(555) 123-4567", 6, 0, Down('V', kCtrl),
     "(555) 123-4567", 6, 0, 0, "9"},
    // 3 Delete and Ctrl+X.
    {"DeleteBeforeLiteral", kPhone, "_", "(123) 4__-____", 4, 0, Down(46), "(123) 4__-____", 4},
    {"DeleteClosesUp", kPhone, "_", "(123) 4__-____", 1, 0, Down(46), "(234) ___-____", 1},
    {"DeleteSelection", kPhone, "_", "(123) 456-____", 2, 5, Down(46), "(156) ___-____", 2},
    {"ShiftDeleteIsDelete", kPhone, "_", "(123) 4__-____", 1, 0, Down(46, kShift), "(234) ___-____",
     1},
    {"DeleteBreakingClassRefused", "#?#", "_", "1a2", 0, 0, Down(46), "1a2", 0},
    {"CutSelection", kPhone, "_", "(123) 456-____", 1, 3, Down('X', kCtrl), "(456) ___-____", 1, 0,
     0, kUntouched, "123"},
    {"CutCopiesRawText", kPhone, "_", "(123) 456-____", 3, 4, Down('X', kCtrl), "(125) 6__-____", 3,
     0, 0, kUntouched, "3) 4"},
    {"CutWithoutSelection", kPhone, "_", "(123) 4__-____", 1, 0, Down('X', kCtrl), "(234) ___-____",
     1, 0, 0, kUntouched, ""},
    {"CutByF9", "###", "_", "123", 0, 1, Down(120, kCtrl), "23_", 0, 0, 0, kUntouched, "1"},
    // 4 Ctrl+Shift+End: length counted from the start of the text.
    {"CtrlShiftEnd", kPhone, "_", "(555) 1__-____", 3, 0, Down(35, kCtrl | kShift),
     "(555) 1__-____", 3, 7},
    {"CtrlShiftEndOnPrompt", kPhone, "_", "(555) 1__-____", 8, 0, Down(35, kCtrl | kShift),
     "(555) 1__-____", 8, 0},
    // 5 Shift+Right (also with Ctrl).
    {"ShiftRightExtends", kPhone, "_", "(555) 1__-____", 2, 1, Down(39, kShift), "(555) 1__-____",
     2, 2},
    {"ShiftRightStopsAtPrompt", kPhone, "_", "(555) 1__-____", 6, 1, Down(39, kShift),
     "(555) 1__-____", 6, 1},
    {"CtrlShiftRightExtends", kPhone, "_", "(555) 1__-____", 0, 0, Down(39, kCtrl | kShift),
     "(555) 1__-____", 0, 1},
    // 6 Ctrl+Right.
    {"CtrlRightToBlank", kPhone, "_", "(555) 1__-____", 0, 0, Down(39, kCtrl), "(555) 1__-____", 5},
    {"CtrlRightStopsBeforePrompt", kPhone, "_", "(555) 1__-____", 5, 0, Down(39, kCtrl),
     "(555) 1__-____", 6},
    {"CtrlRightAtPrompt", kPhone, "_", "(555) 1__-____", 7, 0, Down(39, kCtrl), "(555) 1__-____",
     7},
    {"CtrlRightToEnd", kPhone, "_", "(555) 123-4567", 6, 0, Down(39, kCtrl), "(555) 123-4567", 14},
    // 7 Right and Down.
    {"RightBeforePromptSwallowed", kPhone, "_", "(555) 1__-____", 7, 0, Down(39), "(555) 1__-____",
     7},
    {"RightPasses", kPhone, "_", "(555) 1__-____", 2, 0, Down(39), "(555) 1__-____", 2, 0, 39},
    {"RightDropsSelectionBeforePrompt", kPhone, "_", "(555) 1__-____", 5, 2, Down(39),
     "(555) 1__-____", 5},
    {"DownBeforePromptSwallowed", kPhone, "_", "(555) 1__-____", 7, 0, Down(40), "(555) 1__-____",
     7},
    {"DownPasses", kPhone, "_", "(555) 1__-____", 2, 0, Down(40), "(555) 1__-____", 2, 0, 40},
    {"RightPassesPlaceholderPrompt", "&&", "#", "a#", 1, 0, Down(39), "a#", 1, 0, 39},
    // 8 Left.
    {"LeftWithSelectionPasses", kPhone, "_", "(555) 1__-____", 8, 2, Down(37), "(555) 1__-____", 8,
     2, 37},
    {"LeftSelectionBehindPrompt", kPhone, "_", "(555) 1__-____", 9, 1, Down(37), "(555) 1__-____",
     9, 1, 0},
    {"LeftWithoutSelectionPasses", kPhone, "_", "(555) 1__-____", 9, 0, Down(37), "(555) 1__-____",
     9, 0, 37},
    // 9 End.
    {"EndToFirstPrompt", kPhone, "_", "(555) 1__-____", 0, 0, Down(35), "(555) 1__-____", 7},
    {"EndBackToFirstPrompt", kPhone, "_", "(555) 1__-____", 9, 0, Down(35), "(555) 1__-____", 7},
    {"EndStaysBeforePrompt", kPhone, "_", "(555) 1__-____", 12, 0, Down(35), "(555) 1__-____", 12},
    {"EndOfFullText", kPhone, "_", "(555) 123-4567", 0, 0, Down(35), "(555) 123-4567", 14},
    {"CtrlEndIsEnd", kPhone, "_", "(555) 1__-____", 0, 0, Down(35, kCtrl), "(555) 1__-____", 7},
    // 10 Shift+End.
    {"ShiftEndSelectsToPrompt", kPhone, "_", "(555) 1__-____", 2, 0, Down(35, kShift),
     "(555) 1__-____", 2, 5},
    {"ShiftEndOfFullText", kPhone, "_", "(555) 123-4567", 10, 0, Down(35, kShift), "(555) 123-4567",
     10, 4},
    {"ShiftEndAtPrompt", kPhone, "_", "(555) 1__-____", 7, 0, Down(35, kShift), "(555) 1__-____", 7,
     0},
    // 11 Everything else passes.
    {"HomePasses", kPhone, "_", "(555) 1__-____", 3, 0, Down(36), "(555) 1__-____", 3, 0, 36},
    {"UpPasses", kPhone, "_", "(555) 1__-____", 3, 0, Down(38), "(555) 1__-____", 3, 0, 38},
    {"BackspaceDownPasses", kPhone, "_", "(555) 1__-____", 3, 0, Down(8), "(555) 1__-____", 3, 0,
     8},
    {"ShiftInsertPasses", kPhone, "_", "(555) 1__-____", 3, 0, Down(45, kShift), "(555) 1__-____",
     3, 0, 45},
    {"CtrlInsertPasses", kPhone, "_", "(555) 1__-____", 3, 0, Down(45, kCtrl), "(555) 1__-____", 3,
     0, 45},
    {"LetterCWithoutCtrlPasses", kPhone, "_", "(555) 1__-____", 0, 3, Down('C'), "(555) 1__-____",
     0, 3, 'C'},
    {"AltCPasses", kPhone, "_", "(555) 1__-____", 0, 3, Down('C', kAlt), "(555) 1__-____", 0, 3,
     'C'},
};
INSTANTIATE_TEST_SUITE_P(KeyDown, MaskKeys, ::testing::ValuesIn(kKeyDown),
                         [](const auto& info) { return std::string(info.param.what); });

// The text helpers, with the stored prompt.
enum class Fn { GetUserInput, FormatWithMask, MaskRefresh, ReMask, TextData };
struct HelperRow {
  Fn fn;
  const char* prompt;
  const char* arg;
  const char* mask;
  const char* expected;
};

TEST(MaskHelpers, ConvertBetweenDisplayAndInput) {
  const HelperRow rows[] = {
      {Fn::GetUserInput, "_", "(555) 1__-____", kPhone, "5551"},
      {Fn::GetUserInput, "_", "123456", "###", "123"},  // beyond the mask: never input
      {Fn::GetUserInput, "_", "x1y", "-#-", "1"},       // literal positions: never input
      {Fn::GetUserInput, "_", "12", "####", "12"},      // short text
      {Fn::GetUserInput, "", "1_2", "###", "1_2"},      // empty prompt: all is input
      {Fn::GetUserInput, "_", "abc", "", ""},           // empty mask
      {Fn::FormatWithMask, "_", "5551234567", kPhone, "(555) 123-4567"},
      {Fn::FormatWithMask, "_", "(555) 123-4567", kPhone, "((55) 5) -123-"},  // no class check
      {Fn::FormatWithMask, "_", "", "##-#", "__-_"},
      {Fn::FormatWithMask, "_", "12345", "##", "12"},
      {Fn::FormatWithMask, "", "1", "##-#", "1-"},  // empty prompt: one unit less per blank
      {Fn::FormatWithMask, "_", "1", "ABC", "ABC"},
      {Fn::FormatWithMask, "_", "1", "", ""},
      {Fn::MaskRefresh, "_", "(1_3) 4__-____", kPhone, "(134) ___-____"},
      {Fn::MaskRefresh, "_", "", kPhone, "(___) ___-____"},
      {Fn::MaskRefresh, "*", "(555) 1__-____", kPhone, "(555) 1__-____"},  // "_" is input now
      {Fn::ReMask, "*", "(555) 1__-____", kPhone, "(***) ***-****"},
      {Fn::ReMask, "_", "(___) ___-____", kPhone, "() -"},
      {Fn::ReMask, "_", "", "##", "__"},  // a missing character differs from the prompt
      {Fn::TextData, "_", "(555) 1__-____", "", "(555) 1-"},
      {Fn::TextData, "", "(555) 1__-____", "", "(555) 1__-____"},
  };
  for (const auto& row : rows) {
    HeadlessClipboard clipboard;
    clsMask engine(clipboard);
    engine.SetPromptChar(U(row.prompt));
    const auto arg = U(row.arg);
    const auto mask = U(row.mask);
    std::u16string got;
    switch (row.fn) {
      case Fn::GetUserInput:
        got = engine.GetUserInput(arg, mask);
        break;
      case Fn::FormatWithMask:
        got = engine.FormatWithMask(arg, mask);
        break;
      case Fn::MaskRefresh:
        got = engine.MaskRefresh(arg, mask);
        break;
      case Fn::ReMask:
        got = engine.ReMask(arg, mask);
        break;
      case Fn::TextData:
        got = engine.TextData(arg);
        break;
    }
    EXPECT_EQ(ToUtf8(got), row.expected)
        << "fn " << static_cast<int>(row.fn) << " of \"" << row.arg << "\" with \"" << row.mask
        << "\", prompt \"" << row.prompt << "\"";
  }
}

TEST(MaskHelpers, InsertUserInputAtTheCaret) {
  HeadlessClipboard clipboard;
  HeadlessField field(clipboard);
  clsMask engine(clipboard);
  engine.SetPromptChar(u"_");
  field.SetText(u"1__");
  field.SetSelStart(1);
  field.SetSelLength(2);  // plays no part
  EXPECT_EQ(engine.InsertUserInput(field, u"###", u"23"), u"123");
  field.SetSelStart(0);
  EXPECT_EQ(engine.InsertUserInput(field, u"###", u"9"), u"91");
  EXPECT_EQ(engine.InsertUserInput(field, u"", u"9"), u"");
}

TEST(MaskHelpers, PromptKeepsOneCodeUnit) {
  HeadlessClipboard clipboard;
  clsMask engine(clipboard);
  engine.SetPromptChar(u"*#");
  EXPECT_EQ(engine.PromptChar(), u"*");
  EXPECT_EQ(engine.FormatWithMask(u"", u"##"), u"**");
  engine.SetPromptChar(u"");
  EXPECT_EQ(engine.PromptChar(), u"");
}

// Caret positions and lengths beyond 16 bits.
TEST(MaskLongTexts, PositionsDoNotWrap) {
  HeadlessClipboard clipboard;
  HeadlessField field(clipboard);
  clsMask engine(clipboard);
  const std::u16string mask(40000, u'#');
  engine.SetMask(mask);
  engine.SetPromptChar(u"_");
  field.SetText(std::u16string(39999, u'1') + u"_");
  field.SetSelStart(39999);
  engine.KeyPress(field, '7');
  EXPECT_EQ(field.Text(), std::u16string(39999, u'1') + u"7");
  EXPECT_EQ(field.SelStart(), 40000);
  engine.KeyPress(field, 8);
  EXPECT_EQ(field.Text(), std::u16string(39999, u'1') + u"_");
  EXPECT_EQ(field.SelStart(), 39999);
  engine.KeyDown(field, 35, 0);
  EXPECT_EQ(field.SelStart(), 39999);
  field.SetSelStart(0);
  engine.KeyDown(field, 35, kShift);
  EXPECT_EQ(field.SelLength(), 39999);
  engine.KeyDown(field, 'C', kCtrl);
  EXPECT_EQ(clipboard.GetText(), std::u16string(39999, u'1'));
}

// Random keys on varied masks and prompts: no key leaves a text that is not the rendered
// form of its input (with a one-unit prompt), and the caret stays within the text.
TEST(MaskRandomWalk, TemplateNeverBreaks) {
  const char* masks[] = {kPhone, "", "ABC", "#?#", "&&&", ">%<-&#", "##/##/####"};
  const char* prompts[] = {"_", "", "#", "a", "0"};
  const Key keys[] = {Press('5'),
                      Press('a'),
                      Press('Z'),
                      Press('_'),
                      Press('#'),
                      Press(0xE9),
                      Press(0xFF21),
                      Press(3),
                      kBack,
                      Down(46),
                      Down(46, kShift),
                      Down('C', kCtrl),
                      Down('V', kCtrl),
                      Down('X', kCtrl),
                      Down(35),
                      Down(35, kShift),
                      Down(35, kShift | kCtrl),
                      Down(37),
                      Down(39),
                      Down(39, kShift),
                      Down(39, kCtrl),
                      Down(40)};
  std::mt19937 random(20240601);
  for (const char* mask : masks) {
    for (const char* prompt : prompts) {
      HeadlessClipboard clipboard;
      HeadlessField field(clipboard);
      clsMask engine(clipboard);
      engine.SetMask(U(mask));
      engine.SetPromptChar(U(prompt));
      const bool oneUnit = std::string(prompt).size() == 1;
      for (int step = 0; step < 400; ++step) {
        const auto length = static_cast<int32_t>(field.Text().size());
        if (random() % 4 == 0) {
          field.SetSelStart(static_cast<int32_t>(random() % (length + 1)));
          field.SetSelLength(static_cast<int32_t>(random() % 4));
        }
        const Key& key = keys[random() % std::size(keys)];
        if (key.down) {
          engine.KeyDown(field, key.code, key.shift);
        } else {
          EXPECT_EQ(engine.KeyPress(field, key.code), 0);
        }
        const auto text = field.Text();
        if (oneUnit && !text.empty()) {
          ASSERT_EQ(text, engine.MaskRefresh(text, U(mask)))
              << "mask " << mask << " prompt " << prompt << " step " << step;
        }
        ASSERT_LE(field.SelStart() + field.SelLength(), static_cast<int32_t>(text.size()));
      }
    }
  }
}

}  // namespace
}  // namespace entrybox
