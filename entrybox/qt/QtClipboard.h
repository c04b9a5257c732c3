// The system clipboard on Qt, plain text only.
#pragma once

#include "entrybox/platform/Clipboard.h"

namespace entrybox {

/// Clipboard over QGuiApplication's clipboard (its plain text). Needs a QGuiApplication.
class QtClipboard : public Clipboard {
 public:
  std::u16string GetText() const override;
  void SetText(const std::u16string& text) override;
};

}  // namespace entrybox
