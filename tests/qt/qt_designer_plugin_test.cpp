// The Designer plugin as Designer sees it: loaded with QPluginLoader, its widget-box
// entries, the widgets it makes, and the task menu's property pages and About box.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDesignerFormEditorInterface>
#include <QDesignerTaskMenuExtension>
#include <QDialog>
#include <QExtensionManager>
#include <QLineEdit>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QPushButton>
#include <QTimer>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// A form editor with nothing but an extension manager, which is all the plugin uses.
class TestCore : public QDesignerFormEditorInterface {
 public:
  TestCore() { setExtensionManager(new QExtensionManager(this)); }
};

struct Loaded {
  QPluginLoader loader{QStringLiteral(ENTRYBOX_DESIGNER_PLUGIN)};
  std::map<QString, QDesignerCustomWidgetInterface*> widgets;  // by class name
};

Loaded& Plugin() {
  static Loaded* loaded = [] {
    auto* result = new Loaded;
    QObject* instance = result->loader.instance();
    if (instance == nullptr) throw std::runtime_error(result->loader.errorString().toStdString());
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(instance);
    if (collection == nullptr) throw std::runtime_error("not a custom widget collection");
    for (QDesignerCustomWidgetInterface* widget : collection->customWidgets())
      result->widgets[widget->name()] = widget;
    return result;
  }();
  return *loaded;
}

struct Entry {
  const char* className;
  const char* displayName;
  std::vector<const char*> ownProperties;
};

const Entry kEntries[] = {
    {"entrybox::QtLong", "twLong", {"Spin", "Formatted", "Min", "Max"}},
    {"entrybox::QtReal", "twReal", {"Spin", "DecimalPlaces", "Formatted", "Min", "Max"}},
    {"entrybox::QtDate",
     "twDate",
     {"DateFormat", "DateCenturyOn", "DateY2KCeiling", "DateMin", "DateMax"}},
    {"entrybox::QtMask", "twMask", {"Mask", "PromptChar"}},
};

const char* const kCommonProperties[] = {
    "Text",          "DropDown",     "ButtonBackColor", "Appearance", "Alignment",
    "BackColor",     "BorderStyle",  "Enabled",         "Font",       "ForeColor",
    "OnFocusSelect", "MousePointer", "ReadOnly",        "AllowNull"};

TEST(QtDesignerPlugin, ListsTheFourControlsInTheirGroup) {
  Loaded& plugin = Plugin();
  ASSERT_EQ(plugin.widgets.size(), 4u);
  for (const Entry& entry : kEntries) {
    SCOPED_TRACE(entry.className);
    ASSERT_EQ(plugin.widgets.count(QString::fromLatin1(entry.className)), 1u);
    QDesignerCustomWidgetInterface& widget = *plugin.widgets[QString::fromLatin1(entry.className)];
    EXPECT_EQ(widget.group(), QStringLiteral("entrybox"));
    EXPECT_FALSE(widget.icon().isNull());
    EXPECT_FALSE(widget.toolTip().isEmpty());
    EXPECT_TRUE(widget.whatsThis().contains(QString::fromLatin1(entry.displayName)));
    EXPECT_EQ(widget.includeFile(), QStringLiteral("entrybox/qt/QtControls.h"));
    EXPECT_FALSE(widget.isContainer());
    // The widget box shows the control's name; the form gets the widget class.
    const QString xml = widget.domXml();
    EXPECT_TRUE(xml.contains(QStringLiteral("displayname=\"%1\"").arg(entry.displayName)))
        << xml.toStdString();
    EXPECT_TRUE(xml.contains(QStringLiteral("class=\"%1\"").arg(entry.className)))
        << xml.toStdString();
  }
  // Each entry is told apart by its icon.
  EXPECT_NE(plugin.widgets["entrybox::QtLong"]->icon().pixmap(32).toImage(),
            plugin.widgets["entrybox::QtMask"]->icon().pixmap(32).toImage());
}

TEST(QtDesignerPlugin, MakesEachWidgetWithItsDesignableProperties) {
  for (const Entry& entry : kEntries) {
    SCOPED_TRACE(entry.className);
    QWidget parent;
    QWidget* widget = Plugin().widgets[QString::fromLatin1(entry.className)]->createWidget(&parent);
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->inherits(entry.className));
    EXPECT_EQ(widget->parentWidget(), &parent);
    std::vector<const char*> names(std::begin(kCommonProperties), std::end(kCommonProperties));
    names.insert(names.end(), entry.ownProperties.begin(), entry.ownProperties.end());
    const QMetaObject* meta = widget->metaObject();
    for (const char* name : names) {
      const int index = meta->indexOfProperty(name);
      ASSERT_GE(index, 0) << name;
      EXPECT_TRUE(meta->property(index).isWritable()) << name;
      EXPECT_TRUE(meta->property(index).isDesignable()) << name;
      EXPECT_TRUE(meta->property(index).isStored()) << name;
    }
    // A new widget has the control's defaults, not an empty state.
    EXPECT_TRUE(widget->property("Enabled").toBool());
    EXPECT_EQ(widget->property("BorderStyle").toInt(), 1);
  }
}

