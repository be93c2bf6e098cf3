// The annotation file's lines for what is not published: the polygon's
// points ("<Prefix>.PolyPoint<K> = X;Y") and the loaded picture
// ("<Prefix>.ImageData = " the bitmap file in hexadecimal). Readers that do
// not know them skip them.

#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <vector>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/annotation/kPlotAnnotation.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

String ToHex(TMemoryStream& Stream)
{
    const auto* bytes = static_cast<const Byte*>(Stream.Memory());
    const std::size_t size = std::size_t(Stream.Size());
    String text;
    text.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        text.push_back(kHexDigits[bytes[i] >> 4]);
        text.push_back(kHexDigits[bytes[i] & 15]);
    }
    return text;
}

Integer HexDigit(char C)
{
    if (C >= '0' && C <= '9') return C - '0';
    if (C >= 'A' && C <= 'F') return C - 'A' + 10;
    if (C >= 'a' && C <= 'f') return C - 'a' + 10;
    return -1;
}

void FromHex(const String& Text, TMemoryStream& Stream)
{
    if (Text.size() % 2 != 0) throw EConvertError("Picture data has an odd number of digits");
    std::vector<Byte> bytes(Text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const Integer high = HexDigit(Text[2 * i]);
        const Integer low = HexDigit(Text[2 * i + 1]);
        if (high < 0 || low < 0) throw EConvertError("Picture data holds a character that is no hexadecimal digit");
        bytes[i] = Byte(high * 16 + low);
    }
    Stream.Write(bytes.data(), Int64(bytes.size()));
    Stream.Seek(0, soBeginning);
}

TkPlotAnnotationPoint PointFromText(const String& Text)
{
    String x, y;
    SplitAtSeparator(Text, ";", x, y);
    if (x.empty() || y.empty()) throw EConvertError("'" + TextExcerpt(Text) + "' is not a point X;Y");
    const char separator = FormatSettings.DecimalSeparator;
    // Read wide: the text of the largest Double stands for it.
    const auto coordinate = [separator](const String& Text) {
        return Double(WithinFloatText(FloatFromText(Text, separator), std::numeric_limits<Double>::max()));
    };
    return {coordinate(x), coordinate(y)};
}

String PointLineName(const String& Prefix, std::size_t Index) { return Prefix + ".PolyPoint" + IntToStr(Int64(Index)); }

// Whether Name is PointName (ignoring case) and a vertex index as
// PointLineName writes it; the index in K.
bool VertexIndex(std::string_view Name, std::string_view PointName, Integer& K)
{
    if (Name.size() <= PointName.size() || !SameText(Name.substr(0, PointName.size()), PointName)) return false;
    const std::string_view digits = Name.substr(PointName.size());
    return TryStrToInt(digits, K) && K >= 0 && IntToStr(K) == digits;
}

// Deletes the lines at the indices, each run of neighbours in one step.
void DeleteLines(TStrings& Lines, std::vector<Integer> Indices)
{
    std::sort(Indices.begin(), Indices.end());
    for (std::size_t end = Indices.size(); end > 0;) {
        std::size_t start = end - 1;
        while (start > 0 && Indices[start - 1] + 1 == Indices[start]) --start;
        Lines.DeleteRange(Indices[start], static_cast<Integer>(end - start));
        end = start;
    }
}

}  // namespace

void TkPlotAnnotation::SaveExtraLines(const String& Prefix, TStrings& Lines) const
{
    for (std::size_t k = 0; k < FPolyPoints.size(); ++k)
        Lines.Add(PointLineName(Prefix, k) + " = " + FloatToStr(FPolyPoints[k].X) + ";" + FloatToStr(FPolyPoints[k].Y));
    if (TBitmap* image = FImage.Image()) {
        TMemoryStream stream;
        image->SaveToStream(stream);
        Lines.Add(Prefix + ".ImageData = " + ToHex(stream));
    }
}

void TkPlotAnnotation::LoadExtraLines(const String& Prefix, TStrings& Lines)
{
    // One pass finds every line: K of each vertex, the picture's text, and
    // the lines taken. Everything is read before anything changes.
    const String pointName = Prefix + ".PolyPoint";
    const String imageName = Prefix + ".ImageData";
    std::map<Integer, std::pair<Integer, String>> vertexLines;
    std::optional<std::pair<Integer, String>> imageLine;
    for (Integer i = 0; i < Lines.Count(); ++i) {
        String name, value;
        SplitAtSeparator(Lines.Strings(i), "=", name, value);
        if (SameText(name, imageName)) {
            if (!imageLine) imageLine.emplace(i, std::move(value));
        } else if (Integer k = 0; VertexIndex(name, pointName, k)) {
            vertexLines.try_emplace(k, i, std::move(value));
        }
    }
    std::vector<TkPlotAnnotationPoint> points;
    std::vector<Integer> taken;
    // The vertices from 0 up to the first one missing.
    for (auto line = vertexLines.find(0); line != vertexLines.end() && line->first == Integer(points.size()); ++line) {
        points.push_back(PointFromText(line->second.second));
        taken.push_back(line->second.first);
    }
    TkPlotPicture picture;
    if (imageLine) {
        TMemoryStream stream;
        FromHex(imageLine->second, stream);
        picture.LoadFromStream(stream);
        taken.push_back(imageLine->first);
    }
    DeleteLines(Lines, taken);
    FPolyPoints = std::move(points);
    if (picture) FImage.Assign(picture.Image());
    DoChange();
}
