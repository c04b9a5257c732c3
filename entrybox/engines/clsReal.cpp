#include "entrybox/engines/clsReal.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "entrybox/platform/Error.h"
#include "entrybox/values/Number.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

constexpr int16_t kBackspace = 8;
constexpr int16_t kUp = 38;
constexpr int16_t kDown = 40;
constexpr int16_t kDelete = 46;
constexpr int16_t kPoint = 46;  // "." in KeyPress
constexpr int16_t kMinus = 45;  // "-" in KeyPress
constexpr int16_t kCtrlBit = 2;

// Positions are kept as ptrdiff_t rather than 16-bit values, so that a long text a host
// writes into the field cannot overflow the caret arithmetic.
using Pos = std::ptrdiff_t;

Pos Length(std::u16string_view s) {
  return static_cast<Pos>(s.size());
}

// The field's text and selection, clamped to the text so that the piece arithmetic below
// never runs outside it, whatever a field reports.
struct Snapshot {
  std::u16string T;
  Pos s = 0;
  Pos n = 0;
};

Snapshot Read(const EditField& Ctrl) {
  Snapshot v;
  v.T = Ctrl.Text();
  v.s = std::clamp<Pos>(Ctrl.SelStart(), 0, Length(v.T));
  v.n = std::clamp<Pos>(Ctrl.SelLength(), 0, Length(v.T) - v.s);
  return v;
}

Pos Caret(const EditField& Ctrl) {
  return std::clamp<Pos>(Ctrl.SelStart(), 0, Length(Ctrl.Text()));
}

// Moves the caret, kept within the current text.
void SetCaret(EditField& Ctrl, Pos caret) {
  Ctrl.SetSelStart(static_cast<int32_t>(std::clamp<Pos>(caret, 0, Length(Ctrl.Text()))));
}

// The first "." of a text, 1-based; 0 when there is none.
Pos PointOf(std::u16string_view s) {
  return InStr(s, u".");
}

bool StartsWith(std::u16string_view s, char16_t c) {
  return !s.empty() && s.front() == c;
}
bool EndsWith(std::u16string_view s, char16_t c) {
  return !s.empty() && s.back() == c;
}

// Whether KeyCode is the letter `upper` in either case (C is 67 or 99).
bool IsLetter(int16_t KeyCode, char16_t upper) {
  return KeyCode == static_cast<int16_t>(upper) || KeyCode == static_cast<int16_t>(upper + 32);
}

bool IsDigitCode(int16_t code) {
  return code >= u'0' && code <= u'9';
}

}  // namespace

clsReal::clsReal(Clipboard& clipboard) : clipboard(clipboard) {}

// ---- text forms -------------------------------------------------------------------------

std::ptrdiff_t clsReal::Places() const {
  return std::max<std::ptrdiff_t>(decimalPlaces, 0);
}

std::u16string clsReal::ZeroString() const {
  return Repeat(u'0', Places());
}

std::u16string clsReal::ZeroText() const {
  return u"0." + ZeroString();
}

std::u16string clsReal::FormatPlain(std::u16string_view sString) const {
  return FormatPattern(sString, u"#################0." + ZeroString());
}

std::u16string clsReal::FormatGrouped(std::u16string_view sString) const {
  return FormatPattern(sString, u"###,###,###,###,###,##0." + ZeroString());
}

double clsReal::ValueOf(std::u16string_view sString) const {
  return LeadingValue(FormatPlain(sString));
}

double clsReal::LimitValue(double value) const {
  // Infinities and NaN have no text that reads back; compare them as they are, so that
  // -inf cannot slip under the Min limit as "value 0" and NaN fails both limits.
  if (!std::isfinite(value)) return value;
  return ValueOf(NumberToText(value));
}

std::u16string clsReal::RealFormat(const std::u16string& sString) const {
  return formatted ? FormatGrouped(sString) : FormatPlain(sString);
}

// ---- properties -------------------------------------------------------------------------

