#include "QtScriptPlatform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <stdexcept>
#include <utility>

#include "entrybox/qt/QtConvert.h"
#include "entrybox/qt/QtInputControl.h"
#include "entrybox/qt/QtKeys.h"

namespace entrybox::script {

namespace {

// Shows forms as real modal dialogs and closes each as its user would: with OK.
class ScriptFormHost : public QtFormHost {
 public:
  std::vector<std::u16string> shown;

 protected:
  void Run(QDialog& dialog) override {
    shown.push_back(FromQString(dialog.windowTitle()));
    QTimer::singleShot(0, &dialog, [&dialog] {
      if (auto* ok = dialog.findChild<QAbstractButton*>(QStringLiteral("cmdOK"))) ok->click();
      if (dialog.isVisible()) dialog.reject();
    });
    dialog.exec();
  }
};

// The container of a script: the ambient font, today's date and the answers the
// scenario format fixes, and the record of notifications and forms.
class ScriptContainer : public QtContainer {
 public:
  ScriptContainer() {
    SetAmbientFont(entrybox::Font{u"Sans", 8});
    Clock().SetToday(std::chrono::year_month_day{std::chrono::year{2000}, std::chrono::January,
                                                 std::chrono::day{1}});
  }
  FormHost& Forms() override { return forms; }

  ScriptFormHost forms;
  bool allowChanges = true;
  std::vector<std::string> notified;
};

class ScriptWidget : public QtInputControl {
 public:
  ScriptWidget(std::string_view kind, ScriptContainer& container)
      : QtInputControl(kind, nullptr, &container), container(container) {}
  bool CanPropertyChange(const QString& /*name*/) override { return container.allowChanges; }

 private:
  ScriptContainer& container;
};

class QtScriptControl : public ScriptControl {
 public:
  QtScriptControl(std::unique_ptr<ScriptWidget> control, ControlEvents& events,
                  ScriptContainer& container)
      : widget(std::move(control)) {
    ConnectEvents(events);
    QObject::connect(
        widget.get(), &QtInputControl::PropertyChanged, widget.get(),
        [&container](const QString& name) { container.notified.push_back(name.toStdString()); });
  }

  InputControl& Control() override { return widget->Control(); }
  EditField& Field() override { return widget->Field(); }
  twButton& Button() override { return widget->Button(); }
  double Width() const override { return widget->Site().ScaleWidth(); }
  double Height() const override { return widget->Site().ScaleHeight(); }
  void SetSize(double width, double height) override { widget->Site().SetSize(width, height); }

  void Keystroke(const std::optional<keys::Keystroke>& key, const std::u16string& chars) override {
    const QString text = ToQString(chars);
    if (!key) {
      // A character no key types: a key event that carries the text alone.
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
      Send(LineEdit(), press);
      return;
    }
    QKeyEvent press = MakeKeyEvent(QEvent::KeyPress, key->keyCode, key->shift, text);
    Send(LineEdit(), press);
    QKeyEvent release = MakeKeyEvent(QEvent::KeyRelease, key->keyCode, key->shift, text);
    Send(LineEdit(), release);
  }
  void KeyDown(int16_t code, int16_t shift) override {
    QKeyEvent press = MakeKeyEvent(QEvent::KeyPress, code, shift, QString());
    Send(LineEdit(), press);
  }
  void KeyPress(int16_t code) override {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                    QString(QChar(static_cast<char16_t>(code))));
    Send(LineEdit(), press);
  }
  void KeyUp(int16_t code, int16_t shift) override {
    QKeyEvent release = MakeKeyEvent(QEvent::KeyRelease, code, shift, QString());
    Send(LineEdit(), release);
  }
  // The user cannot move the focus into a disabled field.
  void Focus() override {
    if (!LineEdit().isEnabled()) return;
    QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
    Send(LineEdit(), in);
  }
  void Blur() override {
    if (!LineEdit().isEnabled()) return;
    QFocusEvent out(QEvent::FocusOut, Qt::OtherFocusReason);
    Send(LineEdit(), out);
  }
  // A click where the caret stands, so that the click itself moves nothing.
  void ClickField() override {
    const QPointF at = QRectF(LineEdit().CaretRect()).center();
    Mouse(LineEdit(), QEvent::MouseButtonPress, at);
    Mouse(LineEdit(), QEvent::MouseButtonRelease, at);
  }
  void DblClickField() override {
    const QPointF at = QRectF(LineEdit().CaretRect()).center();
    Mouse(LineEdit(), QEvent::MouseButtonDblClick, at);
    Mouse(LineEdit(), QEvent::MouseButtonRelease, at);
  }
  void ClickButton() override {
    QToolButton& button = widget->Button().ToolButton();
    if (button.isHidden()) return;
    const QPointF at = QRectF(button.rect()).center();
    Mouse(button, QEvent::MouseButtonPress, at);
    Mouse(button, QEvent::MouseButtonRelease, at);
  }

