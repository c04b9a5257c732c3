// The edit field's undo history: which keystrokes make steps, how far it reaches, and
// that undo writes the field as any other write does.
#include <gtest/gtest.h>

#include <string>

#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessField.h"
#include "entrybox/platform/FieldHistory.h"

namespace entrybox {
namespace {

constexpr int16_t kCtrl = 2;
constexpr int16_t kShift = 1;

// A bare field (no control): its default actions alone, counting its Change notifications.
struct Field : EditFieldEvents {
  Field() { field.SetEvents(this); }
  void FieldChange() override { ++changes; }

  void Type(std::u16string_view text) {
    for (char16_t c : text)
      field.KeyPress(static_cast<int16_t>(c));
  }
  void Key(int16_t code, int16_t shift = 0) { field.KeyDown(code, shift); }
  void Undo() { Key(90, kCtrl); }
  void Redo() { Key(89, kCtrl); }
  std::u16string Text() const { return field.Text(); }

  HeadlessClipboard clipboard;
  HeadlessField field{clipboard};
  int changes = 0;
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

TEST(FieldHistory, UndoAndRedoWriteTextAndSelection) {
  Field f;
  f.Type(u"abc");
  f.Key(36, kShift);  // Home with Shift: "abc" selected
  f.Type(u"x");
  EXPECT_EQ(f.Text(), u"x");
  const int before = f.changes;
  f.Undo();
  EXPECT_EQ(f.Text(), u"abc");
  EXPECT_EQ(f.field.SelStart(), 0);
  EXPECT_EQ(f.field.SelLength(), 3);
  EXPECT_EQ(f.changes, before + 1);
  f.Key(90, kCtrl | kShift);  // redo
  EXPECT_EQ(f.Text(), u"x");
  EXPECT_EQ(f.field.SelStart(), 1);
  f.Undo();
  f.Undo();
  EXPECT_EQ(f.Text(), u"");
  f.Undo();  // nothing left: no write
  EXPECT_EQ(f.changes, before + 4);
  f.Redo();
  f.Redo();
  EXPECT_EQ(f.Text(), u"x");
  EXPECT_FALSE(f.field.History().CanRedo());
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
