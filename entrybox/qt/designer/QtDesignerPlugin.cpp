#include "entrybox/qt/designer/QtDesignerPlugin.h"

#include <QAction>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QExtensionManager>
#include <QFont>
#include <QMessageBox>
#include <QMetaProperty>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtPropertyDialog.h"

namespace entrybox {
namespace {

const DesignerControlInfo kControls[] = {
    {"entrybox::QtLong", "twLong", "longBox", "123", "Whole-number entry box",
     "<b>twLong</b>: a box for whole numbers, with thousands separators, bounds and a "
     "spin step. Right-click it for its property pages."},
    {"entrybox::QtReal", "twReal", "realBox", "1.5", "Decimal-number entry box",
     "<b>twReal</b>: a box for decimal numbers, with decimal places, bounds and a spin "
     "step. Right-click it for its property pages."},
    {"entrybox::QtDate", "twDate", "dateBox", "31", "Date entry box",
     "<b>twDate</b>: a box for dates in a chosen format, with a century rule, bounds and "
     "a drop-down calendar. Right-click it for its property pages."},
    {"entrybox::QtMask", "twMask", "maskBox", "##", "Masked-text entry box",
     "<b>twMask</b>: a box whose input follows a mask such as (###) ###-####. Right-click "
     "it for its property pages."},
};

const QString kGroup = QStringLiteral("entrybox");

// Properties that follow the selection or the text; the pages never set them.
bool IsRuntimeOnly(std::string_view name) {
  for (std::string_view skipped : {"SelStart", "SelLength", "SelText", "Day", "Month", "Year"})
    if (name == skipped) return true;
  return false;
}

// A widget of the same class as `widget`, holding the same persisted properties.
std::unique_ptr<QtInputControl> CopyOf(QtInputControl& widget) {
  std::unique_ptr<QtInputControl> copy;
  if (qobject_cast<QtLong*>(&widget) != nullptr)
    copy = std::make_unique<QtLong>();
  else if (qobject_cast<QtReal*>(&widget) != nullptr)
    copy = std::make_unique<QtReal>();
  else if (qobject_cast<QtDate*>(&widget) != nullptr)
    copy = std::make_unique<QtDate>();
  else if (qobject_cast<QtMask*>(&widget) != nullptr)
    copy = std::make_unique<QtMask>();
  else
    throw std::invalid_argument("not one of the four entrybox widgets");
  MemoryPropertyBag bag;
  widget.WriteProperties(bag);
  copy->ReadProperties(bag);
  return copy;
}

// Writes one property; an error the control raises comes back as its text.
bool TryWrite(QtInputControl& widget, const QString& name, const QVariant& value, QString& error) {
  try {
    widget.setProperty(name.toLatin1().constData(), value);
    return true;
  } catch (const Error& e) {
    error = QString::fromStdString(e.Description());
  } catch (const std::exception& e) {
    error = QString::fromUtf8(e.what());
  }
  return false;
}

}  // namespace

QtControlDesignerWidget::QtControlDesignerWidget(const DesignerControlInfo& info, QObject* parent)
    : QObject(parent), info(info) {}

QString QtControlDesignerWidget::name() const {
  return QString::fromLatin1(info.className);
}
QString QtControlDesignerWidget::group() const {
  return kGroup;
}
QString QtControlDesignerWidget::toolTip() const {
  return QString::fromUtf8(info.toolTip);
}
QString QtControlDesignerWidget::whatsThis() const {
  return QString::fromUtf8(info.whatsThis);
}
QString QtControlDesignerWidget::includeFile() const {
  return QStringLiteral("entrybox/qt/QtControls.h");
}

QIcon QtControlDesignerWidget::icon() const {
  // Drawn rather than shipped as image files: an entry box with its typical content.
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(QColor(0x40, 0x40, 0x40));
  painter.setBrush(Qt::white);
  painter.drawRect(1, 7, 29, 17);
  QFont font = painter.font();
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(0x00, 0x40, 0x90));
  painter.drawText(QRect(2, 8, 27, 15), Qt::AlignCenter, QString::fromLatin1(info.iconText));
  painter.end();
  return QIcon(pixmap);
}

QWidget* QtControlDesignerWidget::createWidget(QWidget* parent) {
  const std::string_view name = info.className;
  if (name == "entrybox::QtLong") return new QtLong(parent);
  if (name == "entrybox::QtReal") return new QtReal(parent);
  if (name == "entrybox::QtDate") return new QtDate(parent);
  return new QtMask(parent);
}

void QtControlDesignerWidget::initialize(QDesignerFormEditorInterface* core) {
  initialized = true;
  if (core == nullptr || core->extensionManager() == nullptr) return;
  // One factory serves the four widgets: the first of them to be initialised with an editor
  // registers it there.
  QExtensionManager* manager = core->extensionManager();
  if (manager->property("entryboxTaskMenu").toBool()) return;
  manager->setProperty("entryboxTaskMenu", true);
  manager->registerExtensions(new QtControlTaskMenuFactory(manager),
                              Q_TYPEID(QDesignerTaskMenuExtension));
}

QString QtControlDesignerWidget::domXml() const {
  return QStringLiteral(
             "<ui language=\"c++\" displayname=\"%1\">\n"
             " <widget class=\"%2\" name=\"%3\"/>\n"
             "</ui>\n")
      .arg(QString::fromLatin1(info.displayName), QString::fromLatin1(info.className),
           QString::fromLatin1(info.objectName));
}

