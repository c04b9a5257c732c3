// The drop-down button (twButton) at the right edge of a control.
#pragma once

#include <cstdint>

namespace entrybox {

/// Receives the button's click.
class ButtonEvents {
 public:
  virtual void ButtonClicked() = 0;

 protected:
  ~ButtonEvents() = default;
};

/// The drop-down button: visibility, position, size, background colour and a click.
class twButton {
 public:
  virtual ~twButton() = default;
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool value) = 0;
  virtual double Left() const = 0;
  virtual void SetLeft(double value) = 0;
  virtual double Top() const = 0;
  virtual void SetTop(double value) = 0;
  virtual double Width() const = 0;
  virtual void SetWidth(double value) = 0;
  virtual double Height() const = 0;
  virtual void SetHeight(double value) = 0;
  virtual uint32_t BackColor() const = 0;
  virtual void SetBackColor(uint32_t value) = 0;
  /// Where the click goes (the owning control); null for none.
  virtual void SetEvents(ButtonEvents* events) = 0;
};

}  // namespace entrybox
