// The Qt platform of the scenario runner (built with the Qt binding).
#pragma once

#include <memory>

#include "ScriptPlatform.h"

class QApplication;

namespace entrybox::script {

/// Scripts on the Qt binding: every control a QtInputControl, every key a real QKeyEvent
/// (press and release), focus a QFocusEvent, clicks QMouseEvents, sent to the widgets
/// through the application. The widgets are never shown, so that nothing moves the focus
/// behind the script's back. The About box is a real modal dialog that the script's user
/// closes with OK. Needs a QApplication (QtScriptApplication makes one);
/// std::logic_error without.
std::unique_ptr<ScriptPlatform> MakeQtPlatform();

/// The QApplication of a process that runs Qt scripts, on Qt's offscreen platform unless
/// QT_QPA_PLATFORM names another; it ends with this object. Makes nothing when the
/// process has an application already.
class QtScriptApplication {
 public:
  QtScriptApplication();
  ~QtScriptApplication();
  QtScriptApplication(const QtScriptApplication&) = delete;
  QtScriptApplication& operator=(const QtScriptApplication&) = delete;

 private:
  int argc = 1;
  char name[16] = "entrybox-script";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QApplication> application;
};

}  // namespace entrybox::script
