// The library's About box: product, version, maker and copyright.
#pragma once

#include <string>

#include "entrybox/platform/Form.h"

namespace entrybox {

/// The About dialog's model; the platform draws it. Every AboutBox call shows a fresh one.
class frmAbout : public Form {
 public:
  /// Sets the caption to "About " followed by the library's title.
  void Load(const std::u16string& libraryTitle) override;
  std::u16string Caption() const override { return caption; }
  bool Unloaded() const override { return unloaded; }
  /// The OK button unloads the dialog.
  void cmdOK_Click() { unloaded = true; }

  // Texts from top to bottom. The title line is bold 12-point.
  static constexpr const char16_t* lblTitle = u"entrybox";
  static constexpr const char16_t* lblVersion = u"6.0";
  static constexpr const char16_t* lblProduct = u"entrybox data-entry controls 6.0";
  static constexpr const char16_t* lblCompany = u"Tessaline Technology, Inc.";
  static constexpr const char16_t* lblEmail = u"support@example.com";
  static constexpr const char16_t* lblPhone = u"+1 555 0100";
  static constexpr const char16_t* lblCopyright = u"Copyright (c) Tessaline Technology, Inc.";
  static constexpr const char16_t* cmdOK = u"OK";
  /// The two separator lines stand this many twips apart.
  static constexpr double kSeparatorGap = 15;
  static constexpr double kTitlePointSize = 12;

 private:
  std::u16string caption;
  bool unloaded = false;
};

/// The maker's name, as the date and mask boxes report it through their About property.
inline constexpr const char16_t* kMakerName = u"Tessaline Technology, Inc.";

}  // namespace entrybox
