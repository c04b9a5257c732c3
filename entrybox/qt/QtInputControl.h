// The controls as Qt widgets: a QWidget that hosts one control of a kind, with its
// properties as Q_PROPERTYs and its events as signals.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

class QMenu;
#include <cstdint>
#include <exception>
#include <memory>
#include <string_view>

#include "entrybox/controls/InputControl.h"
#include "entrybox/platform/ControlEvents.h"
#include "entrybox/platform/DataObject.h"
#include "entrybox/platform/PropertyBag.h"
#include "entrybox/qt/QtContainer.h"
#include "entrybox/qt/QtSite.h"

namespace entrybox {

/// A control of one kind ("long", "real", "date", "mask") as a widget: its edit field a
/// QLineEdit, its drop-down button a QToolButton, laid out in twips (15 to a pixel).
/// The widget only translates: properties go to the control, the control's events come
/// out as signals, and the container's questions come in as virtuals.
///
/// Event signals carry their parameters by reference, as the control's events do: a slot
/// connected directly (the default within a thread) may change them, and the control
/// acts on what the slots leave (KeyPress with 0 swallows the key).
///
/// The field has a context menu (Undo, Redo, Cut, Copy, Paste, Delete, Select All) whose
/// items run their keys through the control, as typed keys do but without key events to
/// the host; a right click, the Menu key or Shift+F10 opens it, ContextMenu turns it off.
///
/// Property setters raise entrybox::Error as the control does; every write but SelStart
/// and SelLength goes by name to the control, so it empties the field's undo history. An error
/// raised while the control handles a Qt event (a key, the focus, a click) cannot travel through
/// Qt: it ends that event's handling, comes out as ErrorRaised and waits in TakeError.
class QtInputControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE SetText NOTIFY Change)
  Q_PROPERTY(bool DropDown READ DropDown WRITE SetDropDown)
  Q_PROPERTY(uint ButtonBackColor READ ButtonBackColor WRITE SetButtonBackColor)
  Q_PROPERTY(int Appearance READ Appearance WRITE SetAppearance)
  Q_PROPERTY(int Alignment READ Alignment WRITE SetAlignment)
  Q_PROPERTY(uint BackColor READ BackColor WRITE SetBackColor)
  Q_PROPERTY(int BorderStyle READ BorderStyle WRITE SetBorderStyle)
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
  Q_PROPERTY(QFont Font READ Font WRITE SetFont)
  Q_PROPERTY(uint ForeColor READ ForeColor WRITE SetForeColor)
  Q_PROPERTY(bool OnFocusSelect READ OnFocusSelect WRITE SetOnFocusSelect)
  Q_PROPERTY(int MousePointer READ MousePointer WRITE SetMousePointer)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
  Q_PROPERTY(bool AllowNull READ AllowNull WRITE SetAllowNull)
  Q_PROPERTY(int SelStart READ SelStart WRITE SetSelStart)
  Q_PROPERTY(int SelLength READ SelLength WRITE SetSelLength)
  Q_PROPERTY(QString SelText READ SelText WRITE SetSelText)
  Q_PROPERTY(bool ContextMenu READ ContextMenu WRITE SetContextMenu)

 public:
  /// A control of `kind`, created but not yet initialised: call InitProperties or
  /// ReadProperties next (the named widgets QtLong ... do InitProperties for you). With no
  /// container the widget makes one of its own. std::invalid_argument for an unknown kind.
  explicit QtInputControl(std::string_view kind, QWidget* parent = nullptr,
                          QtContainer* container = nullptr);
  ~QtInputControl() override;

  /// The kind this widget was made with ("long", ...).
  const std::string& Kind() const { return kind; }
  /// The control itself, for everything the widget does not name (GetProperty...).
  InputControl& Control() { return *control; }
  QtSite& Site() { return *site; }
  QtField& Field() { return site->Field(); }
  QtButton& Button() { return site->Button(); }

  // Lifecycle, as a container runs it: create, then initialise or load, then size.
  /// A new control with its defaults, laid out.
  void InitProperties();
  /// Loads the control from a bag and lays it out; an error leaves it as far as loading
  /// got.
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag);
  /// Sets the inner size in twips and lays the control out.
  void SetSizeInTwips(double width, double height);

  /// The container's "may this bindable property change" query; yes unless overridden.
  virtual bool CanPropertyChange(const QString& name);

  /// The error raised while a Qt event was handled, taken once; null when none.
  std::exception_ptr TakeError();

  /// Types `text` into the field as a user on a US keyboard would: per character a key
  /// press and a key release sent through the application (a character that no key types
  /// comes as its text alone; one outside the Basic Multilingual Plane whole). Stops at the
  /// first error the control raises and throws it.
  void TypeText(const QString& text);

  QString Text() const;
  void SetText(const QString& value);
  bool DropDown() const { return control->DropDown(); }
  void SetDropDown(bool value) { Set("DropDown", Variant(value)); }
  uint ButtonBackColor() const { return control->ButtonBackColor(); }
  void SetButtonBackColor(uint value) {
    Set("ButtonBackColor", Variant(static_cast<double>(value)));
  }
  int Appearance() const { return control->Appearance(); }
  void SetAppearance(int value) { Set("Appearance", Variant(static_cast<double>(value))); }
  int Alignment() const { return control->Alignment(); }
  void SetAlignment(int value) { Set("Alignment", Variant(static_cast<double>(value))); }
  uint BackColor() const { return control->BackColor(); }
  void SetBackColor(uint value) { Set("BackColor", Variant(static_cast<double>(value))); }
  int BorderStyle() const { return control->BorderStyle(); }
  void SetBorderStyle(int value) { Set("BorderStyle", Variant(static_cast<double>(value))); }
  bool Enabled() const { return control->Enabled(); }
  void SetEnabled(bool value) { Set("Enabled", Variant(value)); }
  QFont Font() const;
  void SetFont(const QFont& value);
  uint ForeColor() const { return control->ForeColor(); }
  void SetForeColor(uint value) { Set("ForeColor", Variant(static_cast<double>(value))); }
  bool OnFocusSelect() const { return control->OnFocusSelect(); }
  void SetOnFocusSelect(bool value) { Set("OnFocusSelect", Variant(value)); }
  int MousePointer() const { return control->MousePointer(); }
  void SetMousePointer(int value) { Set("MousePointer", Variant(static_cast<double>(value))); }
  bool ReadOnly() const { return control->ReadOnly(); }
  void SetReadOnly(bool value) { Set("ReadOnly", Variant(value)); }
  bool AllowNull() const { return control->AllowNull(); }
  void SetAllowNull(bool value) { Set("AllowNull", Variant(value)); }
  int SelStart() const { return control->SelStart(); }
  void SetSelStart(int value) { control->SetSelStart(value); }
  int SelLength() const { return control->SelLength(); }
  void SetSelLength(int value) { control->SetSelLength(value); }
  QString SelText() const;
  void SetSelText(const QString& value);

  /// Refreshes the field (and, for the date box, the control).
  Q_INVOKABLE void Refresh() { control->Refresh(); }
  /// Shows the About box modally.
  Q_INVOKABLE void AboutBox() { control->AboutBox(); }

  QSize sizeHint() const override;

  /// Whether the field offers its context menu (on by default).
  bool ContextMenu() const { return contextMenu; }
  void SetContextMenu(bool value) { contextMenu = value; }
  /// The context menu as it would show now, each item enabled only when it can act
  /// (something selected, a text on the clipboard, a step to undo, not read-only).
  /// Owned by `parent`. Item object names: undo, redo, cut, copy, paste, delete, selectAll.
  QMenu* CreateContextMenu(QWidget* parent);

 signals:
  // The control's sixteen events, in their order.
  /// A slot that sets Handled to true keeps the widget's own action (the date box's
  /// calendar) from following.
  void ButtonClick(bool& Handled);
  void Click();
  void Change();
  void DblClick();
  void KeyDown(qint16& KeyCode, qint16& Shift);
  void KeyPress(qint16& KeyAscii);
  void KeyUp(qint16& KeyCode, qint16& Shift);
  void MouseDown(qint16& Button, qint16& Shift, float& x, float& y);
  void MouseMove(qint16& Button, qint16& Shift, float& x, float& y);
  void MouseUp(qint16& Button, qint16& Shift, float& x, float& y);
  void OLECompleteDrag(qint32& Effect);
  void OLEDragDrop(entrybox::DataObject& Data, qint32& Effect, qint16& Button, qint16& Shift,
                   float& x, float& y);
  void OLEDragOver(entrybox::DataObject& Data, qint32& Effect, qint16& Button, qint16& Shift,
                   float& x, float& y, qint16& State);
  void OLEGiveFeedback(qint32& Effect, bool& DefaultCursors);
  void OLESetData(entrybox::DataObject& Data, qint16& DataFormat);
  void OLEStartDrag(entrybox::DataObject& Data, qint32& AllowedEffects);

  /// A persisted property changed (the container's property-changed notification).
  void PropertyChanged(const QString& name);
  /// An error ended the handling of a Qt event (see TakeError).
  void ErrorRaised(int number, const QString& description);
  /// The context menu is about to be shown: a host may add items to it or change it.
  void AboutToShowContextMenu(QMenu* menu);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  /// Kind-specific properties by name, for the named widgets.
  Variant Get(std::string_view name) const;
  void Set(std::string_view name, const Variant& value);
  /// What the drop-down button does after ButtonClick when no slot handled it: nothing.
  virtual void ButtonClickDefault() {}
  /// Emits ErrorRaised and keeps the error for TakeError.
  void ReportError(std::exception_ptr error);

 private:
  class Events;
  friend class QtSite;

  bool ShowContextMenu(const QPoint& globalPos);

  std::string kind;
  std::unique_ptr<QtContainer> ownContainer;
  std::unique_ptr<Events> events;
  std::unique_ptr<QtSite> site;
  std::unique_ptr<InputControl> control;  // goes before its site
  std::exception_ptr lastError;
  bool contextMenu = true;
};

}  // namespace entrybox
