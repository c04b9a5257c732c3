#include "entrybox/engines/clsMask.h"

#include <algorithm>
#include <limits>

#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

using Pos = std::ptrdiff_t;

constexpr std::u16string_view kPlaceholders = u"#&?%<>";

constexpr char16_t kBackspace = 8;
constexpr int16_t kEnd = 35;
constexpr int16_t kLeft = 37;
constexpr int16_t kRight = 39;
constexpr int16_t kDown = 40;
constexpr int16_t kDelete = 46;
constexpr int16_t kShiftBit = 1;
constexpr int16_t kCtrlBit = 2;

bool IsPlaceholder(char16_t m) {
  return kPlaceholders.find(m) != std::u16string_view::npos;
}

Pos Len(std::u16string_view s) {
  return static_cast<Pos>(s.size());
}

// The character at 1-based position i: one code unit, or "" beyond the ends.
std::u16string_view At(std::u16string_view s, Pos i) {
  if (i < 1 || i > Len(s)) return {};
  return s.substr(static_cast<size_t>(i - 1), 1);
}

// A position beyond the mask counts as a placeholder, so that the loops moving the caret
// over literals stop at the end of the mask.
bool IsLiteralAt(std::u16string_view mask, Pos i) {
  return i >= 1 && i <= Len(mask) && !IsPlaceholder(mask[static_cast<size_t>(i - 1)]);
}

char16_t UpperAscii(char16_t c) {
  return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}
char16_t LowerAscii(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c;
}

// The field takes 32-bit positions; a text that long cannot exist, but never wrap.
int32_t ToField(Pos n) {
  if (n > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (n < 0) return 0;
  return static_cast<int32_t>(n);
}

void WriteField(EditField& Ctrl, const std::u16string& sText, Pos caret) {
  Ctrl.SetText(sText);
  Ctrl.SetSelStart(ToField(caret));
  Ctrl.SetSelLength(0);
}

}  // namespace

clsMask::clsMask(Clipboard& clipboard) : clipboard(clipboard) {}

void clsMask::SetPromptChar(const std::u16string& NewValue) {
  sPromptChar = Left(NewValue, 1);
}

bool clsMask::IsLetter(char16_t code) {
  return (code >= 65 && code <= 90) || (code >= 97 && code <= 122);
}

bool clsMask::IsDigit(char16_t code) {
  return code >= 48 && code <= 57;
}

std::u16string clsMask::Prompts(Pos n) const {
  std::u16string result;
  for (Pos i = 0; i < n; ++i)
    result += sPromptChar;
  return result;
}

bool clsMask::AcceptsKey(char16_t m, char16_t& ch) const {
  switch (m) {
    case u'#':
      return IsDigit(ch);
    case u'&':
      return ch >= 32 && !IsPrompt(std::u16string_view(&ch, 1));
    case u'?':
      return IsLetter(ch);
    case u'%':
      return IsLetter(ch) || IsDigit(ch);
    case u'>':
      ch = UpperAscii(ch);
      return IsLetter(ch);
    case u'<':
      ch = LowerAscii(ch);
      return IsLetter(ch);
    default:
      return false;
  }
}

bool clsMask::IsValidInput(std::u16string_view sText, std::u16string_view sMask) const {
  for (Pos i = 1; i <= Len(sMask); ++i) {
    const auto c = At(sText, i);
    // A missing character has nothing to validate.
    if (c.empty() || IsPrompt(c)) continue;
    const char16_t ch = c[0];
    switch (sMask[static_cast<size_t>(i - 1)]) {
      case u'#':
        if (!IsDigit(ch)) return false;
        break;
      case u'?':
      case u'>':
      case u'<':
        if (!IsLetter(ch)) return false;
        break;
      case u'%':
        if (!IsLetter(ch) && !IsDigit(ch)) return false;
        break;
      default:
        break;
    }
  }
  return true;
}

std::u16string clsMask::GetUserInput(std::u16string_view sString, std::u16string_view sMask) const {
  std::u16string result;
  const Pos n = std::min(Len(sMask), Len(sString));
  for (Pos i = 1; i <= n; ++i) {
    if (IsPlaceholder(sMask[static_cast<size_t>(i - 1)]) && !IsPrompt(At(sString, i))) {
      result += sString[static_cast<size_t>(i - 1)];
    }
  }
  return result;
}

