#pragma once
// Resolved fonts with Windows-style metrics, cached per font description.

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <memory>
#include <mutex>

#include "platform/Graphics.h"

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
    // Advance width of a run of text in whole pixels.
    Integer Width(const QString& text) const;

private:
    QFont FFont;
    mutable std::mutex FMutex;  // QFontMetrics is reentrant, not thread-safe
    QFontMetrics FMetrics;
    Integer FAscent = 0;
    Integer FDescent = 0;
    Integer FInternalLeading = 0;
    Integer FAveCharWidth = 0;
    Integer FMaxCharWidth = 0;
};

// The entry for the font's name, height, pitch and styles.
std::shared_ptr<const TFontEntry> FontEntryOf(const TFont& Font);
