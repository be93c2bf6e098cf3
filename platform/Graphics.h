#pragma once
// Colours, fonts, pens and brushes; the canvas that draws with them by the
// Windows pixel rules (no antialiasing, exact pixels); bitmaps and pictures.

#include <initializer_list>
#include <memory>
#include <span>

#include "platform/Classes.h"

class TStream;
class TFiler;
struct TCanvasImpl;
struct TBitmapImage;

// ---------------------------------------------------------------------------
// Colours: 0x00BBGGRR, or a system colour 0xFF000000 | index.
// ---------------------------------------------------------------------------

constexpr TColor SystemColor(Integer index) { return static_cast<TColor>(0xFF000000u | static_cast<Cardinal>(index)); }

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

constexpr TColor RGB(Byte r, Byte g, Byte b) { return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16); }
constexpr Byte GetRValue(TColor c) { return static_cast<Byte>(c & 0xFF); }
constexpr Byte GetGValue(TColor c) { return static_cast<Byte>((c >> 8) & 0xFF); }
constexpr Byte GetBValue(TColor c) { return static_cast<Byte>((c >> 16) & 0xFF); }

// A system colour becomes its RGB value from the fixed table; any other
// value is returned unchanged.
TColor ColorToRGB(TColor Color);
// "clBtnFace" style names; numbers as decimal text ("$00FF8000" is also read).
bool ColorToIdent(Integer Color, String& Ident);
bool IdentToColor(const String& Ident, Integer& Color);
String ColorToString(TColor Color);
// Raises EConvertError for text that is neither a name nor a number.
TColor StringToColor(const String& S);
// Registers the identifier tables of form text: the cl* names for TColor
// and the *_CHARSET names for TFontCharset. Idempotent; part of the
// platform's unit initialisation.
void RegisterGraphicsIdents();

// ---------------------------------------------------------------------------
// Fonts, pens, brushes.
// ---------------------------------------------------------------------------

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
constexpr TFontCharset SYMBOL_CHARSET = 2;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

PL_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
PL_ENUM_NAMES(TFontPitch, "fpDefault", "fpVariable", "fpFixed")
PL_ENUM_NAMES(TPenStyle, "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame")
PL_ENUM_NAMES(TPenMode, "pmBlack", "pmWhite", "pmNop", "pmNot", "pmCopy", "pmNotCopy", "pmMergePenNot",
              "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge", "pmMask", "pmNotMask",
              "pmXor", "pmNotXor")
PL_ENUM_NAMES(TBrushStyle, "bsSolid", "bsClear", "bsHorizontal", "bsVertical", "bsFDiagonal", "bsBDiagonal",
              "bsCross", "bsDiagCross")

class TFontEntry;

// Base of fonts, pens and brushes: every effective change fires OnChange.
class TGraphicsObject : public TPersistent {
    PL_CLASSINFO()
public:
    TNotifyEvent OnChange;

protected:
    void Changed();
    // Stores value and fires OnChange when it differs.
    template <class V>
    void Change(V& field, const V& value)
    {
        SetIfDifferent(field, value, [this] { Changed(); });
    }
};

class TFont : public TGraphicsObject {
    PL_CLASSINFO()
public:
    // Fixed resolution of the layer: sizes in points convert at 96 dpi.
    static constexpr Integer PixelsPerInch = 96;

    void Assign(TPersistent* Source) override;

    TFontCharset Charset() const { return FCharset; }
    void SetCharset(TFontCharset Value) { Change(FCharset, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Change(FColor, Value); }
    // Negative: character height in pixels; positive: cell height.
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { Change(FHeight, Value); }
    const String& Name() const { return FName; }
    // A face name that names its foundry too ("C059 [urw]") is kept as
    // its family's name: the one another machine finds the face by.
    void SetName(const String& Value);
    // Escapement in tenths of a degree, counter-clockwise.
    Integer Orientation() const { return FOrientation; }
    void SetOrientation(Integer Value) { Change(FOrientation, Value); }
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch Value) { Change(FPitch, Value); }
    // Points: -MulDiv(Height, 72, 96).
    Integer Size() const;
    void SetSize(Integer Value);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles Value) { Change(FStyle, Value); }

