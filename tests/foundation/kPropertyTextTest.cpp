#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "components/foundation/kCommonRoutines.h"
#include "components/foundation/kCustomComponent.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "support/MessageOf.h"
#include "support/TempFolder.h"

namespace {

enum TGauge { tgNeedle, tgBar, tgDial };
PL_ENUM_NAMES(TGauge, "tgNeedle", "tgBar", "tgDial")
using TGauges = TSet<TGauge>;

// An owned part with a font of its own; with Loop set it holds itself as
// its own sub-object.
class TPart : public TPersistent {
    PL_CLASSINFO()
public:
    Integer Level = 0;
    bool Loop = false;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

private:
    TOwned<TFont> FFont = CreateOwned<TFont>();
};

TClass TPart::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPart, TPersistent>("TPart")
                                       .Integer("Level", &TPart::Level)
                                       .Object("Font", &TPart::Font, &TPart::SetFont)
                                       .Object("Next", [](TPart& p) { return p.Loop ? &p : nullptr; },
                                               [](TPart&, TPart*) {})
                                       .Build();
    return &info;
}

class TSample : public TPersistent {
    PL_CLASSINFO()
public:
    Integer Count = 5;
    bool Flag = false;
    TGauge Gauge = tgNeedle;
    TGauges Gauges;
    Char Letter = u'A';
    Double Ratio = 0.5;
    Single Small = 0.25f;
    String Caption;
    Int64 Big = 7;
    TColor Color = clBtnFace;
    Integer Fixed = 1;
    TNotifyEvent OnChange;
    TComponent* Menu = nullptr;
    TPart Part;
    TStringList Items;  // an owned list: its items are not properties
};

TClass TSample::StaticClassInfo()
{
    using C = TSample;
    static const TClassInfo info = TClassBuilder<C, TPersistent>("TSample")
                                       .Integer("Count", &C::Count).Default(5)
                                       .Bool("Flag", &C::Flag).Default(false)
                                       .Enum("Gauge", &C::Gauge).Default(tgNeedle)
                                       .Set("Gauges", &C::Gauges)
                                       .Char("Letter", &C::Letter)
                                       .Float("Ratio", &C::Ratio)
                                       .Float("Small", &C::Small)
                                       .String("Caption", &C::Caption)
                                       .Int64("Big", &C::Big)
                                       .Color("Color", &C::Color)
                                       .Integer("Fixed", [](C& c) { return c.Fixed; })
                                       .Event("OnChange", &C::OnChange)
                                       .Reference("Menu", &C::Menu)
                                       .Object("Part", [](C& c) { return &c.Part; }, [](C&, TPart*) {})
                                       .Object("Items", [](C& c) { return &c.Items; }, [](C&, TStringList*) {})
                                       .Build();
    return &info;
}

std::vector<String> LinesOf(const TStrings& Lines)
{
    std::vector<String> result;
    for (Integer i = 0; i < Lines.Count(); ++i) result.push_back(Lines.Strings(i));
    return result;
}

TFormatSettings WithDecimal(char Separator)
{
    TFormatSettings settings = FormatSettings;
    settings.DecimalSeparator = Separator;
    settings.ThousandSeparator = Separator == ',' ? '.' : ',';
    return settings;
}

}  // namespace

TEST(PropertyText, WritesEachKindAsItsLineInDeclarationOrder)
{
    TSample sample;
    TOwned<TComponent> menu(Create<TComponent>(nullptr));
    sample.Menu = menu.get();
    sample.Flag = true;
    sample.Gauge = tgBar;
    sample.Gauges = {tgNeedle, tgDial};
    sample.Caption = "one\r\ntwo";
    sample.Items.Add("not a property");
    sample.Part.Level = 2;
    TFont* font = sample.Part.Font();
    font->SetCharset(0);
    font->SetColor(255);
    font->SetHeight(-13);
    font->SetName("Arial");
    font->SetStyle({fsBold});

    TStringList lines;
    SavePublishedProperties(&sample, "Gauge1", lines, false);
    const std::vector<String> expected = {
        "Gauge1.Count = 5",         "Gauge1.Flag = 1",
        "Gauge1.Gauge = 1",         "Gauge1.Gauges = 5",
        "Gauge1.Letter = 65",       "Gauge1.Ratio = 0.5",
        "Gauge1.Small = 0.25",      "Gauge1.Caption = one#13#10two",
        "Gauge1.Color = -16777201", "Gauge1.Part.Level = 2",
        "Gauge1.Part.Font.Charset = 0", "Gauge1.Part.Font.Color = 255",
        "Gauge1.Part.Font.Height = -13", "Gauge1.Part.Font.Name = Arial",
        "Gauge1.Part.Font.Orientation = 0", "Gauge1.Part.Font.Pitch = 0",
        "Gauge1.Part.Font.Style = 1"};
    EXPECT_EQ(LinesOf(lines), expected);

    // A blank prefix is no prefix; skipped defaults concern ordinals only;
    // exclusions are whole paths in any case, and a sub-object's path takes
    // everything below it.
    TStringList exclusions;
    exclusions.Add("CAPTION");
    exclusions.Add("part.font");
    exclusions.Add("Level");
    lines.Clear();
    sample.Flag = false;
    SavePublishedProperties(&sample, " ", lines, true, &exclusions);
    EXPECT_EQ(LinesOf(lines), (std::vector<String>{"Gauge = 1", "Gauges = 5", "Letter = 65", "Ratio = 0.5",
                                                   "Small = 0.25", "Color = -16777201", "Part.Level = 2"}));
}

