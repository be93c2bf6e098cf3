// Text output: TextOut, TextRect, measuring, DrawText and the text metrics.

#include <QTransform>
#include <algorithm>
#include <vector>

#include "CanvasImpl.h"
#include "GraphicsFonts.h"

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
// doubling prefixes, so that a run of megabytes costs what its visible part
// costs, as a line editor draws only what its box shows.
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
// TCanvas text
// ---------------------------------------------------------------------------

void TCanvas::TextOut(Integer X, Integer Y, const String& Text)
{
    Changing();
    TCanvasImpl& c = *FImpl;
    TRasterWriter w(c, pmCopy);
    const auto font = FontEntryOf(*FFont);
    const QString text = QString::fromStdString(Text);
    DrawRun(w, *font, text, c.ToDevice(X, Y), PaintOf(c, *FFont));
    MoveTo(ClampCoord(Int64(X) + font->Width(text)), Y);
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
    DrawRun(w, *FontEntryOf(*FFont), QString::fromStdString(Text), c.ToDevice(X, Y), paint);
    Changed();
}

Integer TCanvas::TextWidth(const String& Text) { return FontEntryOf(*FFont)->Width(QString::fromStdString(Text)); }

Integer TCanvas::TextHeight(const String&) { return FontEntryOf(*FFont)->Height(); }

TSize TCanvas::TextExtent(const String& Text)
{
    const auto font = FontEntryOf(*FFont);
    return TSize{font->Width(QString::fromStdString(Text)), font->Height()};
}

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

namespace {

struct TTextLine {
    QString Text;
    Integer Underline = -1;
};

// "&&" shows "&"; "&x" shows x underlined (the last one wins).
TTextLine StripPrefix(const QString& s)
{
    TTextLine line;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'&') {
            line.Text += s[i];
            continue;
        }
        if (i + 1 >= s.size()) break;
        ++i;
        if (s[i] != u'&') line.Underline = static_cast<Integer>(line.Text.size());
        line.Text += s[i];
    }
    return line;
}

// Width with tabs expanded to multiples of tabWidth (tabWidth 0: no expansion).
Integer LineWidth(const TFontEntry& font, const QString& s, Integer tabWidth)
{
    if (tabWidth <= 0 || !s.contains(u'\t')) return font.Width(s);
    Integer x = 0;
    const QStringList parts = s.split(u'\t');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) x = (x / tabWidth + 1) * tabWidth;
        x += font.Width(parts[i]);
    }
    return x;
}

// Paragraphs separated by CR LF, CR or LF.
QStringList SplitParagraphs(const QString& s)
{
    QStringList out;
    QString current;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\r' || s[i] == u'\n') {
            out.push_back(current);
            current.clear();
            if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
        } else {
            current += s[i];
        }
    }
    out.push_back(current);
    return out;
}

// Breaks a paragraph at blanks into lines no wider than maxWidth; a word
// wider than that keeps a line of its own and is never cut.
std::vector<TTextLine> WrapParagraph(const TFontEntry& font, const TTextLine& par, Integer maxWidth, Integer tabWidth)
{
    std::vector<TTextLine> lines;
    const QString& s = par.Text;
    const qsizetype n = s.size();
    qsizetype start = 0;
    do {
        qsizetype end = start;
        while (end < n) {
            qsizetype next = end;
            while (next < n && s[next] == u' ') ++next;
            while (next < n && s[next] != u' ') ++next;
            if (end > start && LineWidth(font, s.mid(start, next - start), tabWidth) > maxWidth) break;
            end = next;
        }
        TTextLine line{s.mid(start, end - start), -1};
        if (par.Underline >= start && par.Underline < end) line.Underline = static_cast<Integer>(par.Underline - start);
        lines.push_back(line);
        start = end;
        while (start < n && s[start] == u' ') ++start;
    } while (start < n);
    return lines;
}

// The largest n in [0, count] for which fits(n) holds, fits being monotone.
template <class F>
qsizetype LargestFitting(qsizetype count, F fits)
{
    qsizetype lo = 0, hi = count;
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (fits(mid)) lo = mid;
        else hi = mid - 1;
    }
    return lo;
}

const QString kEllipsis = QStringLiteral("...");

QString EndEllipsis(const TFontEntry& font, const QString& s, Integer maxWidth, Integer tabs)
{
    const qsizetype n = LargestFitting(s.size(), [&](qsizetype k) {
        return LineWidth(font, s.left(k) + kEllipsis, tabs) <= maxWidth;
    });
    return s.left(n) + kEllipsis;
}

QString WordEllipsis(const TFontEntry& font, const QString& s, Integer maxWidth, Integer tabs)
{
    std::vector<qsizetype> wordEnds{0};
    for (qsizetype i = 1; i <= s.size(); ++i)
        if (s[i - 1] != u' ' && (i == s.size() || s[i] == u' ')) wordEnds.push_back(i);
    const qsizetype k = LargestFitting(static_cast<qsizetype>(wordEnds.size()) - 1, [&](qsizetype j) {
        return LineWidth(font, s.left(wordEnds[j]) + kEllipsis, tabs) <= maxWidth;
    });
    return s.left(wordEnds[k]) + kEllipsis;
}

