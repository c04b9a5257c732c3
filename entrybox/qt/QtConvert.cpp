#include "entrybox/qt/QtConvert.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

#include "entrybox/platform/Error.h"

namespace entrybox {

namespace {

// The largest size a widget can take (QWIDGETSIZE_MAX).
constexpr double kMaxPixels = (1 << 24) - 1;

// System colours by their index NN in 0x800000NN, as the palette role that stands for them.
struct SystemColor {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};
constexpr SystemColor kSystemColors[] = {
    {QPalette::Active, QPalette::Mid},                // 0 scroll bars
    {QPalette::Active, QPalette::Window},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},          // 2 active title bar
    {QPalette::Inactive, QPalette::Highlight},        // 3 inactive title bar
    {QPalette::Active, QPalette::Window},             // 4 menu bar
    {QPalette::Active, QPalette::Base},               // 5 window background
    {QPalette::Active, QPalette::Shadow},             // 6 window frame
    {QPalette::Active, QPalette::WindowText},         // 7 menu text
    {QPalette::Active, QPalette::Text},               // 8 window text
    {QPalette::Active, QPalette::HighlightedText},    // 9 title bar text
    {QPalette::Active, QPalette::Mid},                // 10 active border
    {QPalette::Inactive, QPalette::Mid},              // 11 inactive border
    {QPalette::Active, QPalette::Dark},               // 12 application workspace
    {QPalette::Active, QPalette::Highlight},          // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},    // 14 highlight text
    {QPalette::Active, QPalette::Button},             // 15 button face
    {QPalette::Active, QPalette::Dark},               // 16 button shadow
    {QPalette::Disabled, QPalette::Text},             // 17 grey text
    {QPalette::Active, QPalette::ButtonText},         // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText},  // 19 inactive title bar text
    {QPalette::Active, QPalette::Light},              // 20 button highlight
    {QPalette::Active, QPalette::Shadow},             // 21 3D dark shadow
    {QPalette::Active, QPalette::Midlight},           // 22 3D light
    {QPalette::Active, QPalette::ToolTipText},        // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},        // 24 tooltip background
};

}  // namespace

int TwipsToPixels(double twips) {
  if (!std::isfinite(twips)) return 0;
  const double pixels = std::clamp(twips / kTwipsPerPixel, -kMaxPixels, kMaxPixels);
  return static_cast<int>(std::lround(pixels));
}

QRect TwipsToPixelRect(double left, double top, double width, double height) {
  const int x0 = TwipsToPixels(left);
  const int y0 = TwipsToPixels(top);
  const int x1 = TwipsToPixels(left + width);
  const int y1 = TwipsToPixels(top + height);
  return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

QColor ColorFromValue(uint32_t value, const QPalette& palette, QPalette::ColorRole role) {
  if (value == 0) return palette.color(QPalette::Active, role);
  if ((value & 0xFF000000u) == 0x80000000u) {
    const uint32_t index = value & 0x00FFFFFFu;
    if (index < std::size(kSystemColors)) {
      return palette.color(kSystemColors[index].group, kSystemColors[index].role);
    }
    return palette.color(QPalette::Active, role);
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

QFont ToQFont(const entrybox::Font& font, const QFont& base) {
  QFont result = base;
  if (!font.Name.empty()) result.setFamilies({ToQString(font.Name)});
  // Qt refuses sizes of 0 or less with a warning; a size beyond any screen is clamped.
  if (std::isfinite(font.Size) && font.Size > 0) result.setPointSizeF(std::min(font.Size, 1638.0));
  return result;
}

entrybox::Font FromQFont(const QFont& font) {
  const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 8;
  return entrybox::Font{FromQString(font.family()), size};
}

QVariant ToQVariant(const Variant& value) {
  if (const auto* text = std::get_if<std::u16string>(&value)) return ToQString(*text);
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto* flag = std::get_if<bool>(&value)) return *flag;
  if (const auto* font = std::get_if<entrybox::Font>(&value)) return ToQFont(*font, QFont());
  return {};
}

Variant FromQVariant(const QVariant& value) {
  if (!value.isValid()) return {};
  switch (value.typeId()) {
    case QMetaType::QString:
      return FromQString(value.toString());
    case QMetaType::Bool:
      return value.toBool();
    case QMetaType::QFont:
      return FromQFont(value.value<QFont>());
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
      return value.toDouble();
    default:
      RaiseTypeMismatch();
  }
}

}  // namespace entrybox
