#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/plot/kPlotObjectsTestDoubles.h"
#include "support/MessageOf.h"
#include "support/TempFolder.h"

using namespace PlotTest;

namespace {

class PlotTranslationTest : public ::testing::Test {
protected:
    TFakeMaster Master;
    TkPlotTranslationManager& Table = *Master.Translations;
    TTempFolder Scratch;

    String Path(const char* Name) const { return Scratch / Name; }
    void WriteBytes(const char* Name, const std::string& Bytes) const { Scratch.WriteBytes(Name, Bytes); }
    std::string ReadBytes(const char* Name) const { return Scratch.ReadBytes(Name); }
    void Add(const String& Original, const String& Replacement)
    {
        TkPlotTranslationObject* entry = Table.GetItem(Table.Add());
        entry->SetOriginalString(Original);
        entry->SetReplacementString(Replacement);
    }
    String Translate(const String& Text) const
    {
        String result = "garbage";
        Table.FindReplacement(Text, result);
        return result;
    }
    std::vector<String> Entries() const
    {
        std::vector<String> entries;
        for (Integer i = 0; i < Table.Count(); ++i)
            entries.push_back(Table.GetItem(i)->OriginalString() + "=" + Table.GetItem(i)->ReplacementString());
        return entries;
    }
};

}  // namespace

TEST_F(PlotTranslationTest, NewestEntryWinsAndLookupsAreExact)
{
    EXPECT_EQ(Translate("Edit..."), "Edit...");  // an empty table changes nothing
    EXPECT_EQ(Table.Add(), 0);
    EXPECT_EQ(Entries(), (std::vector<String>{"Unknown=Unknown"}));
    Table.GetItem(0)->SetOriginalString("Edit...");
    Table.GetItem(0)->SetReplacementString("Modifier...");
    Add("<None>", "<Aucun>");
    Add("Edit...", "Éditer...");
    EXPECT_EQ(Entries(), (std::vector<String>{"Edit...=Éditer...", "<None>=<Aucun>", "Edit...=Modifier..."}));
    EXPECT_EQ(Translate("Edit..."), "Éditer...");
    EXPECT_EQ(Translate("edit..."), "edit...");
    EXPECT_EQ(Translate("<None>"), "<Aucun>");

    // Changing or removing an entry shows in the next lookup.
    Table.GetItem(0)->SetOriginalString("Edit");
    EXPECT_EQ(Translate("Edit..."), "Modifier...");
    Table.GetItem(2)->SetReplacementString("Changer...");
    EXPECT_EQ(Translate("Edit..."), "Changer...");
    Table.Delete(2);
    EXPECT_EQ(Translate("Edit..."), "Edit...");
    EXPECT_THROW(Table.Delete(2), EListError);
    Table.Clear();
    EXPECT_EQ(Table.Count(), 0);
    EXPECT_EQ(Translate("Edit"), "Edit");
}

TEST_F(PlotTranslationTest, EntriesReportTheirGoingToThePlotAndStayOwnedWithoutOne)
{
    // Without a plot, entries are still owned.
    auto* alone = Create<TkPlotTranslationManager>();
    alone->Add();
    alone->Free();  // ASan: nothing leaks

    TStandInPlot plot;
    TReportLog reports;
    plot.ReportTo(&reports);
    auto* table = Create<TkPlotTranslationManager>(&plot);
    table->Add();
    table->Add();
    EXPECT_EQ(table->Count(), 2);
    table->Delete(0);
    EXPECT_EQ(table->Count(), 1);
    table->Free();
    EXPECT_EQ(reports.Log, (std::vector<String>{"remove", "remove"}));
}

TEST_F(PlotTranslationTest, FileRoundTripKeepsOrderAndTabs)
{
    Add("Edit...", "Modifier...");
    Add("Edit...", "Éditer...");
    Add("Zoom", "Agrandir\tet\trétrécir");
    Add("", " x");
    Table.SaveToFile(Path("table.txt"));
    // Oldest first, one CR LF line each, Windows-1252.
    EXPECT_EQ(ReadBytes("table.txt"), "Edit...\tModifier...\r\nEdit...\t\xC9" "diter...\r\n"
                                      "Zoom\tAgrandir\tet\tr\xE9tr\xE9" "cir\r\n\t x\r\n");
    const std::vector<String> before = Entries();
    Table.LoadFromFile(Path("table.txt"));
    EXPECT_EQ(Entries(), before);
    EXPECT_EQ(Translate("Edit..."), "Éditer...");
    Table.SaveToFile(Path("again.txt"));
    EXPECT_EQ(ReadBytes("again.txt"), ReadBytes("table.txt"));
}

TEST_F(PlotTranslationTest, FilesFromElsewhere)
{
    // The last line wins among duplicates; leading and trailing blanks stay.
    WriteBytes("a.txt", "Edit...\tModifier...\r\n  Edit... \t x\r\nEdit...\t\xC9" "diter...\r\n");
    Table.LoadFromFile(Path("a.txt"));
    EXPECT_EQ(Entries(), (std::vector<String>{"Edit...=Éditer...", "  Edit... = x", "Edit...=Modifier..."}));

    // A byte-order mark selects UTF-8; NUL bytes are text like any other.
    WriteBytes("b.txt", std::string("\xEF\xBB\xBFStop\t\xE2\x82\xAC\nA") + '\0' + "B\tC");
    Table.LoadFromFile(Path("b.txt"));
    EXPECT_EQ(Entries(), (std::vector<String>{std::string("A\0B=C", 5), "Stop=€"}));

    WriteBytes("empty.txt", "");
    Table.LoadFromFile(Path("empty.txt"));
    EXPECT_EQ(Table.Count(), 0);
    Table.SaveToFile(Path("saved.txt"));
    EXPECT_EQ(ReadBytes("saved.txt"), "");
}

