// The headless clipboard: a text in memory, empty at the start.
#pragma once

#include <string>

#include "entrybox/platform/Clipboard.h"

namespace entrybox {

/// In-memory plain-text clipboard.
class HeadlessClipboard : public Clipboard {
 public:
  std::u16string GetText() const override { return text; }
  void SetText(const std::u16string& value) override { text = value; }

 private:
  std::u16string text;
};

}  // namespace entrybox