std::u16string clsMask::InsertUserInput(EditField& Ctrl, std::u16string_view sMask,
                                        std::u16string_view sInsert) const {
  const std::u16string T = Ctrl.Text();
  const Pos p = Ctrl.SelStart();
  std::u16string joined = Left(T, p);
  joined += sInsert;
  joined += Mid(T, p + 1, Len(sMask));
  return GetUserInput(joined, sMask);
}

std::u16string clsMask::FormatWithMask(std::u16string_view sString,
                                       std::u16string_view sMask) const {
  std::u16string result;
  result.reserve(sMask.size());
  Pos j = 0;
  for (const char16_t m : sMask) {
    if (!IsPlaceholder(m)) {
      result += m;
    } else if (j < Len(sString)) {
      result += sString[static_cast<size_t>(j++)];
    } else {
      result += sPromptChar;
    }
  }
  return result;
}

std::u16string clsMask::MaskRefresh(std::u16string_view sText, std::u16string_view sMask,
                                    std::u16string_view /*sDeletedChar*/) const {
  return FormatWithMask(GetUserInput(sText, sMask), sMask);
}

std::u16string clsMask::ReMask(std::u16string_view sText, std::u16string_view sMask) const {
  std::u16string result;
  for (Pos i = 1; i <= Len(sMask); ++i) {
    const char16_t m = sMask[static_cast<size_t>(i - 1)];
    if (!IsPlaceholder(m)) {
      result += m;
    } else if (i > Len(sText) || !IsPrompt(At(sText, i))) {
      result += sPromptChar;
    }
  }
  return result;
}

std::u16string clsMask::TextData(std::u16string_view sString) const {
  std::u16string result;
  for (Pos i = 1; i <= Len(sString); ++i) {
    if (!IsPrompt(At(sString, i))) result += sString[static_cast<size_t>(i - 1)];
  }
  return result;
}

int16_t clsMask::KeyPress(EditField& Ctrl, int16_t KeyAscii) {
  // Key codes are code units: -1 is U+FFFF, not a control character.
  const auto code = static_cast<char16_t>(KeyAscii);
  if (code == kBackspace) {
    BackspaceKey(Ctrl);
  } else {
    TypeKey(Ctrl, code);
  }
  return 0;
}

void clsMask::TypeKey(EditField& Ctrl, char16_t code) {
  std::u16string T = Ctrl.Text();
  const Pos p = Ctrl.SelStart();
  const Pos L = Ctrl.SelLength();
  // A new control's field is empty: type into the empty template, so that the first key
  // lands on the first placeholder and not on a leading literal.
  if (T.empty()) T = FormatWithMask({}, sInputMask);

  Pos q = p;
  while (IsLiteralAt(sInputMask, q + 1))
    ++q;
  if (q + 1 > Len(sInputMask)) return;  // at the end of the mask every key is refused
  char16_t ch = code;
  if (!AcceptsKey(sInputMask[static_cast<size_t>(q)], ch)) return;

  std::u16string candidate = Left(T, q);
  candidate += ch;
  const Pos selEnd = p + L;
  if (L <= 0 || q >= selEnd) {
    // Overtype the character at the placeholder (a selection of literals only holds
    // nothing to remove).
    candidate += Mid(T, q + 2);
  } else {
    // The typed character takes the first selected placeholder, the rest of the
    // selection turns into prompts that the refresh packs away. Positions are kept, so
    // the text after the selection stays on its own mask positions.
    candidate += Prompts(selEnd - q - 1);
    candidate += Mid(T, selEnd + 1);
  }
  Pos n = Len(Left(T, q)) + 1;

  candidate = MaskRefresh(candidate, sInputMask);
  if (!IsValidInput(candidate, sInputMask)) candidate = T;
  while (IsLiteralAt(sInputMask, n + 1))
    ++n;
  WriteField(Ctrl, MaskRefresh(candidate, sInputMask), n);
}

