// Font resolution: the layer's registered fonts, Qt fonts without
// antialiasing, and cell metrics computed as the system computes them.

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRawFont>
#include <atomic>
#include <map>

#include "GraphicsFonts.h"

#include <QTransform>

#include "CanvasImpl.h"
#include "QtGraphics.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

constexpr std::size_t kMaxCachedFonts = 512;

// The Windows ascent, descent and average width of a TrueType font, in
// font units, from its OS/2 table; false when it has none.
struct TWinMetrics {
    Integer Ascent = 0;
    Integer Descent = 0;
    Integer AveCharWidth = 0;
    Integer UnitsPerEm = 0;
};

bool ReadWinMetrics(const QFont& font, TWinMetrics& m)
{
    const QRawFont raw = QRawFont::fromFont(font);
    const QByteArray os2 = raw.fontTable("OS/2");
    if (!raw.isValid() || os2.size() < 78 || raw.unitsPerEm() <= 0) return false;
    const auto u16 = [&](int at) { return (Integer(Byte(os2[at])) << 8) | Byte(os2[at + 1]); };
    m.AveCharWidth = static_cast<int16_t>(u16(2));
    m.Ascent = u16(74);
    m.Descent = u16(76);
    m.UnitsPerEm = RoundPix(raw.unitsPerEm());
    return m.Ascent + m.Descent > 0;
}

// Em size in pixels, unbounded: a negative height is the character
// height, a positive one the cell height (ascent + descent).
Int64 EmPixels(const QFont& base, Integer height)
{
    if (height < 0) return -Int64(height);
    if (height == 0) return 12;
    TWinMetrics m;
    QFont probe(base);
    probe.setPixelSize(100);
    if (!ReadWinMetrics(probe, m)) return height;
    return MulDiv(height, m.UnitsPerEm, m.Ascent + m.Descent);
}

// The em size drawn: what the layer can draw of it.
Integer PixelSizeOf(const QFont& base, Integer height)
{
    return Integer(std::clamp<Int64>(EmPixels(base, height), 1, kMaxFontPixels));
}

// Letters with stems and bowls, which a bold face draws otherwise.
const QString kProbeLetters = QStringLiteral("HIlo");

// The probe letters each drawn alone at its own place, so that only their
// shapes count, not their advances.
QImage GlyphShapes(QFont Font)
{
    Font.setUnderline(false);
    Font.setStrikeOut(false);
    const int cell = 2 * Font.pixelSize() + 2;
    return RenderMask(QRect(0, 0, cell * int(kProbeLetters.size()), cell), [&](QPainter& p) {
        p.setFont(Font);
        p.setPen(Qt::white);
        for (qsizetype i = 0; i < kProbeLetters.size(); ++i)
            p.drawText(QPointF(double(i * cell + 1), Font.pixelSize()), kProbeLetters.mid(i, 1));
    });
}

QFont RegularOf(const QFont& Font)
{
    QFont regular(Font);
    regular.setBold(false);
    return regular;
}

// Past this size no face carries bitmaps of its own: the outlines decide,
// and they look the same at every size.
constexpr int kLargestProbe = 48;

// How much a bold font's strokes are widened. A bold file may carry the
// regular outlines with bold advances, and keep its bold design for the
// bitmaps of a few sizes, with regular bitmaps at others (the Tahoma files
// the layer registers are bold at 9 to 12 pixels only): drawn as it comes,
// such a font is bold at those sizes and regular, at most spread out, at
// every other. Where the bold face's letters come out as the regular
// face's, the strokes are widened by a pixel per 24 of size, as the system
// widens a face it has no bold of.
Integer EmboldeningOf(const QFont& Font)
{
    if (!Font.bold()) return 0;
    QFont bold(Font);
    bold.setPixelSize(std::min(Font.pixelSize(), kLargestProbe));
    if (GlyphShapes(bold) != GlyphShapes(RegularOf(bold))) return 0;
    return std::max(1, RoundPix(Font.pixelSize() / 24.0));
}

