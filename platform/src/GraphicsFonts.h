#pragma once
// Resolved fonts with Windows-style metrics, cached per font description.

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QString>
#include <array>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/Graphics.h"

// The ink of a run of text drawn with its cell's top-left corner at (0, 0):
// a mask (covered where at least 128) and the position of its top-left pixel.
struct TTextInk {
    QImage Mask;
    QPoint TopLeft;
};

// A resolved font: the Qt font (without escapement) and the cell metrics
// computed as the system does, from the font's Windows ascent and descent.
class TFontEntry {
public:
    // cellHeight > 0: the cell height asked for (a positive TFont.Height),
    // which the metrics then match exactly.
    TFontEntry(const QFont& font, Integer cellHeight);

    const QFont& Font() const { return FFont; }
    Integer Ascent() const { return FAscent; }
    Integer Descent() const { return FDescent; }
    // Cell height: ascent + descent.
    Integer Height() const { return FAscent + FDescent; }
    Integer InternalLeading() const { return FInternalLeading; }
    Integer AveCharWidth() const { return FAveCharWidth; }
    Integer MaxCharWidth() const { return FMaxCharWidth; }
    // How many pixels each stroke is widened by, beyond what the face draws:
    // nonzero for a bold font whose bold face draws the regular glyphs at
    // this size.
    Integer Emboldening() const { return FEmboldening; }
    // Advance width of a run of text in whole pixels. Remembered: shaping
    // is by far the dearest part of drawing a plot's labels, and a plot
    // measures the same few texts at every paint.
    Integer Width(const QString& text) const;
    // The ink of a run turned by orientation (tenths of a degree,
    // counter-clockwise), with the character at index underline (if any)
    // underlined. Remembered like the widths: moving a run by whole pixels
    // moves its ink and nothing else.
    std::shared_ptr<const TTextInk> Ink(const QString& text, Integer orientation, Integer underline) const;

private:
    friend class TCharAdvances;
    struct TInkKey {
        QString Text;
        Integer Orientation;
        Integer Underline;
        bool operator==(const TInkKey&) const = default;
        friend size_t qHash(const TInkKey& Key, size_t Seed = 0)
        {
            return qHashMulti(Seed, Key.Text, Key.Orientation, Key.Underline);
        }
    };
    std::shared_ptr<const TTextInk> RenderInk(const QString& text, Integer orientation, Integer underline) const;

    QFont FFont;
    mutable std::mutex FMutex;  // QFontMetrics is reentrant, not thread-safe
    QFontMetrics FMetrics;
    mutable QHash<QString, Integer> FWidths;
    mutable QHash<TInkKey, std::shared_ptr<const TTextInk>> FInks;
    mutable std::unique_ptr<std::array<Integer, 128>> FAsciiAdvances;  // filled at first use
    mutable std::unordered_map<char32_t, Integer> FOtherAdvances;
    Integer FAscent = 0;
    Integer FDescent = 0;
    Integer FInternalLeading = 0;
    Integer FAveCharWidth = 0;
    Integer FMaxCharWidth = 0;
    Integer FEmboldening = 0;
};

// The advances of single characters, the measure of texts too long to
// shape (TextLayout.h): remembered per font, so that measuring megabytes
// costs a table lookup per character. The font stays locked while this
// lives: nothing else may measure or draw with it meanwhile.
class TCharAdvances {
public:
    explicit TCharAdvances(const TFontEntry& Font);
    TCharAdvances(const TCharAdvances&) = delete;
    TCharAdvances& operator=(const TCharAdvances&) = delete;

    Integer operator()(char32_t C) { return C < 128 ? (*FFont.FAsciiAdvances)[C] : Other(C); }
    // The advances of the 128 ASCII characters.
    const Integer* Ascii() const { return FFont.FAsciiAdvances->data(); }

private:
    Integer Other(char32_t C);

    const TFontEntry& FFont;
    std::lock_guard<std::mutex> FLock;
};

// The largest em size the layer draws, in pixels.
constexpr Integer kMaxFontPixels = 2000;

// The em size in pixels that the font's height asks for, unbounded (the
// font is drawn at most kMaxFontPixels high).
Int64 CharacterPixels(const TFont& Font);

// The family of a face name that names its foundry too ("C059 [urw]"):
// the name another machine finds the family by. Other names unchanged.
String PlainFamilyName(const String& Face);

// The entry for the font's name, height, pitch and styles.
std::shared_ptr<const TFontEntry> FontEntryOf(const TFont& Font);
