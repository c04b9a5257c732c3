// The gallery's window: the four controls, labelled, each with its drop-down button and
// a Properties... button, and a live log of their events and notifications.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>
#include <vector>

#include "entrybox/qt/QtContainer.h"
#include "entrybox/qt/QtInputControl.h"

class QPlainTextEdit;

namespace entrybox::gallery {

/// The gallery: a form of the controls that this build has, sharing one container.
class GalleryWindow : public QMainWindow {
  Q_OBJECT

 public:
  /// One control of the gallery and what the form file calls it.
  struct Entry {
    QString name;     // "txtAmount"
    QString caption;  // the label beside it
    QString demo;     // what the demonstration types into it
    QtInputControl* control;
  };

  explicit GalleryWindow(QWidget* parent = nullptr);
  ~GalleryWindow() override;

  const std::vector<Entry>& Controls() const { return entries; }
  QPlainTextEdit& EventLog() { return *log; }

  /// Types each control's demonstration text into it, key by key, with the focus on it;
  /// then clicks the first drop-down button. An error ends that control's typing and is
  /// logged.
  void RunDemonstration();
  /// Clicks the date box's drop-down button, which opens its calendar; the calendar
  /// popup when it opened, else null.
  QWidget* OpenCalendar();
  /// Shows the property dialog of `control`.
  void ShowProperties(QtInputControl& control);

  /// Whether this build has form files (entrybox::forms).
  static bool HasForms();
  /// Saves the gallery as a form file; the error's description, or "" when it worked.
  QString SaveFormFile(const QString& path);
  /// Loads the gallery's controls from a form file. Every control of the file must be one
  /// of the gallery's by name and kind, and load without an error (its bag and its widget
  /// settings); else nothing changes and the description says what is wrong. "" when it
  /// worked.
  QString OpenFormFile(const QString& path);

 private:
  void AddControl(std::unique_ptr<QtInputControl> (*make)(QWidget*, QtContainer*),
                  const QString& name, const QString& caption, const QString& demo);
  void Log(const QString& source, const QString& text);
  void BuildMenus();
  void Open();
  void Save();

  std::unique_ptr<QtContainer> container;
  std::vector<Entry> entries;
  QPlainTextEdit* log = nullptr;
  QString formPath;
};

}  // namespace entrybox::gallery