TEST(PropertyText, RoundTripsValuesOfEveryKindWhateverTheirLengthOrTheDecimalSeparator)
{
    TSample source;
    source.Count = -2147483647 - 1;
    source.Flag = true;
    source.Gauge = tgDial;
    source.Gauges = {tgBar, tgDial};
    source.Letter = u'\u20AC';
    source.Ratio = 1.0 / 3;
    source.Small = -std::numeric_limits<Single>::infinity();
    source.Caption = String(254, 'x') + "\r\n" + String(4000, 'y') + "\n#";
    source.Part.Level = 42;
    source.Part.Font()->SetName("Courier New");

    for (char separator : {'.', ','}) {
        TStringList written, rewritten;
        {
            TFormatSettingsScope scope(WithDecimal(separator));
            SavePublishedProperties(&source, String(), written, false);
        }
        TFormatSettingsScope scope(WithDecimal(separator == '.' ? ',' : '.'));
        TSample copy;
        LoadPublishedProperties(&copy, String(), written);
        EXPECT_EQ(written.Count(), 0);
        EXPECT_EQ(copy.Caption, source.Caption);
        EXPECT_EQ(copy.Small, source.Small);
        SavePublishedProperties(&source, String(), written, false);
        SavePublishedProperties(&copy, String(), rewritten, false);
        EXPECT_EQ(LinesOf(rewritten), LinesOf(written));
    }

    TSample copy;
    TStringList lines;
    lines.SetText("Ratio = nan\nFlag = 2");
    LoadPublishedProperties(&copy, String(), lines);
    EXPECT_TRUE(std::isnan(copy.Ratio));
    EXPECT_TRUE(copy.Flag);  // any number but 0 is true
}

TEST(PropertyText, ASectionEndsAtTheFirstLineOfAnotherPrefix)
{
    TSample sample;
    TStringList lines;
    lines.SetText("Channel.Count = 9\nChannel.Part.Level = 4\nPlot.Count = 1\nChannel.Count = 3");
    LoadPublishedProperties(&sample, "Channel", lines);
    EXPECT_EQ(sample.Count, 9);
    EXPECT_EQ(sample.Part.Level, 4);
    EXPECT_EQ(LinesOf(lines), (std::vector<String>{"Plot.Count = 1", "Channel.Count = 3"}));

    // The prefix must be spelled exactly alike, and a bare name ends it too.
    for (const char* stop : {"channel.Count = 3", "Count = 3", "no equals sign"}) {
        lines.SetText(stop);
        LoadPublishedProperties(&sample, "Channel", lines);
        EXPECT_EQ(lines.Count(), 1) << stop;
    }
    EXPECT_EQ(sample.Count, 9);
}

TEST(PropertyText, LinesWithoutAWritablePropertyAreConsumedAndChangeNothing)
{
    TSample sample;
    TOwned<TComponent> menu(Create<TComponent>(nullptr));
    menu->SetName("Menu1");
    sample.Menu = menu.get();
    TStringList lines;
    lines.SetText(
        "File Type = TSample\nno equals sign\nUnknown = 3\nFixed = 9\nOnChange = Handler\nMenu.Name = Renamed\n"
        "Part.Missing.Level = 1\nCount.Level = 1\nBig = 99\nPart = 3\nItems.Text = x\nCount = 8");
    LoadPublishedProperties(&sample, String(), lines);
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(sample.Count, 8);
    EXPECT_EQ(menu->Name(), "Menu1");  // a referenced component is not ours to change
    EXPECT_EQ(sample.Fixed, 1);
    EXPECT_EQ(sample.Big, 7);
    EXPECT_EQ(sample.Items.Count(), 0);
}

