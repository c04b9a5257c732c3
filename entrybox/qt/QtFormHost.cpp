#include "entrybox/qt/QtFormHost.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "entrybox/qt/QtConvert.h"

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

}  // namespace entrybox
