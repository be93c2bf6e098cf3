// Property schemes: the element reader, scheme files found through the
// registry, and schemes applied all or nothing.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "components/foundation/kSchemeFile.h"
#include "components/foundation/kSwitchLed.h"
#include "components/foundation/kXMLMemoryStream.h"
#include "platform/Graphics.h"
#include "platform/Registry.h"
#include "support/MessageOf.h"
#include "support/Pipe.h"
#include "support/RegistryFile.h"

namespace {

// A switch with a float property, to see numbers cross locales, and a
// read-only one.
class TSchemeSwitch : public TkSwitchLed {
    PL_CLASSINFO()
public:
    using TkSwitchLed::TkSwitchLed;
    Double Gain = 1.0;
};

}  // namespace

TClass TSchemeSwitch::StaticClassInfo()
{
    static const TClassInfo info =
        TClassBuilder<TSchemeSwitch, TkSwitchLed>("TSchemeSwitch")
            .Float("Gain", &TSchemeSwitch::Gain)
            .String("Version", [](TSchemeSwitch&) { return String("2"); })
            .Build();
    return &info;
}

namespace {

const char* const FlatFile =
    "<SchemeTypes>\r\n<SchemeType>\r\n<Name>Colours</Name>\r\n"
    "<Scheme>\r\n<Name>Red</Name>\r\n<Properties>\r\n<CaptionFont.Color>255</CaptionFont.Color>\r\n"
    "<Caption>Stop = now</Caption>\r\n<Gain>0.5</Gain>\r\n</Properties>\r\n</Scheme>\r\n"
    "</SchemeType>\r\n</SchemeTypes>\r\n";

const char* const IndentedFile =
    "<SchemeTypes>\n  <SchemeType>\n    <Name>Colours</Name>\n    <Scheme>\n      <Name>Blue</Name>\n"
    "      <Properties>\n\t<Active>TRUE</Active>\n\t<BorderSize>5</BorderSize>\n      </Properties>\n"
    "    </Scheme>\n  </SchemeType>\n  <SchemeType>\n    <Name>Bad</Name>\n    <Scheme>\n"
    "      <Name>Unknown</Name>\n      <Properties>\n        <Active>True</Active>\n"
    "        <Nothing>1</Nothing>\n      </Properties>\n    </Scheme>\n    <Scheme>\n"
    "      <Name>ReadOnly</Name>\n      <Properties>\n        <Active>True</Active>\n"
    "        <Version>3</Version>\n      </Properties>\n    </Scheme>\n    <Scheme>\n"
    "      <Name>NoNumber</Name>\n      <Properties>\n        <Active>True</Active>\n"
    "        <BorderSize>thick</BorderSize>\n      </Properties>\n    </Scheme>\n"
    "  </SchemeType>\n</SchemeTypes>\n";

void WriteFile(const String& FileName, const String& Text)
{
    std::ofstream(FileName, std::ios::binary) << Text;
}

void LoadText(TStringList& Categories, const String& Text, bool User = false)
{
    TkXMLMemoryStream stream;
    stream.WriteBuffer(Text.data(), static_cast<Int64>(Text.size()));
    stream.SetPosition(0);
    LoadSchemeFile(stream, Categories, User);
}

// Scheme folders named by the registry files of the test process.
class Themes : public testing::Test {
protected:
    void SetUp() override
    {
        Folder = ExtractFilePath(std::getenv("PL_REGISTRY_SYSTEM")) + "themes";
        ForceDirectories(Folder + "/maker");
        ForceDirectories(Folder + "/user");
    }
    void TearDown() override
    {
        DeleteFile(std::getenv("PL_REGISTRY_SYSTEM"));
        DeleteFile(std::getenv("PL_REGISTRY_USER"));
    }
    static void SetPaths(HKEY Root, const String& Maker, const String& User)
    {
        TRegistry registry;
        registry.SetRootKey(Root);
        ASSERT_TRUE(registry.OpenKey("SOFTWARE\\Kelvane\\Themes", true));
        registry.WriteString("Kelvane Defined Theme Path", Maker);
        registry.WriteString("User Defined Theme Path", User);
    }

