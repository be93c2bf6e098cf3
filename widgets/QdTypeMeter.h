#pragma once
// The enumerations of the library's meters.

#include "platform/TypInfo.h"

// Scoped: the spin buttons' orientation already names qoVertical.
enum class TQdDirection { qoVertical, qoHorizontal };
PL_ENUM_NAMES(TQdDirection, "qoVertical", "qoHorizontal")

// The side of the scale: after (right or bottom edge) or before it.
enum TQdPosition { qoAfter, qoBefore };
PL_ENUM_NAMES(TQdPosition, "qoAfter", "qoBefore")

enum TqdIndicatorShape { qoLine, qoBitmap, qoTriangle };
PL_ENUM_NAMES(TqdIndicatorShape, "qoLine", "qoBitmap", "qoTriangle")
