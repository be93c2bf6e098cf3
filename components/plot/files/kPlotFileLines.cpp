#include "components/plot/files/kPlotFileLines.h"

#include "components/plot/files/kPlotFileIO.h"

TkPlotFileLines::TkPlotFileLines(String Text) : FText(std::move(Text))
{
    TkTextLineReader reader(FText);
    for (std::string_view line; reader.Next(line);)
        if (!TrimView(line).empty()) FLines.push_back(line);
}

std::string_view TkPlotFileLines::Line(Integer Index) const
{
    if (Index < 0 || Index >= Count()) Error(Index);
    return FLines[static_cast<std::size_t>(Index)];
}

void TkPlotFileLines::Insert(Integer Index, const String& S)
{
    if (Index < 0 || Index > Count()) Error(Index);
    FLines.insert(FLines.begin() + Index, FInserted.emplace_back(S));
}

void TkPlotFileLines::Delete(Integer Index)
{
    if (Index < 0 || Index >= Count()) Error(Index);
    FLines.erase(FLines.begin() + Index);
}

void TkPlotFileLines::Clear()
{
    FLines.clear();
    FInserted.clear();
}
