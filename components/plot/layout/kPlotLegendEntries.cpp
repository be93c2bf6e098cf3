#include "components/plot/layout/kPlotLegendEntries.h"

#include <algorithm>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/objects/kPlotHostServices.h"

namespace {

// Text when it holds more than blanks, else Fallback. Looked at in place:
// a name may be long.
const String& NonBlank(const String& Text, const String& Fallback)
{
    return TrimView(Text).empty() ? Fallback : Text;
}

// The kinds of widths measured besides those of the texts.
constexpr Integer kAxisValueWidth = TkPlotLegendEntries::TextCount;

}  // namespace

TkPlotLegendEntries::TkPlotLegendEntries(const TkPlotObjectsHost* Plot)
{
    const Integer count = Plot ? Plot->ChannelCount() : 0;
    for (Integer i = 0; i < count; ++i)
        if (TkPlotChannelCustom* channel = Plot->GetChannel(i); channel && channel->VisibleInLegend())
            FEntries.push_back({TWeakRef<TkPlotChannelCustom>(channel), {}});
}

TkPlotChannelCustom* TkPlotLegendEntries::Channel(Integer Index) const
{
    return FEntries[static_cast<std::size_t>(Index)].Channel.Get();
}

const String& TkPlotLegendEntries::Text(Integer Index, TText Text)
{
    TEntry& entry = FEntries[static_cast<std::size_t>(Index)];
    // The name is the channel's own text, not a copy: a name may be long.
    if (Text == kltName) {
        static const String gone;
        const TkPlotChannelCustom* channel = entry.Channel.Get();
        return channel ? NonBlank(channel->TitleText(), channel->Name()) : gone;
    }
    if (!entry.Texts[Text]) MakeTexts(entry, Text);
    return *entry.Texts[Text];
}

void TkPlotLegendEntries::MakeTexts(TEntry& Entry, TText Text) const
{
    auto& texts = Entry.Texts;
    TkPlotChannelCustom* channel = Entry.Channel.Get();
    if (!channel) {
        texts[Text].emplace();
        return;
    }
    const auto axisName = [&](TkPlotAxis* Axis) {
        return Axis ? NonBlank(Axis->Title(), Axis->Name()) : channel->TranslateString("None");
    };
    const auto value = [&](TkPlotAxis* Axis, Double Value) {
        if (channel->Count() == 0) return channel->TranslateString("Empty");
        return Axis ? Axis->GetLegendText(Value) : channel->TranslateString("N/A");
    };
    switch (Text) {
    case kltName: break;  // the channel's own text (Text)
    case kltXAxisName: texts[Text] = axisName(channel->XAxis()); break;
    case kltYAxisName: texts[Text] = axisName(channel->YAxis()); break;
    case kltXValue: texts[Text] = value(channel->XAxis(), channel->XLast()); break;
    case kltYValue: texts[Text] = value(channel->YAxis(), channel->YLast()); break;
    case kltYMax: texts[Text] = value(channel->YAxis(), channel->RunningYMax()); break;
    case kltYMin: texts[Text] = value(channel->YAxis(), channel->RunningYMin()); break;
    case kltYMean: texts[Text] = value(channel->YAxis(), channel->RunningYMean()); break;
    case kltCursorX:
    case kltCursorY: {
        String x, y;
        channel->GetDataCursorTexts(x, y);
        texts[kltCursorX] = std::move(x);
        texts[kltCursorY] = std::move(y);
        break;
    }
    }
}

TkPlotLegendEntries::TFontKey TkPlotLegendEntries::KeyOf(const TFont& Font)
{
    return {Font.Name(), Font.Height(), Font.Style(), Font.Pitch(), Font.Orientation(), Font.Charset()};
}

template <class T, class F>
const T& TkPlotLegendEntries::Measured(std::deque<TMeasured<T>>& Figures, const TFont& Font, Integer Kind,
                                       Integer Detail, F Measure)
{
    // A plot's legends use few fonts: a walk finds them sooner than a hash.
    const TFontKey key = KeyOf(Font);
    for (const TMeasured<T>& figure : Figures)
        if (figure.Kind == Kind && figure.Detail == Detail && figure.Font == key) return figure.Value;
    T value = Measure();
    Figures.push_back({key, Kind, Detail, std::move(value)});
    return Figures.back().Value;
}

void TkPlotLegendEntries::MakeAllTexts(TText Text)
{
    for (Integer i = 0; i < Count(); ++i) this->Text(i, Text);
}

Integer TkPlotLegendEntries::MaxTextWidth(TCanvas* Canvas, TFont* Font, TText Text)
{
    return Measured(FWidths, *Font, Text, 0, [&] {
        MakeAllTexts(Text);
        Canvas->SetFont(Font);
        Integer widest = 0;
        for (Integer i = 0; i < Count(); ++i) widest = std::max(widest, Canvas->TextWidth(this->Text(i, Text)));
        return widest;
    });
}

Integer TkPlotLegendEntries::MaxTextLength(TText Text)
{
    if (!FLengths[Text]) {
        MakeAllTexts(Text);
        Integer longest = 0;
        for (Integer i = 0; i < Count(); ++i)
            longest = std::max(longest, static_cast<Integer>(Utf8ToUtf16(this->Text(i, Text)).size()));
        FLengths[Text] = longest;
    }
    return *FLengths[Text];
}

Integer TkPlotLegendEntries::MaxAxisValueWidth(TCanvas* Canvas, TFont* Font, bool XAxes, bool Cursor)
{
    return Measured(FWidths, *Font, kAxisValueWidth, (XAxes ? 2 : 0) + (Cursor ? 1 : 0), [&] {
        Integer widest = 0;
        for (const TEntry& entry : FEntries) {
            TkPlotChannelCustom* channel = entry.Channel.Get();
            if (!channel) continue;
            TkPlotAxis* axis = XAxes ? static_cast<TkPlotAxis*>(channel->XAxis()) : channel->YAxis();
            if (axis)
                widest = std::max(widest, Cursor ? axis->GetCursorTextWidth(Canvas, Font)
                                                 : axis->GetLegendTextWidth(Canvas, Font));
        }
        return widest;
    });
}

const std::vector<Integer>& TkPlotLegendEntries::WrappedNameHeights(TCanvas* Canvas, TFont* Font, Integer Width)
{
    return Measured(FWrappedHeights, *Font, kltName, Width, [&] {
        Canvas->SetFont(Font);
        std::vector<Integer> heights;
        heights.reserve(FEntries.size());
        for (Integer i = 0; i < Count(); ++i) heights.push_back(MeasureTextInWidth(Canvas, Text(i, kltName), Width));
        return heights;
    });
}
