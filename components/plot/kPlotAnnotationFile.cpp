// The annotation file's lines for what is not published: the polygon's
// points ("<Prefix>.PolyPoint<K> = X;Y") and the loaded picture
// ("<Prefix>.ImageData = " the bitmap file in hexadecimal). Readers that do
// not know them skip them.

#include <vector>

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/kPlotAnnotation.h"
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
    if (x.empty() || y.empty()) throw EConvertError("'" + Text + "' is not a point X;Y");
    const char separator = FormatSettings.DecimalSeparator;
    return {Double(FloatFromText(x, separator)), Double(FloatFromText(y, separator))};
}

String PointLineName(const String& Prefix, std::size_t Index) { return Prefix + ".PolyPoint" + IntToStr(Int64(Index)); }

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
    // Everything is read before anything changes.
    std::vector<TkPlotAnnotationPoint> points;
    String value;
    while (ExtractNamedLine(PointLineName(Prefix, points.size()), value, Lines)) points.push_back(PointFromText(value));
    TkPlotPicture picture;
    if (ExtractNamedLine(Prefix + ".ImageData", value, Lines)) {
        TMemoryStream stream;
        FromHex(value, stream);
        picture.LoadFromStream(stream);
    }
    FPolyPoints = std::move(points);
    if (picture) FImage.Assign(picture.Image());
    DoChange();
}
