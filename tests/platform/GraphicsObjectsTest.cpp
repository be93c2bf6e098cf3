// Colours, fonts, pens and brushes: values, change events and the
// published tables that form data depends on.

#include "GraphicsTestSupport.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

TEST(GraphicsColors, SystemColoursComeFromTheFixedTable)
{
    EXPECT_EQ(clBtnFace, -16777201);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(160, 160, 160));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(cl3DDkShadow), RGB(105, 105, 105));
    EXPECT_EQ(ColorToRGB(cl3DLight), RGB(227, 227, 227));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(51, 153, 255));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FF);
    EXPECT_EQ(ColorToRGB(SystemColor(200)), clBlack);  // no such index
    EXPECT_EQ(GetSysColor(15), RGB(240, 240, 240));
}

TEST(GraphicsColors, NamesReadAndWrite)
{
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clSilver), "clSilver");
    EXPECT_EQ(ColorToString(8388863), "$008000FF");
    EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
    EXPECT_EQ(StringToColor("$00FF8000"), 0x00FF8000);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
    Int64 value = 0;
    EXPECT_TRUE(IdentToInt("TColor", "clWindowText", value));
    EXPECT_EQ(value, clWindowText);
    String ident;
    EXPECT_TRUE(IntToIdent("TFontCharset", 1, ident));
    EXPECT_EQ(ident, "DEFAULT_CHARSET");
}

TEST(GraphicsObjects, FontDefaultsSizeAndChangeEvents)
{
    TOwned<TFont> font = CreateOwned<TFont>();
    EXPECT_EQ(font->Name(), "Tahoma");
    EXPECT_EQ(font->Height(), -11);
    EXPECT_EQ(font->Color(), clWindowText);
    EXPECT_EQ(font->Charset(), DEFAULT_CHARSET);
    Integer changes = 0;
    font->OnChange = [&](TObject*) { ++changes; };
    font->SetColor(clWindowText);  // unchanged: no event
    font->SetSize(10);
    EXPECT_EQ(font->Height(), -13);
    font->SetStyle({fsBold, fsItalic});
    EXPECT_EQ(changes, 2);
    TOwned<TFont> other = CreateOwned<TFont>();
    other->Assign(font.get());
    EXPECT_EQ(other->Style(), TFontStyles({fsBold, fsItalic}));
    EXPECT_EQ(other->Height(), -13);
    TOwned<TPen> pen = CreateOwned<TPen>();
    EXPECT_THROW(font->Assign(pen.get()), EConvertError);
}

TEST(GraphicsObjects, FontPublishesTheFormOrder)
{
    std::vector<String> names;
    for (PPropInfo p : GetPropList(TFont::StaticClassInfo())) names.push_back(p->Name);
    const std::vector<String> expected = {"Charset", "Color", "Height", "Name", "Orientation", "Pitch", "Size", "Style"};
    EXPECT_EQ(names, expected);
    TOwned<TFont> font = CreateOwned<TFont>();
    EXPECT_FALSE(IsStoredProp(font.get(), GetPropInfo(font.get(), "Size")));
    EXPECT_EQ(GetPropInfo(font.get(), "Color")->IdentTable, "TColor");
    SetSetProp(font.get(), GetPropInfo(font.get(), "Style"), "[fsBold,fsUnderline]");
    EXPECT_EQ(font->Style(), TFontStyles({fsBold, fsUnderline}));
}

// "Family [Foundry]" finds the face on this machine only: a font keeps the
// family's name, which every machine finds, and writes that.
TEST(GraphicsObjects, AFaceNameThatNamesItsFoundryKeepsOnlyTheFamily)
{
    const std::pair<const char*, const char*> cases[] = {
        {"C059 [urw]", "C059"},   {"Nimbus Sans [URW ]", "Nimbus Sans"}, {"Tahoma", "Tahoma"},
        {"", ""},                 {"[urw]", "[urw]"},                    {"Odd ] [name", "Odd ] [name"},
    };
    TOwned<TFont> font = CreateOwned<TFont>();
    for (const auto& [read, kept] : cases) {
        SetStrProp(font.get(), GetPropInfo(font.get(), "Name"), read);
        EXPECT_EQ(GetStrProp(font.get(), GetPropInfo(font.get(), "Name")), kept) << read;
    }
}

TEST(GraphicsObjects, PenAndBrushChangesReachTheCanvas)
{
    TOwned<TBitmap> b = GraphicsTest::MakeBitmap(4, 4);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clRed);
    EXPECT_EQ(GetBkMode(c), OPAQUE);
    EXPECT_EQ(GetBkColor(c), clRed);
    c->Brush()->SetStyle(bsCross);
    EXPECT_EQ(GetBkMode(c), TRANSPARENT);
    c->Font()->SetColor(clLime);
    EXPECT_EQ(GetTextColor(c), clLime);
    SetTextColor(c, clBlue);
    EXPECT_EQ(GetTextColor(c), clBlue);
    c->Pen()->SetWidth(-3);
    EXPECT_EQ(c->Pen()->Width(), 0);
}
