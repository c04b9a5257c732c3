// The Qt Designer plugin: the four controls in the widget box, their properties in the
// property editor, and a task menu with the property pages and the About box.
#pragma once

#include <QDesignerTaskMenuExtension>
#include <QExtensionFactory>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

class QAction;
class QDesignerFormEditorInterface;

namespace entrybox {

class QtInputControl;

/// How one control appears in Designer: its class, its widget-box entry and its help.
struct DesignerControlInfo {
  const char* className;    // the widget class written to .ui files ("entrybox::QtLong")
  const char* displayName;  // the widget-box entry ("twLong")
  const char* objectName;   // the name of a newly dropped widget ("longBox")
  const char* iconText;     // drawn on the icon ("123")
  const char* toolTip;
  const char* whatsThis;
};

/// One control as a Designer custom widget.
class QtControlDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
  Q_OBJECT
  Q_INTERFACES(QDesignerCustomWidgetInterface)

 public:
  QtControlDesignerWidget(const DesignerControlInfo& info, QObject* parent = nullptr);

  QString name() const override;
  QString group() const override;
  QString toolTip() const override;
  QString whatsThis() const override;
  QString includeFile() const override;
  QIcon icon() const override;
  bool isContainer() const override { return false; }
  QWidget* createWidget(QWidget* parent) override;
  bool isInitialized() const override { return initialized; }
  /// Registers the task menu with the editor's extension manager, once per editor.
  void initialize(QDesignerFormEditorInterface* core) override;
  QString domXml() const override;

 private:
  const DesignerControlInfo& info;
  bool initialized = false;
};

/// The plugin Designer loads: the collection of the four controls.
class QtControlsDesignerCollection : public QObject,
                                     public QDesignerCustomWidgetCollectionInterface {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
  Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

 public:
  explicit QtControlsDesignerCollection(QObject* parent = nullptr);
  QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets; }

 private:
  QList<QDesignerCustomWidgetInterface*> widgets;
};

/// The task menu of a control on a form: "Property Pages…" and "About…".
///
/// The property pages edit a copy of the widget; what they change is written back to the
/// widget property by property, through the form window's cursor when the widget sits on
/// a form (undoable and saved with the form), else directly.
class QtControlTaskMenu : public QObject, public QDesignerTaskMenuExtension {
  Q_OBJECT
  Q_INTERFACES(QDesignerTaskMenuExtension)

 public:
  QtControlTaskMenu(QtInputControl* widget, QObject* parent);

  QAction* preferredEditAction() const override { return pagesAction; }
  QList<QAction*> taskActions() const override;

  /// Opens the property pages on the widget, modally.
  void EditProperties();
  /// Shows the control's About box, modally.
  void ShowAbout();

  /// The names of the properties the pages may change, in the order they are written.
  static QStringList EditableProperties(const QtInputControl& widget);

 private:
  /// Writes to the widget what the pages changed on the copy; false (with a message) when
  /// a value would not take.
  bool WriteBack(QtInputControl& copy);
  void WriteProperty(const QString& name, const QVariant& value);

  QtInputControl* widget;
  QAction* pagesAction;
  QAction* aboutAction;
};

/// Makes the task menu for the four controls.
class QtControlTaskMenuFactory : public QExtensionFactory {
  Q_OBJECT

 public:
  explicit QtControlTaskMenuFactory(QExtensionManager* parent = nullptr)
      : QExtensionFactory(parent) {}

 protected:
  QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

}  // namespace entrybox
