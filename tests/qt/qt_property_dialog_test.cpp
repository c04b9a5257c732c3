// The property dialog: the page models drawn with Qt widgets, filled from the first
// selected control, the changed flag driving Apply, applying and its errors.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <string>
#include <vector>

#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtConvert.h"
#include "entrybox/qt/QtPropertyDialog.h"

namespace entrybox {
namespace {

// Errors recorded instead of shown in a message box.
class TestDialog : public QtPropertyDialog {
 public:
  using QtPropertyDialog::QtPropertyDialog;
  std::vector<int> errors;

 protected:
  void ShowError(int number, const QString& /*description*/) override { errors.push_back(number); }
};

// The user types into a text field as a keyboard would (textEdited), then leaves it.
void Edit(QLineEdit& edit, const QString& text) {
  edit.setText(text);
  emit edit.textEdited(text);
}

template <typename Widget>
Widget& Find(QtPropertyDialog& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) throw std::runtime_error(std::string("no widget ") + name);
  return *widget;
}

TEST(QtPropertyDialog, DrawsThePagesAtTheirSizesAndCaptions) {
  QtLong box;
  TestDialog dialog({&box});
  ASSERT_EQ(dialog.PageCount(), 2);
  EXPECT_EQ(dialog.Tabs().tabText(0), QStringLiteral("General"));
  EXPECT_EQ(dialog.Tabs().tabText(1), QStringLiteral("Format"));
  for (int i = 0; i < dialog.PageCount(); ++i) {
    const PropertyPage& page = dialog.Page(i);
    EXPECT_EQ(dialog.View(i).size(),
              QSize(TwipsToPixels(page.Width()), TwipsToPixels(page.Height())));
    for (const PageField* field : page.Fields()) {
      const auto* widget =
          dialog.View(i).findChild<QWidget*>(QString::fromStdString(field->Name()));
      ASSERT_NE(widget, nullptr) << field->Name();
      const PageRect& r = field->Bounds();
      EXPECT_EQ(widget->geometry(), TwipsToPixelRect(r.Left, r.Top, r.Width, r.Height))
          << field->Name();
    }
  }
  EXPECT_EQ(Find<QCheckBox>(dialog, "chkFormatted").text(), QStringLiteral("Formatted"));
}

// Filling reads the first selected control; the widgets show the model.
TEST(QtPropertyDialog, FillsFromTheFirstSelectedControl) {
  QtLong first;
  first.SetMax(500);
  first.SetMin(-5);
  first.SetFormatted(false);
  first.SetAlignment(1);
  QtLong second;
  TestDialog dialog({&first, &second});
  EXPECT_EQ(Find<QLineEdit>(dialog, "txtMax").text(), QStringLiteral("500"));
  EXPECT_EQ(Find<QLineEdit>(dialog, "txtMin").text(), QStringLiteral("-5"));
  EXPECT_EQ(Find<QCheckBox>(dialog, "chkFormatted").checkState(), Qt::Unchecked);
  EXPECT_EQ(Find<QComboBox>(dialog, "cboAlignment").currentIndex(), 1);
  EXPECT_TRUE(dialog.errors.empty());
}

// Editing marks the page changed and enables Apply; Apply writes to the first control
// only and clears the flag; Cancel writes nothing.
TEST(QtPropertyDialog, ApplyFollowsTheChangedFlag) {
  QtLong first, second;
  {
    TestDialog dialog({&first, &second});
    // A filled page may be changed already (its lists start with no entry): apply that.
    EXPECT_EQ(dialog.ApplyButton().isEnabled(),
              dialog.Host(0).Changed() || dialog.Host(1).Changed());
    ASSERT_TRUE(dialog.Apply());
    EXPECT_FALSE(dialog.ApplyButton().isEnabled());

    Edit(Find<QLineEdit>(dialog, "txtMax"), QStringLiteral("250"));
    EXPECT_TRUE(dialog.Host(1).Changed());
    EXPECT_TRUE(dialog.ApplyButton().isEnabled());
    EXPECT_NE(first.Max(), 250);
    dialog.ApplyButton().click();
    EXPECT_EQ(first.Max(), 250);
    EXPECT_NE(second.Max(), 250);
    EXPECT_FALSE(dialog.ApplyButton().isEnabled());

    Find<QCheckBox>(dialog, "chkFormatted").click();
    EXPECT_TRUE(dialog.ApplyButton().isEnabled());
    dialog.CancelButton().click();
  }
  EXPECT_TRUE(first.Formatted());
}

// An apply that fails shows the error and keeps the flag, so the user can mend the field.
TEST(QtPropertyDialog, AFailedApplyKeepsTheChangedFlag) {
  QtLong box;
  TestDialog dialog({&box});
  dialog.Apply();
  Edit(Find<QLineEdit>(dialog, "txtMax"), QStringLiteral("abc"));
  EXPECT_FALSE(dialog.Apply());
  ASSERT_EQ(dialog.errors.size(), 1u);
  EXPECT_EQ(dialog.errors.front(), 13);
  EXPECT_TRUE(dialog.ApplyButton().isEnabled());
  Edit(Find<QLineEdit>(dialog, "txtMax"), QStringLiteral("75"));
  dialog.OkButton().click();
  EXPECT_EQ(box.Max(), 75);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// The date page's options: a click switches one on and sets the format it stands for.
TEST(QtPropertyDialog, OptionButtonsDriveTheDateFormat) {
  QtDate date;
  TestDialog dialog({&date});
  EXPECT_TRUE(Find<QRadioButton>(dialog, "opt3").isChecked());  // m/d/yy, the default
  Find<QRadioButton>(dialog, "opt0").click();
  EXPECT_TRUE(Find<QRadioButton>(dialog, "opt0").isChecked());
  EXPECT_FALSE(Find<QRadioButton>(dialog, "opt3").isChecked());
  ASSERT_TRUE(dialog.Apply());
  EXPECT_EQ(date.DateFormat(), QStringLiteral("mm/dd/yyyy"));
}

}  // namespace
}  // namespace entrybox