QtControlsDesignerCollection::QtControlsDesignerCollection(QObject* parent) : QObject(parent) {
  for (const DesignerControlInfo& info : kControls)
    widgets.append(new QtControlDesignerWidget(info, this));
}

QtControlTaskMenu::QtControlTaskMenu(QtInputControl* widget, QObject* parent)
    : QObject(parent),
      widget(widget),
      pagesAction(new QAction(tr("Property Pages…"), this)),
      aboutAction(new QAction(tr("About…"), this)) {
  pagesAction->setObjectName(QStringLiteral("entryboxPropertyPages"));
  aboutAction->setObjectName(QStringLiteral("entryboxAbout"));
  connect(pagesAction, &QAction::triggered, this, &QtControlTaskMenu::EditProperties);
  connect(aboutAction, &QAction::triggered, this, &QtControlTaskMenu::ShowAbout);
}

QList<QAction*> QtControlTaskMenu::taskActions() const {
  return {pagesAction, aboutAction};
}

QStringList QtControlTaskMenu::EditableProperties(const QtInputControl& widget) {
  // The kind's own properties first, then the common ones, and the text last: a new mask
  // or new bounds would otherwise reshape a text written before them.
  QStringList own;
  QStringList common;
  const QMetaObject* meta = widget.metaObject();
  const int first = QtInputControl::staticMetaObject.propertyOffset();
  const int ownFirst = QtInputControl::staticMetaObject.propertyCount();
  for (int i = first; i < meta->propertyCount(); ++i) {
    const QMetaProperty property = meta->property(i);
    const std::string_view name = property.name();
    if (!property.isWritable() || IsRuntimeOnly(name) || name == "Text") continue;
    (i >= ownFirst ? own : common).append(QString::fromLatin1(property.name()));
  }
  return own + common + QStringList{QStringLiteral("Text")};
}

void QtControlTaskMenu::EditProperties() {
  // Runs from a menu: an error must not travel on into Designer, which cannot take it.
  const auto guarded = [this](const std::function<void()>& work) {
    try {
      work();
    } catch (const Error& e) {
      QMessageBox::warning(widget->window(), tr("Property Pages"),
                           QString::fromStdString(e.Description()));
    } catch (const std::exception& e) {
      QMessageBox::warning(widget->window(), tr("Property Pages"), QString::fromUtf8(e.what()));
    }
  };
  guarded([&] {
    std::unique_ptr<QtInputControl> copy = CopyOf(*widget);
    QtPropertyDialog dialog({copy.get()}, widget->window());
    // Runs after the dialog's own Apply, which changed the copy.
    connect(&dialog.ApplyButton(), &QPushButton::clicked, this,
            [&] { guarded([&] { WriteBack(*copy); }); });
    if (dialog.exec() == QDialog::Accepted) WriteBack(*copy);
  });
}

void QtControlTaskMenu::ShowAbout() {
  widget->AboutBox();
}

bool QtControlTaskMenu::WriteBack(QtInputControl& copy) {
  std::vector<std::pair<QString, QVariant>> pending;
  for (const QString& name : EditableProperties(*widget)) {
    const QVariant value = copy.property(name.toLatin1().constData());
    if (value != widget->property(name.toLatin1().constData())) pending.emplace_back(name, value);
  }
  if (pending.empty()) return true;

  // A value can depend on another (a new minimum above the old maximum): find an order in
  // which every value takes on a trial copy, so the widget (and Designer's undo stack) only
  // ever sees writes that succeed.
  std::unique_ptr<QtInputControl> trial = CopyOf(*widget);
  std::vector<std::pair<QString, QVariant>> order;
  QString error;
  while (!pending.empty()) {
    std::vector<std::pair<QString, QVariant>> refused;
    for (auto& change : pending) {
      if (TryWrite(*trial, change.first, change.second, error))
        order.push_back(std::move(change));
      else
        refused.push_back(std::move(change));
    }
    if (refused.size() == pending.size()) {
      QMessageBox::warning(widget->window(), tr("Property Pages"),
                           tr("%1 could not be set: %2").arg(refused.front().first, error));
      return false;
    }
    pending = std::move(refused);
  }

  QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(widget);
  if (form == nullptr) {
    for (const auto& [name, value] : order)
      TryWrite(*widget, name, value, error);  // took on the trial copy, so takes here
    return true;
  }
  // Through the form's cursor: undoable as one step, and saved with the form.
  QDesignerFormWindowCursorInterface* cursor = form->cursor();
  const bool onlyThis = cursor->selectedWidgetCount() == 1 && cursor->selectedWidget(0) == widget;
  form->beginCommand(tr("Property Pages"));
  for (const auto& [name, value] : order) {
    if (onlyThis)
      cursor->setProperty(name, value);
    else
      cursor->setWidgetProperty(widget, name, value);
  }
  form->endCommand();
  return true;
}

QObject* QtControlTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                                   QObject* parent) const {
  if (iid != Q_TYPEID(QDesignerTaskMenuExtension)) return nullptr;
  for (const DesignerControlInfo& info : kControls) {
    if (object->inherits(info.className))
      return new QtControlTaskMenu(static_cast<QtInputControl*>(object), parent);
  }
  return nullptr;
}

}  // namespace entrybox
