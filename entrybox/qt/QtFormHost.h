// Forms on Qt: the library's dialogs shown modally, and the settings of a control's
// widget that a form file keeps beside the control's bag.
#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

#include "entrybox/about/frmAbout.h"
#include "entrybox/platform/Form.h"
#include "entrybox/platform/Variant.h"

namespace entrybox {

class QtInputControl;

/// The About box drawn from frmAbout: the title line in bold 12 point with the version
/// beside it, the product line, a separator of two lines 15 twips (a pixel) apart, the
/// maker's lines, the copyright line and cmdOK at the lower right. Every label carries
/// the model's name as its object name (lblTitle, cmdOK...).
class QtAboutDialog : public QDialog {
  Q_OBJECT

 public:
  /// The form must be loaded; its caption becomes the window title.
  QtAboutDialog(frmAbout& form, QWidget* parent = nullptr);

 private:
  frmAbout& form;
};

/// Shows forms modally over the active window: frmAbout as QtAboutDialog, any other
/// form as a dialog with its caption. Every call builds a fresh dialog and deletes it
/// when it has closed.
class QtFormHost : public FormHost {
 public:
  void ShowModal(Form& form) override;
  std::u16string LibraryTitle() const override { return u"entrybox"; }

 protected:
  /// Runs the dialog until it closes (QDialog::exec). Tests override it to close the
  /// dialog as a user would.
  virtual void Run(QDialog& dialog);
};

/// Named settings of a control's widget, as a form file keeps them beside the bag.
using WidgetSettingPairs = std::vector<std::pair<std::string, Variant>>;

/// The settings of the widget that are no part of the control's bag, every one of its
/// kind: "CalendarPopup" (true or false) for a date box, none for the others.
WidgetSettingPairs WidgetSettings(const QtInputControl& control);
/// Error 8000 describing the first of `settings` that `control` cannot take: a name that
/// its kind has no setting of, or a value of the wrong type. Lets a host check a whole
/// form before it changes anything.
void CheckWidgetSettings(const QtInputControl& control, const WidgetSettingPairs& settings);
/// CheckWidgetSettings, then applies them all; settings not named (a file written before
/// they existed) stay as they are.
void ApplyWidgetSettings(QtInputControl& control, const WidgetSettingPairs& settings);

}  // namespace entrybox