// Keeps the last path element and shortens what comes before it.
QString PathEllipsis(const TFontEntry& font, const QString& s, Integer maxWidth, Integer tabs)
{
    const qsizetype sep = std::max(s.lastIndexOf(u'\\'), s.lastIndexOf(u'/'));
    if (sep < 0) return EndEllipsis(font, s, maxWidth, tabs);
    const QString head = s.left(sep);
    const QString tail = s.mid(sep);
    const qsizetype n = LargestFitting(head.size(), [&](qsizetype k) {
        return LineWidth(font, head.left(k) + kEllipsis + tail, tabs) <= maxWidth;
    });
    return head.left(n) + kEllipsis + tail;
}

void Ellipsize(const TFontEntry& font, TTextLine& line, Integer maxWidth, Integer tabs, Cardinal format)
{
    if (LineWidth(font, line.Text, tabs) <= maxWidth) return;
    const QString before = line.Text;
    if (format & DT_PATH_ELLIPSIS) line.Text = PathEllipsis(font, before, maxWidth, tabs);
    else if (format & DT_WORD_ELLIPSIS) line.Text = WordEllipsis(font, before, maxWidth, tabs);
    else line.Text = EndEllipsis(font, before, maxWidth, tabs);
    // The underline survives only on an unchanged prefix of the text.
    const qsizetype kept = line.Text.indexOf(kEllipsis);
    if (line.Underline >= kept || before.left(kept) != line.Text.left(kept)) line.Underline = -1;
}

std::vector<TTextLine> LayoutLines(const TFontEntry& font, const QString& text, Integer maxWidth, Integer tabs,
                                   Cardinal format)
{
    const bool single = format & DT_SINGLELINE;
    QStringList paragraphs;
    if (single) {
        QString joined = text;
        joined.remove(u'\r');
        joined.remove(u'\n');
        paragraphs.push_back(joined);
    } else {
        paragraphs = SplitParagraphs(text);
    }
    std::vector<TTextLine> lines;
    for (const QString& p : paragraphs) {
        TTextLine par = (format & DT_NOPREFIX) ? TTextLine{p, -1} : StripPrefix(p);
        if (format & DT_HIDEPREFIX) par.Underline = -1;
        if ((format & DT_WORDBREAK) && !single) {
            for (const TTextLine& l : WrapParagraph(font, par, maxWidth, tabs)) lines.push_back(l);
        } else {
            lines.push_back(par);
        }
    }
    if (format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
        for (TTextLine& l : lines) Ellipsize(font, l, maxWidth, tabs, format);
    return lines;
}

// Draws a line whose cell's top-left corner is at ref, tab by tab.
void DrawLine(TRasterWriter& w, const TFontEntry& font, const TTextLine& line, QPoint ref, Integer tabs,
              const TTextPaint& paint)
{
    const Integer width = LineWidth(font, line.Text, tabs);
    if (paint.Opaque) FillCell(w, ref, width, font.Height(), paint.Orientation, paint.Back);
    TTextPaint run = paint;
    run.Opaque = false;
    const QTransform t = CellTransform(ref, paint.Orientation);
    const QStringList parts = tabs > 0 ? line.Text.split(u'\t') : QStringList{line.Text};
    Integer x = 0;
    qsizetype index = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            x = (x / tabs + 1) * tabs;
            ++index;  // the tab
        }
        const Integer local = line.Underline - static_cast<Integer>(index);
        run.Underline = local >= 0 && local < parts[i].size() ? local : -1;
        DrawRun(w, font, parts[i], t.map(QPointF(x, 0)).toPoint(), run);
        x += font.Width(parts[i]);
        index += parts[i].size();
    }
}

}  // namespace

Integer DrawText(TCanvas* DC, const String& Text, Integer Count, TRect& R, Cardinal Format)
{
    QString text = QString::fromStdString(Text);
    if (Count >= 0) text.truncate(Count);
    if (text.isEmpty()) {
        if (Format & DT_CALCRECT) {
            R.Right = R.Left;
            R.Bottom = R.Top;
        }
        return 0;
    }
    const auto font = FontEntryOf(*DC->Font());
    const Integer tabs = (Format & DT_EXPANDTABS) ? 8 * std::max(1, font->AveCharWidth()) : 0;
    const std::vector<TTextLine> lines = LayoutLines(*font, text, ClampCoord(Int64(R.Right) - R.Left), tabs, Format);
    const Integer height = font->Height();
    const Integer total = static_cast<Integer>(std::min<std::size_t>(lines.size(), kCoordLimit / std::max(1, height))) * height;

    if (Format & DT_CALCRECT) {
        Integer widest = 0;
        for (const TTextLine& l : lines) widest = std::max(widest, LineWidth(*font, l.Text, tabs));
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
    Integer y = top;
    for (const TTextLine& line : lines) {
        const Integer width = LineWidth(*font, line.Text, tabs);
        Integer x = R.Left;
        if (Format & DT_CENTER) x = ClampCoord(R.Left + (Int64(R.Right) - R.Left - width) / 2);
        else if (Format & DT_RIGHT) x = ClampCoord(Int64(R.Right) - width);
        DrawLine(w, *font, line, c.ToDevice(x, y), tabs, paint);
        y = ClampCoord(Int64(y) + height);
    }
    if (single && (Format & (DT_VCENTER | DT_BOTTOM))) return ClampCoord(Int64(top) - R.Top + height);
    return total;
}
