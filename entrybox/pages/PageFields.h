// The fields a property page is made of: text fields, check boxes, drop-down lists and
// a frame of option buttons. They behave as the platform's own controls: a field raises
// its handler when its shown value changes, whether the user or the page changed it, so
// filling a page goes through the same handlers as editing it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace entrybox {

/// A place on the page in twips.
struct PageRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 0;
  int32_t Height = 0;
};

/// What kind of field a PageField is.
enum class FieldKind { Text, Check, List, Options };

/// One field of a page: its name (txtMin, chkEnabled, ...), its caption (the label beside
/// it, or its own caption for a check box or a frame) and where it stands.
class PageField {
 public:
  PageField(const PageField&) = delete;
  PageField& operator=(const PageField&) = delete;
  virtual ~PageField() = default;

  const std::string& Name() const { return name; }
  FieldKind Kind() const { return kind; }
  const std::u16string& Caption() const { return caption; }
  /// The field itself.
  const PageRect& Bounds() const { return bounds; }
  /// The label beside a text field or list; all 0 when the field has no label.
  const PageRect& LabelBounds() const { return labelBounds; }

  /// The field loses the focus: runs the lost-focus handler, if any.
  void LoseFocus();
  void SetLostFocusHandler(std::function<void()> handler) { lostFocus = std::move(handler); }

 protected:
  PageField(std::string name, FieldKind kind, std::u16string caption, PageRect bounds,
            PageRect labelBounds);

 private:
  std::string name;
  FieldKind kind;
  std::u16string caption;
  PageRect bounds;
  PageRect labelBounds;
  std::function<void()> lostFocus;
};

/// A single-line text field, empty when created, no length limit.
class TextField : public PageField {
 public:
  TextField(std::string name, std::u16string label, PageRect bounds, PageRect labelBounds);

  const std::u16string& Text() const { return text; }
  /// Raises the change handler when the text differs from the shown one:
  /// "" -> "0" raises it, "0" -> "0" does not.
  void SetText(const std::u16string& value);
  void SetChangeHandler(std::function<void()> handler) { change = std::move(handler); }

 private:
  std::u16string text;
  std::function<void()> change;
};

/// A check box: 0 clear, 1 set, 2 greyed; clear when created.
class CheckBox : public PageField {
 public:
  CheckBox(std::string name, std::u16string caption, PageRect bounds);

  int16_t Value() const { return value; }
  /// Error 380 for a value other than 0, 1 and 2. Raises the click handler when the
  /// value changes.
  void SetValue(int16_t NewValue);
  void SetClickHandler(std::function<void()> handler) { click = std::move(handler); }

 private:
  int16_t value = 0;
  std::function<void()> click;
};

/// A drop-down list whose entries each stand for a property value; no entry is chosen
/// when it is created.
class ListField : public PageField {
 public:
  struct Entry {
    std::u16string text;
    int32_t value;
  };

  ListField(std::string name, std::u16string label, PageRect bounds, PageRect labelBounds,
            std::vector<Entry> entries);

  const std::vector<Entry>& Entries() const { return entries; }
  /// The chosen entry's position from 0; -1 when none is chosen.
  int32_t ListIndex() const { return listIndex; }
  /// Error 380 for an index outside -1 .. entries - 1. Raises the click handler when the
  /// chosen entry changes.
  void SetListIndex(int32_t NewValue);
  /// The position of the first entry standing for `value`; -1 when none does.
  int32_t IndexOfValue(double value) const;
  /// The value of the chosen entry; Error 380 when no entry is chosen, so that a page
  /// never writes a value that no entry stands for.
  int32_t ChosenValue() const;
  void SetClickHandler(std::function<void()> handler) { click = std::move(handler); }

 private:
  std::vector<Entry> entries;
  int32_t listIndex = -1;
  std::function<void()> click;
};

/// A frame of option buttons (a control array): at most one is on; none when created.
/// The buttons are addressed by index ("opt" 0 to 3 is the frame "opt").
class OptionGroup : public PageField {
 public:
  struct Option {
    std::u16string caption;
    PageRect bounds;
  };

  OptionGroup(std::string name, std::u16string caption, PageRect bounds,
              std::vector<Option> options);

  const std::vector<Option>& Options() const { return options; }
  /// The index of the button that is on; -1 when none is.
  int32_t Value() const { return value; }
  /// Switches button `index` on and the others off, as a click or a write of True does.
  /// Raises the click handler with the index when the button was off; a button already
  /// on stays on quietly. Error 380 for an index outside the frame.
  void SwitchOn(int32_t index);
  void SetClickHandler(std::function<void(int32_t)> handler) { click = std::move(handler); }

 private:
  std::vector<Option> options;
  int32_t value = -1;
  std::function<void(int32_t)> click;
};

}  // namespace entrybox
