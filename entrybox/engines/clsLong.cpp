#include "entrybox/engines/clsLong.h"

#include <algorithm>
#include <cmath>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

constexpr std::u16string_view kPlainPattern = u"#################0";
constexpr std::u16string_view kGroupedPattern = u"###,###,###,###,###,##0";

constexpr int16_t kBackspace = 8;
constexpr int16_t kUp = 38;
constexpr int16_t kDown = 40;
constexpr int16_t kMinus = 45;
constexpr int16_t kDelete = 46;
constexpr int16_t kDigitZero = 48;
constexpr int16_t kDigitNine = 57;
constexpr int16_t kCtrlBit = 2;
constexpr std::ptrdiff_t kMaxPosition = 32767;

bool IsDigitCode(int16_t code) {
  return code >= kDigitZero && code <= kDigitNine;
}

// The key is the letter (given in upper case) in either case.
bool IsLetter(int16_t code, char16_t upper) {
  return code == static_cast<int16_t>(upper) || code == static_cast<int16_t>(upper + 32);
}

bool StartsWith(std::u16string_view s, char16_t c) {
  return !s.empty() && s.front() == c;
}

std::ptrdiff_t CountCommas(std::u16string_view s) {
  return std::count(s.begin(), s.end(), u',');
}

// Caret positions are 16-bit in this engine: a longer text cannot be edited, and fails
// before anything is changed rather than wrapping a position round.
std::ptrdiff_t CheckedLength(std::u16string_view s) {
  const auto len = static_cast<std::ptrdiff_t>(s.size());
  if (len > kMaxPosition) RaiseOverflow();
  return len;
}

struct Selection {
  std::ptrdiff_t start;
  std::ptrdiff_t length;
};

// The field's caret and selection, kept inside a text of length len whatever the field
// reports.
Selection ReadSelection(const EditField& Ctrl, std::ptrdiff_t len) {
  const std::ptrdiff_t start = std::clamp<std::ptrdiff_t>(Ctrl.SelStart(), 0, len);
  const std::ptrdiff_t length = std::clamp<std::ptrdiff_t>(Ctrl.SelLength(), 0, len - start);
  return {start, length};
}

// Moves the caret, clamped to the field's text (a computed position may fall outside it).
void PlaceCaret(EditField& Ctrl, std::ptrdiff_t pos) {
  const auto len = static_cast<std::ptrdiff_t>(Ctrl.Text().size());
  Ctrl.SetSelStart(static_cast<int32_t>(std::clamp<std::ptrdiff_t>(pos, 0, len)));
}

}  // namespace

clsLong::clsLong(Clipboard& clipboard) : clipboard(clipboard) {}

std::u16string clsLong::FormatPlain(std::u16string_view sTxt) {
  return FormatPattern(sTxt, kPlainPattern);
}

std::u16string clsLong::FormatGrouped(std::u16string_view sTxt) {
  return FormatPattern(sTxt, kGroupedPattern);
}

double clsLong::ValueOf(std::u16string_view sTxt) {
  return LeadingValue(FormatPlain(sTxt));
}

bool clsLong::InRange(double value) const {
  return value >= minValue && value <= maxValue;
}

int16_t clsLong::KeyPress(EditField& Ctrl, int16_t KeyAscii) {
  if (KeyAscii == kBackspace) {
    DeleteBackward(Ctrl);
    ReformatAfterEdit(Ctrl, KeyAscii);
  } else if (KeyAscii == kMinus) {
    TypeMinus(Ctrl);
  } else if (IsDigitCode(KeyAscii)) {
    TypeDigit(Ctrl, static_cast<char16_t>(KeyAscii));
    ReformatAfterEdit(Ctrl, KeyAscii);
  }
  return 0;
}

// "-" goes in front of the number, wherever the caret is, when the negated value is
// allowed; no reformatting, so "-" alone stays while a negative number is typed.
void clsLong::TypeMinus(EditField& Ctrl) {
  const std::u16string T = Ctrl.Text();
  CheckedLength(T);
  if (-ValueOf(T) < minValue) return;
  if (InStr(T, u"-") != 0) return;
  Ctrl.SetText(u"-" + T);
  PlaceCaret(Ctrl, 1);
}

