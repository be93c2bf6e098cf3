#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "platform/Classes.h"

namespace {

std::vector<String> Items(const TStrings& list)
{
    std::vector<String> items;
    for (Integer i = 0; i < list.Count(); ++i) items.push_back(list.Strings(i));
    return items;
}

String TempFile(const char* name) { return ::testing::TempDir() + name; }

void WriteBytes(const String& path, const String& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

String ReadBytes(const String& path)
{
    std::ifstream in(path, std::ios::binary);
    return String(std::istreambuf_iterator<char>(in), {});
}

TEST(StringListTest, SortedDuplicatesInsertBeforeEqualKeysAndFindTheFirst)
{
    TStringList list;
    TObject a, b, c;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    list.AddObject("", &a);
    list.AddObject("", &b);
    list.AddObject("", &c);
    // Newest first: each equal key goes in front of the others.
    EXPECT_EQ(list.Objects(0), &c);
    EXPECT_EQ(list.Objects(2), &a);

    list.Clear();
    list.Add("beta");
    list.AddObject("Alpha", &a);
    list.AddObject("ALPHA", &b);
    list.Add("gamma");
    EXPECT_EQ(Items(list), (std::vector<String>{"ALPHA", "Alpha", "beta", "gamma"}));
    Integer index = -1;
    EXPECT_TRUE(list.Find("alpha", index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find("delta", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.IndexOf("GAMMA"), 3);
    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);

    list.SetDuplicates(dupIgnore);
    EXPECT_EQ(list.Add("Beta"), 2);
    EXPECT_EQ(list.Count(), 4);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("BETA"), EStringListError);

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("alpha"), -1);
    EXPECT_EQ(list.IndexOf("Alpha"), list.IndexOf("Alpha"));
}

TEST(StringListTest, SortingIsStableAndCustomSortSeesTheUnchangedList)
{
    TStringList list;
    list.SetCommaText("b,a,B,A,a");
    list.Sort();
    EXPECT_EQ(list.CommaText(), "a,A,a,b,B");
    list.SetCommaText("ccc,a,bb,d,ee");
    list.CustomSort([](TStringList& l, Integer i, Integer j) {
        return static_cast<Integer>(l.Strings(i).size()) - static_cast<Integer>(l.Strings(j).size());
    });
    EXPECT_EQ(list.CommaText(), "a,d,bb,ee,ccc");
    list.SetSorted(true);
    EXPECT_EQ(list.CommaText(), "a,bb,ccc,d,ee");
}

TEST(StringListTest, TextSplitsAtEveryLineBreakAndKeepsNul)
{
    TStringList list;
    list.SetText("a\r\nb\rc\nd");
    EXPECT_EQ(Items(list), (std::vector<String>{"a", "b", "c", "d"}));
    list.SetText("a\r\n\r\n");
    EXPECT_EQ(Items(list), (std::vector<String>{"a", ""}));
    list.SetText("");
    EXPECT_EQ(list.Count(), 0);
    list.SetText(String("x\0y\n", 4));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Strings(0), String("x\0y", 3));
    list.SetText("one\ntwo");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n");
}

TEST(StringListTest, DelimitedAndCommaText)
{
    TStringList list;
    list.SetCommaText(R"(a, "b c" ,"d""e",,"")");
    EXPECT_EQ(Items(list), (std::vector<String>{"a", "b c", "d\"e", "", ""}));
    EXPECT_EQ(list.CommaText(), R"(a,"b c","d""e","","")");
    list.SetCommaText("x y,z");
    EXPECT_EQ(Items(list), (std::vector<String>{"x", "y", "z"}));
    list.SetCommaText("a,");
    EXPECT_EQ(Items(list), (std::vector<String>{"a", ""}));

    list.SetDelimiter(';');
    list.SetStrictDelimiter(true);
    list.SetDelimitedText("a b;c");
    EXPECT_EQ(Items(list), (std::vector<String>{"a b", "c"}));
    EXPECT_EQ(list.DelimitedText(), "a b;c");

    // Comma text has settings of its own and leaves the list's as they were,
    // also when a change handler raises in the middle.
    EXPECT_EQ(list.CommaText(), R"("a b",c)");
    list.SetCommaText("d e");
    EXPECT_EQ(list.DelimitedText(), "d;e");
    Integer changes = 0;
    list.OnChange = [&](TObject*) {
        if (++changes == 1) throw Exception("change refused");
    };
    EXPECT_THROW(list.SetCommaText("f,g h"), Exception);
    EXPECT_EQ(list.DelimitedText(), "f;g;h");
    EXPECT_EQ(list.Delimiter(), ';');
    EXPECT_TRUE(list.StrictDelimiter());
    EXPECT_EQ(list.QuoteChar(), '"');
    // The update the failure interrupted is over: the next change reports.
    list.Add("i");
    EXPECT_EQ(changes, 2);
}

TEST(StringListTest, NamesAndValues)
{
    TStringList list;
    list.Add("Left=10");
    list.Add("Top=20=x");
    list.Add("plain");
    EXPECT_EQ(list.Names(1), "Top");
    EXPECT_EQ(list.ValueFromIndex(1), "20=x");
    EXPECT_EQ(list.Values("LEFT"), "10");
    EXPECT_EQ(list.Values("plain"), "");
    EXPECT_EQ(list.IndexOfName("top"), 1);
    list.SetValues("Left", "11");
    list.SetValues("Width", "5");
    EXPECT_EQ(list.Strings(0), "Left=11");
    EXPECT_EQ(list.Strings(3), "Width=5");
    list.SetValues("Top", "");
    EXPECT_EQ(list.IndexOfName("Top"), -1);
}

