// DrawText's and TextOut's layout (see TextLayout.h).

#include "TextLayout.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <list>

#include "Utf8Codec.h"
#include "platform/SysApi.h"

namespace {

// Marks on long lines are this many bytes apart, or a little more.
constexpr std::size_t kMarkBytes = 4096;
// Long texts kept with their layouts: at most this many texts, this many
// layouts of each (formats differ by the width that breaks lines), and
// past the first text, this many bytes of them all together.
constexpr std::size_t kKeptTexts = 8;
constexpr std::size_t kKeptLayouts = 4;
constexpr std::size_t kKeptBytes = 128u << 20;

constexpr std::string_view kEllipsis = "...";

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

// Moves the pen at x over the character at pos of text: its advance, or
// to the next multiple of tabs for a tab when tabs > 0.
void Step(TCharAdvances& advances, std::string_view text, std::size_t& pos, Int64& x, Integer tabs)
{
    const auto b = static_cast<unsigned char>(text[pos]);
    if (b >= 0x80) {
        x += advances(Utf8Codec::Next(text, pos));
        return;
    }
    ++pos;
    x = b == '\t' && tabs > 0 ? (x / tabs + 1) * tabs : x + advances(b);
}

// Whether none of the 8 bytes at p is a tab or lies outside ASCII.
bool PlainAscii8(const char* p)
{
    std::uint64_t w = 0;
    std::memcpy(&w, p, sizeof w);
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    const std::uint64_t tabs = w ^ (ones * '\t');
    return ((w | ((tabs - ones) & ~tabs)) & highs) == 0;
}

Int64 Walk(TCharAdvances& advances, std::string_view text, Int64 x, Integer tabs)
{
    // ASCII other than tabs, most of any text, from the table alone, eight
    // bytes at a time.
    const Integer* ascii = advances.Ascii();
    const auto at = [&](std::size_t i) { return ascii[static_cast<unsigned char>(text[i])]; };
    const std::size_t n = text.size();
    std::size_t pos = 0;
    while (pos < n) {
        Int64 a = 0;
        Int64 b = 0;
        for (; pos + 8 <= n && PlainAscii8(text.data() + pos); pos += 8) {
            a += at(pos) + at(pos + 1) + at(pos + 2) + at(pos + 3);
            b += at(pos + 4) + at(pos + 5) + at(pos + 6) + at(pos + 7);
        }
        for (unsigned char c = 0; pos < n && (c = static_cast<unsigned char>(text[pos])) < 0x80 && c != '\t'; ++pos)
            a += ascii[c];
        x += a + b;
        if (pos < n) Step(advances, text, pos, x, tabs);
    }
    return x;
}

// Where the line ends of a text are, found at the speed of memchr: a long
// text may hold a million of them, or none in ten megabytes.
class TBreaks {
public:
    explicit TBreaks(std::string_view Text) : FText(Text) {}

    // The position of the first CR or LF at From or after; the size of the
    // text when there is none.
    std::size_t Next(std::size_t From)
    {
        if (!FStarted || FCR < From) FCR = Find('\r', From);
        if (!FStarted || FLF < From) FLF = Find('\n', From);
        FStarted = true;
        return std::min(FCR, FLF);
    }

private:
    std::size_t Find(char c, std::size_t from) const
    {
        if (from >= FText.size()) return FText.size();
        const void* found = std::memchr(FText.data() + from, c, FText.size() - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - FText.data()) : FText.size();
    }

    std::string_view FText;
    bool FStarted = false;
    std::size_t FCR = 0;
    std::size_t FLF = 0;
};

// The first count characters of s.
std::string_view Prefix(std::string_view s, std::size_t count)
{
    std::size_t pos = 0;
    for (; count > 0 && pos < s.size(); --count) Utf8Codec::Next(s, pos);
    return s.substr(0, pos);
}

// The largest n in [0, count] for which fits(n) holds, fits being
// monotone. Galloping from 0: what fits is usually short beside the text.
template <class F>
std::size_t LargestFitting(std::size_t count, F fits)
{
    std::size_t lo = 0;
    std::size_t step = 1;
    while (step <= count && fits(step)) {
        lo = step;
        step *= 2;
    }
    std::size_t hi = std::min(step - 1, count);
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo + 1) / 2;
        if (fits(mid)) lo = mid;
        else hi = mid - 1;
    }
    return lo;
}

