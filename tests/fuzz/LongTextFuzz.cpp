// Feeds arbitrary bytes, repeated past the size from which texts are
// measured by their characters' advances, to DrawText with the flags, box
// width and orientation the first bytes give, and to TextOut. Every call
// ends; a single line without prefixes, tabs or ellipses measures as wide
// as TextWidth says it is.

#include <algorithm>

#include "FuzzSupport.h"
#include "platform/Graphics.h"
#include "platform/SysApi.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        Fuzz::InitHeadlessProcess();
        return true;
    }();
    (void)ready;
    if (size < 7) return 0;
    constexpr Cardinal layoutFlags = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM | DT_WORDBREAK | DT_SINGLELINE |
                                     DT_EXPANDTABS | DT_NOCLIP | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS |
                                     DT_WORD_ELLIPSIS | DT_HIDEPREFIX;
    const Cardinal flags = (Cardinal(data[0]) | Cardinal(data[1]) << 8 | Cardinal(data[2]) << 16) & layoutFlags;
    const Integer width = Integer(data[3]) * 4 - 100;
    const Integer orientation = Integer(data[4] % 8) * 450;
    const Integer x = Integer(data[5]) * 64 - 8000;
    const String piece(reinterpret_cast<const char*>(data) + 6, size - 6);
    String text;
    while (text.size() < 20000) text += piece;

    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(120, 60);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Font()->SetOrientation(orientation);
    TRect box = Rect(x, 5, x + width, 55);
    DrawText(canvas, text, box, flags);
    TRect measured = box;
    DrawText(canvas, text, measured, flags | DT_CALCRECT);
    canvas->TextOut(x, 30, text);

    const Cardinal plain = DT_SINGLELINE | DT_NOPREFIX;
    const bool oneLine = std::none_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
    if (oneLine && (flags & (plain | DT_EXPANDTABS | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) == plain)
        Fuzz::Check(measured.Right - measured.Left == canvas->TextWidth(text));
    return 0;
}
