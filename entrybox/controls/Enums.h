// Enumerations of the controls' common properties.
#pragma once

#include <cstdint>

namespace entrybox {

enum twAppearance : int32_t { twFlat = 0, tw3d = 1 };
enum twAlignment : int32_t { twLeftJustify = 0, twRightJustify = 1, twCenter = 2 };
enum twBorderStyle : int32_t { twNone = 0, twFixedSingle = 1 };
enum twMousePointer : int32_t {
  twDefault = 0,
  twArrow = 1,
  twCrosshair = 2,
  twlbeam = 3,
  twIconPointer = 4,
  twSizePointer = 5,
  twSizeNESW = 6,
  twSizeNS = 7,
  twSizeNWSE = 8,
  twSizeWE = 9,
  twUpArrow = 10,
  twHourGlass = 11,
  twNoDrop = 12,
  twArrowHourGlass = 13,
  twArrowQuestion = 14,
  twSizeAll = 15,
  twCustom = 99
};

}  // namespace entrybox
