#include "entrybox/qt/QtButton.h"

#include <QApplication>

#include "entrybox/qt/QtConvert.h"

namespace entrybox {

QtButton::QtButton(QWidget* parent) : button(new QToolButton(parent)) {
  button->setArrowType(Qt::DownArrow);
  button->setFocusPolicy(Qt::NoFocus);
  button->hide();
  ApplyGeometry();
  QObject::connect(button.data(), &QToolButton::clicked, button.data(), [this] { Clicked(); });
}

QtButton::~QtButton() {
  if (button) delete button.data();
}

void QtButton::Clicked() {
  try {
    if (visible && events != nullptr) events->ButtonClicked();
  } catch (...) {
    if (errorHandler) errorHandler(std::current_exception());
  }
}

void QtButton::SetVisible(bool value) {
  visible = value;
  button->setVisible(value);
}

void QtButton::SetLeft(double value) {
  left = value;
  ApplyGeometry();
}

void QtButton::SetTop(double value) {
  top = value;
  ApplyGeometry();
}

void QtButton::SetWidth(double value) {
  width = value;
  ApplyGeometry();
}

void QtButton::SetHeight(double value) {
  height = value;
  ApplyGeometry();
}

void QtButton::SetBackColor(uint32_t value) {
  backColor = value;
  if (value == 0) {
    button->setPalette(QPalette());
  } else {
    const QPalette standard = QApplication::palette(button.data());
    QPalette palette = standard;
    palette.setColor(QPalette::Button, ColorFromValue(value, standard, QPalette::Button));
    button->setPalette(palette);
  }
  button->setAutoFillBackground(value != 0);
}

void QtButton::ApplyGeometry() {
  button->setGeometry(TwipsToPixelRect(left, top, width, height));
}

}  // namespace entrybox
