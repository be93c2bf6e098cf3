#pragma once
// Drawing a control off-screen for the image exports.

#include "components/foundation/kComponent.h"

// The message of an export of a 0 x 0 control.
inline constexpr const char SImageHasNoSize[] = "Image has no size";

// A bitmap of the control's size with kPaintTo drawn on it. Raises
// SImageHasNoSize for an empty control, before anything is drawn.
TOwned<TBitmap> kRenderImage(TkComponent& Control);
// Raises "Compression must be in the range of Low-High" outside the range.
void kCheckCompression(Integer Compression, Integer Low, Integer High);
