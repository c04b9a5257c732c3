// An order form designed in Qt Designer with the entrybox widgets (OrderForm.ui) and
// compiled by uic. With --print it shows nothing and prints each control's text instead.
#include <QApplication>
#include <QTextStream>
#include <QWidget>

#include "ui_OrderForm.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  Ui::OrderForm form;
  form.setupUi(&window);
  if (application.arguments().contains(QStringLiteral("--print"))) {
    QTextStream out(stdout);
    out << "quantity " << form.quantity->Text() << "\n"
        << "price " << form.price->Text() << "\n"
        << "delivery " << form.delivery->Text() << "\n"
        << "phone " << form.phone->Text() << "\n";
    return 0;
  }
  window.show();
  return application.exec();
}
