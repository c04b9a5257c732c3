#include "entrybox/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "entrybox/qt/QtConvert.h"

namespace entrybox {

std::u16string QtClipboard::GetText() const {
  return FromQString(QGuiApplication::clipboard()->text());
}

void QtClipboard::SetText(const std::u16string& text) {
  QGuiApplication::clipboard()->setText(ToQString(text));
}

}  // namespace entrybox
