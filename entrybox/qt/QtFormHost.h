// Forms on Qt: the library's dialogs shown modally.
#pragma once

#include <QDialog>
#include <string>

#include "entrybox/about/frmAbout.h"
#include "entrybox/platform/Form.h"

namespace entrybox {

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

}  // namespace entrybox
