// What the Qt controls of one form share.
#pragma once

#include <QWidget>
#include <optional>

#include "entrybox/platform/Font.h"
#include "entrybox/qt/QtClipboard.h"
#include "entrybox/qt/QtClock.h"
#include "entrybox/qt/QtFormHost.h"

namespace entrybox {

/// The services the Qt controls of a form share: clipboard, clock, form host and ambient
/// font. A control made without a container gets one of its own.
class QtContainer {
 public:
  QtContainer() = default;
  QtContainer(const QtContainer&) = delete;
  QtContainer& operator=(const QtContainer&) = delete;
  virtual ~QtContainer() = default;

  virtual entrybox::Clipboard& Clipboard() { return clipboard; }
  QtClock& Clock() { return clock; }
  virtual FormHost& Forms() { return forms; }

  /// The ambient font of `control`: the one set here, else the widget's own font (which
  /// it inherits from its parent).
  entrybox::Font AmbientFont(const QWidget& control) const;
  void SetAmbientFont(std::optional<entrybox::Font> font) { ambientFont = std::move(font); }

 private:
  QtClipboard clipboard;
  QtClock clock;
  QtFormHost forms;
  std::optional<entrybox::Font> ambientFont;
};

}  // namespace entrybox
