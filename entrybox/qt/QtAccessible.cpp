#include "entrybox/qt/QtAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>

#include "entrybox/qt/QtInputControl.h"

namespace entrybox {

namespace {

// "&Birth date" -> "Birth date", "R&&D" -> "R&D".
QString WithoutMnemonic(const QString& text) {
  QString result;
  result.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&')) {
      if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) result += text[++i];
      continue;
    }
    result += text[i];
  }
  return result;
}

QtInputControl* OwnerOf(const QObject* child) {
  return child != nullptr ? qobject_cast<QtInputControl*>(child->parent()) : nullptr;
}

// The field: an editable text whose value is what it shows. Unlike QLineEdit's own
// interface it offers no editing to assistive technology: every change of the text goes
// through the control's keys, which keep its rules.
class FieldAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit FieldAccessible(QtLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

  QtLineEdit* Edit() const { return static_cast<QtLineEdit*>(widget()); }

  QString text(QAccessible::Text t) const override {
    QtInputControl* owner = OwnerOf(Edit());
    switch (t) {
      case QAccessible::Value:
        return Edit()->text();
      case QAccessible::Name:
        if (!Edit()->accessibleName().isEmpty() || owner == nullptr) {
          return QAccessibleWidget::text(t);
        }
        return AccessibleNameOf(*owner);
      case QAccessible::Description:
        if (!Edit()->accessibleDescription().isEmpty() || owner == nullptr) {
          return QAccessibleWidget::text(t);
        }
        return AccessibleDescriptionOf(*owner);
      default:
        return QAccessibleWidget::text(t);
    }
  }

  // The value is the control's to change, by its keys.
  void setText(QAccessible::Text, const QString&) override {}

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = Edit()->isReadOnly();
    s.editable = !s.readOnly;
    s.selectableText = true;
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  // Selection and caret: moving them changes no text, so assistive technology may.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !Edit()->hasSelectedText()) return;
    *startOffset = Edit()->selectionStart();
    *endOffset = *startOffset + static_cast<int>(Edit()->selectedText().size());
  }
  int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
  void addSelection(int startOffset, int endOffset) override {
    setSelection(0, startOffset, endOffset);
  }
  void removeSelection(int selectionIndex) override {
    if (selectionIndex == 0) Edit()->deselect();
  }
  void setSelection(int selectionIndex, int startOffset, int endOffset) override {
    if (selectionIndex != 0) return;
    Edit()->setSelection(startOffset, endOffset - startOffset);
  }
  int cursorPosition() const override { return Edit()->cursorPosition(); }
  void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }

  QString text(int startOffset, int endOffset) const override {
    if (startOffset > endOffset) return {};
    return Edit()->text().mid(startOffset, endOffset - startOffset);
  }
  int characterCount() const override { return static_cast<int>(Edit()->text().size()); }

  QRect characterRect(int offset) const override {
    // Left-aligned text without scrolling is near enough for a reader's highlight.
    const QFontMetrics metrics(Edit()->font());
    const QString text = Edit()->text();
    if (offset < 0 || offset >= text.size()) return {};
    const QRect contents = Edit()->contentsRect();
    const int x = contents.left() + metrics.horizontalAdvance(text.left(offset));
    const QRect local(x, contents.top() + (contents.height() - metrics.height()) / 2,
                      metrics.horizontalAdvance(text[offset]), metrics.height());
    return QRect(Edit()->mapToGlobal(local.topLeft()), local.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
  }
  void scrollToSubstring(int startIndex, int /*endIndex*/) override {
    Edit()->setCursorPosition(startIndex);
  }
  QString attributes(int offset, int* startOffset, int* endOffset) const override {
    *startOffset = *endOffset = offset;
    return {};
  }
};

// The control's widget: a group of its field and button, named as the field is.
class ControlAccessible : public QAccessibleWidget {
 public:
  explicit ControlAccessible(QtInputControl* control)
      : QAccessibleWidget(control, QAccessible::Grouping) {}

  QString text(QAccessible::Text t) const override {
    auto* control = static_cast<QtInputControl*>(widget());
    if (t == QAccessible::Name) return AccessibleNameOf(*control);
    if (t == QAccessible::Description) return AccessibleDescriptionOf(*control);
    return QAccessibleWidget::text(t);
  }
};

// The drop-down button: a push button named "Open" and the control's name.
class ButtonAccessible : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(QToolButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) {
      return QAccessibleWidget::text(t);
    }
    QtInputControl* owner = OwnerOf(widget());
    const QString name = owner != nullptr ? AccessibleNameOf(*owner) : QString();
    return name.isEmpty() ? QObject::tr("Open") : QObject::tr("Open %1").arg(name);
  }

  QStringList actionNames() const override {
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& actionName) override {
    if (actionName == pressAction()) {
      if (widget()->isEnabled()) static_cast<QToolButton*>(widget())->click();
      return;
    }
    QAccessibleWidget::doAction(actionName);
  }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("entrybox::QtLineEdit")) {
    return new FieldAccessible(static_cast<QtLineEdit*>(object));
  }
  if (className == QLatin1String("entrybox::QtInputControl")) {
    return new ControlAccessible(static_cast<QtInputControl*>(object));
  }
  if (className == QLatin1String("QToolButton")) {
    QtInputControl* owner = OwnerOf(object);
    if (owner != nullptr && &owner->Button().ToolButton() == object) {
      return new ButtonAccessible(static_cast<QToolButton*>(object));
    }
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

QString AccessibleNameOf(QtInputControl& control) {
  if (!control.accessibleName().isEmpty()) return control.accessibleName();
  const QWidget* field = &control.Field().LineEdit();
  for (const QLabel* label : control.window()->findChildren<QLabel*>()) {
    if (label->buddy() == &control || label->buddy() == field) {
      return WithoutMnemonic(label->text());
    }
  }
  return {};
}

QString AccessibleDescriptionOf(QtInputControl& control) {
  if (!control.accessibleDescription().isEmpty()) return control.accessibleDescription();
  if (!control.toolTip().isEmpty()) return control.toolTip();
  const std::string& kind = control.Kind();
  if (kind == "long") return QObject::tr("Whole number");
  if (kind == "real") return QObject::tr("Number");
  if (kind == "date") return QObject::tr("Date");
  if (kind == "mask") return QObject::tr("Masked text");
  return {};
}

}  // namespace entrybox