void clsMask::BackspaceKey(EditField& Ctrl) {
  const std::u16string T = Ctrl.Text();
  const Pos p = Ctrl.SelStart();
  const Pos L = Ctrl.SelLength();
  std::u16string candidate = T;
  Pos n = 0;
  if (L > 0) {
    // Backspace removes a selection, as Delete does, and nothing else.
    candidate = Left(T, p) + Prompts(L) + Mid(T, p + L + 1);
    candidate = MaskRefresh(candidate, sInputMask);
    if (!IsValidInput(candidate, sInputMask)) candidate = T;
    n = p;
  } else if (p > 0) {
    candidate = Left(T, p - 1) + sPromptChar + Mid(T, p + 1);
    candidate = MaskRefresh(candidate, sInputMask);
    n = p - 1;
    if (!IsValidInput(candidate, sInputMask)) candidate = T;
    while (n > 0 && IsLiteralAt(sInputMask, n))
      --n;
  }
  WriteField(Ctrl, MaskRefresh(candidate, sInputMask), n);
}

void clsMask::CopyInput(EditField& Ctrl) {
  const std::u16string T = Ctrl.Text();
  const Pos s = Ctrl.SelStart();
  const Pos L = Ctrl.SelLength();
  // Display positions of the selection, input characters only: with "(555) 123-4567" and
  // "123" selected the clipboard gets "123".
  std::u16string copied;
  const Pos last = std::min({s + L, Len(sInputMask), Len(T)});
  for (Pos i = s + 1; i <= last; ++i) {
    if (IsPlaceholder(sInputMask[static_cast<size_t>(i - 1)]) && !IsPrompt(At(T, i))) {
      copied += T[static_cast<size_t>(i - 1)];
    }
  }
  clipboard.SetText(copied);
}

bool clsMask::LinesUp(std::u16string_view sText) const {
  const Pos n = std::min(Len(sText), Len(sInputMask));
  for (Pos i = 1; i <= n; ++i) {
    const char16_t m = sInputMask[static_cast<size_t>(i - 1)];
    const auto c = At(sText, i);
    if (!IsPlaceholder(m) && c[0] != m && !IsPrompt(c)) return false;
  }
  return true;
}

std::u16string clsMask::InputIn(std::u16string_view sText, Pos first, Pos last) const {
  std::u16string result;
  last = std::min({last, Len(sInputMask), Len(sText)});
  for (Pos i = std::max(first, Pos{1}); i <= last; ++i) {
    if (IsPlaceholder(sInputMask[static_cast<size_t>(i - 1)]) && !IsPrompt(At(sText, i))) {
      result += sText[static_cast<size_t>(i - 1)];
    }
  }
  return result;
}

void clsMask::PasteClipboard(EditField& Ctrl) {
  const std::u16string T = Ctrl.Text();
  const Pos s = Ctrl.SelStart();
  const Pos L = Ctrl.SelLength();
  const std::u16string pasted = clipboard.GetText();
  std::u16string candidate = Left(T, s) + pasted + Mid(T, s + L + 1);
  if (!LinesUp(candidate)) {
    // Laid in position by position, a character would fall on a literal and be lost
    // ("5551234567" pasted at the start of "(___) ___-____"). The text is bare input,
    // as Ctrl+C copies it: it goes between the input before and after the selection,
    // and only when all of it fits.
    const std::u16string input =
        TextData(InputIn(T, 1, s) + pasted + InputIn(T, s + L + 1, Len(sInputMask)));
    const auto places = std::count_if(sInputMask.begin(), sInputMask.end(), IsPlaceholder);
    if (Len(input) > places) return;
    candidate = FormatWithMask(input, sInputMask);
  }
  candidate = MaskRefresh(candidate, sInputMask);
  if (!IsValidInput(candidate, sInputMask)) return;
  Ctrl.SetText(candidate);
  Ctrl.SetSelStart(ToField(s));
}

