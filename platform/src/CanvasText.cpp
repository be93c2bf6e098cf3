// Text output: TextOut, TextRect, measuring, DrawText and the text metrics.

#include <QTransform>
#include <algorithm>
#include <vector>

#include "CanvasImpl.h"
#include "GraphicsFonts.h"
#include "TextLayout.h"
#include "platform/Math.h"

namespace {

// How one run of text is drawn.
struct TTextPaint {
    QRgb Colour = 0;
    bool Opaque = false;  // cell background in Back
    QRgb Back = 0;
    Integer Orientation = 0;  // tenths of a degree, counter-clockwise
    Integer Underline = -1;   // index of the prefix-underlined character
    const TFont* Font = nullptr;
};

QTransform CellTransform(QPoint ref, Integer orientation)
{
    QTransform t;
    t.translate(ref.x(), ref.y());
    t.rotate(-orientation / 10.0);
    return t;
}

bool Rotated(Integer orientation) { return orientation % 3600 != 0; }

// Fills the text cell of width w whose top-left corner is ref.
void FillCell(TRasterWriter& w, QPoint ref, Integer width, Integer height, Integer orientation, QRgb colour)
{
    if (!Rotated(orientation)) {
        SolidRect(w, QRect(ref.x(), ref.y(), width, height), colour);
        return;
    }
    const QPolygonF cell = CellTransform(ref, orientation).map(QPolygonF(QRectF(0, 0, width, height)));
    const std::vector<QPointF> corners(cell.begin(), cell.begin() + 4);
    if (w.Recording()) {
        std::vector<QPoint> points;
        for (const QPointF& p : corners) points.push_back(p.toPoint());
        w.Record(FillOp(TDrawKind::Polygon, std::move(points), SolidBrush(colour)));
    }
    FillSpans(w, PolygonSpans(corners, false, w.ClipBox()), TFill::Solid(colour));
}

// How far each UTF-16 unit of text moves the pen, kerning included.
std::vector<Integer> Advances(const TFontEntry& font, const QString& text)
{
    std::vector<Integer> advances;
    advances.reserve(size_t(text.size()));
    Integer before = 0;
    for (qsizetype i = 1; i <= text.size(); ++i) {
        const Integer after = font.Width(text.left(i));
        advances.push_back(after - before);
        before = after;
    }
    return advances;
}

// The start of a run that reaches past every corner of the clip, whatever
// its orientation: the characters behind it cannot show. Measured on
// doubling prefixes, so that a run costs what its visible part costs, as a
// line editor draws only what its box shows (longer texts are cut to what
// shows before they come here: TextLayout.h).
QString VisiblePart(const TFontEntry& font, const QString& text, QPoint ref, const QRect& clip)
{
    Int64 reach = 0;
    for (const QPoint corner : {clip.topLeft(), clip.topRight(), clip.bottomLeft(), clip.bottomRight()})
        reach = std::max<Int64>(reach, std::abs(Int64(corner.x()) - ref.x()) + std::abs(Int64(corner.y()) - ref.y()));
    reach += font.MaxCharWidth() + 1;
    qsizetype length = 256;
    while (length < text.size() && font.Width(text.left(length)) <= reach) length *= 2;
    return length < text.size() ? text.left(length) : text;
}

// One run with its cell's top-left corner at ref (device pixels).
void DrawRun(TRasterWriter& w, const TFontEntry& font, const QString& whole, QPoint ref, const TTextPaint& paint)
{
    const QString text = VisiblePart(font, whole, ref, w.ClipBox());
    if (paint.Opaque) FillCell(w, ref, font.Width(text), font.Height(), paint.Orientation, paint.Back);
    if (text.isEmpty()) return;
    if (w.Recording()) w.Record(TextOp(ref, text, *paint.Font, paint.Colour, Advances(font, text)));
    const auto ink = font.Ink(text, paint.Orientation, paint.Underline);
    w.Mask(ink->Mask, ref + ink->TopLeft, TFill::Solid(paint.Colour));
}

TTextPaint PaintOf(TCanvasImpl& c, const TFont& font)
{
    TTextPaint paint;
    paint.Colour = DeviceRgb(c.State.TextColor);
    paint.Opaque = c.State.BkMode == OPAQUE;
    paint.Back = DeviceRgb(c.State.BkColor);
    paint.Orientation = font.Orientation();
    paint.Font = &font;
    return paint;
}

}  // namespace

