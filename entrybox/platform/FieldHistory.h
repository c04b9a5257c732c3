// The edit field's undo history, shared by every platform's field so that undo behaves
// the same everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace entrybox {

class EditField;

/// What undo brings back: the text and the selection.
struct FieldState {
  std::u16string text;
  int32_t selStart = 0;
  int32_t selLength = 0;

  bool operator==(const FieldState&) const = default;
  /// The state of `field` now.
  static FieldState Of(const EditField& field);
};

/// A field's state as the field holds it, read without copying the text.
struct FieldStateView {
  std::u16string_view text;
  int32_t selStart = 0;
  int32_t selLength = 0;
};

/// Undo and redo lists of an edit field. The field calls Keystroke around every KeyDown
/// and KeyPress it delivers (the control's handling and its own default action included),
/// and ActOnKeyDown for the default action of a passed KeyDown.
///
/// A keystroke that changed the text makes the state from before it a step. Typed
/// characters (KeyPress of 32 or more) join the previous step while nothing else moved
/// the caret or changed the text in between:
///   "|" type "12" -> "12|" is one step; "1|" Left "|1" type "2" -> "2|1" is a second one.
class FieldHistory {
 public:
  /// Steps kept; the oldest is dropped beyond it.
  static constexpr std::size_t kDepth = 100;

  /// Runs one keystroke (`deliver`: the control's handling and the field's own action)
  /// and records it: a step when the text changed. `now` gives the field's state as a
  /// FieldStateView. `typed`: a KeyPress of code 32 or more. A keystroke that raised an
  /// error is recorded too: what the control wrote before the error is still a change
  /// the user may undo.
  template <typename Now, typename Deliver>
  void Record(bool typed, Now&& now, Deliver&& deliver) {
    Begin(now());
    try {
      deliver();
    } catch (...) {
      End(now(), typed);
      throw;
    }
    End(now(), typed);
  }

  /// The field's default action on a KeyDown the control passed on: Ctrl+Z undoes,
  /// Ctrl+Y and Ctrl+Shift+Z redo (nothing on a locked field). True when the key was one
  /// of these, so the field does nothing else with it.
  bool ActOnKeyDown(EditField& field, int16_t keyCode, int16_t shift);
  /// True for the keys ActOnKeyDown acts on.
  static bool IsHistoryKey(int16_t keyCode, int16_t shift);

  /// Brings back the last step with writes of the field's Text, SelStart and SelLength
  /// (so Change is raised); the state left goes to the redo list. False when there is no
  /// step.
  bool Undo(EditField& field);
  /// The reverse of Undo.
  bool Redo(EditField& field);

  bool CanUndo() const { return !undo.empty(); }
  bool CanRedo() const { return !redo.empty(); }
  std::size_t UndoCount() const { return undo.size(); }
  std::size_t RedoCount() const { return redo.size(); }

  /// Empties both lists (the field's state was set, not typed).
  void Clear();

 private:
  static void Restore(EditField& field, const FieldState& state);
  void Push(std::deque<FieldState>& list, FieldState state);
  void Begin(const FieldStateView& now);
  void End(const FieldStateView& after, bool typed);

  std::deque<FieldState> undo;
  std::deque<FieldState> redo;
  // The state before the keystroke being recorded. Kept between keystrokes, like runEnd,
  // so that its text is copied into the buffer it already has, not a new one per key.
  FieldState before;
  // The state a typing run left, while the run may still grow (inRun).
  FieldState runEnd;
  bool inRun = false;
};

}  // namespace entrybox
