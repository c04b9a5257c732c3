// Every sequence of one and of two keys, from the empty field, the empty template and
// the full template of a few short masks, with the caret at every place and no, one or
// all following characters selected. After every keystroke the mask box must keep:
//   - the caret and the selection within the text;
//   - a text that the keystroke changed is the rendered form of its own input (as long
//     as the mask, literals in place, input packed to the left, prompts after it);
//   - every input character fits the class of its placeholder;
//   - a read-only box keeps its text whatever the keys.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "entrybox/controls/Factory.h"
#include "entrybox/engines/clsMask.h"
#include "entrybox/headless/HeadlessClipboard.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Keys.h"
#include "entrybox/values/Strings.h"

namespace entrybox {
namespace {

// One keystroke as the platform delivers it: KeyDown, KeyPress (0: none), KeyUp.
struct Key {
  const char* name;
  int16_t code;
  int16_t shift;
  int16_t press;
};

constexpr int16_t S = keys::kShift;
constexpr int16_t C = keys::kCtrl;

const std::vector<Key>& Keys() {
  static const std::vector<Key> keys = {
      {"0", '0', 0, '0'},
      {"7", '7', 0, '7'},
      {"a", 'A', 0, 'a'},
      {"Z", 'Z', S, 'Z'},
      {"_", 189, S, '_'},
      {"space", ' ', 0, ' '},
      {"-", 189, 0, '-'},
      {"(", '9', S, '('},
      {"e-acute", 0, 0, 0xE9},
      {"Backspace", keys::kBack, 0, 8},
      {"Delete", keys::kDelete, 0, 0},
      {"Shift+Delete", keys::kDelete, S, 0},
      {"Left", keys::kLeft, 0, 0},
      {"Shift+Left", keys::kLeft, S, 0},
      {"Right", keys::kRight, 0, 0},
      {"Shift+Right", keys::kRight, S, 0},
      {"Ctrl+Right", keys::kRight, C, 0},
      {"Ctrl+Shift+Right", keys::kRight, C | S, 0},
      {"Home", keys::kHome, 0, 0},
      {"Shift+Home", keys::kHome, S, 0},
      {"End", keys::kEnd, 0, 0},
      {"Shift+End", keys::kEnd, S, 0},
      {"Ctrl+Shift+End", keys::kEnd, C | S, 0},
      {"Up", keys::kUp, 0, 0},
      {"Down", keys::kDown, 0, 0},
      {"Shift+Insert", keys::kInsert, S, 0},
      {"Ctrl+Insert", keys::kInsert, C, 0},
      {"Ctrl+C", 'C', C, 3},
      {"Ctrl+V", 'V', C, 22},
      {"Ctrl+X", 'X', C, 24},
      {"Ctrl+Numpad3", keys::kNumpad3, C, 0},
      {"Ctrl+F7", keys::kF7, C, 0},
      {"Ctrl+F9", keys::kF9, C, 0},
      {"Enter", keys::kReturn, 0, 13},
      {"Escape", keys::kEscape, 0, 27},
  };
  return keys;
}

struct MaskCase {
  const char* mask;
  const char* full;  // bare input that fills every placeholder
  const char* clipboard;
};

bool IsLetter(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

// Whether every input character of `text` fits the class of its placeholder.
bool FitsPlaceholders(const std::u16string& text, const std::u16string& mask, char16_t prompt) {
  for (size_t i = 0; i < mask.size() && i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == prompt) continue;
    switch (mask[i]) {
      case u'#':
        if (!IsDigit(c)) return false;
        break;
      case u'?':
      case u'>':
      case u'<':
        if (!IsLetter(c)) return false;
        break;
      case u'%':
        if (!IsLetter(c) && !IsDigit(c)) return false;
        break;
      default:
        break;
    }
  }
  return true;
}

class EveryKeySequence : public testing::TestWithParam<MaskCase> {
 protected:
  void SetUp() override {
    site = container.NewSite(host);
    box = CreateControl("mask", *site);
    ASSERT_NE(box, nullptr);
    box->InitProperties();
    box->Resize();
    box->SetProperty("Mask", U(GetParam().mask));
    mask = U(GetParam().mask);
    engine.SetMask(mask);
    engine.SetPromptChar(u"_");
  }
  void TearDown() override { box.reset(); }

  HeadlessField& Field() { return site->Field(); }

  // The start states: the empty field, the empty template and the full template.
  std::vector<std::u16string> StartTexts() {
    return {u"", engine.FormatWithMask(u"", mask), engine.FormatWithMask(U(GetParam().full), mask)};
  }