TEST(StringListTest, ChangeEventsAreBracketedByUpdates)
{
    TStringList list;
    Integer changing = 0, changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    list.SetText("x\ny");
    EXPECT_EQ(changed, 3);
    EXPECT_THROW(list.Delete(2), EStringListError);
    EXPECT_THROW(list.Strings(-1), EStringListError);
    list.Exchange(0, 1);
    EXPECT_EQ(Items(list), (std::vector<String>{"y", "x"}));
    list.Move(0, 1);
    EXPECT_EQ(Items(list), (std::vector<String>{"x", "y"}));
}

class TCounted : public TObject {
public:
    explicit TCounted(Integer& alive) : FAlive(alive) { ++FAlive; }
    ~TCounted() override { --FAlive; }

private:
    Integer& FAlive;
};

TEST(StringListTest, OwnedObjectsAreFreed)
{
    Integer alive = 0;
    {
        TStringList list(true);
        list.AddObject("a", Create<TCounted>(alive));
        list.AddObject("b", Create<TCounted>(alive));
        list.AddObject("c", Create<TCounted>(alive));
        list.Delete(1);
        EXPECT_EQ(alive, 2);
    }
    EXPECT_EQ(alive, 0);
}

TEST(StringListTest, DeleteRangeTakesOutARangeAtOnceOrNothing)
{
    Integer alive = 0, changed = 0;
    TStringList list(true);
    for (const char* item : {"a", "b", "c", "d", "e"}) list.AddObject(item, Create<TCounted>(alive));
    list.OnChange = [&](TObject*) { ++changed; };
    list.DeleteRange(1, 3);
    EXPECT_EQ(Items(list), (std::vector<String>{"a", "e"}));
    EXPECT_EQ(alive, 2);
    EXPECT_EQ(changed, 1);
    list.DeleteRange(1, 0);
    for (auto [index, count] : {std::pair{-1, 1}, {1, 2}, {2, 1}}) {
        EXPECT_THROW(list.DeleteRange(index, count), EStringListError) << index << " " << count;
    }
    EXPECT_EQ(Items(list), (std::vector<String>{"a", "e"}));
    EXPECT_EQ(changed, 1);
}

TEST(StringListTest, LoadFromFileHonoursByteOrderMarks)
{
    const String path = TempFile("stringlist_bom.txt");
    TStringList list;
    WriteBytes(path, "\xEF\xBB\xBF" "caf\xC3\xA9\r\nx\r\n");
    list.LoadFromFile(path);
    EXPECT_EQ(Items(list), (std::vector<String>{"caf\xC3\xA9", "x"}));

    WriteBytes(path, String("\xFF\xFE" "a\0\xE9\0\r\0\n\0b\0", 12));
    list.LoadFromFile(path);
    EXPECT_EQ(Items(list), (std::vector<String>{"a\xC3\xA9", "b"}));

    WriteBytes(path, String("\xFE\xFF\0a\x20\xAC", 6));
    list.LoadFromFile(path);
    EXPECT_EQ(Items(list), (std::vector<String>{"a\xE2\x82\xAC"}));

    WriteBytes(path, String("caf\xE9\x80\0z\n", 8));
    list.LoadFromFile(path);
    EXPECT_EQ(Items(list), (std::vector<String>{String("caf\xC3\xA9\xE2\x82\xAC\0z", 10)}));

    // Text marked as UTF-8 that is none loads nothing.
    WriteBytes(path, "\xEF\xBB\xBF" "caf\xE9\r\n");
    EXPECT_THROW(list.LoadFromFile(path), EEncodingError);
    EXPECT_EQ(Items(list), (std::vector<String>{String("caf\xC3\xA9\xE2\x82\xAC\0z", 10)}));

    std::remove(path.c_str());
    EXPECT_THROW(list.LoadFromFile(path), EFOpenError);
}

// Windows-1252 without a mark while it holds the text; the whole file in
// UTF-8 behind its mark once one character is beyond it.
TEST(StringListTest, SaveToFileWritesWindows1252WithCrLfAndNoBom)
{
    const String path = TempFile("stringlist_save.txt");
    TStringList list;
    list.Add("Signal carr\xC3\xA9");
    list.Add("");
    list.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path), "Signal carr\xE9\r\n\r\n");
    list.Add("\xCE\xA9");
    list.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBFSignal carr\xC3\xA9\r\n\r\n\xCE\xA9\r\n");
    TStringList again;
    again.LoadFromFile(path);
    EXPECT_EQ(Items(again), (std::vector<String>{"Signal carr\xC3\xA9", "", "\xCE\xA9"}));
    std::remove(path.c_str());

    TStringList empty;
    empty.SaveToFile(path);
    EXPECT_EQ(ReadBytes(path), "");
    std::remove(path.c_str());
}

TEST(StringListTest, AssignCopiesStringsAndObjects)
{
    TStringList source, target;
    TObject o;
    source.AddObject("a", &o);
    source.Add("b");
    target.Add("old");
    target.Assign(&source);
    EXPECT_EQ(Items(target), (std::vector<String>{"a", "b"}));
    EXPECT_EQ(target.Objects(0), &o);
    EXPECT_TRUE(target.Equals(source));
    EXPECT_EQ(target.IndexOfObject(&o), 0);
    EXPECT_THROW(target.Assign(nullptr), EConvertError);
}

}  // namespace
