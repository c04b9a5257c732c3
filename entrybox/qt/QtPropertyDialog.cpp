#include "entrybox/qt/QtPropertyDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <stdexcept>

#include "entrybox/pages/PageFields.h"
#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtConvert.h"
#include "entrybox/qt/QtInputControl.h"
#include "entrybox/values/Strings.h"

namespace entrybox {

namespace {

constexpr double kPagePointSize = 8;

QRect PixelRect(const PageRect& r) {
  return TwipsToPixelRect(r.Left, r.Top, r.Width, r.Height);
}

bool HasLabel(const PageRect& r) {
  return r.Width != 0 || r.Height != 0;
}

Qt::CheckState CheckStateOf(int16_t value) {
  switch (value) {
    case 1:
      return Qt::Checked;
    case 2:
      return Qt::PartiallyChecked;
    default:
      return Qt::Unchecked;
  }
}

// The model's place, widened when the caption would be cut: the pages were laid out
// for a narrower font than most Qt styles have.
QRect WidenedToText(const QWidget& widget, QRect place) {
  place.setWidth(std::max(place.width(), widget.sizeHint().width()));
  return place;
}

QString Description(const Error& e) {
  return QString::fromStdString(e.Description());
}

}  // namespace

// --- QtPageHost -----------------------------------------------------------------------------

void QtPageHost::Select(const std::vector<InputControl*>& controls) {
  selection.clear();
  for (InputControl* control : controls)
    selection.emplace_back(*control);
  if (events != nullptr) events->SelectionChanged();
}

void QtPageHost::Confirm() {
  if (!changed || events == nullptr) return;
  events->ApplyChanges();
  SetChanged(false);
}

PropertyAccess& QtPageHost::SelectedControl(size_t index) {
  if (index >= selection.size()) throw Error(9, "Subscript out of range");
  auto it = selection.begin();
  std::advance(it, static_cast<std::ptrdiff_t>(index));
  return *it;
}

void QtPageHost::SetChanged(bool value) {
  changed = value;
  if (changedFlagMoved) changedFlagMoved();
}

// --- QtPageView -----------------------------------------------------------------------------

QtPageView::QtPageView(PropertyPage& model, QWidget* parent) : QWidget(parent), page(model) {
  setObjectName(QString::fromStdString(page.Name()));
  // The pages are laid out for an 8-point font.
  QFont pageFont = font();
  pageFont.setPointSizeF(kPagePointSize);
  setFont(pageFont);
  setFixedSize(TwipsToPixels(page.Width()), TwipsToPixels(page.Height()));

  for (PageField* field : page.Fields()) {
    const QString name = QString::fromStdString(field->Name());
    if (field->Kind() != FieldKind::Check && field->Kind() != FieldKind::Options &&
        HasLabel(field->LabelBounds())) {
      auto* label = new QLabel(ToQString(field->Caption()), this);
      label->setObjectName(QStringLiteral("lbl") + name);
      label->setGeometry(WidenedToText(*label, PixelRect(field->LabelBounds())));
    }
    switch (field->Kind()) {
      case FieldKind::Text: {
        auto& text = static_cast<TextField&>(*field);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        edit->setGeometry(PixelRect(field->Bounds()));
        edit->setMaxLength(std::numeric_limits<int>::max() / 2);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, &text](const QString& value) {
          Run([&] { text.SetText(FromQString(value)); });
        });
        showers.push_back([edit, &text] {
          const QString shown = ToQString(text.Text());
          if (edit->text() != shown) edit->setText(shown);
        });
        break;
      }
      case FieldKind::Check: {
        auto& check = static_cast<CheckBox&>(*field);
        auto* box = new QCheckBox(ToQString(field->Caption()), this);
        box->setObjectName(name);
        box->setGeometry(WidenedToText(*box, PixelRect(field->Bounds())));
        // A click sets a clear or greyed box and clears a set one, as the platform's
        // check boxes do; the model decides, the box then shows it.
        connect(box, &QCheckBox::clicked, this,
                [this, &check] { Run([&] { check.SetValue(check.Value() == 1 ? 0 : 1); }); });
        showers.push_back([box, &check] { box->setCheckState(CheckStateOf(check.Value())); });
        break;
      }
      case FieldKind::List: {
        auto& list = static_cast<ListField&>(*field);
        auto* combo = new QComboBox(this);
        combo->setObjectName(name);
        combo->setGeometry(PixelRect(field->Bounds()));
        for (const auto& entry : list.Entries())
          combo->addItem(ToQString(entry.text));
        connect(combo, &QComboBox::activated, this,
                [this, &list](int index) { Run([&] { list.SetListIndex(index); }); });
        showers.push_back([combo, &list] { combo->setCurrentIndex(list.ListIndex()); });
        break;
      }
      case FieldKind::Options: {
        auto& group = static_cast<OptionGroup&>(*field);
        auto* frame = new QGroupBox(ToQString(field->Caption()), this);
        frame->setObjectName(name);
        frame->setGeometry(PixelRect(field->Bounds()));
        std::vector<QRadioButton*> buttons;
        for (size_t i = 0; i < group.Options().size(); ++i) {
          const auto& option = group.Options()[i];
          auto* radio = new QRadioButton(ToQString(option.caption), frame);
          radio->setObjectName(name + QString::number(i));
          // The option buttons stand inside their frame, placed relative to it.
          radio->setGeometry(PixelRect(option.bounds));
          radio->setAutoExclusive(false);
          const auto index = static_cast<int32_t>(i);
          connect(radio, &QRadioButton::clicked, this,
                  [this, &group, index] { Run([&] { group.SwitchOn(index); }); });
          buttons.push_back(radio);
        }
        showers.push_back([buttons, &group] {
          for (size_t i = 0; i < buttons.size(); ++i)
            buttons[i]->setChecked(group.Value() == static_cast<int32_t>(i));
        });
        break;
      }
    }
  }
  ShowModel();
}