  // Delivers one keystroke and checks the invariants; returns false at the first break.
  bool Deliver(const Key& key, bool readOnly, const std::string& path) {
    const std::u16string before = Field().Text();
    Field().KeyDown(key.code, key.shift);
    if (!CheckAfter(before, readOnly, path + " (KeyDown)")) return false;
    if (key.press != 0) {
      const std::u16string mid = Field().Text();
      Field().KeyPress(key.press);
      if (!CheckAfter(mid, readOnly, path + " (KeyPress)")) return false;
    }
    const std::u16string beforeUp = Field().Text();
    Field().KeyUp(key.code, key.shift);
    if (Field().Text() != beforeUp) {
      ADD_FAILURE() << path << ": KeyUp changed the text";
      return false;
    }
    return true;
  }

  bool CheckAfter(const std::u16string& before, bool readOnly, const std::string& path) {
    const std::u16string text = Field().Text();
    const auto len = static_cast<int32_t>(text.size());
    const int32_t s = Field().SelStart();
    const int32_t n = Field().SelLength();
    if (s < 0 || s > len || n < 0 || n > len - s) {
      ADD_FAILURE() << path << ": selection " << s << "+" << n << " outside \"" << ToUtf8(text)
                    << "\"";
      return false;
    }
    if (readOnly) {
      if (text != before) {
        ADD_FAILURE() << path << ": a read-only box changed \"" << ToUtf8(before) << "\" to \""
                      << ToUtf8(text) << "\"";
        return false;
      }
      return true;
    }
    if (text == before) return true;
    ++changes;
    if (engine.MaskRefresh(text, mask) != text || text.size() != mask.size()) {
      ADD_FAILURE() << path << ": \"" << ToUtf8(text) << "\" is not the rendered form of its input";
      return false;
    }
    if (!FitsPlaceholders(text, mask, u'_')) {
      ADD_FAILURE() << path << ": \"" << ToUtf8(text) << "\" breaks a placeholder's class";
      return false;
    }
    return true;
  }

  // Runs every sequence of one and two keys from every start state.
  void RunAll(bool readOnly) {
    box->SetProperty("ReadOnly", readOnly);
    int failures = 0;
    sequences = 0;
    changes = 0;
    for (const std::u16string& start : StartTexts()) {
      const auto len = static_cast<int32_t>(start.size());
      for (int32_t caret = 0; caret <= len; ++caret) {
        std::vector<int32_t> selections{0};
        if (len - caret >= 1) selections.push_back(1);
        if (len - caret >= 2) selections.push_back(len - caret);
        for (int32_t selected : selections) {
          for (size_t first = 0; first < Keys().size(); ++first) {
            for (size_t second = 0; second <= Keys().size(); ++second) {
              Field().SetText(start);
              Field().SetSelStart(caret);
              Field().SetSelLength(selected);
              container.clipboard.SetText(U(GetParam().clipboard));
              const std::string path = "\"" + ToUtf8(start) + "\" at " + std::to_string(caret) +
                                       "+" + std::to_string(selected) + ": " + Keys()[first].name;
              bool ok = Deliver(Keys()[first], readOnly, path);
              // second == size: the single key alone.
              if (ok && second < Keys().size()) {
                ok = Deliver(Keys()[second], readOnly, path + ", " + Keys()[second].name);
              }
              ++sequences;
              if (!ok && ++failures >= 10) return;
            }
          }
        }
      }
    }
  }

  HeadlessContainer container;
  ControlEvents host;
  std::unique_ptr<HeadlessSite> site;
  std::unique_ptr<InputControl> box;
  std::u16string mask;
  int sequences = 0;
  int changes = 0;  // keystrokes that changed the text
  HeadlessClipboard scratch;
  clsMask engine{scratch};
};

TEST_P(EveryKeySequence, KeepsTheTemplate) {
  RunAll(false);
  RecordProperty("sequences", sequences);
  RecordProperty("changes", changes);
  EXPECT_GT(sequences, 10000);
  EXPECT_GT(changes, sequences / 10);  // the keys do edit
}

TEST_P(EveryKeySequence, ReadOnlyKeepsTheText) {
  RunAll(true);
  EXPECT_GT(sequences, 10000);
}

INSTANTIATE_TEST_SUITE_P(Masks, EveryKeySequence,
                         testing::Values(MaskCase{"###", "123", "9"}, MaskCase{"(##)", "45", "12"},
                                         MaskCase{"?#&", "a1x", "b"}, MaskCase{"<>%", "qQ7", "zZ"},
                                         MaskCase{"#-#", "12", "(3"}),
                         [](const testing::TestParamInfo<MaskCase>& info) {
                           return "Mask" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace entrybox