void clsReal::SetMin(double iMinVal) {
  if (!(LimitValue(iMinVal) >= LimitValue(-1.1e38))) RaiseLibraryError("Invalid property Min !");
  minVal = iMinVal;
}

void clsReal::SetMax(double iMaxVal) {
  if (!(LimitValue(iMaxVal) <= LimitValue(3.3e38))) RaiseLibraryError("Invalid property Max !");
  maxVal = iMaxVal;
}

// ---- keys ---------------------------------------------------------------------------------

int16_t clsReal::MainNumeric(std::u16string_view sType, EditField& Ctrl, int16_t KeyAscii,
                             int16_t Shift) {
  if (EqualsNoCase(sType, u"KEYPRESS")) return KeyPress(Ctrl, KeyAscii);
  if (EqualsNoCase(sType, u"KEYDOWN")) return KeyDown(Ctrl, KeyAscii, Shift);
  return 0;
}

int16_t clsReal::KeyPress(EditField& Ctrl, int16_t KeyAscii) {
  if (KeyAscii == kBackspace) {
    DeleteBackward(Ctrl);
    ReformatAfterEdit(Ctrl, KeyAscii);
    return 0;
  }

  const Snapshot v = Read(Ctrl);
  const std::u16string& T = v.T;

  if (KeyAscii == kPoint && decimalPlaces > 0) {
    // The point is never typed: the caret jumps behind the one the text has.
    if (!T.empty()) {
      const auto last = T.rfind(u'.');
      if (last != std::u16string::npos) SetCaret(Ctrl, static_cast<Pos>(last) + 1);
    } else {
      Ctrl.SetText(ZeroText());
      SetCaret(Ctrl, 2);
    }
    return 0;
  }

  if (KeyAscii == kMinus && -ValueOf(T) >= minVal) {
    // The key only ever adds the sign.
    if (T.find(u'-') == std::u16string::npos) {
      Ctrl.SetText(u"-" + T);
      SetCaret(Ctrl, v.s + 1);
    }
    return 0;
  }

  if (!IsDigitCode(KeyAscii)) return 0;

  const std::u16string d(1, static_cast<char16_t>(KeyAscii));
  const bool zero = KeyAscii == u'0';
  std::u16string C;
  if (!Ctrl.SelText().empty()) {
    C = Left(T, v.s) + d + Mid(T, v.s + v.n + 1);
  } else if (v.s == 0) {
    if (StartsWith(T, u'-')) return 0;  // no digit in front of the sign
    if (StartsWith(T, u'0')) {
      // The digit replaces the leading zero; the field holds the shortened text (caret at
      // 0) until the range test writes C or the reformatting restores the zero.
      Ctrl.SetText(Mid(T, 2));
      C = d + Ctrl.Text();
    } else {
      if (zero && ValueOf(T) != 0) return 0;  // no leading zeros
      C = d + T;
    }
  } else if (v.s == 1 && CharAt(T, 1) == u"-" && CharAt(T, 2) == u"0" && CharAt(T, 3) == u".") {
    C = u"-" + d + Mid(T, PointOf(T));  // "-|0.50" + 7 -> "-7.50"
  } else if (v.s >= Length(T)) {
    C = T + d;
  } else {
    if (zero && ValueOf(T) == 0) return 0;
    C = Left(T, v.s) + d + Mid(T, v.s + 1);
  }

  // Behind the point the number of decimals stays fixed: a digit typed among full decimals
  // pushes the last one out; one typed behind the last decimal falls away.
  const Pos p = PointOf(C);
  if (p > 0 && Caret(Ctrl) >= p && Length(C) - p > Places()) {
    std::u16string K = Left(C, Places() + p);
    if (InRange(ValueOf(K))) C = std::move(K);
  }

  if (InRange(ValueOf(C))) {
    const Pos caret = Caret(Ctrl);
    Ctrl.SetText(C);
    SetCaret(Ctrl, caret + 1);
  }
  ReformatAfterEdit(Ctrl, KeyAscii);
  return 0;
}

