// The enhanced metafile writer: each recorded operation becomes its records
// (pens, brushes and fonts as objects created when they change, selected,
// and deleted once replaced), all through libUEMF.

#include "MetafileWriter.h"

#include <QFile>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <limits>
#include <optional>
#include <vector>

extern "C" {
#include <uemf.h>
}

#include "CanvasImpl.h"

namespace {

// Reference device: 96 pixels per inch; the frame is in 0.01 mm.
constexpr int32_t kHundredthsPerInch = 2540;
constexpr int32_t kPixelsPerInch = 96;

std::u16string Utf16(const String& Text) { return QString::fromStdString(Text).toStdU16String(); }

// "creator\0description\0\0" in UTF-16LE, as the header's description.
std::vector<uint16_t> HeaderText(const String& CreatedBy, const String& Description)
{
    std::vector<uint16_t> text;
    for (const String& part : {CreatedBy, Description}) {
        const std::u16string utf16 = Utf16(part);
        text.insert(text.end(), utf16.begin(), utf16.end());
        text.push_back(0);
    }
    text.push_back(0);
    return text;
}

// The picture's rows bottom-up, 24 bits per pixel, each row padded to 4 bytes.
std::vector<char> DibPixels(const QImage& Image)
{
    const QImage rgb = Image.convertToFormat(QImage::Format_RGB888);
    const size_t stride = (size_t(rgb.width()) * 3 + 3) & ~size_t(3);
    std::vector<char> pixels(stride * size_t(rgb.height()), 0);
    for (int y = 0; y < rgb.height(); ++y) {
        const uchar* row = rgb.constScanLine(rgb.height() - 1 - y);
        char* out = pixels.data() + stride * size_t(y);
        for (int x = 0; x < rgb.width(); ++x) {
            out[3 * x] = char(row[3 * x + 2]);  // blue, green, red
            out[3 * x + 1] = char(row[3 * x + 1]);
            out[3 * x + 2] = char(row[3 * x]);
        }
    }
    return pixels;
}

U_COLORREF ColorRef(TColor Color) { return colorref_set(Color & 0xFF, (Color >> 8) & 0xFF, (Color >> 16) & 0xFF); }

U_POINTL PointL(QPoint P) { return point32_set(P.x(), P.y()); }

U_RECTL RectL(QPoint TopLeft, QPoint BottomRight) { return rectl_set(PointL(TopLeft), PointL(BottomRight)); }

U_RECTL BoundsOf(const std::vector<QPoint>& Points)
{
    QRect box;
    for (const QPoint& p : Points) box |= QRect(p, QSize(1, 1));
    return RectL(box.topLeft(), box.bottomRight());
}

bool FitsInt16(const std::vector<QPoint>& Points)
{
    constexpr int lo = std::numeric_limits<int16_t>::min(), hi = std::numeric_limits<int16_t>::max();
    return std::all_of(Points.begin(), Points.end(),
                       [](QPoint p) { return p.x() >= lo && p.x() <= hi && p.y() >= lo && p.y() <= hi; });
}

U_LOGPEN LogPen(const TDrawPen& Pen)
{
    // The pen styles are numbered as the file's.
    return logpen_set(uint32_t(Pen.Style), point32_set(Pen.Width, 0), ColorRef(Pen.Color));
}

U_LOGBRUSH LogBrush(const TDrawBrush& Brush)
{
    if (Brush.Style == bsSolid) return logbrush_set(U_BS_SOLID, ColorRef(Brush.Color), 0);
    if (Brush.Style == bsClear) return logbrush_set(U_BS_NULL, ColorRef(Brush.Color), 0);
    // The hatches follow in the file's order, horizontal first.
    return logbrush_set(U_BS_HATCHED, ColorRef(Brush.Color), int32_t(Brush.Style - bsHorizontal));
}

U_LOGFONT LogFont(const TDrawFont& Font)
{
    std::u16string face = Utf16(Font.Name).substr(0, U_LF_FACESIZE - 1);
    face.resize(U_LF_FACESIZE, u'\0');
    return logfont_set(Font.Height, 0, Font.Orientation, Font.Orientation,
                       Font.Style.Contains(fsBold) ? U_FW_BOLD : U_FW_NORMAL, Font.Style.Contains(fsItalic),
                       Font.Style.Contains(fsUnderline), Font.Style.Contains(fsStrikeOut), U_DEFAULT_CHARSET, 0, 0,
                       0, 0, reinterpret_cast<uint16_t*>(face.data()));
}

// One file being written; records that cannot be made leave Ok false.
class TEmfFile {
public:
    explicit TEmfFile(const QString& FileName)
    {
        const QByteArray name = QFile::encodeName(FileName);
        FOk = emf_start(name.constData(), 1 << 20, 1 << 20, &FTrack) == 0 &&
              emf_htable_create(64, 64, &FHandles) == 0;
    }
    ~TEmfFile()
    {
        if (FTrack) emf_free(&FTrack);
        if (FHandles) emf_htable_free(&FHandles);
    }
    TEmfFile(const TEmfFile&) = delete;
    TEmfFile& operator=(const TEmfFile&) = delete;

