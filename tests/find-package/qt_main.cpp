// A Qt application on an installed entrybox: the four widgets on a window, each with a
// value typed or set; prints nothing and exits 0 when each shows what it should.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <iostream>

#include "entrybox/qt/QtControls.h"

namespace {

QString Shown(entrybox::QtInputControl& control) {
  auto* edit = control.findChild<QLineEdit*>();
  return edit == nullptr ? QString() : edit->text();
}

bool Expect(const char* what, const QString& actual, const QString& expected) {
  if (actual == expected) return true;
  std::cerr << what << ": \"" << actual.toStdString() << "\", expected \"" << expected.toStdString()
            << "\"\n";
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* amount = new entrybox::QtLong;
  auto* price = new entrybox::QtReal;
  auto* date = new entrybox::QtDate;
  auto* phone = new entrybox::QtMask;
  for (QWidget* widget : {static_cast<QWidget*>(amount), static_cast<QWidget*>(price),
                          static_cast<QWidget*>(date), static_cast<QWidget*>(phone)})
    layout->addWidget(widget);
  window.show();

  amount->SetFormatted(true);
  amount->SetText(QStringLiteral("1234"));
  price->SetDecimalPlaces(2);
  price->SetText(QStringLiteral("2.5"));
  date->SetDateFormat(QStringLiteral("mm/dd/yyyy"));
  date->SetText(QStringLiteral("02/29/2024"));
  phone->SetMask(QStringLiteral("(###) ###-####"));
  phone->TypeText(QStringLiteral("5551234567"));

  bool ok = Expect("long", Shown(*amount), QStringLiteral("1,234"));
  ok &= Expect("real", price->Text(), QStringLiteral("2.50"));
  ok &= Expect("date", Shown(*date), QStringLiteral("02/29/2024"));
  ok &= Expect("mask", Shown(*phone), QStringLiteral("(555) 123-4567"));
  return ok ? 0 : 1;
}