TEST_F(PlotTranslationTest, AFailedLoadKeepsTheTable)
{
    Add("Edit...", "Modifier...");
    const std::vector<String> before = Entries();
    const String tabMissing = "Error Loading Data - Invalid Format - Tab Deliminator Missing";

    WriteBytes("broken.txt", "A\tB\r\nno tab here\r\nC\tD\r\n");
    EXPECT_EQ(MessageOf([&] { Table.LoadFromFile(Path("broken.txt")); }), tabMissing);
    EXPECT_EQ(Entries(), before);
    WriteBytes("binary.txt", std::string("\x89PNG\r\n\x1A\n\0\0\0", 11));
    EXPECT_EQ(MessageOf([&] { Table.LoadFromFile(Path("binary.txt")); }), tabMissing);

    const String missing = MessageOf([&] { Table.LoadFromFile(Path("missing.txt")); });
    EXPECT_EQ(missing.rfind("Error Loading Data - ", 0), 0u) << missing;
    EXPECT_EQ(Entries(), before);

    // A final line break is no empty line.
    WriteBytes("ok.txt", "A\tB\r\n");
    Table.LoadFromFile(Path("ok.txt"));
    EXPECT_EQ(Entries(), (std::vector<String>{"A=B"}));
}

TEST_F(PlotTranslationTest, EmptyLinesAndLinesOfBlanksAloneAreSkipped)
{
    WriteBytes("trailing.txt", "A\tB\r\n\r\n");
    Table.LoadFromFile(Path("trailing.txt"));
    EXPECT_EQ(Entries(), (std::vector<String>{"A=B"}));
    WriteBytes("blanks.txt", "\r\n  \r\nA\tB\r\n\t\r\n \t \t\n\nC\t D \r\n\t\t");
    Table.LoadFromFile(Path("blanks.txt"));
    EXPECT_EQ(Entries(), (std::vector<String>{"C= D ", "A=B"}));
}

TEST_F(PlotTranslationTest, EntriesTheFileCannotHoldAreRefused)
{
    Add("Edit...", "Modifier...");
    WriteBytes("table.txt", "old\tcontent\r\n");
    for (const auto& [original, replacement] : std::vector<std::pair<String, String>>{
             {"Tab\there", "x"}, {"Line\nbreak", "x"}, {"x", "Line\r\nbreak"}, {"x", "CR\ronly"}, {"", ""},
             {" ", "\t "}}) {
        Add(original, replacement);
        const String message = MessageOf([&] { Table.SaveToFile(Path("table.txt")); });
        EXPECT_EQ(message.rfind("Error Saving Translation Data - Translation 0 (", 0), 0u) << message;
        EXPECT_EQ(ReadBytes("table.txt"), "old\tcontent\r\n");
        Table.Delete(0);
    }
    const String unwritable = MessageOf([&] { Table.SaveToFile(Path("no/such/dir/t.txt")); });
    EXPECT_EQ(unwritable.rfind("Error Saving Translation Data - ", 0), 0u) << unwritable;
}

TEST_F(PlotTranslationTest, StreamRoundTripKeepsOrderAndAnyText)
{
    TFakePlotRoot* root = Create<TFakePlotRoot>(nullptr);
    TOwned<TComponent> ownedRoot(root);
    root->SetName("Plot1");
    TkPlotTranslationManager& table = *root->Master->Translations;
    EXPECT_EQ(WriteComponent(root).find("TranslationManager"), String::npos);
    for (const auto& [original, replacement] : std::vector<std::pair<String, String>>{
             {"Edit...", "old"}, {"Tab\there", "Line\r\nbreak"}, {"Edit...", "new"}, {"'quoted'", ""}}) {
        TkPlotTranslationObject* entry = table.GetItem(table.Add());
        entry->SetOriginalString(original);
        entry->SetReplacementString(replacement);
    }
    const String text = WriteComponent(root);
    EXPECT_NE(text.find("TranslationManager = <"), String::npos) << text;

    TFakePlotRoot* copy = Create<TFakePlotRoot>(nullptr);
    TOwned<TComponent> ownedCopy(copy);
    copy->Master->Translations->Add();  // replaced by the read
    ReadComponent(text, copy);
    TkPlotTranslationManager& read = *copy->Master->Translations;
    ASSERT_EQ(read.Count(), 4);
    for (Integer i = 0; i < 4; ++i) {
        EXPECT_EQ(read.GetItem(i)->OriginalString(), table.GetItem(i)->OriginalString());
        EXPECT_EQ(read.GetItem(i)->ReplacementString(), table.GetItem(i)->ReplacementString());
    }
    String result;
    read.FindReplacement("Edit...", result);
    EXPECT_EQ(result, "new");
    EXPECT_EQ(WriteComponent(copy), text);

    // A bad item keeps the table as it was; a missing field reads "Unknown".
    EXPECT_THROW(ReadComponent("object Plot1: TFakePlotRoot\n TranslationManager = <\n item\n OriginalString = "
                               "'a'\n end\n item\n Translated = 'b'\n end>\nend\n",
                               copy),
                 EReadError);
    EXPECT_EQ(read.Count(), 4);
    EXPECT_THROW(ReadComponent("object Plot1: TFakePlotRoot\n TranslationManager = <\n item\n OriginalString = "
                               "1\n end>\nend\n",
                               copy),
                 EReadError);
    EXPECT_EQ(read.Count(), 4);
    ReadComponent("object Plot1: TFakePlotRoot\n TranslationManager = <\n item\n OriginalString = 'a'\n "
                  "end>\nend\n",
                  copy);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.GetItem(0)->ReplacementString(), "Unknown");
}
