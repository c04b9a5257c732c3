// The system clipboard, plain text only.
#pragma once

#include <string>

namespace entrybox {

/// Plain-text clipboard. An empty clipboard reads as "".
class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual std::u16string GetText() const = 0;
  virtual void SetText(const std::u16string& text) = 0;
};

}  // namespace entrybox