private:
    friend std::shared_ptr<const TFontEntry> FontEntryOf(const TFont& Font);

    TFontCharset FCharset = DEFAULT_CHARSET;
    TColor FColor = clWindowText;
    Integer FHeight = -11;
    String FName = "Tahoma";
    Integer FOrientation = 0;
    TFontPitch FPitch = fpDefault;
    TFontStyles FStyle;
    // The resolved font of the description it was last looked up with:
    // text is measured many times between changes of the font.
    struct TResolved {
        String Name;
        Integer Height = 0;
        TFontStyles Style;
        TFontPitch Pitch = fpDefault;
        std::shared_ptr<const TFontEntry> Entry;
    };
    mutable TResolved FResolved;
};

class TPen : public TGraphicsObject {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Change(FColor, Value); }
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode Value) { Change(FMode, Value); }
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle Value) { Change(FStyle, Value); }
    // 0 and 1 both draw one pixel wide; negative widths count as 0.
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { Change(FWidth, Value < 0 ? 0 : Value); }

private:
    TColor FColor = clBlack;
    TPenMode FMode = pmCopy;
    TPenStyle FStyle = psSolid;
    Integer FWidth = 1;
};

class TBrush : public TGraphicsObject {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    // Setting a colour on a clear brush makes it solid.
    void SetColor(TColor Value);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle Value) { Change(FStyle, Value); }

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

// ---------------------------------------------------------------------------
// The canvas.
// ---------------------------------------------------------------------------

class TGraphic;
class TBitmap;

// Raster operation codes of CopyMode, BitBlt and PatBlt (ROP3 values).
using TCopyMode = Integer;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;

class TLineBatch;

// Draws on an image (a bitmap's, or a control's backing image while it
// paints). Coordinates are logical: device = logical - window origin.
// Drawing without an image raises EInvalidOperation; measuring text works
// on any canvas.
class TCanvas : public TPersistent {
    PL_CLASSINFO()
public:
    TCanvas();
    ~TCanvas() override;

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

    TPoint PenPos() const;
    void SetPenPos(TPoint Value) { MoveTo(Value.X, Value.Y); }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    // -1 outside the image or the clip.
    TColor Pixels(Integer X, Integer Y);
    void SetPixels(Integer X, Integer Y, TColor Color);
    // The clip box in logical coordinates; empty without an image.
    TRect ClipRect() const;
    // True while the canvas draws on an image.
    bool HandleAllocated() const;

    // Serialises drawing from worker threads; recursive.
    void Lock();
    void Unlock();
    bool TryLock();

    void MoveTo(Integer X, Integer Y);
    // From the pen position to (X, Y), leaving out the end pixel.
    void LineTo(Integer X, Integer Y);
    void Polyline(std::span<const TPoint> Points);
    void Polyline(std::initializer_list<TPoint> Points) { Polyline(std::span(Points.begin(), Points.size())); }
    // Draws every line Lines hands to the batch with the pen, each exactly
    // as Polyline({A, B}) draws it (its own dash pattern, its last pixel
    // left out), through one pixel writer set up once. With a solid
    // one-pixel pen in a mode that leaves a pixel as it is when drawn twice
    // (copy among them), the vertical lines of one pixel column merge into
    // runs painted once: a trace of millions of points costs about what its
    // pixels cost. Lines must not change the canvas.
    void DrawLines(const std::function<void(TLineBatch& Batch)>& Lines);
    // Filled by pixel centres (alternate rule unless SetPolyFillMode
    // selected winding), then outlined.
    void Polygon(std::span<const TPoint> Points);
    void Polygon(std::initializer_list<TPoint> Points) { Polygon(std::span(Points.begin(), Points.size())); }
    // Covers [X1, X2) x [Y1, Y2).
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    // Counter-clockwise from the ray through (X3, Y3) to the ray through (X4, Y4).
    void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4, Integer Y4);
    // Brush only; an inverted rectangle draws nothing.
    void FillRect(const TRect& R);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& R);
    // XOR dotted frame; drawing it twice restores the image.
    void DrawFocusRect(const TRect& R);
    // Selects the canvas's font and brush again: after RestoreDC the text
    // and background colours follow them, not the restored state.
    void Refresh() { Reselect(); }

    // The text cell's top-left corner at (X, Y); moves the pen position to
    // the end of the text.
    void TextOut(Integer X, Integer Y, const String& Text);
    // The text at (X, Y) clipped to R; an opaque background fills R.
    void TextRect(const TRect& R, Integer X, Integer Y, const String& Text);
    Integer TextWidth(const String& Text);
    // Ascent + descent, also for "".
    Integer TextHeight(const String& Text);
    TSize TextExtent(const String& Text);

    void Draw(Integer X, Integer Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Nearest-neighbour copy through CopyMode; negative sizes mirror.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source of Bitmap, replacing the pixels of Color by the brush.
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    // Layer internals (platform/src): the drawing state and target, and
    // the selection of font and brush into a fresh device state.
    TCanvasImpl& Impl() const { return *FImpl; }
    void Reselect();

private:
    void Changing();
    void Changed();
    void FontChanged();
    void BrushChanged();

    std::unique_ptr<TCanvasImpl> FImpl;
    TOwned<TFont> FFont;
    TOwned<TPen> FPen;
    TOwned<TBrush> FBrush;
    TCopyMode FCopyMode = cmSrcCopy;
};