    String Folder;
    TOwned<TSchemeSwitch> Switch{Create<TSchemeSwitch>(nullptr)};
};

TEST_F(Themes, AFolderValueOfAMegabyteGivesAShortMessage)
{
    SetPaths(HKEY_CURRENT_USER, "/" + String(1 << 20, 'x'), "");
    const String message = MessageOf<EFOpenError>([&] { Switch->LoadThemes(); });
    EXPECT_LT(message.size(), 400u);
    EXPECT_NE(message.find("xxx..."), String::npos) << message.substr(0, 400);
}

TEST_F(Themes, FoldersComeFromTheMachineAndTheUserAndBothFilesMerge)
{
    Switch->LoadThemes();
    EXPECT_EQ(Switch->GetThemeCategoryCount(), 0);  // no key, no files

    SetPaths(HKEY_LOCAL_MACHINE, "  " + Folder + "/maker ", Folder + "/nowhere/");
    SetPaths(HKEY_CURRENT_USER, "", Folder + "/user/");
    String maker;
    String user;
    GetThemePaths(maker, user);
    EXPECT_EQ(maker, Folder + "/maker/");  // the user's empty value keeps the machine's
    EXPECT_EQ(user, Folder + "/user/");

    WriteFile(Folder + "/maker/TSchemeSwitch.xml", FlatFile);
    WriteFile(Folder + "/user/TSchemeSwitchUser.xml", IndentedFile);
    Switch->LoadThemes();
    ASSERT_EQ(Switch->GetThemeCategoryCount(), 2);
    EXPECT_EQ(Switch->GetThemeCategoryName(0), "Colours");
    EXPECT_EQ(Switch->GetThemeCategorySchemeCount(0), 2);
    EXPECT_EQ(Switch->GetThemeCategorySchemeName(0, 0), "Red");
    EXPECT_FALSE(Switch->GetThemeCategorySchemeIsUser(0, 0));
    EXPECT_TRUE(Switch->GetThemeCategorySchemeIsUser(0, 1));
    EXPECT_THROW(Switch->GetThemeCategorySchemeName(0, 2), EStringListError);
    EXPECT_THROW(Switch->GetThemeCategoryName(5), EStringListError);

    // Loading again starts afresh.
    Switch->LoadThemes();
    EXPECT_EQ(Switch->GetThemeCategorySchemeCount(0), 2);
}

TEST_F(Themes, AFileOrARegistryThatCannotBeReadIsAnErrorAndTheThemesStay)
{
    namespace fs = std::filesystem;
    SetPaths(HKEY_CURRENT_USER, Folder + "/maker", Folder + "/user");
    String crOnly = FlatFile;  // line ends of every kind read alike
    std::erase(crOnly, '\n');
    WriteFile(Folder + "/maker/TSchemeSwitch.xml", crOnly);
    const String user = Folder + "/user/TSchemeSwitchUser.xml";
    fs::remove(user);
    const TScopeExit removeUser([&] { fs::remove(user); });
    Switch->LoadThemes();
    ASSERT_EQ(Switch->GetThemeCategoryCount(), 1);
    ASSERT_EQ(Switch->GetThemeCategorySchemeName(0, 0), "Red");

    MakePipe(user);
    EXPECT_NE(MessageOfPipeLoad<EFOpenError>(user, [&] { Switch->LoadThemes(); }).find("« " + user + " »"),
              String::npos);
    EXPECT_EQ(Switch->GetThemeCategoryCount(), 1);
    fs::remove(user);
    fs::create_symlink(user, user);
    EXPECT_NE(MessageOf<EFOpenError>([&] { Switch->LoadThemes(); }).find("« " + user + " »"), String::npos);
    EXPECT_EQ(Switch->GetThemeCategoryCount(), 1);

    const String loop = Folder + "/registry loop";
    const TScopeExit removeLoop([&] { fs::remove(loop); });
    fs::create_symlink(loop, loop);
    const TRegistryFileScope registry(HKEY_CURRENT_USER, loop);
    EXPECT_NE(MessageOf<ERegistryException>([&] { Switch->LoadThemes(); }).find("« " + loop + " »"), String::npos);
    EXPECT_EQ(Switch->GetThemeCategoryCount(), 1);
}

TEST_F(Themes, SchemesSetTypedValuesUnderAnyDecimalSeparator)
{
    LoadText(*Switch->ThemeCategoryList(), FlatFile);
    LoadText(*Switch->ThemeCategoryList(), IndentedFile, true);
    TFormatSettings settings = FormatSettings;
    settings.DecimalSeparator = ',';
    const TFormatSettingsScope comma(settings);
    Switch->ApplyScheme(0, 0);
    EXPECT_EQ(Switch->CaptionFont()->Color(), 255);
    EXPECT_EQ(Switch->Caption(), "Stop = now");  // only the blank after "=" is dropped
    EXPECT_EQ(Switch->Gain, 0.5);
    Switch->ApplyScheme(0, 1);
    EXPECT_TRUE(Switch->Active());
    EXPECT_EQ(Switch->BorderSize(), 5);
}

TEST_F(Themes, AFaultyLineChangesNothingAndSaysWhy)
{
    LoadText(*Switch->ThemeCategoryList(), IndentedFile);
    ASSERT_EQ(Switch->GetThemeCategoryName(1), "Bad");
    EXPECT_EQ(MessageOf<EConvertError>([&] { Switch->ApplyScheme(1, 1); }),
              "Scheme Property \"Version\" Is Read-Only");
    EXPECT_EQ(MessageOf<EConvertError>([&] { Switch->ApplyScheme(1, 2); }),
              "'thick' n'est pas une valeur entière correcte");
    EXPECT_FALSE(Switch->Active());
}

TEST_F(Themes, ALineNamingNoPropertyIsSkippedAndTheOthersApply)
{
    LoadText(*Switch->ThemeCategoryList(), IndentedFile);
    ASSERT_EQ(Switch->GetThemeCategorySchemeName(1, 0), "Unknown");
    Switch->ApplyScheme(1, 0);
    EXPECT_TRUE(Switch->Active());
}

TEST(SchemeFile, CategoriesMergeByTheListsOwnComparison)
{
    // Names differing only in case (accents included) are one category of
    // a list that ignores case, and two of a list that does not.
    const String file = "<SchemeTypes><SchemeType><Name>\xc9t\xe9</Name><Scheme><Name>A</Name><Properties>"
                        "</Properties></Scheme></SchemeType><SchemeType><Name>\xe9T\xc9</Name><Scheme><Name>B</Name>"
                        "<Properties></Properties></Scheme></SchemeType></SchemeTypes>";
    for (const bool caseSensitive : {false, true}) {
        TOwned<TStringList> list(Create<TStringList>(true));
        list->SetCaseSensitive(caseSensitive);
        LoadText(*list, file);
        LoadText(*list, file, true);
        ASSERT_EQ(list->Count(), caseSensitive ? 2 : 1);
        const auto* schemes = static_cast<const TStringList*>(list->Objects(0));
        EXPECT_EQ(schemes->Text(), caseSensitive ? "A\r\nA\r\n" : "A\r\nB\r\nA\r\nB\r\n");
    }
}

TEST(SchemeFile, MalformedFilesRaiseTheReadersMessagesAndKeepWhatWasRead)
{
    const auto messageFor = [](const String& Text, Integer* Categories = nullptr) {
        TOwned<TStringList> list(Create<TStringList>(true));
        const String message = MessageOf([&] { LoadText(*list, Text); });
        if (Categories) *Categories = list->Count();
        return message;
    };
    const String head = "<SchemeTypes><SchemeType><Name>C</Name><Scheme><Name>S</Name><Properties>";
    EXPECT_EQ(messageFor(head + "<A>1</A>"), "EOF");
    EXPECT_EQ(messageFor(head + "<A>1</A></Properties></Scheme><Oops>"), "Error Loading Scheme. XML File Malformed");
    EXPECT_EQ(messageFor(head + "<A>1<B>"), "XML Parsing Error - \"/\" not Found");
    Integer categories = 0;
    EXPECT_EQ(messageFor(head + "</Properties></Scheme></SchemeType></SchemeTypes>", &categories), "(no exception)");
    EXPECT_EQ(categories, 1);
    EXPECT_EQ(messageFor(head + "</Properties></Scheme></SchemeType><Bad>", &categories),
              "Error Loading Scheme. XML File Malformed");
    EXPECT_EQ(categories, 1);
    EXPECT_EQ(messageFor(""), "EOF");

    TkXMLMemoryStream stream;
    EXPECT_EQ(MessageOf([&] { stream.GetNameElementStop(); }), "EOF");
    stream.WriteString("x</A>");
    stream.SetPosition(0);
    EXPECT_EQ(MessageOf([&] { stream.GetNameElementStop(); }), "XML Parsing Error - \"<\" not Found");
}

TEST(SchemeFile, WriterAndReaderAgreeAndLinesSplitAtTheFirstEquals)
{
    TkXMLMemoryStream stream;
    stream.StartElement("Properties");
    stream.WriteElement("Caption", "Caf\xc3\xa9");
    stream.EndElement("Properties");
    EXPECT_EQ(String(static_cast<const char*>(stream.Memory()), static_cast<std::size_t>(stream.Size())),
              "<Properties>\r\n<Caption>Caf\xe9</Caption>\r\n</Properties>\r\n");
    stream.SetPosition(0);
    EXPECT_EQ(stream.PeekNextPiece(), "Properties");
    EXPECT_EQ(stream.GetElement("Caption"), "Caf\xc3\xa9");
    EXPECT_EQ(stream.GetNextPiece(), "/Properties");
    EXPECT_EQ(MessageOf([&] { stream.WriteString(String(256, 'x')); }), "String Exceeds 255 Characters");

    String name, value;
    SplitSchemeLine(" A.B =  x = y ", name, value);
    EXPECT_EQ(name, "A.B");
    EXPECT_EQ(value, " x = y ");
    SplitSchemeLine("no equals", name, value);
    EXPECT_TRUE(name.empty() && value.empty());
}

}  // namespace
