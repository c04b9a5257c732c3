#include "GalleryWindow.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "entrybox/about/frmAbout.h"
#include "entrybox/controls/Factory.h"
#include "entrybox/headless/HeadlessPlatform.h"
#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtControls.h"
#include "entrybox/qt/QtConvert.h"
#include "entrybox/qt/QtFormHost.h"
#include "entrybox/qt/QtPropertyDialog.h"

#if ENTRYBOX_GALLERY_FORMS
#include <filesystem>

#include "entrybox/forms/FormFile.h"
#endif

namespace entrybox::gallery {

namespace {

template <typename Widget>
std::unique_ptr<QtInputControl> Make(QWidget* parent, QtContainer* container) {
  return std::make_unique<Widget>(parent, container);
}

QString Describe(const std::exception& e) {
  if (const auto* error = dynamic_cast<const Error*>(&e)) {
    return QStringLiteral("error %1 \"%2\"")
        .arg(error->Number())
        .arg(QString::fromStdString(error->Description()));
  }
  return QString::fromLocal8Bit(e.what());
}

}  // namespace

GalleryWindow::GalleryWindow(QWidget* parent)
    : QMainWindow(parent), container(std::make_unique<QtContainer>()) {
  setObjectName(QStringLiteral("GalleryWindow"));
  setWindowTitle(tr("entrybox gallery"));
  auto* central = new QWidget(this);
  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(central);
  layout->addLayout(grid);
  setCentralWidget(central);

  AddControl(&Make<QtLong>, QStringLiteral("txtAmount"), tr("&Long integer (twLong)"),
             QStringLiteral("1234567"));
  AddControl(&Make<QtReal>, QStringLiteral("txtPrice"), tr("&Real number (twReal)"),
             QStringLiteral("-1234.5"));
  AddControl(&Make<QtDate>, QStringLiteral("txtDue"), tr("&Date (twDate)"),
             QStringLiteral("12252024"));
  AddControl(&Make<QtMask>, QStringLiteral("txtPhone"), tr("&Masked text (twMask)"),
             QStringLiteral("5551234567"));
  for (size_t row = 0; row < entries.size(); ++row) {
    Entry& entry = entries[row];
    auto* label = new QLabel(entry.caption, central);
    label->setBuddy(entry.control);
    auto* properties = new QPushButton(tr("Properties..."), central);
    properties->setObjectName(QStringLiteral("cmdProperties_") + entry.name);
    QtInputControl* control = entry.control;
    connect(properties, &QPushButton::clicked, this, [this, control] { ShowProperties(*control); });
    const int r = static_cast<int>(row);
    grid->addWidget(label, r, 0);
    grid->addWidget(entry.control, r, 1);
    grid->addWidget(properties, r, 2);
  }

  layout->addWidget(new QLabel(tr("Events and notifications, newest last:"), central));
  log = new QPlainTextEdit(central);
  log->setObjectName(QStringLiteral("EventLog"));
  log->setReadOnly(true);
  log->setMaximumBlockCount(1000);
  log->setMinimumHeight(160);
  layout->addWidget(log, 1);
  BuildMenus();
  resize(620, 420);
}

GalleryWindow::~GalleryWindow() {
  // The controls go before the container they share.
  delete takeCentralWidget();
}

void GalleryWindow::AddControl(std::unique_ptr<QtInputControl> (*make)(QWidget*, QtContainer*),
                               const QString& name, const QString& caption, const QString& demo) {
  std::unique_ptr<QtInputControl> made;
  try {
    made = make(centralWidget(), container.get());
  } catch (const std::invalid_argument&) {
    return;  // a kind this build does not have yet
  }
  QtInputControl* control = made.release();  // the window owns it from here
  control->setObjectName(name);
  control->SetDropDown(true);
  if (auto* date = qobject_cast<QtDate*>(control)) {
    date->SetDateFormat(QStringLiteral("mm/dd/yyyy"));
    date->SetCalendarPopup(true);
  }
  if (auto* mask = qobject_cast<QtMask*>(control)) mask->SetMask(QStringLiteral("(###) ###-####"));

  const QString source = name;
  connect(control, &QtInputControl::ButtonClick, this,
          [this, source] { Log(source, "ButtonClick"); });
  connect(control, &QtInputControl::Click, this, [this, source] { Log(source, "Click"); });
  connect(control, &QtInputControl::Change, this, [this, source, control] {
    // The field as the control left it: within a key, the QLineEdit shows it only afterwards.
    Log(source, QStringLiteral("Change  (field \"%1\")")
                    .arg(QString::fromStdU16String(control->Field().Text())));
  });
  connect(control, &QtInputControl::DblClick, this, [this, source] { Log(source, "DblClick"); });
  connect(control, &QtInputControl::KeyDown, this, [this, source](qint16& code, qint16& shift) {
    Log(source, QStringLiteral("KeyDown(%1,%2)").arg(code).arg(shift));
  });
  connect(control, &QtInputControl::KeyPress, this,
          [this, source](qint16& code) { Log(source, QStringLiteral("KeyPress(%1)").arg(code)); });
  connect(control, &QtInputControl::KeyUp, this, [this, source](qint16& code, qint16& shift) {
    Log(source, QStringLiteral("KeyUp(%1,%2)").arg(code).arg(shift));
  });
  connect(control, &QtInputControl::MouseDown, this,
          [this, source](qint16& button, qint16& shift, float& x, float& y) {
            Log(source,
                QStringLiteral("MouseDown(%1,%2,%3,%4)").arg(button).arg(shift).arg(x).arg(y));
          });
  connect(control, &QtInputControl::MouseUp, this,
          [this, source](qint16& button, qint16& shift, float& x, float& y) {
            Log(source,
                QStringLiteral("MouseUp(%1,%2,%3,%4)").arg(button).arg(shift).arg(x).arg(y));
          });
  connect(control, &QtInputControl::PropertyChanged, this, [this, source](const QString& property) {
    Log(source, "notified \"" + property + "\"");
  });
  connect(control, &QtInputControl::ErrorRaised, this,
          [this, source](int number, const QString& description) {
            Log(source, QStringLiteral("error %1 \"%2\"").arg(number).arg(description));
          });
  entries.push_back({name, caption, demo, control});
}

void GalleryWindow::Log(const QString& source, const QString& text) {
  if (log != nullptr) log->appendPlainText(source + QStringLiteral("  ") + text);
}

void GalleryWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  QAction* open = file->addAction(tr("&Open..."), this, &GalleryWindow::Open);
  open->setShortcut(QKeySequence::Open);
  QAction* save = file->addAction(tr("&Save..."), this, &GalleryWindow::Save);
  save->setShortcut(QKeySequence::Save);
  open->setEnabled(HasForms());
  save->setEnabled(HasForms());
  file->addSeparator();
  QAction* quit = file->addAction(tr("&Quit"), this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);

