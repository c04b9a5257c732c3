#include "entrybox/qt/QtFormHost.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

#include "entrybox/platform/Error.h"
#include "entrybox/qt/QtConvert.h"
#include "entrybox/qt/QtInputControl.h"

namespace entrybox {

namespace {

// The separator: two lines, dark above light, 15 twips apart.
class Separator : public QWidget {
 public:
  explicit Separator(QWidget* parent) : QWidget(parent) {
    const int gap = TwipsToPixels(frmAbout::kSeparatorGap);
    setFixedHeight(gap + 1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
  }
};

// A widget setting: a Boolean Q_PROPERTY of the widgets of one kind, by the same name.
struct WidgetSetting {
  std::string_view kind;
  const char* name;
};
constexpr WidgetSetting kWidgetSettings[] = {{"date", "CalendarPopup"}};

const WidgetSetting* FindWidgetSetting(std::string_view kind, std::string_view name) {
  for (const WidgetSetting& setting : kWidgetSettings) {
    if (setting.kind == kind && setting.name == name) return &setting;
  }
  return nullptr;
}

// Names come from files: control characters are shown as \xNN.
std::string Quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || b == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(b));
      out += buf;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

const char* TypeOf(const Variant& value) {
  if (std::holds_alternative<std::monostate>(value)) return "an empty value";
  if (std::holds_alternative<std::u16string>(value)) return "a text";
  if (std::holds_alternative<double>(value)) return "a number";
  if (std::holds_alternative<bool>(value)) return "true or false";
  return "a font";
}

QLabel* Label(QWidget* parent, const char* name, const char16_t* text) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

QtAboutDialog::QtAboutDialog(frmAbout& form, QWidget* parent) : QDialog(parent), form(form) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(ToQString(form.Caption()));
  setModal(true);

  QFont titleFont = font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(frmAbout::kTitlePointSize);
  QLabel* title = Label(this, "lblTitle", frmAbout::lblTitle);
  QLabel* version = Label(this, "lblVersion", frmAbout::lblVersion);
  title->setFont(titleFont);
  version->setFont(titleFont);
  auto* titleRow = new QHBoxLayout;
  titleRow->addWidget(title);
  titleRow->addWidget(version);
  titleRow->addStretch();

  auto* ok = new QPushButton(ToQString(frmAbout::cmdOK), this);
  ok->setObjectName(QStringLiteral("cmdOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, [this] {
    this->form.cmdOK_Click();
    if (this->form.Unloaded()) accept();
  });
  auto* bottomRow = new QHBoxLayout;
  bottomRow->addWidget(Label(this, "lblCopyright", frmAbout::lblCopyright));
  bottomRow->addStretch();
  bottomRow->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(titleRow);
  layout->addWidget(Label(this, "lblProduct", frmAbout::lblProduct));
  layout->addWidget(new Separator(this));
  layout->addWidget(Label(this, "lblCompany", frmAbout::lblCompany));
  layout->addWidget(Label(this, "lblEmail", frmAbout::lblEmail));
  layout->addWidget(Label(this, "lblPhone", frmAbout::lblPhone));
  layout->addStretch();
  layout->addLayout(bottomRow);
}

void QtFormHost::ShowModal(Form& form) {
  form.Load(LibraryTitle());
  QWidget* parent = QApplication::activeWindow();
  std::unique_ptr<QDialog> dialog;
  if (auto* about = dynamic_cast<frmAbout*>(&form)) {
    dialog = std::make_unique<QtAboutDialog>(*about, parent);
  } else {
    dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(ToQString(form.Caption()));
  }
  Run(*dialog);
}

void QtFormHost::Run(QDialog& dialog) {
  dialog.exec();
}

WidgetSettingPairs WidgetSettings(const QtInputControl& control) {
  WidgetSettingPairs out;
  for (const WidgetSetting& setting : kWidgetSettings) {
    if (setting.kind == control.Kind()) {
      out.emplace_back(setting.name, Variant(control.property(setting.name).toBool()));
    }
  }
  return out;
}

void CheckWidgetSettings(const QtInputControl& control, const WidgetSettingPairs& settings) {
  for (auto it = settings.begin(); it != settings.end(); ++it) {
    const auto& [name, value] = *it;
    if (FindWidgetSetting(control.Kind(), name) == nullptr) {
      RaiseLibraryError("unknown widget setting " + Quoted(name) + " for a " + control.Kind() +
                        " box");
    }
    if (std::any_of(settings.begin(), it, [&](const auto& pair) { return pair.first == name; })) {
      RaiseLibraryError("widget setting " + Quoted(name) + " given twice");
    }
    if (!std::holds_alternative<bool>(value)) {
      RaiseLibraryError("widget setting " + Quoted(name) + ": expected true or false, found " +
                        TypeOf(value));
    }
  }
}

void ApplyWidgetSettings(QtInputControl& control, const WidgetSettingPairs& settings) {
  CheckWidgetSettings(control, settings);
  for (const auto& [name, value] : settings) {
    control.setProperty(name.c_str(), std::get<bool>(value));
  }
}

}  // namespace entrybox