    bool Ok() const { return FOk; }
    void Append(char* Record)
    {
        if (!FOk || !Record) {
            std::free(Record);
            FOk = false;
            return;
        }
        FOk = emf_append(reinterpret_cast<PU_ENHMETARECORD>(Record), FTrack, U_REC_FREE) == 0;
    }
    // The end record, then the file.
    bool Finish()
    {
        Append(U_EMREOF_set(0, nullptr, FTrack));
        return FOk && emf_finish(FTrack, FHandles) == 0;
    }

    void Header(QSize Size, std::vector<uint16_t>& Text);
    void Op(const TDrawOp& Op, QSize Size);

private:
    // Makes the object of Value current: created with Create, selected, and
    // the one it replaces deleted.
    template <typename T, typename F>
    void Select(std::optional<T>& Current, uint32_t& Handle, const T& Value, F Create);
    void Clip(const std::vector<QRect>& Clip, QSize Size);
    void Shape(const TDrawOp& Op);
    void Text(const TDrawOp& Op);
    void Raster(const TDrawOp& Op);

    EMFTRACK* FTrack = nullptr;
    EMFHANDLES* FHandles = nullptr;
    bool FOk = false;
    std::optional<TDrawPen> FPen;
    std::optional<TDrawBrush> FBrush;
    std::optional<TDrawFont> FFont;
    uint32_t FPenHandle = 0, FBrushHandle = 0, FFontHandle = 0;
    std::optional<std::vector<QRect>> FClip;
    std::optional<TPenMode> FMode;
    std::optional<bool> FWinding;
    std::optional<TColor> FTextColor;
};

void TEmfFile::Header(QSize Size, std::vector<uint16_t>& Text)
{
    const int32_t w = Size.width(), h = Size.height();
    const U_RECTL bounds = RectL(QPoint(0, 0), QPoint(w - 1, h - 1));
    const U_RECTL frame = rectl_set(point32_set(0, 0), point32_set(w * kHundredthsPerInch / kPixelsPerInch,
                                                                  h * kHundredthsPerInch / kPixelsPerInch));
    Append(U_EMRHEADER_set(bounds, frame, nullptr, U_CBSTR(Text.size()), Text.data(), sizel_set(w, h),
                           sizel_set(w * 254 / 960, h * 254 / 960), 0));
    // Text cells are placed by their top-left corners; hatches and dash
    // gaps leave the background alone.
    Append(U_EMRSETTEXTALIGN_set(U_TA_TOP | U_TA_LEFT | U_TA_NOUPDATECP));
    Append(U_EMRSETBKMODE_set(U_TRANSPARENT));
}

template <typename T, typename F>
void TEmfFile::Select(std::optional<T>& Current, uint32_t& Handle, const T& Value, F Create)
{
    if (!FOk || Current == Value) return;
    uint32_t created = 0;
    Append(Create(&created));
    Append(selectobject_set(created, FHandles));
    if (Current) Append(deleteobject_set(&Handle, FHandles));
    Current = Value;
    Handle = created;
}

void TEmfFile::Clip(const std::vector<QRect>& Clip, QSize Size)
{
    if (FClip == Clip) return;
    // No clip is the clip of the whole picture.
    const std::vector<QRect> parts = Clip.empty() ? std::vector<QRect>{QRect(QPoint(0, 0), Size)} : Clip;
    std::vector<U_RECTL> rects;
    QRect box;
    for (const QRect& r : parts) {
        rects.push_back(RectL(r.topLeft(), r.bottomRight() + QPoint(1, 1)));
        box |= r;
    }
    PU_RGNDATA region = rgndata_set(rgndataheader_set(U_NUM_RECTL(rects.size()),
                                                      RectL(box.topLeft(), box.bottomRight() + QPoint(1, 1))),
                                    rects.data());
    Append(region ? U_EMREXTSELECTCLIPRGN_set(U_RGN_COPY, region) : nullptr);
    std::free(region);
    FClip = Clip;
}

void TEmfFile::Shape(const TDrawOp& Op)
{
    const std::vector<QPoint>& p = Op.Points;
    if (FMode != Op.Pen.Mode) {
        Append(U_EMRSETROP2_set(uint32_t(Rop2Code(Op.Pen.Mode))));
        FMode = Op.Pen.Mode;
    }
    Select(FPen, FPenHandle, Op.Pen, [&](uint32_t* h) { return createpen_set(h, FHandles, LogPen(Op.Pen)); });
    Select(FBrush, FBrushHandle, Op.Brush,
           [&](uint32_t* h) { return createbrushindirect_set(h, FHandles, LogBrush(Op.Brush)); });
    switch (Op.Kind) {
        case TDrawKind::Polyline:
        case TDrawKind::Polygon: {
            const bool polygon = Op.Kind == TDrawKind::Polygon;
            if (polygon && FWinding != Op.Winding) {
                Append(U_EMRSETPOLYFILLMODE_set(Op.Winding ? U_WINDING : U_ALTERNATE));
                FWinding = Op.Winding;
            }
            const U_RECTL bounds = BoundsOf(p);
            if (FitsInt16(p)) {
                std::vector<U_POINT16> points;
                for (const QPoint& q : p) points.push_back(point16_set(int16_t(q.x()), int16_t(q.y())));
                Append(polygon ? U_EMRPOLYGON16_set(bounds, uint32_t(points.size()), points.data())
                               : U_EMRPOLYLINE16_set(bounds, uint32_t(points.size()), points.data()));
            } else {
                std::vector<U_POINTL> points;
                for (const QPoint& q : p) points.push_back(PointL(q));
                Append(polygon ? U_EMRPOLYGON_set(bounds, uint32_t(points.size()), points.data())
                               : U_EMRPOLYLINE_set(bounds, uint32_t(points.size()), points.data()));
            }
            break;
        }
        case TDrawKind::Rectangle:
            Append(U_EMRRECTANGLE_set(RectL(p[0], p[1])));
            break;
        case TDrawKind::FillRect:
            // Without a pen a rectangle leaves out its last row and column.
            Append(U_EMRRECTANGLE_set(RectL(p[0], p[1] + QPoint(1, 1))));
            break;
        case TDrawKind::Ellipse:
            Append(U_EMRELLIPSE_set(RectL(p[0], p[1])));
            break;
        case TDrawKind::RoundRect:
            Append(U_EMRROUNDRECT_set(RectL(p[0], p[1]), sizel_set(p[2].x(), p[2].y())));
            break;
        case TDrawKind::Arc:
            Append(U_EMRARC_set(RectL(p[0], p[1]), PointL(p[2]), PointL(p[3])));
            break;
        case TDrawKind::Pie:
            Append(U_EMRPIE_set(RectL(p[0], p[1]), PointL(p[2]), PointL(p[3])));
            break;
        case TDrawKind::Chord:
            Append(U_EMRCHORD_set(RectL(p[0], p[1]), PointL(p[2]), PointL(p[3])));
            break;
        case TDrawKind::Text:
        case TDrawKind::Raster:
            break;
    }
}

void TEmfFile::Text(const TDrawOp& Op)
{
    const TDrawText& t = Op.Text;
    Select(FFont, FFontHandle, t.Font, [&](uint32_t* h) {
        U_LOGFONT font = LogFont(t.Font);
        return extcreatefontindirectw_set(h, FHandles, reinterpret_cast<const char*>(&font), nullptr);
    });
    if (FTextColor != t.Color) {
        Append(U_EMRSETTEXTCOLOR_set(ColorRef(t.Color)));
        FTextColor = t.Color;
    }
    std::u16string text = t.Text.toStdU16String();
    std::vector<uint32_t> dx(t.Advances.begin(), t.Advances.end());
    dx.resize(text.size(), 0);
    char* emrtext = emrtext_set(PointL(Op.Points[0]), U_NUM_STR(text.size()), 2, text.data(), U_ETO_NONE,
                                rectl_set(point32_set(0, 0), point32_set(-1, -1)), dx.data());
    if (!emrtext) {
        Append(nullptr);
        return;
    }
    Append(U_EMREXTTEXTOUTW_set(RectL(Op.Points[0], Op.Points[0]), U_GM_COMPATIBLE, 1.0f, 1.0f,
                                reinterpret_cast<PU_EMRTEXT>(emrtext)));
    std::free(emrtext);
}

void TEmfFile::Raster(const TDrawOp& Op)
{
    const int32_t w = Op.Pixels.width(), h = Op.Pixels.height();
    std::vector<char> pixels = DibPixels(Op.Pixels);
    const U_BITMAPINFOHEADER header =
        bitmapinfoheader_set(w, h, 1, 24, U_BI_RGB, uint32_t(pixels.size()), 3780, 3780, 0, 0);
    PU_BITMAPINFO info = bitmapinfo_set(header, nullptr);
    Append(info ? U_EMRSTRETCHDIBITS_set(RectL(Op.Points[0], Op.Points[1] - QPoint(1, 1)), PointL(Op.Points[0]),
                                         point32_set(w, h), point32_set(0, 0), point32_set(w, h), U_DIB_RGB_COLORS,
                                         U_SRCCOPY, info, uint32_t(pixels.size()), pixels.data())
                : nullptr);
    std::free(info);
}

void TEmfFile::Op(const TDrawOp& Op, QSize Size)
{
    Clip(Op.Clip, Size);
    if (Op.Kind == TDrawKind::Text) Text(Op);
    else if (Op.Kind == TDrawKind::Raster) Raster(Op);
    else Shape(Op);
}

}  // namespace

bool WriteEmf(const QString& FileName, const TDisplayList& List, QSize Size, const String& CreatedBy,
              const String& Description)
{
    TEmfFile file(FileName);
    std::vector<uint16_t> text = HeaderText(CreatedBy, Description);
    file.Header(Size, text);
    for (const TDrawOp& op : List.Ops) file.Op(op, Size);
    return file.Finish();
}
