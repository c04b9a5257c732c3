// The controls as widgets: layout in twips, properties through Qt's meta-object system,
// notifications as signals, the container's questions as virtuals, the About box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <string>
#include <vector>

#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtConvert.h"

namespace entrybox {
namespace {

// The button sits at the right edge, 405 twips wide (27 pixels at 15 twips a pixel), the
// field takes the rest; the twips are kept as written and shown rounded to pixels.
TEST(QtLayout, ButtonAndFieldInTwipsAndPixels) {
  struct Row {
    double width, height;
    bool dropDown;
    double fieldWidth;  // twips
    QRect fieldPixels, buttonPixels;
  };
  const Row rows[] = {
      {2000, 300, true, 1595, {0, 0, 106, 20}, {106, 0, 27, 20}},
      {2000, 300, false, 2000, {0, 0, 133, 20}, {0, 0, 0, 0}},
      {3000, 450, true, 2595, {0, 0, 173, 30}, {173, 0, 27, 30}},
      {300, 200, true, 0, {0, 0, 0, 13}, {-7, 0, 27, 13}},
  };
  for (const Row& row : rows) {
    QtLong box;
    box.SetSizeInTwips(row.width, row.height);
    box.SetDropDown(row.dropDown);
    const QtButton& button = box.Button();
    EXPECT_EQ(box.Field().Width(), row.fieldWidth) << row.width;
    EXPECT_EQ(box.Field().Height(), row.height);
    EXPECT_EQ(button.Visible(), row.dropDown);
    if (row.dropDown) {
      EXPECT_EQ(button.Left(), row.width - 405);
      EXPECT_EQ(button.Width(), 405);
      EXPECT_EQ(button.Height(), row.height);
      EXPECT_EQ(box.Button().ToolButton().geometry(), row.buttonPixels) << row.width;
    }
    EXPECT_EQ(box.Field().LineEdit().geometry(), row.fieldPixels) << row.width;
    EXPECT_EQ(box.size(), QSize(TwipsToPixels(row.width), TwipsToPixels(row.height)));
  }
}

// Laid out by Qt, the control's inner size follows the widget's pixels.
TEST(QtLayout, AWidgetResizedByQtLaysTheControlOutAgain) {
  QtLong box;
  box.SetDropDown(true);
  box.resize(200, 24);
  box.show();
  QApplication::processEvents();
  EXPECT_EQ(box.Site().ScaleWidth(), 3000);
  EXPECT_EQ(box.Site().ScaleHeight(), 360);
  EXPECT_EQ(box.Button().Left(), 2595);
  EXPECT_EQ(box.Button().ToolButton().geometry(), QRect(173, 0, 27, 24));
}

TEST(QtConvert, TwipsColoursAndValues) {
  EXPECT_EQ(TwipsToPixels(405), 27);
  EXPECT_EQ(TwipsToPixels(7), 0);
  EXPECT_EQ(TwipsToPixels(8), 1);
  EXPECT_EQ(TwipsToPixels(1e300), (1 << 24) - 1);
  EXPECT_EQ(TwipsToPixels(std::numeric_limits<double>::quiet_NaN()), 0);
  const QPalette palette;
  EXPECT_EQ(ColorFromValue(0x000000FF, palette, QPalette::Base), QColor(255, 0, 0));
  EXPECT_EQ(ColorFromValue(0x00FF0000, palette, QPalette::Base), QColor(0, 0, 255));
  // 0, the controls' starting colour, is the palette's own; so is a system colour.
  EXPECT_EQ(ColorFromValue(0, palette, QPalette::Base), palette.color(QPalette::Base));
  EXPECT_EQ(ColorFromValue(0x80000008, palette, QPalette::Base), palette.color(QPalette::Text));
  for (const Variant& value : {Variant(u"x\u00e9"), Variant(2.5), Variant(true), Variant()}) {
    EXPECT_EQ(FromQVariant(ToQVariant(value)), value);
  }
  EXPECT_THROW(FromQVariant(QVariant(QSize(1, 2))), Error);
}

// Properties by name through QObject, as Qt Designer or QML reach them; a setter's error
// reaches the caller.
TEST(QtWidget, PropertiesThroughTheMetaObject) {
  QtLong box;
  EXPECT_TRUE(box.setProperty("Max", 100.0));
  EXPECT_EQ(box.property("Max").toDouble(), 100.0);
  EXPECT_TRUE(box.setProperty("Text", QStringLiteral("1234")));
  EXPECT_EQ(box.property("Text").toString(), QStringLiteral("1234"));
  EXPECT_EQ(box.Field().LineEdit().text(), QStringLiteral("1,234"));
  EXPECT_TRUE(box.setProperty("Alignment", 1));
  EXPECT_EQ(box.Field().LineEdit().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_THROW(box.SetText(QStringLiteral("abc")), Error);
  EXPECT_THROW(box.SetAlignment(7), Error);

  QtMask mask;
  mask.SetMask(QStringLiteral("(###) ###-####"));
  mask.SetText(QStringLiteral("5551234567"));
  EXPECT_EQ(mask.property("MaskValue").toString(), QStringLiteral("(555) 123-4567"));
  EXPECT_EQ(mask.property("About").toString(), QStringLiteral("Tessaline Technology, Inc."));
}

// Property-changed notifications come as a signal with the name; the container's "may
// Text change" is a virtual the application overrides.
TEST(QtWidget, NotificationsAndTheMayChangeQuestion) {
  struct Denying : QtInputControl {
    Denying() : QtInputControl("long") { InitProperties(); }
    bool CanPropertyChange(const QString& name) override {
      asked.push_back(name.toStdString());
      return false;
    }
    std::vector<std::string> asked;
  } box;
  std::vector<std::string> notified;
  QObject::connect(&box, &QtInputControl::PropertyChanged,
                   [&](const QString& name) { notified.push_back(name.toStdString()); });
  box.SetDropDown(true);
  box.SetText(QStringLiteral("5"));
  EXPECT_EQ(box.Field().LineEdit().text(), QStringLiteral("0"));
  EXPECT_EQ(box.asked, std::vector<std::string>{"Text"});
  ASSERT_FALSE(notified.empty());
  EXPECT_EQ(notified.front(), "DropDown");
}

// The drop-down button reports its click as ButtonClick, also when the field is
// disabled; a hidden button is not clicked.
TEST(QtWidget, ButtonClickEvenWithTheFieldDisabled) {
  QtLong box;
  int clicks = 0;
  QObject::connect(&box, &QtInputControl::ButtonClick, [&] { ++clicks; });
  box.Button().ToolButton().click();
  EXPECT_EQ(clicks, 0);
  box.SetDropDown(true);
  box.SetEnabled(false);
  EXPECT_FALSE(box.Field().LineEdit().isEnabled());
  box.Button().ToolButton().click();
  EXPECT_EQ(clicks, 1);
}

// The About box: a real modal dialog drawn from frmAbout, closed by OK, fresh every time.
TEST(QtWidget, AboutBoxIsAModalDialogClosedByOk) {
  struct ClosingHost : QtFormHost {
    void Run(QDialog& dialog) override {
      title = dialog.windowTitle();
      const auto* label = dialog.findChild<QLabel*>(QStringLiteral("lblTitle"));
      titleBold = label != nullptr && label->font().bold() && label->font().pointSizeF() == 12;
      QTimer::singleShot(0, &dialog, [&dialog] {
        dialog.findChild<QAbstractButton*>(QStringLiteral("cmdOK"))->click();
      });
      result = dialog.exec();
    }
    QString title;
    bool titleBold = false;
    int result = -1;
  };
  struct Container : QtContainer {
    FormHost& Forms() override { return host; }
    ClosingHost host;
  } container;
  QtLong box(nullptr, &container);
  box.AboutBox();
  EXPECT_EQ(container.host.title, QStringLiteral("About entrybox"));
  EXPECT_TRUE(container.host.titleBold);
  EXPECT_EQ(container.host.result, QDialog::Accepted);
}

}  // namespace
}  // namespace entrybox