// How runs of text are measured.
class TMeasure {
public:
    virtual ~TMeasure() = default;
    // The width of Pieces drawn one after another as one line.
    virtual Int64 Width(std::initializer_list<std::string_view> Pieces) = 0;
    // The width of Line, which is LineWidth wide, with More drawn after it.
    virtual Int64 Extended(std::string_view Line, Int64 LineWidth, std::string_view More) = 0;
};

// Ordinary texts: shaped, as they are drawn, the whole line each time.
class TShapedMeasure final : public TMeasure {
public:
    TShapedMeasure(const TFontEntry& Font, Integer Tabs) : FFont(Font), FTabs(Tabs) {}

    Int64 Width(std::initializer_list<std::string_view> Pieces) override
    {
        QString text;
        for (const std::string_view piece : Pieces) text += QString::fromUtf8(piece.data(), qsizetype(piece.size()));
        return LineWidth(FFont, text, FTabs);
    }
    Int64 Extended(std::string_view Line, Int64, std::string_view More) override { return Width({Line, More}); }

private:
    const TFontEntry& FFont;
    Integer FTabs;
};

// Long texts: the sum of their characters' advances, so that a line grows
// by what is added to it. Holds the font's lock while it lives.
class TAdvanceMeasure final : public TMeasure {
public:
    TAdvanceMeasure(const TFontEntry& Font, Integer Tabs) : FAdvances(Font), FTabs(Tabs) {}

    Int64 Width(std::initializer_list<std::string_view> Pieces) override
    {
        Int64 x = 0;
        for (const std::string_view piece : Pieces) x = Walk(FAdvances, piece, x, FTabs);
        return x;
    }
    Int64 Extended(std::string_view, Int64 LineWidth, std::string_view More) override
    {
        return Walk(FAdvances, More, LineWidth, FTabs);
    }

    // The width of a long line, marking it every kMarkBytes bytes or so.
    Int64 Marked(std::string_view Line, std::vector<TTextMark>& Marks)
    {
        Int64 x = 0;
        for (std::size_t pos = 0; pos < Line.size();) {
            std::size_t end = std::min(pos + kMarkBytes, Line.size());
            while (end < Line.size() && (static_cast<unsigned char>(Line[end]) & 0xC0) == 0x80) ++end;
            x = Walk(FAdvances, Line.substr(pos, end - pos), x, FTabs);
            pos = end;
            if (pos < Line.size()) Marks.push_back({pos, x});
        }
        return x;
    }

private:
    TCharAdvances FAdvances;
    Integer FTabs;
};

}  // namespace

// ---------------------------------------------------------------------------
// Building a layout
// ---------------------------------------------------------------------------

class TTextLayout::TBuilder {
public:
    TBuilder(TTextLayout& Layout, TMeasure& Measure, const TTextFormat& Format)
        : FLayout(Layout), FMeasure(Measure), FFormat(Format)
    {
    }

