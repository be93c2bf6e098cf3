#pragma once
// The BMP file format: a reader that checks every size against the data
// it was given, and writers for 1, 4, 8, 24 and 32 bits per pixel.

#include <QImage>
#include <span>
#include <vector>

#include "platform/Graphics.h"

constexpr Integer kBmpFileHeaderSize = 14;

struct TBmpImage {
    QImage Image;  // Format_RGB32
    TPixelFormat Format = pf24bit;
};

// bfSize of a file header; raises EInvalidGraphic unless the header starts
// with "BM".
Cardinal BmpDeclaredSize(std::span<const Byte> fileHeader);
// One whole file, file header included; raises EInvalidGraphic on any
// inconsistency (never reads outside file).
TBmpImage DecodeBmp(std::span<const Byte> file);
// pf1bit, pf4bit and pf8bit write a palette (the image's own colours when
// they fit, else a fixed palette); pf32bit writes 32 bits; every other
// format writes 24 bits.
std::vector<Byte> EncodeBmp(const QImage& image, TPixelFormat format);