  QMenu* controls = menuBar()->addMenu(tr("&Controls"));
  for (const Entry& entry : entries) {
    QtInputControl* control = entry.control;
    controls->addAction(tr("Properties of %1...").arg(entry.name), this,
                        [this, control] { ShowProperties(*control); });
  }

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(tr("&About..."), this, [this] {
    frmAbout about;
    container->Forms().ShowModal(about);
  });
}

void GalleryWindow::RunDemonstration() {
  for (const Entry& entry : entries) {
    QtInputControl& control = *entry.control;
    QtLineEdit& edit = control.Field().LineEdit();
    control.setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    if (!edit.hasFocus()) {
      // A window that is not active gets no focus from Qt; the user's click would give it.
      QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
      QCoreApplication::sendEvent(&edit, &in);
      if (std::exception_ptr error = control.TakeError()) {
        Log(entry.name, QStringLiteral("focus failed"));
      }
    }
    try {
      control.TypeText(entry.demo);
    } catch (const std::exception& e) {
      Log(entry.name, QStringLiteral("typing stopped: ") + Describe(e));
    }
  }
  if (!entries.empty()) entries.front().control->Button().ToolButton().click();
  QCoreApplication::processEvents();
}

QWidget* GalleryWindow::OpenCalendar() {
  for (const Entry& entry : entries) {
    auto* date = qobject_cast<QtDate*>(entry.control);
    if (date == nullptr) continue;
    date->Button().ToolButton().click();
    QCoreApplication::processEvents();
    QtCalendarPopup* popup = date->Calendar();
    return popup != nullptr && popup->isVisible() ? popup : nullptr;
  }
  return nullptr;
}

