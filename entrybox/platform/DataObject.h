// Drag-and-drop data handed through the OLE drag events.
#pragma once

#include <cstdint>
#include <string>

namespace entrybox {

/// The data of a drag-and-drop operation, in the formats the platform offers.
class DataObject {
 public:
  virtual ~DataObject() = default;
  virtual bool GetFormat(int16_t format) const = 0;
  virtual std::u16string GetText() const = 0;
  virtual void SetText(const std::u16string& text) = 0;
  virtual void Clear() = 0;
};

}  // namespace entrybox
