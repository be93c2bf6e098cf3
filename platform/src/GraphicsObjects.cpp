// Fonts, pens and brushes, with their published properties.

#include "platform/Graphics.h"

#include "GraphicsFonts.h"
#include "platform/Math.h"

TClass TGraphicsObject::StaticClassInfo()
{
    static const TClassInfo info("TGraphicsObject", TPersistent::StaticClassInfo());
    return &info;
}

void TGraphicsObject::Changed()
{
    if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------
// TFont
// ---------------------------------------------------------------------------

TClass TFont::StaticClassInfo()
{
    // The order and the stored flags are part of the form format.
    static const TClassInfo info = [] {
        RegisterGraphicsIdents();
        return TClassBuilder<TFont, TGraphicsObject>("TFont")
            .IdentInteger("Charset", "TFontCharset", &TFont::Charset, &TFont::SetCharset)
            .Color("Color", &TFont::Color, &TFont::SetColor)
            .Integer("Height", &TFont::Height, &TFont::SetHeight)
            .String("Name", &TFont::Name, &TFont::SetName)
            .Integer("Orientation", &TFont::Orientation, &TFont::SetOrientation)
            .Default(0)
            .Enum("Pitch", &TFont::Pitch, &TFont::SetPitch)
            .Default(fpDefault)
            .Integer("Size", &TFont::Size, &TFont::SetSize)
            .Stored(false)
            .Set("Style", &TFont::Style, &TFont::SetStyle)
            .Build();
    }();
    return &info;
}

void TFont::Assign(TPersistent* Source)
{
    auto* font = dynamic_cast<TFont*>(Source);
    if (!font) {
        TGraphicsObject::Assign(Source);
        return;
    }
    FCharset = font->FCharset;
    FColor = font->FColor;
    FHeight = font->FHeight;
    FName = font->FName;
    FOrientation = font->FOrientation;
    FPitch = font->FPitch;
    FStyle = font->FStyle;
    Changed();
}

void TFont::SetName(const String& Value) { Change(FName, PlainFamilyName(Value)); }

Integer TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, PixelsPerInch, 72)); }

// ---------------------------------------------------------------------------
// TPen
// ---------------------------------------------------------------------------

TClass TPen::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPen, TGraphicsObject>("TPen")
                                       .Color("Color", &TPen::Color, &TPen::SetColor)
                                       .Default(clBlack)
                                       .Enum("Mode", &TPen::Mode, &TPen::SetMode)
                                       .Default(pmCopy)
                                       .Enum("Style", &TPen::Style, &TPen::SetStyle)
                                       .Default(psSolid)
                                       .Integer("Width", &TPen::Width, &TPen::SetWidth)
                                       .Default(1)
                                       .Build();
    return &info;
}

void TPen::Assign(TPersistent* Source)
{
    auto* pen = dynamic_cast<TPen*>(Source);
    if (!pen) {
        TGraphicsObject::Assign(Source);
        return;
    }
    FColor = pen->FColor;
    FMode = pen->FMode;
    FStyle = pen->FStyle;
    FWidth = pen->FWidth;
    Changed();
}

// ---------------------------------------------------------------------------
// TBrush
// ---------------------------------------------------------------------------

TClass TBrush::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TBrush, TGraphicsObject>("TBrush")
                                       .Color("Color", &TBrush::Color, &TBrush::SetColor)
                                       .Default(clWhite)
                                       .Enum("Style", &TBrush::Style, &TBrush::SetStyle)
                                       .Default(bsSolid)
                                       .Build();
    return &info;
}

void TBrush::Assign(TPersistent* Source)
{
    auto* brush = dynamic_cast<TBrush*>(Source);
    if (!brush) {
        TGraphicsObject::Assign(Source);
        return;
    }
    FColor = brush->FColor;
    FStyle = brush->FStyle;
    Changed();
}

void TBrush::SetColor(TColor Value)
{
    if (FColor == Value && FStyle != bsClear) return;
    FColor = Value;
    if (FStyle == bsClear) FStyle = bsSolid;
    Changed();
}
