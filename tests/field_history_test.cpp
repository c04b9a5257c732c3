// The edit field's undo history: which keystrokes make steps and how far it reaches
// (scenario scripts cover undo through the controls).
#include <gtest/gtest.h>

#include <string>

#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessField.h"
#include "entrybox/platform/FieldHistory.h"

namespace entrybox {
namespace {

constexpr int16_t kCtrl = 2;

// A bare field (no control): its default actions alone.
struct Field {
  void Type(std::u16string_view text) {
    for (char16_t c : text)
      field.KeyPress(static_cast<int16_t>(c));
  }
  void Key(int16_t code, int16_t shift = 0) { field.KeyDown(code, shift); }
  void Undo() { Key(90, kCtrl); }
  std::u16string Text() const { return field.Text(); }

  HeadlessClipboard clipboard;
  HeadlessField field{clipboard};
};

TEST(FieldHistory, TypingRunsAreOneStepUntilTheCaretMoves) {
  struct Case {
    const char* name;
    void (*act)(Field&);
    size_t steps;
  };
  const Case cases[] = {
      {"one run", [](Field& f) { f.Type(u"abc"); }, 1},
      {"caret moved between", [](Field& f) { f.Type(u"ab"), f.Key(37), f.Type(u"c"); }, 2},
      {"caret moved away and back",
       [](Field& f) { f.Type(u"ab"), f.Key(37), f.Key(39), f.Type(u"c"); }, 2},
      {"caret key that moves nothing", [](Field& f) { f.Type(u"ab"), f.Key(39), f.Type(u"c"); }, 1},
      {"each Backspace", [](Field& f) { f.Type(u"abc"), f.Type(u"\b\b"); }, 3},
      {"typing after Backspace", [](Field& f) { f.Type(u"a\bb"); }, 3},
      {"paste",
       [](Field& f) { f.clipboard.SetText(u"xy"), f.Type(u"a"), f.Key(86, kCtrl), f.Type(u"b"); },
       3},
      {"control characters change nothing",
       [](Field& f) {
         f.Type(
             u"a\x03\x16"
             u"b");
       },
       1},
      {"caret written between",
       [](Field& f) { f.Type(u"ab"), f.field.SetSelStart(0), f.Type(u"c"); }, 2},
  };
  for (const Case& c : cases) {
    Field f;
    c.act(f);
    EXPECT_EQ(f.field.History().UndoCount(), c.steps) << c.name;
  }
}

TEST(FieldHistory, NewStepDropsRedoAndLockedFieldKeepsItsText) {
  Field f;
  f.Type(u"ab");
  f.Undo();
  EXPECT_TRUE(f.field.History().CanRedo());
  f.Type(u"c");
  EXPECT_FALSE(f.field.History().CanRedo());
  f.field.SetLocked(true);
  f.Undo();
  EXPECT_EQ(f.Text(), u"c");
  f.field.SetLocked(false);
  f.Undo();
  EXPECT_EQ(f.Text(), u"");
}

TEST(FieldHistory, KeepsTheLastHundredSteps) {
  Field f;
  for (int i = 0; i < 150; ++i) {
    f.Type(u"a");
    f.Key(37);  // each character its own step
  }
  EXPECT_EQ(f.field.History().UndoCount(), FieldHistory::kDepth);
  for (int i = 0; i < 150; ++i)
    f.Undo();
  EXPECT_EQ(f.Text(), std::u16string(50, u'a'));
  EXPECT_EQ(f.field.History().RedoCount(), FieldHistory::kDepth);
  f.field.ClearHistory();
  EXPECT_FALSE(f.field.History().CanUndo());
  EXPECT_FALSE(f.field.History().CanRedo());
}

}  // namespace
}  // namespace entrybox
