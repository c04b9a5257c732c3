// The mechanics every property page shares: it loads its fields from the first selected
// control when the selection changes, marks itself changed through its fields' handlers,
// and on apply writes its fields back through the control's properties by name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "entrybox/pages/PageFields.h"
#include "entrybox/platform/PageHost.h"
#include "entrybox/platform/Variant.h"

namespace entrybox {

/// Base of the eight pages. A page keeps no state beyond its fields (the date format
/// page adds the format its options stand for), reads only the first selected control
/// and writes only the first, whatever else is selected.
class PropertyPage : public PageEvents {
 public:
  PropertyPage(const PropertyPage&) = delete;
  PropertyPage& operator=(const PropertyPage&) = delete;
  virtual ~PropertyPage();

  /// The page's class name: "LongGeneral", "DateFormat", ...
  const std::string& Name() const { return name; }
  /// The caption of the page's tab: "General" or "Format".
  const std::u16string& Caption() const { return caption; }
  /// The page's size in twips.
  int32_t Width() const { return 5925; }
  int32_t Height() const { return 3495; }

  /// The fields from top to bottom, the left column before the right.
  const std::vector<PageField*>& Fields() const { return fields; }
  /// The field of that name (without regard to case); null when there is none.
  PageField* FieldNamed(std::string_view fieldName) const;

  /// Loads the fields from the first selected control; nothing when none is selected.
  void SelectionChanged() override;
  /// Writes the fields to the first selected control, in the page's order. The first
  /// setter that fails stops the apply: what was written before it stays written.
  void ApplyChanges() override;

 protected:
  PropertyPage(PageHost& host, std::string name, std::u16string caption);

  void AddField(PageField& field);
  /// Adds `field` just before `before` in the field order.
  void InsertField(PageField& field, const PageField& before);
  /// Sets the host's changed flag.
  void MarkChanged() { host.SetChanged(true); }

  virtual void ReadFrom(PropertyAccess& control) = 0;
  virtual void WriteTo(PropertyAccess& control) = 0;

  /// A check box's value for a Boolean property: 1 when true, 0 when false.
  static int16_t CheckFor(const Variant& value);
  /// A check box written as a Boolean: true exactly when it is set (a greyed box is false).
  static Variant BoolOf(const CheckBox& box) { return box.Value() == 1; }

 private:
  PageHost& host;
  std::string name;
  std::u16string caption;
  std::vector<PageField*> fields;
};

}  // namespace entrybox
