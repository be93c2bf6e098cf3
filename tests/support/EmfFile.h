#pragma once
// Reads an enhanced metafile file back as its list of records, so that a
// test can check what a writer put there, and converts it with an
// independent reader when one is installed.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/Classes.h"
#include "support/ToolOutput.h"

// Record types of the enhanced metafile format.
namespace Emr {
constexpr uint32_t Header = 1, Eof = 14, SetRop2 = 20, SelectObject = 37, CreatePen = 38, CreateBrush = 39,
                   DeleteObject = 40, Ellipse = 42, Rectangle = 43, ExtSelectClipRgn = 75, StretchDibits = 81,
                   ExtCreateFont = 82, ExtTextOutW = 84, Polygon16 = 86, Polyline16 = 87;
}

// The types of the file's records in order; empty unless the file is a
// chain of well-formed records that starts with the header.
inline std::vector<uint32_t> EmfRecordTypes(const String& FileName)
{
    TMemoryStream file;
    file.LoadFromFile(FileName);
    const auto* bytes = static_cast<const unsigned char*>(file.Memory());
    const size_t length = size_t(file.Size());
    std::vector<uint32_t> types;
    for (size_t at = 0; at + 8 <= length;) {
        uint32_t type = 0, size = 0;
        std::memcpy(&type, bytes + at, 4);
        std::memcpy(&size, bytes + at + 4, 4);
        if (size < 8 || size % 4 != 0 || size > length - at) return {};
        types.push_back(type);
        at += size;
    }
    if (types.empty() || types.front() != Emr::Header) return {};
    return types;
}

inline size_t CountOf(const std::vector<uint32_t>& Types, uint32_t Type)
{
    return size_t(std::count(Types.begin(), Types.end(), Type));
}

// True when Svg has an element whose whole text is Text.
inline bool SvgHasText(const String& Svg, const String& Text)
{
    return Svg.find(">" + Text + "<") != String::npos || Svg.find("<![CDATA[" + Text + "]]>") != String::npos;
}

// The SVG the converter makes of FileName; Ok tells whether it could.
inline String EmfAsSvg(const String& FileName, bool& Ok)
{
    const String svg = FileName + ".svg";
    ToolOutput("emf2svg-conv -i '" + FileName + "' -o '" + svg + "'", Ok);
    if (!Ok) return String();
    TMemoryStream file;
    file.LoadFromFile(svg);
    return String(static_cast<const char*>(file.Memory()), size_t(file.Size()));
}
