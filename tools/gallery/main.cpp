// entrybox-gallery: the four controls as Qt widgets, with a live event log, their
// property pages, the About box and form files.
//
//   entrybox-gallery                        the window, to try the controls by hand
//   entrybox-gallery --demo                 ... after typing a demonstration into each
//   entrybox-gallery --screenshot FILE      type the demonstration, save the window as a
//                                           PNG, print each control's text and quit
//   entrybox-gallery --calendar FILE        type the demonstration, open the date box's
//                                           calendar, save the window with it as a PNG
//   entrybox-gallery --context-menu FILE    type the demonstration, open the first
//                                           control's context menu, save the window with
//                                           the menu as a PNG and quit
//
// On a machine without a display (neither DISPLAY nor WAYLAND_DISPLAY set, nor
// QT_QPA_PLATFORM) it runs on Qt's offscreen platform and does what --screenshot does,
// saving gallery.png unless told another file.
#include <QApplication>
#include <QClipboard>
#include <QCommandLineParser>
#include <QContextMenuEvent>
#include <QMenu>
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
       message.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
       message.contains(QLatin1String("does not support raise")) ||
       message.contains(QLatin1String("grabbing the keyboard")))) {
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

// Opens the first control's context menu as the Menu key would, with part of its text
// selected and a number on the clipboard, and saves the window with the menu over it.
int SaveContextMenuPicture(entrybox::gallery::GalleryWindow& window, const QString& file) {
  entrybox::QtInputControl& control = *window.Controls().front().control;
  entrybox::QtLineEdit& edit = control.Field().LineEdit();
  edit.setFocus();
  control.SetSelStart(0);
  control.SetSelLength(2);
  QApplication::clipboard()->setText(QStringLiteral("42"));
  const QPoint at = edit.CaretRect().bottomLeft();
  QContextMenuEvent request(QContextMenuEvent::Keyboard, at, edit.mapToGlobal(at));
  QApplication::sendEvent(&edit, &request);
  QApplication::processEvents();
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) {
    std::cerr << "entrybox-gallery: the context menu did not open\n";
    return 1;
  }
  const QPixmap picture = GrabWithPopup(window, *menu);
  menu->close();
  if (!picture.save(file, "PNG")) {
    std::cerr << "entrybox-gallery: cannot write " << file.toStdString() << "\n";
    return 1;
  }
  std::cout << "Context menu: " << file.toStdString() << "\n";
  return 0;
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
  const QCommandLineOption contextMenu(
      QStringLiteral("context-menu"),
      QStringLiteral("Type the demonstration, open the first control's context menu, save the "
                     "window with it as a PNG, quit."),
      QStringLiteral("FILE"));
  options.addOption(demo);
  options.addOption(screenshot);
  options.addOption(calendar);
  options.addOption(contextMenu);
  options.process(application);

  const bool offscreen = QGuiApplication::platformName() == QLatin1String("offscreen");
  const bool pictureOnly = options.isSet(screenshot) || options.isSet(contextMenu) || offscreen;
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
  if (options.isSet(contextMenu)) return SaveContextMenuPicture(window, options.value(contextMenu));

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