// Whether a bold font's letters advance as the regular font's do.
bool RegularAdvances(const QFont& Font)
{
    return QFontMetrics(Font).horizontalAdvance(kProbeLetters) ==
           QFontMetrics(RegularOf(Font)).horizontalAdvance(kProbeLetters);
}

// The font without its size.
QFont BaseQFont(const TFont& Font)
{
    RegisterLayerFonts();
    QFont font(QString::fromStdString(Font.Name()));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
    if (Font.Pitch() == fpFixed) font.setStyleHint(QFont::Monospace);
    const TFontStyles style = Font.Style();
    font.setBold(style.Contains(fsBold));
    font.setItalic(style.Contains(fsItalic));
    font.setUnderline(style.Contains(fsUnderline));
    font.setStrikeOut(style.Contains(fsStrikeOut));
    return font;
}

}  // namespace

void RegisterLayerFonts()
{
    static std::atomic<bool> done{false};
    static std::mutex mutex;
    if (done) return;
    std::lock_guard<std::mutex> lock(mutex);
    if (done || !QGuiApplication::instance()) return;
    const QDir dir("/usr/share/wine/fonts");
    for (const QString& file : dir.entryList({"tahoma*.ttf"}, QDir::Files))
        QFontDatabase::addApplicationFont(dir.filePath(file));
    QFont::insertSubstitution("Arial", "Liberation Sans");
    done = true;
}

String PlainFamilyName(const String& Face)
{
    // Qt reads "Family [Foundry]" as the family's make by that foundry.
    const std::size_t open = Face.find('[');
    const std::size_t close = Face.rfind(']');
    if (open == String::npos || close == String::npos || close < open) return Face;
    const String family = Trim(Face.substr(0, open));
    return family.empty() ? Face : family;
}

QFont ToQFont(const TFont& Font)
{
    QFont font = BaseQFont(Font);
    font.setPixelSize(PixelSizeOf(font, Font.Height()));
    return font;
}

Int64 CharacterPixels(const TFont& Font) { return EmPixels(BaseQFont(Font), Font.Height()); }

TFontEntry::TFontEntry(const QFont& font, Integer cellHeight) : FFont(font), FMetrics(font)
{
    TWinMetrics m;
    const Integer px = font.pixelSize();
    if (ReadWinMetrics(font, m)) {
        if (cellHeight > 0) {
            FAscent = RoundPix(Extended(m.Ascent) * cellHeight / (m.Ascent + m.Descent));
            FDescent = cellHeight - FAscent;
        } else {
            FAscent = RoundPix(Extended(m.Ascent) * px / m.UnitsPerEm);
            FDescent = RoundPix(Extended(m.Descent) * px / m.UnitsPerEm);
        }
        FAveCharWidth = RoundPix(Extended(m.AveCharWidth) * px / m.UnitsPerEm);
    } else {
        FAscent = FMetrics.ascent();
        FDescent = FMetrics.descent();
        FAveCharWidth = FMetrics.averageCharWidth();
    }
    FInternalLeading = std::max(0, FAscent + FDescent - px);
    FEmboldening = EmboldeningOf(font);
    if (FEmboldening > 0 && RegularAdvances(font)) {
        // Widened strokes need wider letters: each takes the widening on
        // its advance, as the system's widened faces do.
        FFont.setLetterSpacing(QFont::AbsoluteSpacing, FEmboldening);
        FMetrics = QFontMetrics(FFont);
    }
    FMaxCharWidth = FMetrics.maxWidth();
}

namespace {

// Enough for every label of many plots; past it the texts are unlikely to
// come again.
constexpr qsizetype kMaxRemembered = 4096;

}  // namespace

Integer TFontEntry::Width(const QString& text) const
{
    if (text.isEmpty()) return 0;
    std::lock_guard<std::mutex> lock(FMutex);
    if (const auto known = FWidths.constFind(text); known != FWidths.constEnd()) return *known;
    if (FWidths.size() >= kMaxRemembered) FWidths.clear();
    const Integer width = FMetrics.horizontalAdvance(text);
    FWidths.insert(text, width);
    return width;
}

