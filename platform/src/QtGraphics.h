#pragma once
// Private bridge between the graphics classes and the Qt code of the layer
// (controls, printer, clipboard): colour and font conversion, the pixels
// of a bitmap, and canvases bound to a control's backing image.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>

#include "platform/Graphics.h"

// The pixels of a TBitmap: Format_RGB32, shared on copy until written.
struct TBitmapImage {
    QImage Image;
};

// Image size caps: 32767 pixels per side, 256 MB of 32-bit pixels.
constexpr Integer kMaxImageSide = 32767;
constexpr Int64 kMaxImageBytes = Int64(256) << 20;
bool ImageSizeAllowed(Int64 Width, Int64 Height);

// 0xFFRRGGBB of ColorToRGB(Color); clNone and clDefault count as black.
QRgb ToQRgb(TColor Color);
QColor ToQColor(TColor Color);
TColor FromQRgb(QRgb Rgb);

// The font the canvas draws with: pixel size, styles, no antialiasing,
// full hinting, Arial mapped to Liberation Sans. Registers the layer's
// fonts on first use.
QFont ToQFont(const TFont& Font);
// Registers /usr/share/wine/fonts/tahoma*.ttf and maps Arial to Liberation
// Sans. Idempotent; does nothing before the QGuiApplication exists.
void RegisterLayerFonts();

// Binds a canvas to an image that someone else owns (a control's backing
// image, Format_RGB32 or Format_ARGB32_Premultiplied; drawn pixels are
// opaque). Clip is in image pixels and limits every drawing; logical (0, 0)
// lies at Origin. The window origin, clip region and saved states are
// reset. Until UnbindCanvas the image must stay alive and keep its size.
void BindCanvas(TCanvas& Canvas, QImage& Image, const QRect& Clip, const QPoint& Origin = QPoint());
// The canvas no longer draws (drawing raises EInvalidOperation); measuring
// text still works.
void UnbindCanvas(TCanvas& Canvas);

// The bitmap's pixels; write through SetBitmapImage so the canvas and the
// change notification follow.
const QImage& BitmapImage(const TBitmap& Bitmap);
// Converts to Format_RGB32; raises EOutOfResources beyond the size caps.
void SetBitmapImage(TBitmap& Bitmap, const QImage& Image);