 private:
  QtLineEdit& LineEdit() { return widget->Field().LineEdit(); }

  // Sends an event through the application; an error the control raised while handling
  // it comes out here.
  void Send(QWidget& target, QEvent& event) {
    QCoreApplication::sendEvent(&target, &event);
    if (std::exception_ptr error = widget->TakeError()) std::rethrow_exception(error);
  }

  void Mouse(QWidget& target, QEvent::Type type, QPointF at) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, at, target.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    Send(target, event);
  }

  void ConnectEvents(ControlEvents& events) {
    QtInputControl* w = widget.get();
    QObject::connect(w, &QtInputControl::ButtonClick, w, [&events] { events.ButtonClick(); });
    QObject::connect(w, &QtInputControl::Click, w, [&events] { events.Click(); });
    QObject::connect(w, &QtInputControl::Change, w, [&events] { events.Change(); });
    QObject::connect(w, &QtInputControl::DblClick, w, [&events] { events.DblClick(); });
    QObject::connect(w, &QtInputControl::KeyDown, w,
                     [&events](qint16& code, qint16& shift) { events.KeyDown(code, shift); });
    QObject::connect(w, &QtInputControl::KeyPress, w,
                     [&events](qint16& code) { events.KeyPress(code); });
    QObject::connect(w, &QtInputControl::KeyUp, w,
                     [&events](qint16& code, qint16& shift) { events.KeyUp(code, shift); });
    QObject::connect(
        w, &QtInputControl::MouseDown, w,
        [&events](qint16& b, qint16& s, float& x, float& y) { events.MouseDown(b, s, x, y); });
    QObject::connect(
        w, &QtInputControl::MouseMove, w,
        [&events](qint16& b, qint16& s, float& x, float& y) { events.MouseMove(b, s, x, y); });
    QObject::connect(
        w, &QtInputControl::MouseUp, w,
        [&events](qint16& b, qint16& s, float& x, float& y) { events.MouseUp(b, s, x, y); });
  }

  std::unique_ptr<ScriptWidget> widget;
};

class QtScriptPlatform : public ScriptPlatform {
 public:
  QtScriptPlatform() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
      throw std::logic_error("the Qt platform needs a QApplication");
    }
    // Every script starts with an empty clipboard.
    container.Clipboard().SetText(u"");
  }

  std::string_view Name() const override { return "qt"; }
  std::unique_ptr<ScriptControl> NewControl(std::string_view kind, ControlEvents& events) override {
    std::unique_ptr<ScriptWidget> widget;
    try {
      widget = std::make_unique<ScriptWidget>(kind, container);
    } catch (const std::invalid_argument&) {
      return nullptr;
    }
    return std::make_unique<QtScriptControl>(std::move(widget), events, container);
  }
  entrybox::Clipboard& Clipboard() override { return container.Clipboard(); }
  void SetToday(std::chrono::year_month_day date) override { container.Clock().SetToday(date); }
  void SetAllowChanges(bool allow) override { container.allowChanges = allow; }
  std::vector<std::string> TakeNotified() override { return std::exchange(container.notified, {}); }
  std::vector<std::u16string> TakeShownForms() override {
    return std::exchange(container.forms.shown, {});
  }

 private:
  ScriptContainer container;
};

}  // namespace

std::unique_ptr<ScriptPlatform> MakeQtPlatform() {
  return std::make_unique<QtScriptPlatform>();
}

QtScriptApplication::QtScriptApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  application = std::make_unique<QApplication>(argc, argv);
}

QtScriptApplication::~QtScriptApplication() = default;

}  // namespace entrybox::script
