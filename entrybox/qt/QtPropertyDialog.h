// The design-time property dialog on Qt: the page models of entrybox/pages drawn with Qt
// widgets, in tabs, with OK, Cancel and Apply.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <list>
#include <memory>
#include <vector>

#include "entrybox/pages/PageFactory.h"
#include "entrybox/pages/PropertyPage.h"
#include "entrybox/platform/PageHost.h"

class QPushButton;
class QTabWidget;

namespace entrybox {

class QtInputControl;

/// A page host for one page of the dialog: the selection, the changed flag (reported to
/// the dialog as it changes) and the page's notifications.
class QtPageHost : public PageHost {
 public:
  explicit QtPageHost(std::function<void()> changedFlagMoved)
      : changedFlagMoved(std::move(changedFlagMoved)) {}

  /// Selects the controls (not owned) and tells the page that the selection changed.
  void Select(const std::vector<InputControl*>& controls);
  /// The user confirmed: the page applies when its changed flag is set; the flag is
  /// cleared once the apply succeeded and stays set after an error (which reaches the
  /// caller).
  void Confirm();

  size_t SelectedCount() const override { return selection.size(); }
  /// Error 9 "Subscript out of range" beyond the selection.
  PropertyAccess& SelectedControl(size_t index) override;
  bool Changed() const override { return changed; }
  void SetChanged(bool value) override;
  void SetEvents(PageEvents* page) override { events = page; }

 private:
  std::function<void()> changedFlagMoved;
  std::list<ControlAccess> selection;  // stable addresses for the page
  PageEvents* events = nullptr;
  bool changed = false;
};

/// One page drawn with Qt widgets at the model's places (twips, 15 to a pixel) with its
/// captions: a text field is a QLabel and a QLineEdit, a check box a QCheckBox (greyed for
/// 2), a list a QLabel and a QComboBox, a frame of options a QGroupBox of QRadioButtons
/// (placed within the frame). A label or check box whose caption the style's font would
/// cut grows to the right to show it whole. Every widget carries its field's name as object name
/// (opt0 ... for the options). The user's edits go to the model's fields, whose handlers
/// run as the page says; the widgets then show what the model holds.
class QtPageView : public QWidget {
  Q_OBJECT

 public:
  QtPageView(PropertyPage& page, QWidget* parent = nullptr);

  PropertyPage& Page() { return page; }
  /// Shows the model's values again (after the page filled itself or applied).
  void ShowModel();

 signals:
  /// A user's edit raised an error in the page.
  void EditFailed(int number, const QString& description);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Run(const std::function<void()>& edit);

  PropertyPage& page;
  std::vector<std::function<void()>> showers;  // one per field: model -> widget
};

/// The property dialog for a list of selected controls of one kind: a General and a
/// Format tab with the kind's pages, OK, Cancel and Apply. Apply is enabled while a
/// page's changed flag is set; Apply and OK apply every changed page to the first selected
/// control (as the pages do) and OK then closes, unless an apply failed. Cancel closes
/// without applying.
class QtPropertyDialog : public QDialog {
  Q_OBJECT

 public:
  /// std::invalid_argument for an empty selection.
  explicit QtPropertyDialog(const std::vector<QtInputControl*>& selected,
                            QWidget* parent = nullptr);
  ~QtPropertyDialog() override;

  int PageCount() const { return static_cast<int>(pages.size()); }
  PropertyPage& Page(int index) { return *pages.at(static_cast<size_t>(index))->page; }
  QtPageView& View(int index) { return *pages.at(static_cast<size_t>(index))->view; }
  QtPageHost& Host(int index) { return *pages.at(static_cast<size_t>(index))->host; }
  QTabWidget& Tabs() { return *tabs; }
  QPushButton& OkButton() { return *ok; }
  QPushButton& CancelButton() { return *cancel; }
  QPushButton& ApplyButton() { return *apply; }

  /// Applies every changed page; false after the first error (already shown).
  bool Apply();

 signals:
  /// An apply or an edit failed with this error (the dialog also shows it).
  void ErrorRaised(int number, const QString& description);

 protected:
  /// Shows an error to the user (a message box); tests override it.
  virtual void ShowError(int number, const QString& description);

 private:
  struct PageEntry {
    std::unique_ptr<QtPageHost> host;
    std::unique_ptr<PropertyPage> page;  // goes before its host
    QtPageView* view = nullptr;
  };

  void UpdateApply();
  void Report(int number, const QString& description);

  std::vector<std::unique_ptr<PageEntry>> pages;
  QTabWidget* tabs = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* apply = nullptr;
};

}  // namespace entrybox