TEST(PropertyText, AValueOutsideItsPropertyRaisesAndLeavesTheRestUnapplied)
{
    for (const char* bad :
         {"Count = abc", "Count = ", "Count = 2147483648", "Count = 99999999999999999999", "Gauge = 3",
          "Gauge = -1", "Gauge = tgBar", "Gauges = 8", "Gauges = -1", "Letter = 65536", "Flag = yes",
          "Color = 4294967295", "Ratio = 1e400", "Small = 1e39", "Ratio = 1,5,5", "Ratio = NANx", "Ratio = 0x10"}) {
        TSample sample;
        TStringList lines;
        lines.Add("Count = 6");
        lines.Add(bad);
        lines.Add("Count = 7");
        EXPECT_THROW(LoadPublishedProperties(&sample, String(), lines), EConvertError) << bad;
        EXPECT_EQ(sample.Count, 6) << bad;
        EXPECT_EQ(sample.Gauge, tgNeedle) << bad;
        EXPECT_EQ(sample.Gauges, TGauges{}) << bad;
        EXPECT_EQ(sample.Ratio, 0.5) << bad;
        EXPECT_EQ(LinesOf(lines), (std::vector<String>{bad, "Count = 7"}));
    }
}

TEST(PropertyText, SubObjectsLeadingBackToThemselvesNeitherHangNorOverflow)
{
    TPart part;
    part.Loop = true;
    TStringList lines;
    EXPECT_THROW(SavePublishedProperties(&part, String(), lines, false), EConvertError);

    String path;
    for (int i = 0; i < 200000; ++i) path += "Next.";
    SetPropertyFromText(&part, path + "Level", "3", '.');
    EXPECT_EQ(part.Level, 3);
}

TEST(PropertyText, PathAndLineHelpers)
{
    String path = "channel.Font.Name", head = "old";
    StripPathPrefix("Channel", path, head);
    EXPECT_EQ(head, "channel");
    EXPECT_EQ(path, "Font.Name");
    for (const char* other : {"Plot.Name", "Name", "ChannelX.Name"}) {
        path = other;
        StripPathPrefix("Channel", path, head);
        EXPECT_EQ(head, "");
        EXPECT_EQ(path, other);
    }

    String left = "x", right = "y";
    SplitAtSeparator("  A.B  =  c = d ", "=", left, right);
    EXPECT_EQ(left, "A.B");
    EXPECT_EQ(right, "c = d");
    SplitAtSeparator("no separator", "=", left, right);
    EXPECT_EQ(left + right, "");

    TStringList lines;
    lines.SetText("File Type\nChannel.Name = A\n  FILE TYPE   =  Plot Config \nFile Type = second");
    String value;
    EXPECT_TRUE(ExtractNamedLine("file type", value, lines));
    EXPECT_EQ(value, "Plot Config");
    EXPECT_EQ(LinesOf(lines), (std::vector<String>{"File Type", "Channel.Name = A", "File Type = second"}));
    EXPECT_FALSE(ExtractNamedLine("Channel", value, lines));

    TSample sample;
    EXPECT_EQ(GetObjectProperty(&sample, "part"), &sample.Part);
    EXPECT_EQ(GetObjectProperty(&sample, "Menu"), nullptr);
    EXPECT_EQ(GetObjectProperty(&sample, "Count"), nullptr);
}

// ---------------------------------------------------------------------------
// Component property file
// ---------------------------------------------------------------------------

namespace {

class TTestGauge : public TkCustomComponent {
    PL_CLASSINFO()
public:
    using TkCustomComponent::TkCustomComponent;
    void kPaintTo(TCanvas*) override {}
    void SetRatio(Double Value)
    {
        Ratio = Value;
        RatioSetInBracket = GetUpdateActive();
    }
    String Caption;
    Double Ratio = 0;
    bool RatioSetInBracket = false;
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }

private:
    TOwned<TFont> FFont = CreateOwned<TFont>();
};

TClass TTestGauge::StaticClassInfo()
{
    using C = TTestGauge;
    static const TClassInfo info = TClassBuilder<C, TkCustomComponent>("TTestGauge")
                                       .String("Caption", &C::Caption)
                                       .Float("Ratio", &C::Ratio, &C::SetRatio)
                                       .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(kbsNone)
                                       .Object("Font", &C::Font, &C::SetFont)
                                       .Build();
    return &info;
}

class PropertyFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Gauge = Create<TTestGauge>(nullptr);
        Gauge->SetName("Gauge1");
        Gauge->SetBounds(10, 20, 30, 40);
        Gauge->Font()->SetName("Arial");
        Gauge->Font()->SetHeight(-13);
    }
    void TearDown() override
    {
        FreeAndNil(Gauge);
    }
    String Path(const char* Name) const { return Scratch / Name; }
    void WriteBytes(const char* Name, const std::string& Bytes) const { Scratch.WriteBytes(Name, Bytes); }
    std::string ReadBytes(const char* Name) const { return Scratch.ReadBytes(Name); }
    TTempFolder Scratch;
    TTestGauge* Gauge = nullptr;
};

}  // namespace

