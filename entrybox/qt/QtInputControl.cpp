#include "entrybox/qt/QtInputControl.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QResizeEvent>
#include <stdexcept>

#include "entrybox/controls/Factory.h"
#include "entrybox/platform/Error.h"
#include "entrybox/platform/Keys.h"
#include "entrybox/qt/QtAccessible.h"
#include "entrybox/qt/QtConvert.h"
#include "entrybox/qt/QtKeys.h"

namespace entrybox {

// The control's events, handed on as the widget's signals.
class QtInputControl::Events : public ControlEvents {
 public:
  explicit Events(QtInputControl& owner) : owner(owner) {}

  void ButtonClick() override {
    bool Handled = false;
    emit owner.ButtonClick(Handled);
    if (!Handled) owner.ButtonClickDefault();
  }
  void Click() override { emit owner.Click(); }
  void Change() override { emit owner.Change(); }
  void DblClick() override { emit owner.DblClick(); }
  void KeyDown(int16_t& KeyCode, int16_t& Shift) override { emit owner.KeyDown(KeyCode, Shift); }
  void KeyPress(int16_t& KeyAscii) override { emit owner.KeyPress(KeyAscii); }
  void KeyUp(int16_t& KeyCode, int16_t& Shift) override { emit owner.KeyUp(KeyCode, Shift); }
  void MouseDown(int16_t& Button, int16_t& Shift, float& x, float& y) override {
    emit owner.MouseDown(Button, Shift, x, y);
  }
  void MouseMove(int16_t& Button, int16_t& Shift, float& x, float& y) override {
    emit owner.MouseMove(Button, Shift, x, y);
  }
  void MouseUp(int16_t& Button, int16_t& Shift, float& x, float& y) override {
    emit owner.MouseUp(Button, Shift, x, y);
  }
  void OLECompleteDrag(int32_t& Effect) override { emit owner.OLECompleteDrag(Effect); }
  void OLEDragDrop(DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& x,
                   float& y) override {
    emit owner.OLEDragDrop(Data, Effect, Button, Shift, x, y);
  }
  void OLEDragOver(DataObject& Data, int32_t& Effect, int16_t& Button, int16_t& Shift, float& x,
                   float& y, int16_t& State) override {
    emit owner.OLEDragOver(Data, Effect, Button, Shift, x, y, State);
  }
  void OLEGiveFeedback(int32_t& Effect, bool& DefaultCursors) override {
    emit owner.OLEGiveFeedback(Effect, DefaultCursors);
  }
  void OLESetData(DataObject& Data, int16_t& DataFormat) override {
    emit owner.OLESetData(Data, DataFormat);
  }
  void OLEStartDrag(DataObject& Data, int32_t& AllowedEffects) override {
    emit owner.OLEStartDrag(Data, AllowedEffects);
  }