void GalleryWindow::ShowProperties(QtInputControl& control) {
  QtPropertyDialog dialog({&control}, this);
  connect(&dialog, &QtPropertyDialog::ErrorRaised, this,
          [this, &control](int number, const QString& description) {
            Log(control.objectName(),
                QStringLiteral("property page: error %1 \"%2\"").arg(number).arg(description));
          });
  dialog.exec();
}

bool GalleryWindow::HasForms() {
#if ENTRYBOX_GALLERY_FORMS
  return true;
#else
  return false;
#endif
}

QString GalleryWindow::SaveFormFile(const QString& path) {
#if ENTRYBOX_GALLERY_FORMS
  try {
    FormModel form;
    for (const Entry& entry : entries) {
      MemoryPropertyBag bag;
      entry.control->WriteProperties(bag);
      const QPoint at = entry.control->mapTo(centralWidget(), QPoint(0, 0));
      form.Controls.push_back(FormControl{
          entry.control->Kind(), entry.name.toStdString(),
          ControlGeometry{PixelsToTwips(at.x()), PixelsToTwips(at.y()),
                          entry.control->Site().ScaleWidth(), entry.control->Site().ScaleHeight()},
          bag.Pairs(), WidgetSettings(*entry.control)});
    }
    SaveForm(std::filesystem::path(path.toStdString()), form);
    return {};
  } catch (const std::exception& e) {
    return Describe(e);
  }
#else
  (void)path;
  return tr("this build has no form files");
#endif
}

QString GalleryWindow::OpenFormFile(const QString& path) {
#if ENTRYBOX_GALLERY_FORMS
  const std::string file = path.toStdString();
  FormModel form;
  try {
    form = LoadForm(std::filesystem::path(file));
  } catch (const std::exception& e) {
    return Describe(e);
  }
  // First every control of the file, loaded into a scratch control of its kind: the
  // gallery changes only when all of them load.
  std::vector<std::pair<Entry*, const FormControl*>> plan;
  for (const FormControl& saved : form.Controls) {
    Entry* target = nullptr;
    for (Entry& entry : entries) {
      if (entry.name.toStdString() == saved.Name) target = &entry;
    }
    const QString where = QStringLiteral("form file \"%1\": control \"%2\": ")
                              .arg(path, QString::fromStdString(saved.Name));
    if (target == nullptr) return where + tr("the gallery has no control of that name");
    if (target->control->Kind() != saved.Kind) {
      return where + tr("is a %1 box, the gallery's is a %2 box")
                         .arg(QString::fromStdString(saved.Kind),
                              QString::fromStdString(target->control->Kind()));
    }
    try {
      HeadlessContainer scratch;
      ControlEvents quiet;
      auto site = scratch.NewSite(quiet);
      auto control = CreateControl(saved.Kind, *site);
      control->ReadProperties(MemoryPropertyBag(saved.Properties));
      CheckWidgetSettings(*target->control, saved.Widget);
    } catch (const std::exception& e) {
      return where + Describe(e);
    }
    plan.emplace_back(target, &saved);
  }
  for (const auto& [entry, saved] : plan) {
    try {
      entry->control->ReadProperties(MemoryPropertyBag(saved->Properties));
      ApplyWidgetSettings(*entry->control, saved->Widget);
    } catch (const std::exception& e) {
      return QStringLiteral("form file \"%1\": control \"%2\": ").arg(path, entry->name) +
             Describe(e);
    }
  }
  return {};
#else
  (void)path;
  return tr("this build has no form files");
#endif
}

void GalleryWindow::Open() {
  const QString path = QFileDialog::getOpenFileName(this, tr("Open form"), formPath,
                                                    tr("Forms (*.form *.json);;All files (*)"));
  if (path.isEmpty()) return;
  const QString error = OpenFormFile(path);
  if (!error.isEmpty()) {
    Log(QStringLiteral("File"), error);
    QMessageBox::warning(this, tr("Open form"), error);
    return;
  }
  formPath = path;
  Log(QStringLiteral("File"), tr("opened %1").arg(path));
}

void GalleryWindow::Save() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Save form"), formPath,
                                                    tr("Forms (*.form *.json);;All files (*)"));
  if (path.isEmpty()) return;
  const QString error = SaveFormFile(path);
  if (!error.isEmpty()) {
    Log(QStringLiteral("File"), error);
    QMessageBox::warning(this, tr("Save form"), error);
    return;
  }
  formPath = path;
  Log(QStringLiteral("File"), tr("saved %1").arg(path));
}

}  // namespace entrybox::gallery