// ---------------------------------------------------------------------------
// Lines
// ---------------------------------------------------------------------------

namespace {

// Draws a line whose cell's top-left corner is at ref, tab by tab; of a
// long text's line, only the stretches that can reach the clip.
void DrawLine(TRasterWriter& w, const TTextLayout& layout, const TTextLine& line, QPoint ref, const TTextPaint& paint)
{
    const TFontEntry& font = layout.Font();
    if (paint.Opaque) FillCell(w, ref, ClampCoord(line.Width), font.Height(), paint.Orientation, paint.Back);
    TTextPaint run = paint;
    run.Opaque = false;
    const QTransform t = CellTransform(ref, paint.Orientation);
    if (layout.Long()) {
        if (w.ClipBox().isEmpty()) return;
        // The clip's extent along the line, widened by what ink may
        // overhang its cell.
        const QRectF along = t.inverted().mapRect(QRectF(w.ClipBox()));
        const Int64 margin = font.MaxCharWidth() + 2 * Int64(font.Height());
        for (const TTextStretch& s : layout.Visible(line, Floor(along.left()) - margin, Ceil(along.right()) + margin)) {
            run.Underline = s.Underline;
            DrawRun(w, font, QString::fromUtf8(s.Text.data(), qsizetype(s.Text.size())),
                    t.map(QPointF(double(s.X), 0)).toPoint(), run);
        }
        return;
    }
    const QString text = QString::fromUtf8(line.Text.data(), qsizetype(line.Text.size()));
    const Integer underline = line.Underline < 0 ? -1 : Integer(Utf16Length(line.Text.substr(0, line.Underline)));
    const Integer tabs = layout.Tabs();
    const QStringList parts = tabs > 0 ? text.split(u'\t') : QStringList{text};
    Integer x = 0;
    qsizetype index = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            x = (x / tabs + 1) * tabs;
            ++index;  // the tab
        }
        const Integer local = underline - static_cast<Integer>(index);
        run.Underline = local >= 0 && local < parts[i].size() ? local : -1;
        DrawRun(w, font, parts[i], t.map(QPointF(x, 0)).toPoint(), run);
        x += font.Width(parts[i]);
        index += parts[i].size();
    }
}

// TextOut's run, and its width: an ordinary one shaped whole (DrawRun trims
// it to what reaches the clip), a long one laid out.
Integer DrawTextRun(TRasterWriter& w, const std::shared_ptr<const TFontEntry>& font, const String& Text, QPoint ref,
                    const TTextPaint& paint)
{
    if (Text.size() < kLongText) {
        const QString text = QString::fromStdString(Text);
        DrawRun(w, *font, text, ref, paint);
        return font->Width(text);
    }
    const auto layout = LayoutText(font, Text, TTextFormat{true});
    const TTextLine& run = layout->Lines().front();
    DrawLine(w, *layout, run, ref, paint);
    return ClampCoord(run.Width);
}

Integer RunWidth(const TFont& Font, const String& Text)
{
    const auto font = FontEntryOf(Font);
    if (Text.size() < kLongText) return font->Width(QString::fromStdString(Text));
    return ClampCoord(LayoutText(font, Text, TTextFormat{true})->Lines().front().Width);
}

}  // namespace

// ---------------------------------------------------------------------------
// TCanvas text
// ---------------------------------------------------------------------------

void TCanvas::TextOut(Integer X, Integer Y, const String& Text)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, pmCopy);
    const Integer width = DrawTextRun(w, FontEntryOf(*FFont), Text, c.ToDevice(X, Y), PaintOf(c, *FFont));
    MoveTo(ClampCoord(Int64(X) + width), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& R, Integer X, Integer Y, const String& Text)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, pmCopy);
    const QRect rect = c.ToDevice(R);
    w.Restrict(rect);
    TTextPaint paint = PaintOf(c, *FFont);
    if (FBrush->Style() != bsClear) SolidRect(w, rect, DeviceRgb(c.State.BkColor));
    paint.Opaque = false;
    DrawTextRun(w, FontEntryOf(*FFont), Text, c.ToDevice(X, Y), paint);
    Changed();
}

Integer TCanvas::TextWidth(const String& Text) { return RunWidth(*FFont, Text); }

Integer TCanvas::TextHeight(const String&) { return FontEntryOf(*FFont)->Height(); }

