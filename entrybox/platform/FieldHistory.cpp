#include "entrybox/platform/FieldHistory.h"

#include <utility>

#include "entrybox/platform/EditField.h"
#include "entrybox/platform/Keys.h"

namespace entrybox {

namespace {
constexpr int16_t kKeyY = 89;
constexpr int16_t kKeyZ = 90;

bool IsUndoKey(int16_t keyCode, int16_t shift) {
  return keyCode == kKeyZ && (shift & keys::kCtrl) != 0 && (shift & keys::kShift) == 0;
}
bool IsRedoKey(int16_t keyCode, int16_t shift) {
  if ((shift & keys::kCtrl) == 0) return false;
  return keyCode == kKeyY || (keyCode == kKeyZ && (shift & keys::kShift) != 0);
}
}  // namespace

FieldState FieldState::Of(const EditField& field) {
  return {field.Text(), field.SelStart(), field.SelLength()};
}

void FieldHistory::Push(std::deque<FieldState>& list, FieldState state) {
  list.push_back(std::move(state));
  if (list.size() > kDepth) list.pop_front();
}

namespace {
void Assign(FieldState& state, const FieldStateView& view) {
  state.text.assign(view.text);
  state.selStart = view.selStart;
  state.selLength = view.selLength;
}
bool Same(const FieldState& state, const FieldStateView& view) {
  return state.text == view.text && state.selStart == view.selStart &&
         state.selLength == view.selLength;
}
}  // namespace

void FieldHistory::Begin(const FieldStateView& now) {
  Assign(before, now);
}

void FieldHistory::End(const FieldStateView& after, bool typed) {
  if (before.text == after.text) {
    // A caret move or a selection ends a typing run; a key that changed nothing does not.
    if (inRun && !Same(before, after)) inRun = false;
    return;
  }
  const bool joinsRun = typed && inRun && runEnd == before && !undo.empty();
  if (!joinsRun) Push(undo, before);
  redo.clear();
  inRun = typed;
  if (typed) Assign(runEnd, after);
}

bool FieldHistory::IsHistoryKey(int16_t keyCode, int16_t shift) {
  return IsUndoKey(keyCode, shift) || IsRedoKey(keyCode, shift);
}

bool FieldHistory::ActOnKeyDown(EditField& field, int16_t keyCode, int16_t shift) {
  if (!IsHistoryKey(keyCode, shift)) return false;
  if (field.Locked()) return true;
  if (IsUndoKey(keyCode, shift)) {
    Undo(field);
  } else {
    Redo(field);
  }
  return true;
}

void FieldHistory::Restore(EditField& field, const FieldState& state) {
  field.SetText(state.text);
  field.SetSelStart(state.selStart);
  field.SetSelLength(state.selLength);
}

bool FieldHistory::Undo(EditField& field) {
  if (undo.empty()) return false;
  FieldState step = std::move(undo.back());
  undo.pop_back();
  inRun = false;
  Push(redo, FieldState::Of(field));
  Restore(field, step);
  return true;
}

bool FieldHistory::Redo(EditField& field) {
  if (redo.empty()) return false;
  FieldState step = std::move(redo.back());
  redo.pop_back();
  inRun = false;
  Push(undo, FieldState::Of(field));
  Restore(field, step);
  return true;
}

void FieldHistory::Clear() {
  undo.clear();
  redo.clear();
  inRun = false;
}

}  // namespace entrybox