void clsLong::TypeDigit(EditField& Ctrl, char16_t digit) {
  const std::u16string T = Ctrl.Text();
  const std::ptrdiff_t len = CheckedLength(T);
  const auto [s, n] = ReadSelection(Ctrl, len);
  const std::u16string d(1, digit);

  std::u16string candidate;
  bool refused = false;
  if (n > 0) {
    candidate = Left(T, s) + d + Mid(T, s + n + 1);
  } else if (s == 0) {
    if (StartsWith(T, u'0')) {
      candidate = d + Mid(T, 2);  // the digit replaces the leading zero
    } else if (StartsWith(T, u'-')) {
      refused = true;  // "5-0" is no number
    } else if (digit == u'0' && ValueOf(T) != 0) {
      refused = true;
    } else {
      candidate = d + T;
    }
  } else if (s == 1 && StartsWith(T, u'-') && CharAt(T, 2) == u"0") {
    candidate = u"-" + d;  // "-|0" + "3" -> "-3|"
  } else if (s >= len) {
    candidate = T + d;
  } else if (digit == u'0' && ValueOf(T) == 0) {
    refused = true;
  } else {
    candidate = Left(T, s) + d + Mid(T, s + 1);
  }
  if (refused) return;

  const double value = ValueOf(candidate);
  if (!InRange(value)) return;
  if (!candidate.empty() && value == 0) candidate = u"0";
  Ctrl.SetText(candidate);
  PlaceCaret(Ctrl, s + 1);
}

void clsLong::DeleteBackward(EditField& Ctrl) {
  const std::u16string T = Ctrl.Text();
  if (T == u"0") return;
  const std::ptrdiff_t len = CheckedLength(T);
  const auto [s, n] = ReadSelection(Ctrl, len);

  if (n == 0 && s > 0) {
    // A separator is not deleted: the caret only steps over it.
    if (T[static_cast<size_t>(s - 1)] != u',') Ctrl.SetText(Left(T, s - 1) + Mid(T, s + 1));
    PlaceCaret(Ctrl, s - 1);
  } else if (n > 0) {
    Ctrl.SetText(Left(T, s) + Mid(T, s + n + 1));
    PlaceCaret(Ctrl, s);
  }

  // A separator left in front has no digits before it to group.
  const std::u16string after = Ctrl.Text();
  if (StartsWith(after, u',')) {
    const std::ptrdiff_t caret = Ctrl.SelStart();
    Ctrl.SetText(Mid(after, 2));
    PlaceCaret(Ctrl, caret - 1);
  }
}

int16_t clsLong::KeyDown(EditField& Ctrl, int16_t KeyCode, int16_t Shift) {
  const bool ctrlHeld = (Shift & kCtrlBit) != 0;
  if (ctrlHeld && IsLetter(KeyCode, u'C')) {
    CopySelection(Ctrl);
    return 0;
  }
  if (ctrlHeld && IsLetter(KeyCode, u'V')) {
    PasteClipboard(Ctrl);
    ReformatAfterEdit(Ctrl, KeyCode);
    return 0;
  }
  if (KeyCode == kUp) return StepValue(Ctrl, +1) ? 0 : KeyCode;
  if (KeyCode == kDown) return StepValue(Ctrl, -1) ? 0 : KeyCode;
  const bool cut = ctrlHeld && IsLetter(KeyCode, u'X');
  if (KeyCode == kDelete || cut) {
    DeleteForward(Ctrl, cut);
    ReformatAfterEdit(Ctrl, KeyCode);
    return 0;
  }
  return KeyCode;
}

// Copies the selection as a plain whole number ("1,234" -> "1234"). A selection that is
// no number ("", "-", ",") leaves the clipboard as it was.
void clsLong::CopySelection(EditField& Ctrl) {
  const std::u16string selected = Ctrl.SelText();
  if (!IsNumeric(selected)) return;
  clipboard.SetText(FormatPlain(selected));
}

