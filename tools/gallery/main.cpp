// entrybox-gallery: the four controls as Qt widgets, with a live event log, their
// property pages, the About box and form files.
//
//   entrybox-gallery                        the window, to try the controls by hand
//   entrybox-gallery --demo                 ... after typing a demonstration into each
//   entrybox-gallery --screenshot FILE      type the demonstration, save the window as a
//                                           PNG, print each control's text and quit
//   entrybox-gallery --calendar FILE        type the demonstration, open the date box's
//                                           calendar, save the window with it as a PNG
//
// On a machine without a display (neither DISPLAY nor WAYLAND_DISPLAY set, nor
// QT_QPA_PLATFORM) it runs on Qt's offscreen platform and does what --screenshot does,
// saving gallery.png unless told another file.
#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QPixmap>
#include <cstdio>
#include <iostream>

#include "GalleryWindow.h"
#include "entrybox/qt/QtInputControl.h"
#include "entrybox/values/Strings.h"

namespace {

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The offscreen platform's notes about what it cannot do (window hints, a runtime folder)
// are no news to a gallery that only takes a picture.
QtMessageHandler defaultHandler = nullptr;
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
  if (type != QtCriticalMsg && type != QtFatalMsg &&
      (message.contains(QLatin1String("propagateSizeHints")) ||
       message.contains(QLatin1String("XDG_RUNTIME_DIR")))) {
    return;
  }
  if (defaultHandler != nullptr) defaultHandler(type, context, message);
}

// The window with the popup drawn over it where it stands (a popup is a window of its
// own, which grabbing the main window leaves out).
QPixmap GrabWithPopup(QWidget& window, QWidget& popup) {
  const QPixmap base = window.grab();
  const QPixmap over = popup.grab();
  const QPoint at = window.mapFromGlobal(popup.mapToGlobal(QPoint(0, 0)));
  const QRect all = QRect(QPoint(0, 0), base.deviceIndependentSize().toSize())
                        .united(QRect(at, over.deviceIndependentSize().toSize()));
  QPixmap shot(all.size() * base.devicePixelRatio());
  shot.setDevicePixelRatio(base.devicePixelRatio());
  shot.fill(window.palette().color(QPalette::Window));
  QPainter painter(&shot);
  painter.drawPixmap(-all.topLeft(), base);
  painter.drawPixmap(at - all.topLeft(), over);
  return shot;
}

}  // namespace

int main(int argc, char** argv) {
  const bool headless = !HasDisplay();
  if (headless) qputenv("QT_QPA_PLATFORM", "offscreen");
  defaultHandler = qInstallMessageHandler(QuietOffscreenNotes);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("entrybox-gallery"));

  QCommandLineParser options;
  options.setApplicationDescription(QStringLiteral("The entrybox controls as Qt widgets."));
  options.addHelpOption();
  const QCommandLineOption demo(QStringLiteral("demo"),
                                QStringLiteral("Type a demonstration into each control."));
  const QCommandLineOption screenshot(
      QStringLiteral("screenshot"),
      QStringLiteral("Type the demonstration, save the window as a PNG, print the texts, quit."),
      QStringLiteral("FILE"));
  const QCommandLineOption calendar(
      QStringLiteral("calendar"),
      QStringLiteral("Type the demonstration, open the date box's calendar, save the window "
                     "with it as a PNG, quit."),
      QStringLiteral("FILE"));
  options.addOption(demo);
  options.addOption(screenshot);
  options.addOption(calendar);
  options.process(application);

  const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
  const bool pictureOnly = options.isSet(screenshot) || offscreen;
  entrybox::gallery::GalleryWindow window;
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  if (options.isSet(calendar)) {
    window.RunDemonstration();
    QWidget* popup = window.OpenCalendar();
    const QString file = options.value(calendar);
    if (popup == nullptr) {
      std::cerr << "entrybox-gallery: the date box's calendar did not open\n";
      return 1;
    }
    if (!GrabWithPopup(window, *popup).save(file, "PNG")) {
      std::cerr << "entrybox-gallery: cannot write " << file.toStdString() << "\n";
      return 1;
    }
    std::cout << "Screenshot: " << file.toStdString() << "\n";
    return 0;
  }
  if (!pictureOnly && !options.isSet(demo)) return QApplication::exec();

  window.RunDemonstration();
  if (!pictureOnly) return QApplication::exec();

  const QString file =
      options.isSet(screenshot) ? options.value(screenshot) : QStringLiteral("gallery.png");
  if (!window.grab().save(file, "PNG")) {
    std::cerr << "entrybox-gallery: cannot write " << file.toStdString() << "\n";
    return 1;
  }
  if (headless) std::cout << "No display: the gallery ran on Qt's offscreen platform.\n";
  std::cout << "Screenshot: " << file.toStdString() << "\n";
  // Each control's text as the field shows it and as the control's Text reads it.
  for (const auto& entry : window.Controls()) {
    std::cout << entry.name.toStdString() << " ("
              << entrybox::ToUtf8(entry.control->Control().ClassName()) << "): field \""
              << entry.control->Field().LineEdit().text().toStdString() << "\", Text \""
              << entry.control->Text().toStdString() << "\"\n";
  }
  return 0;
}
