// The drop-down button on Qt: a QToolButton with a down arrow.
#pragma once

#include <QPointer>
#include <QToolButton>
#include <cstdint>
#include <exception>
#include <functional>

#include "entrybox/platform/Button.h"

namespace entrybox {

/// twButton over a QToolButton. Position and size are kept in twips as written and shown
/// in pixels, 15 twips to a pixel; it starts hidden at 0, 0 with size 0 x 0 and colour 0
/// (the palette's button colour).
class QtButton : public twButton {
 public:
  /// Creates the QToolButton as a child of `parent` (which owns it).
  explicit QtButton(QWidget* parent);
  ~QtButton() override;
  QtButton(const QtButton&) = delete;
  QtButton& operator=(const QtButton&) = delete;

  /// The QToolButton that shows the button.
  QToolButton& ToolButton() { return *button; }

  bool Visible() const override { return visible; }
  void SetVisible(bool value) override;
  double Left() const override { return left; }
  void SetLeft(double value) override;
  double Top() const override { return top; }
  void SetTop(double value) override;
  double Width() const override { return width; }
  void SetWidth(double value) override;
  double Height() const override { return height; }
  void SetHeight(double value) override;
  uint32_t BackColor() const override { return backColor; }
  void SetBackColor(uint32_t value) override;
  void SetEvents(ButtonEvents* value) override { events = value; }

  /// Where errors raised while handling the click go (it comes from Qt, so it cannot
  /// carry them itself).
  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
    errorHandler = std::move(handler);
  }

 private:
  void Clicked();
  void ApplyGeometry();

  QPointer<QToolButton> button;
  ButtonEvents* events = nullptr;
  std::function<void(std::exception_ptr)> errorHandler;
  bool visible = false;
  double left = 0, top = 0, width = 0, height = 0;
  uint32_t backColor = 0;
};

}  // namespace entrybox
