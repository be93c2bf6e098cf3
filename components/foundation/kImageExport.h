#pragma once
// Drawing a control off-screen for the image exports.

#include "components/foundation/kComponent.h"

class TMetafile;

// The message of an export of a 0 x 0 control.
inline constexpr const char SImageHasNoSize[] = "Image has no size";

// A bitmap of the control's size with kPaintTo drawn on it. Raises
// SImageHasNoSize for an empty control, before anything is drawn.
TOwned<TBitmap> kRenderImage(TkComponent& Control);
// Metafile, sized to the control, with the control drawn into it through
// a metafile canvas that names CreatedBy and Description. Raises
// SImageHasNoSize for an empty control.
void kRecordMetafile(TkComponent& Control, TMetafile& Metafile, const String& CreatedBy, const String& Description);
// Raises "Compression must be in the range of Low-High" outside the range.
void kCheckCompression(Integer Compression, Integer Low, Integer High);
