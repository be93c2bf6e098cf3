#pragma once
// The lines of a text as every reader of the layer takes them: CR LF, CR
// and LF each end one, whatever system wrote the file, and a text ending in
// a line end has no empty line after it.

#include <string_view>

template <class F>
void ForEachLine(std::string_view Text, F&& Visit)
{
    std::size_t start = 0;
    while (start < Text.size()) {
        const std::size_t end = Text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            Visit(Text.substr(start));
            return;
        }
        Visit(Text.substr(start, end - start));
        start = end + (Text[end] == '\r' && end + 1 < Text.size() && Text[end + 1] == '\n' ? 2 : 1);
    }
}