int16_t clsReal::KeyDown(EditField& Ctrl, int16_t KeyCode, int16_t Shift) {
  const bool ctrlHeld = (Shift & kCtrlBit) != 0;
  if (ctrlHeld && IsLetter(KeyCode, u'C')) {
    CopyText(Ctrl);
    return 0;
  }
  if (ctrlHeld && IsLetter(KeyCode, u'V')) {
    PasteText(Ctrl);
    ReformatAfterEdit(Ctrl, KeyCode);
    return 0;
  }
  if (KeyCode == kUp) return SpinValue(Ctrl, KeyCode, +1);
  if (KeyCode == kDown) return SpinValue(Ctrl, KeyCode, -1);
  if (KeyCode == kDelete || (ctrlHeld && IsLetter(KeyCode, u'X'))) {
    // Cut puts the raw selection on the clipboard; cutting nothing keeps what it holds.
    if (KeyCode != kDelete && Ctrl.SelLength() > 0) clipboard.SetText(Ctrl.SelText());
    return DeleteForward(Ctrl, KeyCode);
  }
  return KeyCode;
}

void clsReal::CopyText(EditField& Ctrl) {
  // A selection that is no number ("", "-", ",") leaves the clipboard as it was.
  const std::u16string sel = Ctrl.SelText();
  if (!IsNumeric(sel)) return;
  clipboard.SetText(FormatFixed(sel, static_cast<int>(Places()), true, false));
}

void clsReal::PasteText(EditField& Ctrl) {
  const Snapshot v = Read(Ctrl);
  // The clipboard counts by its value only: "12.5abc" pastes 12.5, "" pastes 0; a number
  // beyond the double range ("9E999") has no text and is refused.
  const double pasted = ValueOf(clipboard.GetText());
  if (!std::isfinite(pasted)) return;
  const std::u16string P = NumberToText(pasted);
  std::u16string C = Left(v.T, v.s) + P + Mid(v.T, v.s + v.n + 1);

  // Refused: a value out of range or negative, and a candidate that is no number (two
  // points, or a number pasted into the middle of another: "1|.50" + "-3" -> "1-3.50").
  const double value = ValueOf(C);
  if (!InRange(value) || value < 0 || !IsNumeric(C)) return;

  const Pos p = PointOf(C);
  if (p > 0) C = Left(C, Places() + p);  // surplus decimals dropped
  Ctrl.SetText(C);
  SetCaret(Ctrl, v.s);
}

int16_t clsReal::SpinValue(EditField& Ctrl, int16_t KeyCode, int direction) {
  const Snapshot v = Read(Ctrl);
  const double value = ValueOf(v.T);  // a text with no number counts as 0
  // Sums are compared as the decimals they stand for: 0.14 + 1 is 1.14, not the binary
  // 1.1400000000000001 that a Max of 1.14 would refuse.
  const double next = LimitValue(value + direction * static_cast<double>(spinChange));
  // Guarded by a step of 1 and, so that a larger step cannot carry the value past a
  // limit, by the new value itself.
  const bool guard =
      direction > 0 ? LimitValue(value + 1) <= maxVal : LimitValue(value - 1) >= minVal;
  if (!guard || !InRange(next)) return KeyCode;

  Ctrl.SetText(NumberToText(next));
  ReformatAfterEdit(Ctrl, KeyCode);
  SetCaret(Ctrl, v.s);
  return 0;
}