// The lines of one TCanvas::DrawLines call.
// Logical and device coordinates are held to +-2^27 before any arithmetic,
// which keeps every product of two coordinates inside 64 bits.
constexpr Integer kCanvasCoordLimit = 1 << 27;

// The lines of one TCanvas::DrawLines call. The merge of vertical lines is
// inline: it is what most lines of a dense trace come to.
class TLineBatch {
public:
    // Lines are merged: overlapping lines may be handed over as one.
    bool Merges() const { return FMerge; }
    void Line(TPoint A, TPoint B)
    {
        const Integer ax = DeviceX(A.X);
        const Integer bx = DeviceX(B.X);
        const Integer ay = DeviceY(A.Y);
        const Integer by = DeviceY(B.Y);
        if (FMerge && ax == bx) {
            if (ay != by) AddVertical(ax, ay, by);
            return;
        }
        Draw(ax, ay, bx, by);
    }

private:
    friend class TCanvas;
    struct TImpl;
    explicit TLineBatch(TCanvas& Canvas);
    ~TLineBatch();
    TLineBatch(const TLineBatch&) = delete;
    TLineBatch& operator=(const TLineBatch&) = delete;

    static Integer Clamp(Int64 V)
    {
        return Integer(V < -kCanvasCoordLimit ? -kCanvasCoordLimit : (V > kCanvasCoordLimit ? kCanvasCoordLimit : V));
    }
    Integer DeviceX(Integer X) const { return Clamp(Int64{Clamp(X)} + FOffsetX); }
    Integer DeviceY(Integer Y) const { return Clamp(Int64{Clamp(Y)} + FOffsetY); }
    // A one-pixel line from a to b leaves out b: in one column it covers
    // the rows from a to the row before b. Runs that touch or overlap grow
    // into one; another run is painted first.
    void AddVertical(Integer X, Integer From, Integer To)
    {
        const bool down = From < To;
        const Integer first = (down ? From : To) + !down;
        const Integer last = (down ? To : From) - down;
        if (FRunLast < FRunFirst || X != FRunX || first > FRunLast + 1 || last + 1 < FRunFirst) {
            FlushRun();
            FRunX = X;
            FRunFirst = first;
            FRunLast = last;
            return;
        }
        FRunFirst = first < FRunFirst ? first : FRunFirst;
        FRunLast = last > FRunLast ? last : FRunLast;
    }
    void FlushRun();
    void Draw(Integer AX, Integer AY, Integer BX, Integer BY);
    // Hands the lines drawn to the canvas's recorder, if it has one.
    void Finish();

    std::unique_ptr<TImpl> FImpl;
    Integer FOffsetX = 0;
    Integer FOffsetY = 0;
    // Lines may be merged: one colour, and a pixel drawn twice is drawn once.
    bool FMerge = false;
    // Rows FRunFirst .. FRunLast of column FRunX, not painted yet; none
    // while FRunLast < FRunFirst.
    Integer FRunX = 0;
    Integer FRunFirst = 0;
    Integer FRunLast = -1;
};

