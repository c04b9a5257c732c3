// One control's place in a Qt form.
#pragma once

#include <string_view>

#include "entrybox/platform/ControlSite.h"
#include "entrybox/qt/QtButton.h"
#include "entrybox/qt/QtContainer.h"
#include "entrybox/qt/QtField.h"

namespace entrybox {

class QtInputControl;

/// The ControlSite of a QtInputControl: its QtField and QtButton (children of the
/// widget), the container's services, and the widget's signals and virtuals for the
/// container's own operations. The inner size is kept in twips as written, so that a
/// control sized 2000 x 300 lays out in exactly those units; the widget shows it rounded
/// to pixels.
class QtSite : public ControlSite {
 public:
  QtSite(QtInputControl& owner, QtContainer& container);

  QtField& Field() override { return field; }
  QtButton& Button() override { return button; }
  entrybox::Clipboard& Clipboard() override { return container.Clipboard(); }
  const entrybox::Clock& Clock() const override { return container.Clock(); }
  FormHost& Forms() override { return container.Forms(); }
  ControlEvents& Events() override;
  void PropertyChanged(std::string_view name) override;
  bool CanPropertyChange(std::string_view name) override;
  entrybox::Font AmbientFont() const override;
  double ScaleWidth() const override { return width; }
  double ScaleHeight() const override { return height; }
  void Refresh() override;

  /// Sets the inner size in twips and resizes the widget to match; the caller then lays
  /// the control out (InputControl::Resize).
  void SetSize(double newWidth, double newHeight);

 private:
  friend class QtInputControl;

  QtInputControl& owner;
  QtContainer& container;
  QtField field;
  QtButton button;
  double width = 2000;
  double height = 300;
};

}  // namespace entrybox
