// The gallery's window in process: the demonstration typed key by key, the live event
// log, and form files saved and opened (when the build has them).
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <map>

#include "GalleryWindow.h"
#include "entrybox/qt/QtControls.h"

namespace entrybox::gallery {
namespace {

QtInputControl* Named(GalleryWindow& window, const QString& name) {
  for (const auto& entry : window.Controls()) {
    if (entry.name == name) return entry.control;
  }
  return nullptr;
}

TEST(Gallery, DemonstrationTypesIntoEveryControlAndLogsIt) {
  GalleryWindow window;
  window.show();
  ASSERT_FALSE(window.Controls().empty());
  window.RunDemonstration();
  const std::map<QString, QString> shown = {{"txtAmount", "1,234,567"},
                                            {"txtPrice", "-1,234.50"},
                                            {"txtDue", "12/25/2024"},
                                            {"txtPhone", "(555) 123-4567"}};
  for (const auto& entry : window.Controls()) {
    EXPECT_EQ(entry.control->Field().LineEdit().text(), shown.at(entry.name))
        << entry.name.toStdString();
    EXPECT_TRUE(entry.control->DropDown());
  }
  const QString log = window.EventLog().toPlainText();
  EXPECT_TRUE(log.contains("txtAmount  KeyDown(49,0)")) << log.toStdString();
  EXPECT_TRUE(log.contains("txtAmount  notified \"Text\""));
  EXPECT_TRUE(log.contains("txtAmount  ButtonClick"));
}

TEST(Gallery, FormFilesRoundTripAndRefuseBadFiles) {
  if (!GalleryWindow::HasForms()) GTEST_SKIP() << "this build has no form files";
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("gallery.form");

  GalleryWindow window;
  QtInputControl* amount = Named(window, "txtAmount");
  ASSERT_NE(amount, nullptr);
  amount->SetText("4321");
  amount->SetAlignment(1);
  ASSERT_EQ(window.SaveFormFile(path), QString());

  amount->SetText("7");
  amount->SetAlignment(0);
  ASSERT_EQ(window.OpenFormFile(path), QString());
  EXPECT_EQ(amount->Field().LineEdit().text(), "4,321");
  EXPECT_EQ(amount->Alignment(), 1);

  // A file that is no form, one with a control the gallery lacks, one whose control's
  // bag does not load: each is refused with a message naming the file, and nothing
  // changes.
  amount->SetText("9");
  const QString bad = folder.filePath("bad.form");
  const struct {
    const char* text;
    const char* says;
  } files[] = {
      {"{ not json", "bad.form"},
      {R"({"format":"entrybox-form","version":1,"controls":[{"kind":"long","name":"txtOther",
          "geometry":{"left":0,"top":0,"width":2000,"height":300},"properties":{}}]})",
       "txtOther"},
      {R"({"format":"entrybox-form","version":1,"controls":[{"kind":"long","name":"txtAmount",
          "geometry":{"left":0,"top":0,"width":2000,"height":300},
          "properties":{"Alignment":7}}]})",
       "txtAmount"},
  };
  for (const auto& file : files) {
    QFile out(bad);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file.text);
    out.close();
    const QString error = window.OpenFormFile(bad);
    EXPECT_TRUE(error.contains(file.says)) << error.toStdString();
    EXPECT_EQ(amount->Field().LineEdit().text(), "9") << file.text;
    EXPECT_EQ(amount->Alignment(), 1) << file.text;
  }
}

// The gallery's date box opens its calendar from its button; a form file keeps that
// setting beside the bag, a file from before leaves it alone, and a bad value in it
// changes nothing at all.
TEST(Gallery, TheDateBoxOpensItsCalendarAndFormFilesKeepTheSetting) {
  GalleryWindow window;
  window.show();
  auto* due = qobject_cast<QtDate*>(Named(window, "txtDue"));
  ASSERT_NE(due, nullptr);
  EXPECT_TRUE(due->CalendarPopup());
  QWidget* popup = window.OpenCalendar();
  ASSERT_NE(popup, nullptr);
  popup->close();
  EXPECT_TRUE(window.EventLog().toPlainText().contains("txtDue  ButtonClick"));

  if (!GalleryWindow::HasForms()) GTEST_SKIP() << "this build has no form files";
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = folder.filePath("gallery.form");
  ASSERT_EQ(window.SaveFormFile(path), QString());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().contains(R"("widget": {
        "CalendarPopup": true
      })"));
  due->SetCalendarPopup(false);
  ASSERT_EQ(window.OpenFormFile(path), QString());
  EXPECT_TRUE(due->CalendarPopup());

  QtInputControl* amount = Named(window, "txtAmount");
  amount->SetText("9");
  const QString other = folder.filePath("other.form");
  const auto write = [&](const char* widget) {
    QFile out(other);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(QByteArray(R"({"format":"entrybox-form","version":1,"controls":[)"
                         R"({"kind":"long","name":"txtAmount",)"
                         R"("geometry":{"left":0,"top":0,"width":2000,"height":300},)"
                         R"("properties":{"Text":"5"}},)"
                         R"({"kind":"date","name":"txtDue",)"
                         R"("geometry":{"left":0,"top":0,"width":2000,"height":300},)"
                         R"("properties":{"Text":"1/2/2003"})") +
              widget + "}]}");
  };
  write(R"(,"widget":{"CalendarPopup":"yes"})");
  const QString error = window.OpenFormFile(other);
  EXPECT_TRUE(error.contains("txtDue") && error.contains("CalendarPopup")) << error.toStdString();
  EXPECT_EQ(amount->Field().LineEdit().text(), "9");
  EXPECT_TRUE(due->CalendarPopup());

  write("");  // a file from before widget settings
  ASSERT_EQ(window.OpenFormFile(other), QString());
  EXPECT_EQ(amount->Field().LineEdit().text(), "5");
  EXPECT_TRUE(due->CalendarPopup());
}

}  // namespace
}  // namespace entrybox::gallery
