// The example's order form, compiled by uic from its .ui file as Designer saved it: each
// control comes up with the values given in the designer.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtField.h"
#include "ui_OrderForm.h"

namespace entrybox {
namespace {

QString Shown(QtInputControl& control) {
  auto* edit = control.findChild<QLineEdit*>();
  return edit == nullptr ? QString() : edit->text();
}

TEST(ExampleOrderForm, ShowsEachControlAsDesigned) {
  QWidget window;
  Ui::OrderForm form;
  form.setupUi(&window);
  window.show();

  EXPECT_EQ(window.windowTitle(), QStringLiteral("Order"));
  EXPECT_EQ(form.quantity->Spin(), 5);
  EXPECT_EQ(form.quantity->Min(), 0);
  EXPECT_EQ(form.quantity->Max(), 10000);
  EXPECT_EQ(form.quantity->Text(), QStringLiteral("1250"));

  EXPECT_EQ(form.price->DecimalPlaces(), 2);
  EXPECT_EQ(form.price->Alignment(), 1);
  EXPECT_EQ(form.price->Text(), QStringLiteral("19.50"));

  EXPECT_TRUE(form.delivery->DropDown());
  EXPECT_EQ(form.delivery->DateFormat(), QStringLiteral("mm/dd/yyyy"));
  EXPECT_EQ(form.delivery->Text(), QStringLiteral("12/24/2026"));
  EXPECT_EQ(Shown(*form.delivery), QStringLiteral("12/24/2026"));
  EXPECT_EQ(form.delivery->Year(), 2026);

  EXPECT_EQ(form.phone->Mask(), QStringLiteral("(###) ###-####"));
  EXPECT_EQ(form.phone->PromptChar(), QStringLiteral("_"));
  EXPECT_EQ(form.phone->Text(), QStringLiteral("5551234567"));
  EXPECT_EQ(Shown(*form.phone), QStringLiteral("(555) 123-4567"));

  // The labels lead to their controls, as laid out in the designer.
  EXPECT_EQ(form.quantityLabel->buddy(), form.quantity);
  EXPECT_EQ(form.phoneLabel->buddy(), form.phone);
  for (QtInputControl* control :
       std::initializer_list<QtInputControl*>{form.quantity, form.price, form.delivery, form.phone})
    EXPECT_TRUE(control->isVisible()) << control->objectName().toStdString();
}

}  // namespace
}  // namespace entrybox