TSize TCanvas::TextExtent(const String& Text) { return TSize{RunWidth(*FFont, Text), FontEntryOf(*FFont)->Height()}; }

bool GetTextMetrics(TCanvas* DC, TTextMetric& Metric)
{
    const TFont& f = *DC->Font();
    const auto font = FontEntryOf(f);
    Metric = TTextMetric{};
    Metric.tmHeight = font->Height();
    Metric.tmAscent = font->Ascent();
    Metric.tmDescent = font->Descent();
    Metric.tmInternalLeading = font->InternalLeading();
    Metric.tmAveCharWidth = font->AveCharWidth();
    Metric.tmMaxCharWidth = font->MaxCharWidth();
    Metric.tmWeight = f.Style().Contains(fsBold) ? 700 : 400;
    Metric.tmItalic = f.Style().Contains(fsItalic) ? 1 : 0;
    Metric.tmUnderlined = f.Style().Contains(fsUnderline) ? 1 : 0;
    Metric.tmStruckOut = f.Style().Contains(fsStrikeOut) ? 1 : 0;
    Metric.tmPitchAndFamily = f.Pitch() == fpFixed ? 0 : 1;  // the bit is set for variable pitch
    Metric.tmCharSet = f.Charset();
    return true;
}

bool GetTextExtentPoint32(TCanvas* DC, const String& Text, TSize& Size)
{
    Size = DC->TextExtent(Text);
    return true;
}

// ---------------------------------------------------------------------------
// DrawText
// ---------------------------------------------------------------------------

Integer DrawText(TCanvas* DC, const String& Text, Integer Count, TRect& R, Cardinal Format)
{
    const std::string_view text = Count >= 0 ? Utf16Prefix(Text, Count) : std::string_view(Text);
    if (text.empty()) {
        if (Format & DT_CALCRECT) {
            R.Right = R.Left;
            R.Bottom = R.Top;
        }
        return 0;
    }
    const auto font = FontEntryOf(*DC->Font());
    const Integer tabs = (Format & DT_EXPANDTABS) ? 8 * std::max(1, font->AveCharWidth()) : 0;
    const auto layout = LayoutText(font, text, TTextFormat{false, Format, ClampCoord(Int64(R.Right) - R.Left), tabs});
    const std::vector<TTextLine>& lines = layout->Lines();
    const Integer height = font->Height();
    const Integer total = static_cast<Integer>(std::min<std::size_t>(lines.size(), kCoordLimit / std::max(1, height))) * height;

    if (Format & DT_CALCRECT) {
        Int64 widest = 0;
        for (const TTextLine& l : lines) widest = std::max(widest, l.Width);
        R.Right = ClampCoord(Int64(R.Left) + widest);
        R.Bottom = ClampCoord(Int64(R.Top) + total);
        return total;
    }

    const bool single = Format & DT_SINGLELINE;
    Integer top = R.Top;
    if (single && (Format & DT_VCENTER)) top = ClampCoord(R.Top + (Int64(R.Bottom) - R.Top - height) / 2);
    else if (single && (Format & DT_BOTTOM)) top = ClampCoord(Int64(R.Bottom) - height);

    TCanvasImpl& c = DC->Impl();
    TRasterWriter w(c, pmCopy);
    if (!(Format & DT_NOCLIP)) w.Restrict(c.ToDevice(R));
    const TTextPaint paint = PaintOf(c, *DC->Font());
    // A long text's lines above the clip are passed over, and those below
    // it not reached, when they run level.
    const bool skipHidden = layout->Long() && !Rotated(paint.Orientation);
    Integer y = top;
    for (const TTextLine& line : lines) {
        const Integer width = ClampCoord(line.Width);
        Integer x = R.Left;
        if (Format & DT_CENTER) x = ClampCoord(R.Left + (Int64(R.Right) - R.Left - width) / 2);
        else if (Format & DT_RIGHT) x = ClampCoord(Int64(R.Right) - width);
        const QPoint ref = c.ToDevice(x, y);
        if (skipHidden && ref.y() > w.ClipBox().bottom()) break;
        if (!skipHidden || ref.y() + height > w.ClipBox().top()) DrawLine(w, *layout, line, ref, paint);
        y = ClampCoord(Int64(y) + height);
    }
    if (single && (Format & (DT_VCENTER | DT_BOTTOM))) return ClampCoord(Int64(top) - R.Top + height);
    return total;
}