    void Build(std::string_view Text)
    {
        if (FFormat.Run) {
            FLayout.FLines.push_back({Text});
            return;
        }
        const Cardinal flags = FFormat.Flags;
        const bool single = flags & DT_SINGLELINE;
        for (const std::string_view paragraph : Paragraphs(Text, single)) {
            TTextLine line = (flags & DT_NOPREFIX) ? TTextLine{paragraph} : StripPrefix(paragraph);
            if (flags & DT_HIDEPREFIX) line.Underline = -1;
            if ((flags & DT_WORDBREAK) && !single) Wrap(line);
            else FLayout.FLines.push_back(line);
        }
        if (flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
            for (TTextLine& line : FLayout.FLines) Ellipsize(line);
    }

private:
    std::string_view Keep(std::string Text) { return FLayout.FPieces.emplace_back(std::move(Text)); }

    // Paragraphs end at CR LF, CR or LF; a single line has them removed.
    std::vector<std::string_view> Paragraphs(std::string_view text, bool single)
    {
        TBreaks breaks(text);
        if (single) {
            if (breaks.Next(0) == text.size()) return {text};
            std::string joined(text);
            std::erase_if(joined, [](char c) { return c == '\r' || c == '\n'; });
            return {Keep(std::move(joined))};
        }
        std::vector<std::string_view> out;
        std::size_t start = 0;
        for (std::size_t i = breaks.Next(0); i < text.size(); i = breaks.Next(start)) {
            out.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
        out.push_back(text.substr(start));
        return out;
    }

    // "&&" shows "&"; "&x" shows x underlined (the last one wins).
    TTextLine StripPrefix(std::string_view s)
    {
        if (s.find('&') == std::string_view::npos) return {s};
        std::string text;
        Integer underline = -1;
        for (std::size_t i = 0; i < s.size();) {
            if (s[i] != '&') {
                text += s[i++];
                continue;
            }
            if (++i >= s.size()) break;
            if (s[i] != '&') underline = static_cast<Integer>(text.size());
            const std::size_t start = i;
            Utf8Codec::Next(s, i);
            text.append(s.substr(start, i - start));
        }
        TTextLine line{Keep(std::move(text))};
        line.Underline = underline;
        return line;
    }

    // Breaks a paragraph at blanks into lines no wider than the maximum;
    // a word wider than that keeps a line of its own and is never cut.
    void Wrap(const TTextLine& par)
    {
        const std::string_view s = par.Text;
        const std::size_t n = s.size();
        std::size_t start = 0;
        do {
            std::size_t end = start;
            Int64 width = 0;
            while (end < n) {
                std::size_t next = end;
                while (next < n && s[next] == ' ') ++next;
                while (next < n && s[next] != ' ') ++next;
                const Int64 wider = FMeasure.Extended(s.substr(start, end - start), width, s.substr(end, next - end));
                if (end > start && wider > FFormat.MaxWidth) break;
                end = next;
                width = wider;
            }
            TTextLine line{s.substr(start, end - start)};
            if (par.Underline >= 0 && std::size_t(par.Underline) >= start && std::size_t(par.Underline) < end)
                line.Underline = static_cast<Integer>(std::size_t(par.Underline) - start);
            FLayout.FLines.push_back(line);
            start = end;
            while (start < n && s[start] == ' ') ++start;
        } while (start < n);
    }

    bool Fits(std::initializer_list<std::string_view> pieces) { return FMeasure.Width(pieces) <= FFormat.MaxWidth; }

    std::string EndEllipsis(std::string_view s)
    {
        const std::size_t n = LargestFitting(s.size(), [&](std::size_t k) { return Fits({Prefix(s, k), kEllipsis}); });
        return std::string(Prefix(s, n)) + std::string(kEllipsis);
    }

    std::string WordEllipsis(std::string_view s)
    {
        std::vector<std::size_t> wordEnds{0};
        for (std::size_t i = 1; i <= s.size(); ++i)
            if (s[i - 1] != ' ' && (i == s.size() || s[i] == ' ')) wordEnds.push_back(i);
        const auto fits = [&](std::size_t j) { return Fits({s.substr(0, wordEnds[j]), kEllipsis}); };
        const std::size_t k = LargestFitting(wordEnds.size() - 1, fits);
        return std::string(s.substr(0, wordEnds[k])) + std::string(kEllipsis);
    }

    // Keeps the last path element and shortens what comes before it.
    std::string PathEllipsis(std::string_view s)
    {
        const std::size_t back = s.rfind('\\');
        const std::size_t slash = s.rfind('/');
        if (back == std::string_view::npos && slash == std::string_view::npos) return EndEllipsis(s);
        const std::size_t sep = back == std::string_view::npos ? slash
                                : slash == std::string_view::npos ? back
                                                                  : std::max(back, slash);
        const std::string_view head = s.substr(0, sep);
        const std::string_view tail = s.substr(sep);
        const std::size_t n =
            LargestFitting(head.size(), [&](std::size_t k) { return Fits({Prefix(head, k), kEllipsis, tail}); });
        return std::string(Prefix(head, n)) + std::string(kEllipsis) + std::string(tail);
    }

    void Ellipsize(TTextLine& line)
    {
        if (Fits({line.Text})) return;
        const std::string_view before = line.Text;
        const Cardinal flags = FFormat.Flags;
        line.Text = Keep(flags & DT_PATH_ELLIPSIS   ? PathEllipsis(before)
                         : flags & DT_WORD_ELLIPSIS ? WordEllipsis(before)
                                                    : EndEllipsis(before));
        // The underline survives only on an unchanged prefix of the text.
        const std::size_t kept = line.Text.find(kEllipsis);
        if (std::size_t(line.Underline) >= kept || before.substr(0, kept) != line.Text.substr(0, kept))
            line.Underline = -1;
    }

    TTextLayout& FLayout;
    TMeasure& FMeasure;
    const TTextFormat& FFormat;
};

std::size_t TTextLayout::Bytes() const
{
    std::size_t bytes = FLines.size() * sizeof(TTextLine) + FMarks.size() * sizeof(TTextMark);
    for (const std::string& piece : FPieces) bytes += piece.size();
    return bytes;
}

TTextLayout::TTextLayout(std::shared_ptr<const TFontEntry> Font, std::string_view Text, const TTextFormat& Format,
                         std::shared_ptr<const std::string> Holder)
    : FFont(std::move(Font)), FLong(Text.size() >= kLongText), FTabs(Format.Tabs), FHolder(std::move(Holder))
{
    if (!FLong) {
        TShapedMeasure measure(*FFont, FTabs);
        TBuilder(*this, measure, Format).Build(Text);
        for (TTextLine& line : FLines) line.Width = measure.Width({line.Text});
        return;
    }
    TAdvanceMeasure measure(*FFont, FTabs);
    TBuilder(*this, measure, Format).Build(Text);
    for (TTextLine& line : FLines) {
        line.MarkBegin = FMarks.size();
        line.Width = measure.Marked(line.Text, FMarks);
        line.MarkEnd = FMarks.size();
    }
}

std::vector<TTextStretch> TTextLayout::Visible(const TTextLine& Line, Int64 From, Int64 To) const
{
    // From the last mark at or before From, the first character whose
    // advance ends past it, then on to the first that starts at To or later.
    const auto begin = FMarks.begin() + static_cast<std::ptrdiff_t>(Line.MarkBegin);
    const auto end = FMarks.begin() + static_cast<std::ptrdiff_t>(Line.MarkEnd);
    auto mark = std::upper_bound(begin, end, From, [](Int64 x, const TTextMark& m) { return x < m.X; });
    std::size_t first = 0;
    Int64 x = 0;
    if (mark != begin) {
        --mark;
        first = mark->Offset;
        x = mark->X;
    }
    const std::string_view text = Line.Text;
    TCharAdvances advances(*FFont);
    for (std::size_t pos = first; pos < text.size(); first = pos) {
        Int64 after = x;
        Step(advances, text, pos, after, FTabs);
        if (after > From) break;
        x = after;
    }
    std::vector<TTextStretch> stretches;
    const auto add = [&](std::size_t start, std::size_t stop, Int64 at) {
        if (stop == start) return;
        const std::size_t underline = std::size_t(Line.Underline);
        const bool within = Line.Underline >= 0 && underline >= start && underline < stop;
        stretches.push_back({text.substr(start, stop - start), at,
                             within ? Integer(Utf16Length(text.substr(start, underline - start))) : -1});
    };
    std::size_t start = first;
    Int64 startX = x;
    std::size_t pos = first;
    while (pos < text.size() && x < To) {
        const bool tab = FTabs > 0 && text[pos] == '\t';
        if (tab) add(start, pos, startX);
        Step(advances, text, pos, x, FTabs);
        if (tab) {
            start = pos;
            startX = x;
        }
    }
    add(start, pos, startX);
    return stretches;
}

// ---------------------------------------------------------------------------
// Long texts kept
// ---------------------------------------------------------------------------

namespace {

// Which of the text's characters a layout depends on.
struct TTextFacts {
    bool Breaks = false;
    bool Ampersand = false;
    bool Tab = false;
};

bool operator==(const TTextFormat& a, const TTextFormat& b)
{
    return a.Run == b.Run && a.Flags == b.Flags && a.MaxWidth == b.MaxWidth && a.Tabs == b.Tabs;
}

// The format with what cannot change this text's layout left out, so that
// measuring a caption and drawing it share one layout.
TTextFormat Normalized(const TTextFormat& f, const TTextFacts& facts)
{
    if (f.Run) return facts.Breaks ? TTextFormat{true} : TTextFormat{false, DT_NOPREFIX};
    const bool single = f.Flags & DT_SINGLELINE;
    const bool wrap = (f.Flags & DT_WORDBREAK) && !single;
    const Cardinal ellipses = f.Flags & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS);
    TTextFormat n;
    n.Flags = (single && facts.Breaks ? DT_SINGLELINE : 0) | (wrap ? DT_WORDBREAK : 0) | ellipses;
    n.Flags |= facts.Ampersand ? f.Flags & (DT_NOPREFIX | DT_HIDEPREFIX) : DT_NOPREFIX;
    n.MaxWidth = wrap || ellipses ? f.MaxWidth : 0;
    n.Tabs = facts.Tab ? f.Tabs : 0;
    return n;
}

class TKeptTexts {
public:
    std::shared_ptr<const TTextLayout> Layout(const std::shared_ptr<const TFontEntry>& font, std::string_view text,
                                              const TTextFormat& format)
    {
        std::lock_guard<std::mutex> lock(FMutex);
        TKept& kept = Find(font, text);
        const TTextFormat key = Normalized(format, kept.Facts);
        for (const auto& [known, layout] : kept.Layouts)
            if (known == key) return layout;
        auto layout = std::make_shared<const TTextLayout>(font, *kept.Text, key, kept.Text);
        if (kept.Layouts.size() >= kKeptLayouts) kept.Layouts.erase(kept.Layouts.begin());
        kept.Layouts.emplace_back(key, layout);
        Trim();
        return layout;
    }

private:
    struct TKept {
        std::shared_ptr<const TFontEntry> Font;
        std::shared_ptr<const std::string> Text;
        TTextFacts Facts;
        std::vector<std::pair<TTextFormat, std::shared_ptr<const TTextLayout>>> Layouts;
    };

    // The text's entry, moved to the front; a new one, when the text comes
    // first, pushes out the oldest beyond the bounds.
    TKept& Find(const std::shared_ptr<const TFontEntry>& font, std::string_view text)
    {
        for (auto it = FTexts.begin(); it != FTexts.end(); ++it) {
            if (it->Font != font || it->Text->size() != text.size() ||
                std::memcmp(it->Text->data(), text.data(), text.size()) != 0)
                continue;
            FTexts.splice(FTexts.begin(), FTexts, it);
            return FTexts.front();
        }
        const auto has = [&](char c) { return std::memchr(text.data(), c, text.size()) != nullptr; };
        const TTextFacts facts{has('\r') || has('\n'), has('&'), has('\t')};
        FTexts.push_front({font, std::make_shared<const std::string>(text), facts, {}});
        return FTexts.front();
    }

    // Lets go of the oldest texts beyond the bounds; the newest stays.
    void Trim()
    {
        std::size_t bytes = 0;
        std::size_t count = 0;
        for (auto it = FTexts.begin(); it != FTexts.end(); ++it) {
            bytes += it->Text->size();
            for (const auto& known : it->Layouts) bytes += known.second->Bytes();
            if (++count > 1 && (count > kKeptTexts || bytes > kKeptBytes)) {
                FTexts.erase(it, FTexts.end());
                return;
            }
        }
    }

    std::mutex FMutex;
    std::list<TKept> FTexts;  // most recent first
};

}  // namespace

std::shared_ptr<const TTextLayout> LayoutText(const std::shared_ptr<const TFontEntry>& Font, std::string_view Text,
                                              const TTextFormat& Format)
{
    if (Text.size() < kLongText) return std::make_shared<const TTextLayout>(Font, Text, Format);
    static TKeptTexts kept;
    return kept.Layout(Font, Text, Format);
}

qsizetype Utf16Length(std::string_view Text)
{
    qsizetype units = 0;
    for (std::size_t pos = 0; pos < Text.size();) units += Utf8Codec::Next(Text, pos) >= 0x10000 ? 2 : 1;
    return units;
}

std::string_view Utf16Prefix(std::string_view Text, Integer Count)
{
    std::size_t pos = 0;
    for (Int64 units = 0; pos < Text.size();) {
        std::size_t next = pos;
        units += Utf8Codec::Next(Text, next) >= 0x10000 ? 2 : 1;
        if (units > Count) break;
        pos = next;
    }
    return Text.substr(0, pos);
}