TCharAdvances::TCharAdvances(const TFontEntry& Font) : FFont(Font), FLock(Font.FMutex)
{
    if (FFont.FAsciiAdvances) return;
    auto table = std::make_unique<std::array<Integer, 128>>();
    // Measured as texts are, control characters included; never backwards:
    // positions along a line only grow.
    for (char16_t c = 0; c < 128; ++c)
        (*table)[c] = std::max(0, FFont.FMetrics.horizontalAdvance(QString(QChar(c))));
    FFont.FAsciiAdvances = std::move(table);
}

Integer TCharAdvances::Other(char32_t C)
{
    auto& known = FFont.FOtherAdvances;
    if (const auto found = known.find(C); found != known.end()) return found->second;
    // Bounded like the widths: a text of every character there is.
    if (known.size() >= 65536) known.clear();
    const Integer advance = std::max(0, FFont.FMetrics.horizontalAdvance(QString::fromUcs4(&C, 1)));
    known.emplace(C, advance);
    return advance;
}

std::shared_ptr<const TTextInk> TFontEntry::Ink(const QString& text, Integer orientation, Integer underline) const
{
    const TInkKey key{text, orientation, underline};
    {
        std::lock_guard<std::mutex> lock(FMutex);
        if (const auto known = FInks.constFind(key); known != FInks.constEnd()) return *known;
    }
    // Outside the lock: rendering measures the underline.
    const std::shared_ptr<const TTextInk> ink = RenderInk(text, orientation, underline);
    std::lock_guard<std::mutex> lock(FMutex);
    if (FInks.size() >= kMaxRemembered) FInks.clear();
    FInks.insert(key, ink);
    return ink;
}

std::shared_ptr<const TTextInk> TFontEntry::RenderInk(const QString& text, Integer orientation,
                                                      Integer underline) const
{
    const Integer width = Width(text);
    const Integer height = Height();
    QTransform turn;
    turn.rotate(-orientation / 10.0);
    // Glyphs may overhang their cell (italics, accents).
    const QRect box = turn.mapRect(QRectF(-height, -height, width + 2 * height, 3 * height)).toAlignedRect();
    const Integer x0 = underline >= 0 && underline < text.size() ? Width(text.left(underline)) : 0;
    const Integer x1 = underline >= 0 && underline < text.size() ? x0 + Width(text.mid(underline, 1)) : 0;
    auto ink = std::make_shared<TTextInk>();
    ink->TopLeft = box.topLeft();
    ink->Mask = RenderMask(box, [&](QPainter& p) {
        p.setTransform(turn, true);
        p.setFont(FFont);
        p.setPen(Qt::white);
        // Widening draws the run again, a pixel further along its baseline
        // each time: within the bold advances, which are wider.
        for (Integer shift = 0; shift <= FEmboldening; ++shift) p.drawText(QPointF(shift, Ascent()), text);
        if (x1 > x0) p.fillRect(QRect(x0, std::min(Ascent() + 1, height - 1), x1 - x0, 1), Qt::white);
    });
    return ink;
}

namespace {

// The entry of the font's description, from the cache every font shares.
std::shared_ptr<const TFontEntry> SharedFontEntry(const TFont& Font)
{
    static std::mutex mutex;
    static std::map<String, std::shared_ptr<const TFontEntry>> cache;
    const String key = Font.Name() + '|' + std::to_string(Font.Height()) + '|' +
                       std::to_string(Font.Style().Bits()) + '|' + std::to_string(int(Font.Pitch()));
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    if (cache.size() >= kMaxCachedFonts) cache.clear();
    auto entry = std::make_shared<const TFontEntry>(ToQFont(Font), std::max(0, Font.Height()));
    cache.emplace(key, entry);
    return entry;
}

}  // namespace

std::shared_ptr<const TFontEntry> FontEntryOf(const TFont& Font)
{
    TFont::TResolved& resolved = Font.FResolved;
    if (resolved.Entry && resolved.Height == Font.Height() && resolved.Style == Font.Style() &&
        resolved.Pitch == Font.Pitch() && resolved.Name == Font.Name())
        return resolved.Entry;
    resolved = {Font.Name(), Font.Height(), Font.Style(), Font.Pitch(), SharedFontEntry(Font)};
    return resolved.Entry;
}