void clsMask::DeleteForward(EditField& Ctrl, bool cut) {
  if (cut) clipboard.SetText(Ctrl.SelText());
  const std::u16string T = Ctrl.Text();
  const Pos s = Ctrl.SelStart();
  const Pos L = Ctrl.SelLength();
  std::u16string candidate = Left(T, s);
  if (L <= 0) {
    candidate += sPromptChar;
    candidate += Mid(T, s + 2);
  } else {
    candidate += Prompts(L);
    candidate += Mid(T, s + L + 1);
  }
  candidate = MaskRefresh(candidate, sInputMask);
  if (!IsValidInput(candidate, sInputMask)) candidate = T;
  WriteField(Ctrl, candidate, s);
}

int16_t clsMask::KeyDown(EditField& Ctrl, int16_t KeyAscii, int16_t Shift) {
  const int16_t k = KeyAscii;
  const bool shiftDown = (Shift & kShiftBit) != 0;
  const bool ctrlDown = (Shift & kCtrlBit) != 0;
  const char16_t c = UpperAscii(static_cast<char16_t>(k));

  // 1 to 3: clipboard keys and Delete.
  if (ctrlDown && c == u'C') {
    CopyInput(Ctrl);
    return 0;
  }
  if (ctrlDown && c == u'V') {
    PasteClipboard(Ctrl);
    return 0;
  }
  if ((ctrlDown && c == u'X') || k == kDelete) {
    DeleteForward(Ctrl, ctrlDown && c == u'X');
    return 0;
  }

  const std::u16string T = Ctrl.Text();
  const Pos s = Ctrl.SelStart();
  const Pos L = Ctrl.SelLength();

  // 4: Ctrl+Shift+End selects as many characters as stand before the first prompt.
  if (k == kEnd && shiftDown && ctrlDown) {
    if (!IsPrompt(At(T, s + 1))) {
      Pos n = 0;
      while (n < Len(T) && !IsPrompt(At(T, n + 1)))
        ++n;
      Ctrl.SetSelLength(ToField(n));
    }
    return 0;
  }
  // 5: Shift+Right extends the selection unless a prompt follows it.
  if (k == kRight && shiftDown) {
    if (!IsPrompt(At(T, s + L + 1))) Ctrl.SetSelLength(ToField(L + 1));
    return 0;
  }
  // 6: Ctrl+Right walks to the next blank, stopping in front of the prompts.
  if (k == kRight && ctrlDown) {
    if (!IsPrompt(At(T, s + 1))) {
      for (Pos i = 0; i < Len(T) - s + 1; ++i) {
        Ctrl.SetSelStart(ToField(Pos{Ctrl.SelStart()} + 1));
        const auto after = At(T, Pos{Ctrl.SelStart()} + 1);
        if (after == u" ") break;
        if (IsPrompt(after)) {
          Ctrl.SetSelStart(ToField(Pos{Ctrl.SelStart()} - 1));
          break;
        }
      }
    }
    return 0;
  }
  // 7: Right and Down do not go into the empty placeholders.
  if (k == kRight || k == kDown) {
    const auto after = At(T, s + L + 1);
    if (IsPrompt(after) && !(after.size() == 1 && IsPlaceholder(after[0]))) {
      Ctrl.SetSelLength(0);
      return 0;
    }
    return k;
  }
  // 8: Left with a selection that starts just behind a prompt stays.
  if (k == kLeft) {
    if (s - 1 > 0 && !Ctrl.SelText().empty() && IsPrompt(At(T, s - 1))) return 0;
    return kLeft;
  }
  // 9: End goes to the first prompt, unless a prompt already follows the caret.
  if (k == kEnd && Shift != kShiftBit) {
    for (Pos v = 1; v <= Len(T); ++v) {
      if (!IsPrompt(At(T, Pos{Ctrl.SelStart()} + 1))) Ctrl.SetSelStart(ToField(v));
    }
    return 0;
  }
  // 10: Shift+End selects up to the first prompt.
  if (k == kEnd) {
    if (!IsPrompt(At(T, s + L + 1))) {
      Pos n = 0;
      for (Pos v = s; v <= Len(T); ++v) {
        if (IsPrompt(At(T, v + 1))) break;
        ++n;
      }
      Ctrl.SetSelLength(ToField(n));
    }
    return 0;
  }
  // 11: any other key passes.
  return k;
}

}  // namespace entrybox
