// Translations between the library's values and Qt's: texts, twips, colours, fonts and
// property values.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <string>

#include "entrybox/platform/Font.h"
#include "entrybox/platform/Variant.h"

namespace entrybox {

/// The controls measure in twips: 1440 to the inch, so 15 to a pixel at 96 dpi. Qt's
/// logical pixels are 96 dpi pixels, whatever the screen's scaling.
inline constexpr double kTwipsPerPixel = 15;

inline QString ToQString(const std::u16string& text) {
  return QString::fromStdU16String(text);
}
inline std::u16string FromQString(const QString& text) {
  return text.toStdU16String();
}

/// Twips to whole pixels, rounded; values beyond what a widget can measure are clamped.
int TwipsToPixels(double twips);
inline double PixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}
/// The pixel rectangle of a twips rectangle. Both edges are rounded, so that pieces laid
/// side by side in twips meet in pixels: 0+1595 and 1595+405 make 0..106 and 106..133.
QRect TwipsToPixelRect(double left, double top, double width, double height);

/// A colour value of the controls: 0x00BBGGRR, or a system colour 0x800000NN that stands
/// for a colour of the palette. 0 stands for the palette's own colour of `role`: the
/// controls start with their colours at 0, and a new field must be readable.
QColor ColorFromValue(uint32_t value, const QPalette& palette, QPalette::ColorRole role);

/// The Qt font of a library font, starting from `base` (size 0 or less keeps its size).
QFont ToQFont(const entrybox::Font& font, const QFont& base);
/// The library font of a Qt font: its family and point size.
entrybox::Font FromQFont(const QFont& font);

/// A property value as Qt's meta-object system carries it, and back. Texts are QString,
/// numbers double, Booleans bool, fonts QFont; empty is an invalid QVariant.
QVariant ToQVariant(const Variant& value);
/// Strings, numbers of any kind, Booleans and fonts convert; anything else is error 13.
Variant FromQVariant(const QVariant& value);

}  // namespace entrybox