TEST_F(PropertyFileTest, FileHoldsTheClassAndEveryPropertyButThePlacementOnTheForm)
{
    Gauge->Caption = "Caf\xC3\xA9\r\nbar";
    Gauge->SetBorderStyle(kbsRaised);
    Gauge->SavePropertiesToFile(Path("gauge.txt"));
    const String font = "Font.Charset = 1\r\nFont.Color = -16777208\r\nFont.Height = -13\r\nFont.Name = Arial\r\n"
                        "Font.Orientation = 0\r\nFont.Pitch = 0\r\nFont.Style = 0\r\n";
    EXPECT_EQ(ReadBytes("gauge.txt"),
              "File Type = TTestGauge\r\nAlignWithMargins = 0\r\nHelpType = 1\r\nHelpKeyword = \r\n"
              "Margins.Left = 3\r\nMargins.Top = 3\r\nMargins.Right = 3\r\nMargins.Bottom = 3\r\n"
              "ParentCustomHint = 1\r\nAnchors = 3\r\nConstraints.MaxHeight = 0\r\nConstraints.MaxWidth = 0\r\n"
              "Constraints.MinHeight = 0\r\nConstraints.MinWidth = 0\r\nOptionSaveAllProperties = 0\r\n"
              "AutoFrameRate = 0\r\nUpdateFrameRate = 60\r\nCaption = Caf\xE9#13#10bar\r\nRatio = 0\r\n"
              "BorderStyle = 1\r\n" +
                  font);

    Gauge->SetOptionSaveAllProperties(true);
    Gauge->SetTag(4);
    Gauge->SavePropertiesToFile(Path("all.txt"));
    const String all = ReadBytes("all.txt");
    for (const char* line : {"\nTag = 4\r", "\nLeft = 10\r", "\nHeight = 40\r", "\nCursor = 0\r", "\nHint = \r",
                             "\nHelpContext = 0\r", "\nVisible = 1\r", "\nEnabled = 1\r"})
        EXPECT_NE(all.find(line), String::npos) << line;
    EXPECT_EQ(all.find("\nName = "), String::npos);
    EXPECT_NE(all.find("\nFont.Name = Arial\r"), String::npos);
}

TEST_F(PropertyFileTest, LoadAppliesTheMatchingLinesOfAnyClassInOneUpdateBracket)
{
    Gauge->Caption = "two\r\nlines \xE2\x82\xAC";
    Gauge->SetRatio(0.5);
    Gauge->Font()->SetStyle({fsItalic});
    Gauge->SavePropertiesToFile(Path("gauge.txt"));

    TOwned<TTestGauge> copy(Create<TTestGauge>(nullptr));
    copy->LoadPropertiesFromFile(Path("gauge.txt"));
    EXPECT_EQ(copy->Caption, Gauge->Caption);
    EXPECT_EQ(copy->Ratio, 0.5);
    EXPECT_TRUE(copy->RatioSetInBracket);
    EXPECT_FALSE(copy->GetUpdateActive());
    EXPECT_EQ(copy->Font()->Name(), "Arial");
    EXPECT_EQ(copy->Font()->Style(), TFontStyles{fsItalic});

    WriteBytes("other.txt", "File Type = TkSwitchLed\r\nActive = 1\r\nCaption = \xE9t\xE9\r\nLeft = 99");
    copy->LoadPropertiesFromFile(Path("other.txt"));
    EXPECT_EQ(copy->Caption, "\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(copy->Left(), 99);
}

TEST_F(PropertyFileTest, FailuresNameTheOperationAndKeepWhatWasAppliedBeforeThem)
{
    WriteBytes("bad.txt", "File Type = TTestGauge\r\nCaption = kept\r\nBorderStyle = 7\r\nRatio = 3\r\n");
    const String loading = MessageOf([&] { Gauge->LoadPropertiesFromFile(Path("bad.txt")); });
    EXPECT_EQ(loading.rfind("Error Loading Properties - ", 0), 0u) << loading;
    EXPECT_EQ(Gauge->Caption, "kept");
    EXPECT_EQ(Gauge->BorderStyle(), kbsNone);
    EXPECT_EQ(Gauge->Ratio, 0);
    EXPECT_FALSE(Gauge->GetUpdateActive());

    const String missing = MessageOf([&] { Gauge->LoadPropertiesFromFile(Path("missing.txt")); });
    EXPECT_EQ(missing.rfind("Error Loading Properties - ", 0), 0u) << missing;
    EXPECT_GT(missing.size(), String("Error Loading Properties - ").size());

    const String saving = MessageOf([&] { Gauge->SavePropertiesToFile(Path("no/such/dir/gauge.txt")); });
    EXPECT_EQ(saving.rfind("Error Saving Properties - ", 0), 0u) << saving;
}