// ---------------------------------------------------------------------------
// Graphics.
// ---------------------------------------------------------------------------

// An image that a canvas can draw and a stream can hold.
class TGraphic : public TPersistent {
    PL_CLASSINFO()
public:
    virtual bool Empty() const = 0;
    virtual Integer Width() const = 0;
    virtual void SetWidth(Integer Value) = 0;
    virtual Integer Height() const = 0;
    virtual void SetHeight(Integer Value) = 0;
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    bool Modified() const { return FModified; }
    void SetModified(bool Value) { FModified = Value; }

    // Read from the stream's position; a bad image raises EInvalidGraphic.
    virtual void LoadFromStream(TStream& Stream) = 0;
    virtual void SaveToStream(TStream& Stream) = 0;
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);

    // Draws the image stretched over R of the canvas.
    virtual void Draw(TCanvas* ACanvas, const TRect& R) = 0;

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    bool FTransparent = false;
    bool FModified = false;
};

using TGraphicFactory = TGraphic* (*)();

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

// A 32-bit raster image. Assign shares the pixels until one side draws.
// Sides are capped at 32767 pixels and the image at 256 MB.
class TBitmap : public TGraphic {
    PL_CLASSINFO()
public:
    TBitmap();
    ~TBitmap() override;

    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    void SetWidth(Integer Value) override;
    Integer Height() const override;
    void SetHeight(Integer Value) override;
    // New pixels are white; kept pixels keep their place.
    void SetSize(Integer AWidth, Integer AHeight);
    TCanvas* Canvas();

    // Kept for saving; pf1bit also makes the bitmap monochrome.
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat Value);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool Value);

    // tmAuto: the bottom-left pixel; tmFixed: the colour set.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    // One BMP file, consuming exactly its declared size.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;
    // A bitmap compiled into the program (platform/Resources.h); raises
    // EInvalidGraphic when there is none by that name.
    void LoadFromResourceName(const String& ResName);
    // The bitmap compiled in as resource number ResID.
    void LoadFromResourceID(Integer ResID);

    // The form-stream Data property, stored while the bitmap is not empty:
    // the size (4 bytes little-endian), then one BMP file of that size.
    // Bad data raises EInvalidGraphic and leaves the bitmap as it was.
    void DefineProperties(TFiler& Filer) override;
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream);

    void Draw(TCanvas* ACanvas, const TRect& R) override;

    // Layer internals (platform/src).
    TBitmapImage& Image() const { return *FImage; }
    // After the pixels were replaced: re-targets the canvas, fires OnChange.
    void ImageReplaced();

private:
    std::unique_ptr<TBitmapImage> FImage;
    TOwned<TCanvas> FCanvas;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
};

// A small image with its transparent colour keyed out where it is shown
// (the notification-area icon); stored in form data as a bitmap.
class TIcon : public TBitmap {
    PL_CLASSINFO()
public:
    TIcon() { SetTransparent(true); }
};

// Holds one graphic of any registered class (bitmap, JPEG image...).
class TPicture : public TPersistent {
    PL_CLASSINFO()
public:
    TPicture();
    ~TPicture() override;

    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer) override;

    TGraphic* Graphic() const { return FGraphic.get(); }
    // Stores a copy of Value (of the same class); nullptr empties.
    void SetGraphic(TGraphic* Value);
    // The graphic as a bitmap; replaces any other graphic by an empty bitmap.
    TBitmap* Bitmap();
    Integer Width() const;
    Integer Height() const;

    // The class follows the extension ("bmp", "jpg"...), ignoring case;
    // an unknown extension raises EInvalidGraphic.
    void LoadFromFile(const String& FileName);
    void SaveToFile(const String& FileName);

    // The form-stream Data property: class-name length (1 byte), class
    // name, size (4 bytes little-endian), the graphic's stream bytes.
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream);

    // Graphic classes known by extension and by class name.
    static void RegisterFileFormat(const String& Extension, const String& ClassName, TGraphicFactory Factory);

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void Changed();
    void Take(TGraphic* Graphic);

    TOwned<TGraphic> FGraphic;
};
