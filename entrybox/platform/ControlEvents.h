// The sixteen events a control raises to its host.
#pragma once

#include <cstdint>

namespace entrybox {

class DataObject;

/// The host's event sink. Every parameter is passed by reference: the host may change
/// it, and the control acts on what the host leaves. Each member does nothing by default.
class ControlEvents {
 public:
  virtual ~ControlEvents() = default;
  virtual void ButtonClick() {}
  virtual void Click() {}
  virtual void Change() {}
  virtual void DblClick() {}
  virtual void KeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
  virtual void KeyPress(int16_t& /*KeyAscii*/) {}
  virtual void KeyUp(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
  virtual void MouseDown(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseMove(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {}
  virtual void MouseUp(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {}
  virtual void OLECompleteDrag(int32_t& /*Effect*/) {}
  virtual void OLEDragDrop(DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/,
                           int16_t& /*Shift*/, float& /*x*/, float& /*y*/) {}
  virtual void OLEDragOver(DataObject& /*Data*/, int32_t& /*Effect*/, int16_t& /*Button*/,
                           int16_t& /*Shift*/, float& /*x*/, float& /*y*/, int16_t& /*State*/) {}
  virtual void OLEGiveFeedback(int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
  virtual void OLESetData(DataObject& /*Data*/, int16_t& /*DataFormat*/) {}
  virtual void OLEStartDrag(DataObject& /*Data*/, int32_t& /*AllowedEffects*/) {}
};

}  // namespace entrybox
