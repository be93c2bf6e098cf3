#pragma once
// The system clipboard. A bitmap goes as PNG and BMP image data, a JPEG
// image as JPEG data (also under the class library's format 87), a
// metafile as EMF data plus a PNG rendering.

#include "platform/Graphics.h"

class TClipboard : public TPersistent {
    PL_CLASSINFO()
public:
    // A bitmap, a JPEG image, a metafile or a picture holding one of them;
    // other sources raise EConvertError through the base.
    void Assign(TPersistent* Source) override;
    // True when the clipboard holds data of the MIME type.
    bool HasFormat(const String& MimeType) const;
    // The clipboard's bytes of the MIME type; empty when there are none.
    std::vector<Byte> Data(const String& MimeType) const;
    void Clear();
};

// The clipboard object, made on first use.
TClipboard* Clipboard();
