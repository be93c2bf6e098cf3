#pragma once
// What every legend of a plot lists: one entry per channel shown in
// legends, in channel order, with the texts of its columns and their widths
// in each font. A plot works them out once for all its legends at each
// layout pass and paint, not once per legend: a plot of a thousand legends
// and a thousand channels would otherwise measure a million names three
// times a paint. Each text and width is worked out when a legend first
// asks for it.

#include <array>
#include <deque>
#include <optional>
#include <vector>

#include "components/foundation/kTypes.h"
#include "platform/Graphics.h"

class TkPlotChannelCustom;
class TkPlotObjectsHost;

class TkPlotLegendEntries {
public:
    // The texts of an entry: its columns', and the readout of a data
    // cursor that shows every channel, which the value columns show then.
    enum TText {
        kltName,
        kltXAxisName,
        kltYAxisName,
        kltXValue,
        kltYValue,
        kltYMax,
        kltYMin,
        kltYMean,
        kltCursorX,
        kltCursorY
    };
    static constexpr std::size_t TextCount = kltCursorY + 1;

    // The channels of Plot (none without one) that are shown in legends.
    explicit TkPlotLegendEntries(const TkPlotObjectsHost* Plot);

    Integer Count() const { return static_cast<Integer>(FEntries.size()); }
    // nullptr once the channel is gone.
    TkPlotChannelCustom* Channel(Integer Index) const;
    // Empty once the channel is gone.
    const String& Text(Integer Index, TText Text);
    // The widest Text of every entry in Font.
    Integer MaxTextWidth(TCanvas* Canvas, TFont* Font, TText Text);
    // The most characters (UTF-16 units) a Text of an entry holds.
    Integer MaxTextLength(TText Text);
    // The widest room that the entries' X axes (XAxes) or Y axes keep for
    // one value in Font: for the legend, or for a data cursor's readout.
    // Asked once the value texts were made, which may widen that room.
    Integer MaxAxisValueWidth(TCanvas* Canvas, TFont* Font, bool XAxes, bool Cursor);
    // The height of each entry's name wrapped to Width in Font; it holds
    // while the entries live.
    const std::vector<Integer>& WrappedNameHeights(TCanvas* Canvas, TFont* Font, Integer Width);

private:
    // What measuring in a font depends on (the colour does not).
    struct TFontKey {
        String Name;
        Integer Height;
        TFontStyles Style;
        TFontPitch Pitch;
        Integer Orientation;
        TFontCharset Charset;
        bool operator==(const TFontKey&) const = default;
    };
    struct TEntry {
        TWeakRef<TkPlotChannelCustom> Channel;
        std::array<std::optional<String>, TextCount> Texts;
    };
    // One figure measured in one font; Detail tells figures of one kind
    // apart (the axes' direction and use, or a wrap width).
    template <class T>
    struct TMeasured {
        TFontKey Font;
        Integer Kind;
        Integer Detail;
        T Value;
    };

    static TFontKey KeyOf(const TFont& Font);
    void MakeTexts(TEntry& Entry, TText Text) const;
    void MakeAllTexts(TText Text);
    // Measure's figure, made the first time it is asked for; the reference
    // holds while the entries live.
    template <class T, class F>
    const T& Measured(std::deque<TMeasured<T>>& Figures, const TFont& Font, Integer Kind, Integer Detail,
                      F Measure);

    std::vector<TEntry> FEntries;
    std::deque<TMeasured<Integer>> FWidths;
    std::deque<TMeasured<std::vector<Integer>>> FWrappedHeights;
    std::array<std::optional<Integer>, TextCount> FLengths;
};
