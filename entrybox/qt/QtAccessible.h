// What the controls' widgets tell assistive technology: names from the widget or its
// buddy label, the field's displayed text as its value, the drop-down button as "Open".
#pragma once

#include <QString>

namespace entrybox {

class QtInputControl;

/// Installs the accessibility factory for the controls' widgets, their fields and their
/// drop-down buttons; later calls do nothing. Every QtInputControl calls it.
void InstallAccessibility();

/// The control's accessible name: its accessibleName, else the text of a label in its
/// window whose buddy is the control or its field (mnemonic "&" removed); "" for none.
QString AccessibleNameOf(QtInputControl& control);
/// The control's accessible description: its accessibleDescription, else its tool tip,
/// else what kind of value it takes ("Whole number", "Number", "Date", "Masked text").
QString AccessibleDescriptionOf(QtInputControl& control);

}  // namespace entrybox