// Runs `act` on the first modal widget that opens while `trigger` runs.
std::string WhileModal(const std::function<void()>& trigger,
                       const std::function<void(QWidget&)>& act) {
  std::string seen;
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer.stop();
    seen = modal->objectName().toStdString();
    act(*modal);
  });
  timer.start();
  trigger();
  return seen;
}

struct Designed {
  TestCore core;
  QWidget form;
  QWidget* widget = nullptr;
  QDesignerTaskMenuExtension* menu = nullptr;

  explicit Designed(const char* className) {
    QDesignerCustomWidgetInterface* entry = Plugin().widgets[QString::fromLatin1(className)];
    entry->initialize(&core);
    EXPECT_TRUE(entry->isInitialized());
    widget = entry->createWidget(&form);
    menu = qt_extension<QDesignerTaskMenuExtension*>(core.extensionManager(), widget);
  }
  QAction* Action(const QString& text) const {
    for (QAction* action : menu->taskActions())
      if (action->text() == text) return action;
    return nullptr;
  }
};

void Edit(QWidget& dialog, const char* field, const QString& text) {
  auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
  ASSERT_NE(edit, nullptr) << field;
  edit->setText(text);
  emit edit->textEdited(text);
}

void Click(QWidget& dialog, const char* button) {
  auto* found = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
  ASSERT_NE(found, nullptr) << button;
  found->click();
}

TEST(QtDesignerPlugin, TaskMenuOffersThePropertyPagesAndTheAboutBox) {
  Designed designed("entrybox::QtLong");
  ASSERT_NE(designed.menu, nullptr);
  ASSERT_EQ(designed.menu->taskActions().size(), 2);
  EXPECT_EQ(designed.menu->taskActions()[0]->text(), QStringLiteral("Property Pages…"));
  EXPECT_EQ(designed.menu->taskActions()[1]->text(), QStringLiteral("About…"));
  EXPECT_EQ(designed.menu->preferredEditAction(), designed.menu->taskActions()[0]);
  // Other widgets get no menu from the plugin.
  QWidget plain;
  EXPECT_EQ(qt_extension<QDesignerTaskMenuExtension*>(designed.core.extensionManager(), &plain),
            nullptr);
}

TEST(QtDesignerPlugin, ApplyWritesThePagesBackWhileTheDialogIsOpen) {
  Designed designed("entrybox::QtLong");
  QWidget& box = *designed.widget;
  const double maxBefore = box.property("Max").toDouble();
  double maxAfterApply = 0;
  const std::string seen =
      WhileModal([&] { designed.Action(QStringLiteral("Property Pages…"))->trigger(); },
                 [&](QWidget& dialog) {
                   Edit(dialog, "txtMax", QStringLiteral("250"));
                   EXPECT_EQ(box.property("Max").toDouble(), maxBefore);  // not before Apply
                   Click(dialog, "cmdApply");
                   maxAfterApply = box.property("Max").toDouble();
                   Edit(dialog, "txtMin", QStringLiteral("-7"));
                   Click(dialog, "cmdCancel");  // drops the second edit
                 });
  EXPECT_EQ(seen, "PropertyDialog");
  EXPECT_EQ(maxAfterApply, 250);
  EXPECT_EQ(box.property("Max").toDouble(), 250);
  EXPECT_NE(box.property("Min").toDouble(), -7);
}

TEST(QtDesignerPlugin, OkWritesEveryChangedValueAndCloses) {
  Designed designed("entrybox::QtReal");
  QWidget& box = *designed.widget;
  box.setProperty("Min", 0.0);
  box.setProperty("Max", 100.0);
  box.setProperty("Text", QStringLiteral("12.75"));
  const std::string seen =
      WhileModal([&] { designed.Action(QStringLiteral("Property Pages…"))->trigger(); },
                 [&](QWidget& dialog) {
                   Edit(dialog, "txtMin", QStringLiteral("500"));
                   Edit(dialog, "txtMax", QStringLiteral("900"));
                   Edit(dialog, "txtDecimal", QStringLiteral("3"));
                   Click(dialog, "cmdOK");
                 });
  EXPECT_EQ(seen, "PropertyDialog");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(box.property("Min").toDouble(), 500);
  EXPECT_EQ(box.property("Max").toDouble(), 900);
  EXPECT_EQ(box.property("DecimalPlaces").toInt(), 3);
  // The value is kept, shown with the new number of decimals.
  EXPECT_EQ(box.property("Text").toString(), QStringLiteral("12.750"));
}

TEST(QtDesignerPlugin, CancelLeavesTheWidgetAsItWas) {
  Designed designed("entrybox::QtMask");
  QWidget& box = *designed.widget;
  const QString mask = box.property("Mask").toString();
  WhileModal([&] { designed.Action(QStringLiteral("Property Pages…"))->trigger(); },
             [&](QWidget& dialog) {
               Edit(dialog, "txtMask", QStringLiteral("###-##"));
               Click(dialog, "cmdCancel");
             });
  EXPECT_EQ(box.property("Mask").toString(), mask);
}

TEST(QtDesignerPlugin, AboutShowsTheAboutBox) {
  Designed designed("entrybox::QtDate");
  const std::string seen =
      WhileModal([&] { designed.Action(QStringLiteral("About…"))->trigger(); },
                 [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
  EXPECT_EQ(seen, "frmAbout");
}

}  // namespace