// Pastes the clipboard's value written plain ("abc" and "" paste 0) in place of the
// selection, when the result is a number from max(0, Min) to Max; the caret stays.
void clsLong::PasteClipboard(EditField& Ctrl) {
  const std::u16string T = Ctrl.Text();
  const std::ptrdiff_t len = CheckedLength(T);
  const auto [s, n] = ReadSelection(Ctrl, len);
  const double pasted = ValueOf(clipboard.GetText());
  if (!std::isfinite(pasted)) return;

  const std::u16string candidate =
      Left(T, s) + FormatPattern(pasted, kPlainPattern) + Mid(T, s + n + 1);
  // A paste in front of "-" would build "5-3", which is no number.
  if (!IsNumeric(candidate)) return;
  const double value = ValueOf(candidate);
  if (value < 0 || !InRange(value)) return;
  Ctrl.SetText(candidate);
  PlaceCaret(Ctrl, s);
}

// Up (+1) or Down (-1) by SpinChange. The step is taken only when the value one further
// is allowed and the new value itself lies in Min..Max; "" and "-" count as 0.
bool clsLong::StepValue(EditField& Ctrl, int direction) {
  const std::u16string T = Ctrl.Text();
  CheckedLength(T);
  const double value = ValueOf(T);
  const bool guard = direction > 0 ? value + 1 <= maxValue : value - 1 >= minValue;
  const double next = RoundDown(value) + direction * static_cast<double>(spinChange);
  if (!guard || !InRange(next)) return false;

  const std::ptrdiff_t caret = Ctrl.SelStart();
  Ctrl.SetText(FormatPattern(next, kPlainPattern));
  ReformatAfterEdit(Ctrl, direction > 0 ? kUp : kDown);
  PlaceCaret(Ctrl, caret);
  return true;
}

// Delete removes the selection, or the character after the caret; cut first puts the
// selection on the clipboard as it stands. A selection whose removal leaves Min..Max
// stays; a text left empty becomes "0".
void clsLong::DeleteForward(EditField& Ctrl, bool cut) {
  const std::u16string T = Ctrl.Text();
  const std::ptrdiff_t len = CheckedLength(T);
  const auto [s, n] = ReadSelection(Ctrl, len);
  // Cutting nothing keeps what the clipboard holds, as copying nothing does.
  if (cut && n > 0) clipboard.SetText(Ctrl.SelText());

  std::u16string candidate;
  if (n == 0) {
    candidate = Left(T, s) + Mid(T, s + 2);
  } else {
    candidate = Left(T, s) + Mid(T, s + n + 1);
    if (!InRange(ValueOf(candidate))) candidate = T;
  }
  if (candidate.empty()) candidate = u"0";
  Ctrl.SetText(candidate);
  PlaceCaret(Ctrl, s);
}

int16_t clsLong::MainNumeric(std::u16string_view sType, EditField& Ctrl, int16_t KeyAscii,
                             int16_t Shift) {
  if (EqualsNoCase(sType, u"KEYPRESS")) return KeyPress(Ctrl, KeyAscii);
  if (EqualsNoCase(sType, u"KEYDOWN")) return KeyDown(Ctrl, KeyAscii, Shift);
  return 0;
}

// Brings the text back to its form after an editing key: grouped when Formatted, else
// plain, keeping the caret.
void clsLong::ReformatAfterEdit(EditField& Ctrl, int16_t KeyCode) {
  const bool editingKey = KeyCode == kBackspace || KeyCode == kUp || KeyCode == kDown ||
                          KeyCode == kDelete || IsDigitCode(KeyCode) || IsLetter(KeyCode, u'V') ||
                          IsLetter(KeyCode, u'X');
  if (!editingKey) return;
  if (formatted) {
    RegroupText(Ctrl);
    return;
  }
  const std::ptrdiff_t caret = Ctrl.SelStart();
  Ctrl.SetText(FormatPlain(Ctrl.Text()));
  PlaceCaret(Ctrl, caret);
}

// Regroups the thousands and moves the caret by the separators gained or lost:
// "1,5|234" -> "15,|234".
void clsLong::RegroupText(EditField& Ctrl) {
  const std::ptrdiff_t caret = Ctrl.SelStart();
  const std::u16string T = Ctrl.Text();
  const std::ptrdiff_t oldCount = CountCommas(T);
  std::u16string grouped = FormatGrouped(T);
  const std::ptrdiff_t newCount = CountCommas(grouped);
  if (StartsWith(grouped, u',')) grouped.insert(0, u"0");
  Ctrl.SetText(FormatGrouped(grouped));
  PlaceCaret(Ctrl, caret + newCount - oldCount);
}

}  // namespace entrybox
