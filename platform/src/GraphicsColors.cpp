// Named and system colours, their identifiers, and the conversion to the
// pixel format of the images.

#include <array>
#include <mutex>

#include "platform/Consts.h"
#include "QtGraphics.h"

namespace {

// The fixed system colour table (P8: the same on every machine).
constexpr std::array<TColor, 31> kSystemColors = {
    RGB(200, 200, 200),  // 0 scroll bar
    RGB(0, 0, 0),        // 1 background
    RGB(153, 180, 209),  // 2 active caption
    RGB(191, 205, 219),  // 3 inactive caption
    RGB(240, 240, 240),  // 4 menu
    RGB(255, 255, 255),  // 5 window
    RGB(100, 100, 100),  // 6 window frame
    RGB(0, 0, 0),        // 7 menu text
    RGB(0, 0, 0),        // 8 window text
    RGB(0, 0, 0),        // 9 caption text
    RGB(180, 180, 180),  // 10 active border
    RGB(244, 247, 252),  // 11 inactive border
    RGB(171, 171, 171),  // 12 application workspace
    RGB(51, 153, 255),   // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(240, 240, 240),  // 15 button face
    RGB(160, 160, 160),  // 16 button shadow
    RGB(109, 109, 109),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(0, 0, 0),        // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(105, 105, 105),  // 21 3-D dark shadow
    RGB(227, 227, 227),  // 22 3-D light
    RGB(0, 0, 0),        // 23 info text
    RGB(255, 255, 225),  // 24 info background
    RGB(0, 0, 0),        // 25 (unused)
    RGB(0, 102, 204),    // 26 hot light
    RGB(185, 209, 234),  // 27 gradient active caption
    RGB(215, 228, 242),  // 28 gradient inactive caption
    RGB(51, 153, 255),   // 29 menu highlight
    RGB(240, 240, 240),  // 30 menu bar
};

}  // namespace

TColor ColorToRGB(TColor Color)
{
    if (Color >= 0) return Color;
    const Cardinal index = static_cast<Cardinal>(Color) & 0xFF;
    return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
}

bool ColorToIdent(Integer Color, String& Ident)
{
    RegisterGraphicsIdents();
    return IntToIdent("TColor", Color, Ident);
}

bool IdentToColor(const String& Ident, Integer& Color)
{
    RegisterGraphicsIdents();
    Int64 value = 0;
    if (!IdentToInt("TColor", Ident, value)) return false;
    Color = static_cast<Integer>(value);
    return true;
}

String ColorToString(TColor Color)
{
    String ident;
    if (ColorToIdent(Color, ident)) return ident;
    return "$" + IntToHex(Color, 8);
}

TColor StringToColor(const String& S)
{
    Integer color = 0;
    if (IdentToColor(S, color)) return color;
    try {
        return StrToInt(S);
    } catch (const EConvertError&) {
        throw EConvertError(SInvalidColor + TextExcerpt(S));
    }
}

// Once only: a second registration would add the names again.
void RegisterGraphicsIdents()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterIntegerIdents("TColor", {
            {clBlack, "clBlack"},
            {clMaroon, "clMaroon"},
            {clGreen, "clGreen"},
            {clOlive, "clOlive"},
            {clNavy, "clNavy"},
            {clPurple, "clPurple"},
            {clTeal, "clTeal"},
            {clGray, "clGray"},
            {clSilver, "clSilver"},
            {clRed, "clRed"},
            {clLime, "clLime"},
            {clYellow, "clYellow"},
            {clBlue, "clBlue"},
            {clFuchsia, "clFuchsia"},
            {clAqua, "clAqua"},
            {clWhite, "clWhite"},
            {clMoneyGreen, "clMoneyGreen"},
            {clSkyBlue, "clSkyBlue"},
            {clCream, "clCream"},
            {clMedGray, "clMedGray"},
            {clActiveBorder, "clActiveBorder"},
            {clActiveCaption, "clActiveCaption"},
            {clAppWorkSpace, "clAppWorkSpace"},
            {clBackground, "clBackground"},
            {clBtnFace, "clBtnFace"},
            {clBtnHighlight, "clBtnHighlight"},
            {clBtnShadow, "clBtnShadow"},
            {clBtnText, "clBtnText"},
            {clCaptionText, "clCaptionText"},
            {clDefault, "clDefault"},
            {clGradientActiveCaption, "clGradientActiveCaption"},
            {clGradientInactiveCaption, "clGradientInactiveCaption"},
            {clGrayText, "clGrayText"},
            {clHighlight, "clHighlight"},
            {clHighlightText, "clHighlightText"},
            {clHotLight, "clHotLight"},
            {clInactiveBorder, "clInactiveBorder"},
            {clInactiveCaption, "clInactiveCaption"},
            {clInactiveCaptionText, "clInactiveCaptionText"},
            {clInfoBk, "clInfoBk"},
            {clInfoText, "clInfoText"},
            {clMenu, "clMenu"},
            {clMenuBar, "clMenuBar"},
            {clMenuHighlight, "clMenuHighlight"},
            {clMenuText, "clMenuText"},
            {clNone, "clNone"},
            {clScrollBar, "clScrollBar"},
            {cl3DDkShadow, "cl3DDkShadow"},
            {cl3DLight, "cl3DLight"},
            {clWindow, "clWindow"},
            {clWindowFrame, "clWindowFrame"},
            {clWindowText, "clWindowText"},
        });
        RegisterIntegerIdents("TFontCharset", {
            {0, "ANSI_CHARSET"},
            {1, "DEFAULT_CHARSET"},
            {2, "SYMBOL_CHARSET"},
            {77, "MAC_CHARSET"},
            {128, "SHIFTJIS_CHARSET"},
            {129, "HANGEUL_CHARSET"},
            {130, "JOHAB_CHARSET"},
            {134, "GB2312_CHARSET"},
            {136, "CHINESEBIG5_CHARSET"},
            {161, "GREEK_CHARSET"},
            {162, "TURKISH_CHARSET"},
            {163, "VIETNAMESE_CHARSET"},
            {177, "HEBREW_CHARSET"},
            {178, "ARABIC_CHARSET"},
            {186, "BALTIC_CHARSET"},
            {204, "RUSSIAN_CHARSET"},
            {222, "THAI_CHARSET"},
            {238, "EASTEUROPE_CHARSET"},
            {255, "OEM_CHARSET"},
        });
    });
}

QRgb ToQRgb(TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QColor ToQColor(TColor Color) { return QColor(ToQRgb(Color)); }

TColor FromQRgb(QRgb Rgb) { return RGB(static_cast<Byte>(qRed(Rgb)), static_cast<Byte>(qGreen(Rgb)), static_cast<Byte>(qBlue(Rgb))); }