void QtPageView::ShowModel() {
  for (const auto& show : showers)
    show();
}

void QtPageView::Run(const std::function<void()>& edit) {
  try {
    edit();
  } catch (const Error& e) {
    ShowModel();
    emit EditFailed(e.Number(), Description(e));
    return;
  }
  ShowModel();
}

bool QtPageView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    const std::string name = watched->objectName().toStdString();
    if (PageField* field = page.FieldNamed(name)) Run([field] { field->LoseFocus(); });
  }
  return QWidget::eventFilter(watched, event);
}

// --- QtPropertyDialog -----------------------------------------------------------------------

QtPropertyDialog::QtPropertyDialog(const std::vector<QtInputControl*>& selected, QWidget* parent)
    : QDialog(parent) {
  if (selected.empty()) throw std::invalid_argument("a property dialog needs a selected control");
  std::vector<InputControl*> controls;
  for (QtInputControl* control : selected)
    controls.push_back(&control->Control());
  // "twLong" -> "Long": the pages of the first selected control's kind.
  const std::u16string className = controls.front()->ClassName();
  const std::string kind = ToUtf8(Mid(className, 3));

  setObjectName(QStringLiteral("PropertyDialog"));
  setWindowTitle(ToQString(className) + QStringLiteral(" Properties"));
  tabs = new QTabWidget(this);
  ok = new QPushButton(tr("OK"), this);
  cancel = new QPushButton(tr("Cancel"), this);
  apply = new QPushButton(tr("Apply"), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  cancel->setObjectName(QStringLiteral("cmdCancel"));
  apply->setObjectName(QStringLiteral("cmdApply"));
  ok->setDefault(true);

  for (const char* pageKind : {"General", "Format"}) {
    auto entry = std::make_unique<PageEntry>();
    entry->host = std::make_unique<QtPageHost>([this] { UpdateApply(); });
    entry->page = CreatePage(kind + pageKind, *entry->host);
    if (!entry->page) continue;
    entry->view = new QtPageView(*entry->page);
    connect(entry->view, &QtPageView::EditFailed, this, &QtPropertyDialog::Report);
    tabs->addTab(entry->view, ToQString(entry->page->Caption()));
    pages.push_back(std::move(entry));
  }
  // Every page fills itself from the first selected control.
  for (auto& entry : pages) {
    try {
      entry->host->Select(controls);
    } catch (const Error& e) {
      emit ErrorRaised(e.Number(), Description(e));
    }
    entry->view->ShowModel();
  }

  connect(ok, &QPushButton::clicked, this, [this] {
    if (Apply()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(apply, &QPushButton::clicked, this, [this] { Apply(); });

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(apply);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  UpdateApply();
}

QtPropertyDialog::~QtPropertyDialog() {
  // The views go before the pages they draw.
  delete tabs;
  tabs = nullptr;
}

bool QtPropertyDialog::Apply() {
  for (auto& entry : pages) {
    try {
      entry->host->Confirm();
    } catch (const Error& e) {
      entry->view->ShowModel();
      Report(e.Number(), Description(e));
      UpdateApply();
      return false;
    }
    entry->view->ShowModel();
  }
  UpdateApply();
  return true;
}

void QtPropertyDialog::UpdateApply() {
  if (apply == nullptr) return;
  bool changed = false;
  for (const auto& entry : pages) {
    if (entry->host->Changed()) changed = true;
  }
  apply->setEnabled(changed);
}

void QtPropertyDialog::Report(int number, const QString& description) {
  emit ErrorRaised(number, description);
  ShowError(number, description);
}

void QtPropertyDialog::ShowError(int number, const QString& description) {
  QMessageBox::warning(this, windowTitle(), tr("Error %1: %2").arg(number).arg(description));
}

}  // namespace entrybox