 private:
  QtInputControl& owner;
};

// --- QtSite ---------------------------------------------------------------------------------

QtSite::QtSite(QtInputControl& owner, QtContainer& container)
    : owner(owner), container(container), field(&owner), button(&owner) {
  const auto report = [&owner](std::exception_ptr error) { owner.ReportError(error); };
  field.SetErrorHandler(report);
  button.SetErrorHandler(report);
  field.SetFont(container.AmbientFont(owner));
}

ControlEvents& QtSite::Events() {
  return *owner.events;
}

void QtSite::PropertyChanged(std::string_view name) {
  emit owner.PropertyChanged(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

bool QtSite::CanPropertyChange(std::string_view name) {
  return owner.CanPropertyChange(
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

entrybox::Font QtSite::AmbientFont() const {
  return container.AmbientFont(owner);
}

void QtSite::Refresh() {
  owner.update();
}

void QtSite::SetSize(double newWidth, double newHeight) {
  width = newWidth;
  height = newHeight;
  // resizeEvent sees the matching pixel size and leaves the twips alone.
  owner.resize(TwipsToPixels(newWidth), TwipsToPixels(newHeight));
}

// --- QtInputControl -------------------------------------------------------------------------

QtInputControl::QtInputControl(std::string_view kind, QWidget* parent, QtContainer* container)
    : QWidget(parent), kind(kind) {
  InstallAccessibility();
  if (container == nullptr) {
    ownContainer = std::make_unique<QtContainer>();
    container = ownContainer.get();
  }
  events = std::make_unique<Events>(*this);
  site = std::make_unique<QtSite>(*this, *container);
  control = CreateControl(kind, *site);
  if (!control) throw std::invalid_argument("no control of the kind " + std::string(kind));
  setFocusProxy(&site->Field().LineEdit());
  site->Field().SetContextMenuHandler([this](const QPoint& at) { return ShowContextMenu(at); });
  setFocusPolicy(Qt::StrongFocus);
  resize(TwipsToPixels(site->ScaleWidth()), TwipsToPixels(site->ScaleHeight()));
}

QtInputControl::~QtInputControl() {
  control.reset();
  site.reset();
}

void QtInputControl::InitProperties() {
  control->InitProperties();
  control->Resize();
}

void QtInputControl::ReadProperties(const PropertyBag& bag) {
  control->ReadProperties(bag);
  control->Resize();
}

void QtInputControl::WriteProperties(PropertyBag& bag) {
  control->WriteProperties(bag);
}

void QtInputControl::SetSizeInTwips(double width, double height) {
  site->SetSize(width, height);
  control->Resize();
}

bool QtInputControl::CanPropertyChange(const QString& /*name*/) {
  return true;
}

std::exception_ptr QtInputControl::TakeError() {
  return std::exchange(lastError, nullptr);
}

void QtInputControl::ReportError(std::exception_ptr error) {
  lastError = error;
  int number = 0;
  QString description;
  try {
    std::rethrow_exception(error);
  } catch (const entrybox::Error& e) {
    number = e.Number();
    description = QString::fromStdString(e.Description());
  } catch (const std::exception& e) {
    description = QString::fromLocal8Bit(e.what());
  } catch (...) {
    description = QStringLiteral("unknown error");
  }
  emit ErrorRaised(number, description);
}

void QtInputControl::TypeText(const QString& text) {
  QtLineEdit& target = site->Field().LineEdit();
  const auto send = [&](QKeyEvent& event) {
    QCoreApplication::sendEvent(&target, &event);
    if (std::exception_ptr error = TakeError()) std::rethrow_exception(error);
  };
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    const auto stroke = keys::KeystrokeFor(c);
    if (!stroke) {
      const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
      send(press);
      i += length - 1;
      continue;
    }
    QKeyEvent press =
        MakeKeyEvent(QEvent::KeyPress, stroke->keyCode, stroke->shift, text.mid(i, 1));
    send(press);
    QKeyEvent release =
        MakeKeyEvent(QEvent::KeyRelease, stroke->keyCode, stroke->shift, text.mid(i, 1));
    send(release);
  }
}

QString QtInputControl::Text() const {
  return ToQString(control->Text());
}

void QtInputControl::SetText(const QString& value) {
  Set("Text", Variant(FromQString(value)));
}

QFont QtInputControl::Font() const {
  return ToQFont(control->Font(), font());
}

void QtInputControl::SetFont(const QFont& value) {
  Set("Font", Variant(FromQFont(value)));
}

QString QtInputControl::SelText() const {
  return ToQString(control->SelText());
}

void QtInputControl::SetSelText(const QString& value) {
  Set("SelText", Variant(FromQString(value)));
}

Variant QtInputControl::Get(std::string_view name) const {
  return control->GetProperty(name);
}

void QtInputControl::Set(std::string_view name, const Variant& value) {
  control->SetProperty(name, value);
}

QSize QtInputControl::sizeHint() const {
  // Wide enough for a grouped number or a date, as tall as a line edit.
  return {TwipsToPixels(2400), site->Field().LineEdit().sizeHint().height()};
}

void QtInputControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize size = event->size();
  if (size.width() == TwipsToPixels(site->ScaleWidth()) &&
      size.height() == TwipsToPixels(site->ScaleHeight())) {
    return;
  }
  // Laid out by Qt: the control's inner size follows the widget's.
  site->width = PixelsToTwips(size.width());
  site->height = PixelsToTwips(size.height());
  try {
    control->Resize();
  } catch (...) {
    ReportError(std::current_exception());
  }
}

// --- context menu ---------------------------------------------------------------------------

QMenu* QtInputControl::CreateContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  QtField& field = site->Field();
  const bool editable = !control->ReadOnly();
  const int32_t length = static_cast<int32_t>(field.Text().size());
  const bool selected = field.SelLength() > 0;
  // Each item is the key it stands for, run through the control as a typed key would be.
  struct Item {
    const char* name;
    QString text;
    QKeySequence::StandardKey shortcut;
    int16_t keyCode;
    int16_t shift;
    bool enabled;
  };
  constexpr int16_t kCtrl = 2;
  const Item items[] = {
      {"undo", tr("&Undo"), QKeySequence::Undo, 90, kCtrl, editable && field.History().CanUndo()},
      {"redo", tr("&Redo"), QKeySequence::Redo, 89, kCtrl, editable && field.History().CanRedo()},
      {"cut", tr("Cu&t"), QKeySequence::Cut, 88, kCtrl, editable && selected},
      {"copy", tr("&Copy"), QKeySequence::Copy, 67, kCtrl, selected},
      {"paste", tr("&Paste"), QKeySequence::Paste, 86, kCtrl,
       editable && !site->Clipboard().GetText().empty()},
      {"delete", tr("Delete"), QKeySequence::UnknownKey, 46, 0, editable && selected},
      {"selectAll", tr("Select All"), QKeySequence::SelectAll, 65, kCtrl,
       length > 0 && field.SelLength() < length},
  };
  for (const Item& item : items) {
    QString text = item.text;
    const QKeySequence keys(item.shortcut);
    if (!keys.isEmpty()) text += QLatin1Char('\t') + keys.toString(QKeySequence::NativeText);
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(item.name));
    action->setEnabled(item.enabled);
    const int16_t keyCode = item.keyCode;
    const int16_t shift = item.shift;
    connect(action, &QAction::triggered, this,
            [this, keyCode, shift] { site->Field().RunCommandKey(keyCode, shift); });
    if (item.keyCode == 89 || item.keyCode == 46) menu->addSeparator();
  }
  return menu;
}

bool QtInputControl::ShowContextMenu(const QPoint& globalPos) {
  if (!contextMenu || !control->Enabled()) return false;
  QMenu* menu = CreateContextMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  emit AboutToShowContextMenu(menu);
  menu->popup(globalPos);
  return true;
}

}  // namespace entrybox
