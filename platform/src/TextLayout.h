#pragma once
// The lines DrawText draws and the run TextOut draws: a text broken at line
// ends and, when asked, at blanks, with prefixes and ellipses applied, each
// line with its width.
//
// Ordinary texts are measured by shaping them, exactly as they are drawn.
// Texts of kLongText bytes or more are measured by the advances of their
// characters: shaping megabytes costs seconds, and no device shows more of
// a line than some thousands of characters. Only what shows of such a text
// is shaped, to be drawn (TTextLayout::Visible), and its layout is kept for
// the next calls: a plot measures and draws each caption several times per
// paint.

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "GraphicsFonts.h"

constexpr std::size_t kLongText = 1 << 14;

// What is laid out: TextOut's run (line ends are characters like any
// other, nothing else applies) or DrawText's lines, with its DT_ flags,
// the width that breaks lines and places ellipses, and the width of a tab
// stop (0: tabs are not expanded).
struct TTextFormat {
    bool Run = false;
    Cardinal Flags = 0;
    Integer MaxWidth = 0;
    Integer Tabs = 0;
};

// A pen position on a long line: Offset bytes into it, X pixels from its
// start.
struct TTextMark {
    std::size_t Offset = 0;
    Int64 X = 0;
};

struct TTextLine {
    std::string_view Text;   // UTF-8
    Int64 Width = 0;
    Integer Underline = -1;  // byte offset in Text of the prefix-underlined character
    // The marks of a long line in the layout's list, one every few
    // kilobytes: where finding a position along it starts from.
    std::size_t MarkBegin = 0;
    std::size_t MarkEnd = 0;
};

// A stretch of a long line, between tabs, that may show: its text, the pen
// position where it starts, and the UTF-16 index in it of the underlined
// character (-1: none).
struct TTextStretch {
    std::string_view Text;
    Int64 X = 0;
    Integer Underline = -1;
};

class TTextLayout {
public:
    // The lines point into Text, which Holder holds when given; else Text
    // must outlive the layout.
    TTextLayout(std::shared_ptr<const TFontEntry> Font, std::string_view Text, const TTextFormat& Format,
                std::shared_ptr<const std::string> Holder = {});
    TTextLayout(const TTextLayout&) = delete;
    TTextLayout& operator=(const TTextLayout&) = delete;

    const std::vector<TTextLine>& Lines() const { return FLines; }
    // Measured by character advances, not shaped.
    bool Long() const { return FLong; }
    const TFontEntry& Font() const { return *FFont; }
    Integer Tabs() const { return FTabs; }
    // About the memory the layout holds, its text aside.
    std::size_t Bytes() const;
    // The characters of Line (a line of a long layout) whose advances
    // reach from From to To pixels along it.
    std::vector<TTextStretch> Visible(const TTextLine& Line, Int64 From, Int64 To) const;

private:
    class TBuilder;

    std::shared_ptr<const TFontEntry> FFont;
    bool FLong = false;
    Integer FTabs = 0;
    std::shared_ptr<const std::string> FHolder;
    std::deque<std::string> FPieces;   // texts the layout made: joined, stripped, shortened
    std::vector<TTextLine> FLines;
    std::vector<TTextMark> FMarks;
};

// The layout of Text in Font. An ordinary text's lines point into Text,
// which must outlive the layout; a long text's layout holds a copy of it
// and is shared with later calls for the same text, font and format.
std::shared_ptr<const TTextLayout> LayoutText(const std::shared_ptr<const TFontEntry>& Font, std::string_view Text,
                                              const TTextFormat& Format);

// The number of UTF-16 units of a UTF-8 text, as QString counts them.
qsizetype Utf16Length(std::string_view Text);
// The start of Text holding Count UTF-16 units; a character that would be
// cut in two is left out.
std::string_view Utf16Prefix(std::string_view Text, Integer Count);
