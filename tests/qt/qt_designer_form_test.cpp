// The Designer plugin inside Designer's own form editor: a form with a twLong on it, the
// property pages opened from the task menu, and what OK writes: the widget's property,
// one undoable step, and the saved form.
#include <gtest/gtest.h>

#include <QtDesigner/qdesigner_components.h>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QDesignerFormWindowManagerInterface>
#include <QDesignerIntegration>
#include <QDesignerTaskMenuExtension>
#include <QDesignerWidgetFactoryInterface>
#include <QDialog>
#include <QExtensionManager>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QUndoStack>
#include <functional>

namespace {

const char* const kForm = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>300</width><height>100</height></rect></property>
  <widget class="entrybox::QtLong" name="quantity">
   <property name="geometry"><rect><x>10</x><y>10</y><width>120</width><height>22</height></rect></property>
  </widget>
 </widget>
 <customwidgets>
  <customwidget>
   <class>entrybox::QtLong</class>
   <extends>QWidget</extends>
   <header>entrybox/qt/QtControls.h</header>
  </customwidget>
 </customwidgets>
</ui>
)";

// Runs `act` on the first modal widget that opens while `trigger` runs.
void WhileModal(const std::function<void()>& trigger, const std::function<void(QWidget&)>& act) {
  QTimer timer;
  timer.setInterval(5);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    timer.stop();
    act(*modal);
  });
  timer.start();
  trigger();
}

TEST(QtDesignerForm, PropertyPagesWriteThroughTheFormUndoablyAndAreSaved) {
  QCoreApplication::addLibraryPath(QStringLiteral(ENTRYBOX_PLUGIN_DIR));
  QDesignerComponents::initializeResources();
  QDesignerFormEditorInterface* core = QDesignerComponents::createFormEditor(nullptr);
  QDesignerComponents::initializePlugins(core);
  auto* integration = new QDesignerIntegration(core, core);  // the form windows need one
  core->setIntegration(integration);

  QDesignerFormWindowInterface* form = core->formWindowManager()->createFormWindow(nullptr);
  ASSERT_NE(form, nullptr);
  QByteArray contents(kForm);
  QBuffer buffer(&contents);
  buffer.open(QIODevice::ReadOnly);
  QString error;
  ASSERT_TRUE(form->setContents(&buffer, &error)) << error.toStdString();
  auto* box = form->mainContainer()->findChild<QWidget*>(QStringLiteral("quantity"));
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->inherits("entrybox::QtLong"));
  form->clearSelection(false);
  form->selectWidget(box, true);

  auto* menu = qt_extension<QDesignerTaskMenuExtension*>(core->extensionManager(), box);
  ASSERT_NE(menu, nullptr);
  const int undoBefore = form->commandHistory()->count();
  WhileModal([&] { menu->preferredEditAction()->trigger(); },
             [](QWidget& dialog) {
               auto* max = dialog.findChild<QLineEdit*>(QStringLiteral("txtMax"));
               ASSERT_NE(max, nullptr);
               max->setText(QStringLiteral("250"));
               emit max->textEdited(max->text());
               dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
             });
  EXPECT_EQ(box->property("Max").toDouble(), 250);
  // One step on the form's undo stack, which takes the change back.
  EXPECT_EQ(form->commandHistory()->count(), undoBefore + 1);
  EXPECT_TRUE(form->isDirty());
  const QString saved = form->contents();
  // The setters are not named setMax...: Designer marks the property for uic to set by name.
  EXPECT_TRUE(saved.contains(QStringLiteral("<property name=\"Max\" stdset=\"0\">")))
      << saved.toStdString();
  EXPECT_TRUE(saved.contains(QStringLiteral("<double>250"))) << saved.toStdString();
  form->commandHistory()->undo();
  EXPECT_NE(box->property("Max").toDouble(), 250);
  form->commandHistory()->redo();
  EXPECT_EQ(box->property("Max").toDouble(), 250);

  // A twMask designed with a mask and a text: the saved form sets the text after the mask
  // (which clears the text), so that uic's form shows the text as designed.
  QWidget* phone = core->widgetFactory()->createWidget(QStringLiteral("entrybox::QtMask"),
                                                       form->mainContainer());
  phone->setObjectName(QStringLiteral("phone"));
  form->manageWidget(phone);
  form->cursor()->setWidgetProperty(phone, QStringLiteral("Mask"),
                                    QStringLiteral("(###) ###-####"));
  form->cursor()->setWidgetProperty(phone, QStringLiteral("Text"), QStringLiteral("5551234567"));
  const QString withPhone = form->contents();
  const qsizetype phoneAt = withPhone.indexOf(QStringLiteral("name=\"phone\""));
  ASSERT_GE(phoneAt, 0) << withPhone.toStdString();
  const qsizetype maskAt = withPhone.indexOf(QStringLiteral("<property name=\"Mask\""), phoneAt);
  const qsizetype textAt = withPhone.indexOf(QStringLiteral("<property name=\"Text\""), phoneAt);
  EXPECT_GE(maskAt, 0);
  EXPECT_GT(textAt, maskAt) << withPhone.toStdString();
  EXPECT_EQ(withPhone.indexOf(QStringLiteral("<property name=\"Text\""), textAt + 1), -1);

  delete form;
  delete core;
}

}  // namespace