void clsReal::DeleteBackward(EditField& Ctrl) {
  const Snapshot v = Read(Ctrl);
  const std::u16string& T = v.T;
  const Pos s = v.s;
  if (T == u"0") return;

  if (v.n == 0 && s > 0) {
    const Pos p = PointOf(T);
    if (p > 0 && s + 1 > p) {
      if (CharAt(T, s) == u".") {
        SetCaret(Ctrl, s - 1);  // the point is never deleted
      } else {
        // A decimal goes; the decimals are refilled from the right: "12.34|" -> "12.3|0".
        Ctrl.SetText(Left(T, s - 1) + Mid(T, s + 1) + ZeroString());
        const std::u16string now = Ctrl.Text();
        Ctrl.SetText(Left(now, PointOf(now) + Places()));
        SetCaret(Ctrl, s - 1);
      }
    } else {
      Ctrl.SetText(Left(T, s - 1) + Mid(T, s + 1));
      SetCaret(Ctrl, s - 1);
    }
  } else if (v.n > 0) {
    Ctrl.SetText(Left(T, s) + Mid(T, s + v.n + 1));
    SetCaret(Ctrl, s);
  }

  const std::u16string now = Ctrl.Text();
  if (now.empty() || StartsWith(now, u'.') || ValueOf(now) == 0) {
    Ctrl.SetText(ZeroText());
    SetCaret(Ctrl, 0);
  }
}

int16_t clsReal::DeleteForward(EditField& Ctrl, int16_t KeyCode) {
  const Snapshot v = Read(Ctrl);
  const std::u16string& T = v.T;
  const Pos s = v.s;
  const Pos n = v.n;

  // By default the character after the caret goes, whatever the selection.
  std::u16string C = Left(T, s) + Mid(T, s + 2);
  if (StartsWith(C, u',')) C.erase(0, 1);
  if (CharAt(T, s + 1) == u".") C = T;  // the point is never deleted

  if (ValueOf(C) == 0) {
    C = u"0" + std::u16string(Places() > 0 ? u"." : u"") + ZeroString();
  } else {
    const Pos p = PointOf(T);
    if (n == 0 && p > 0 && s + 1 > p) {
      // A decimal goes; the decimals are refilled from the right: "12.|34" -> "12.|40".
      C = Left(T, s) + Mid(T, s + 2) + ZeroString();
      C = Left(C, PointOf(C) + Places());
    } else if (StartsWith(T, u'0') && n == 0) {
      C = T;  // nothing to delete in a lone zero integer part
    } else if (s == 0 && n == 0) {
      C = Mid(T, 2);
      if (StartsWith(C, u'.')) C = u"0" + C;
    } else if (n == 0) {
      // C stays as it is: the default candidate, or the text when a point follows.
    } else {
      C = Left(T, s) + Mid(T, s + n + 1);
      if (Ctrl.SelText().find(u'.') != std::u16string::npos) {
        C += u"." + ZeroString();
        if (!InRange(ValueOf(C))) C = T;
      }
      if (ValueOf(C) == 0) C = ZeroText();
      if (StartsWith(C, u'.')) C = u"0" + C;
      if (EndsWith(C, u'.')) C += ZeroString();
    }
  }

  Ctrl.SetText(C);
  SetCaret(Ctrl, s);
  ReformatAfterEdit(Ctrl, KeyCode);
  return 0;
}

void clsReal::ReformatAfterEdit(EditField& Ctrl, int16_t KeyCode) {
  const bool edits = KeyCode == kBackspace || KeyCode == kUp || KeyCode == kDown ||
                     KeyCode == kDelete || IsDigitCode(KeyCode) || IsLetter(KeyCode, u'V') ||
                     IsLetter(KeyCode, u'X');
  if (!edits) return;
  if (formatted) {
    RegroupText(Ctrl);
    return;
  }
  const Pos caret = Caret(Ctrl);
  Ctrl.SetText(FormatPlain(Ctrl.Text()));
  SetCaret(Ctrl, caret);
}

void clsReal::RegroupText(EditField& Ctrl) {
  const Pos caret = Caret(Ctrl);
  const std::u16string T = Ctrl.Text();
  const auto oldCount = std::count(T.begin(), T.end(), u',');
  std::u16string G = FormatGrouped(T);
  const auto newCount = std::count(G.begin(), G.end(), u',');
  if (StartsWith(G, u',')) G = u"0" + G;
  Ctrl.SetText(FormatGrouped(G));
  SetCaret(Ctrl, caret + newCount - oldCount);  // clamped to the text
}

}  // namespace entrybox
