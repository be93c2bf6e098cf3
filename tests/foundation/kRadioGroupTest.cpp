#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "components/foundation/kRadioGroup.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/Messages.h"
#include "platform/Testing.h"

namespace {

using namespace Testing;
using TLog = std::vector<String>;

class TLoggedRadioGroup : public TkRadioGroup {
public:
    explicit TLoggedRadioGroup(TComponent* AOwner) : TkRadioGroup(AOwner)
    {
        OnClick = [this](TObject*) { Log.push_back("click"); };
        OnChange = [this](TObject*) { Log.push_back("change"); };
        OnChangeUser = [this](TObject*) { Log.push_back("user"); };
        OnChangeProtected = [this](TObject*, const String& Name) { Log.push_back("protected " + Name); };
    }
    TLog Log;
};

TOwned<TBitmap> Painted(TkRadioGroup* Group)
{
    TOwned<TBitmap> bitmap(CreateOwned<TBitmap>());
    bitmap->SetSize(Max(Group->Width(), 1), Max(Group->Height(), 1));
    Group->kPaintTo(bitmap->Canvas());
    return bitmap;
}

Integer TextHeightOf(TFont* Font)
{
    TOwned<TBitmap> scratch(CreateOwned<TBitmap>());
    scratch->Canvas()->SetFont(Font);
    return scratch->Canvas()->TextHeight("ABC");
}

// A shown form with a 200 x 120 group of three items, laid out, and a
// second group to take the focus.
class RadioGroupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 400, 300);
        for (TLoggedRadioGroup** g : {&Group, &Other}) {
            *g = Create<TLoggedRadioGroup>(Form);
            (*g)->SetParent(Form);
            (*g)->SetBounds(10, g == &Group ? 10 : 150, 200, 120);
            (*g)->Items()->SetText("One\nTwo\nThree\n");
        }
        Form->Show();
        Input::Flush();
        Painted(Group);
    }
    void TearDown() override
    {
        FreeAndNil(Form);
        Input::Flush();
    }
    // A point on the text of item Index.
    TPoint OnItem(Integer Index) const
    {
        const TPoint p = Group->ItemPoint(Index);
        return {p.X + 16, p.Y};
    }
    void Press(Integer Index)
    {
        VirtualClock::Advance(DoubleClickTime + 1);
        Input::MouseDown(Group, mbLeft, OnItem(Index).X, OnItem(Index).Y);
    }
    void Release(Integer Index) { Input::MouseUp(Group, mbLeft, OnItem(Index).X, OnItem(Index).Y); }
    // A pixel of item Index's circle, Offset from its point: (-2, 0) is
    // its ground, (1, -1) the middle of the selection dot.
    TColor CirclePixel(Integer Index, TPoint Offset)
    {
        const TPoint p = Group->ItemPoint(Index);
        return Painted(Group)->Canvas()->Pixels(p.X + Offset.X, p.Y + Offset.Y);
    }
    TColor Ground(Integer Index) { return CirclePixel(Index, {-2, 0}); }

    TForm* Form = nullptr;
    TLoggedRadioGroup* Group = nullptr;
    TLoggedRadioGroup* Other = nullptr;
};

TEST_F(RadioGroupTest, ItemIndexClampsAndItemListChangesClampSilently)
{
    Group->SetItemIndex(10);
    EXPECT_EQ(Group->ItemIndex(), 2);
    EXPECT_EQ(Group->Log, (TLog{"protected ItemIndex", "change"}));
    Group->SetItemIndex(INT_MAX);
    EXPECT_EQ(Group->Log.size(), 2u);
    Group->SetItemIndex(INT_MIN);
    EXPECT_EQ(Group->ItemIndex(), -1);

    Group->SetItemIndex(2);
    Group->Log.clear();
    Group->Items()->Delete(2);
    EXPECT_EQ(Group->ItemIndex(), 1);
    TOwned<TStringList> one(CreateOwned<TStringList>());
    one->Add("Only");
    Group->SetItems(one.get());
    EXPECT_EQ(Group->ItemIndex(), 0);
    Group->Items()->Clear();
    EXPECT_EQ(Group->ItemIndex(), -1);
    EXPECT_TRUE(Group->Log.empty());

    Group->SetColumns(0);
    EXPECT_EQ(Group->Columns(), 1);
}

TEST_F(RadioGroupTest, ItemsFillColumnsTopToBottom)
{
    Group->Items()->SetText("1\n2\n3\n4\n5\n6\n7\n");
    Group->SetColumns(3);
    Painted(Group);
    const Integer th = TextHeightOf(Group->Font());
    const Integer spacing = (120 - th - th / 4) / 3;
    EXPECT_EQ(Group->MaxRows(), 3);
    EXPECT_EQ(Group->ItemsRowSpacing(), spacing);
    EXPECT_EQ(Group->ItemsRowStart(), Round(th + spacing / 2.0));
    EXPECT_EQ(Group->ItemsColSpacing(), 62);  // (200 - 14) div 3
    const Integer top = Group->ItemsRowStart();
    EXPECT_EQ(Group->ItemPoint(6), (TPoint{14 + 124, top}));
    EXPECT_EQ(Group->ItemPoint(4), (TPoint{14 + 62, top + spacing}));
    EXPECT_EQ(Group->ItemAt(140, top), 6);
    // A column starts 6 pixels left of its circle.
    EXPECT_EQ(Group->ItemAt(69, top + spacing), 1);
    EXPECT_EQ(Group->ItemAt(70, top + spacing), 4);
    // Nothing below a column's last row, beside the columns or past the
    // last item.
    EXPECT_EQ(Group->ItemAt(20, top + 3 * spacing), -1);
    EXPECT_EQ(Group->ItemAt(-200, top), -1);
    EXPECT_EQ(Group->ItemAt(140, top + spacing), -1);
}

TEST_F(RadioGroupTest, MouseSelectsOnlyWherePressAndReleaseMeet)
{
    Press(1);
    Release(1);
    EXPECT_EQ(Group->ItemIndex(), 1);
    EXPECT_TRUE(Group->Focused());
    EXPECT_EQ(Group->Log, (TLog{"click", "protected ItemIndex", "change", "user"}));
    Press(0);
    Release(2);
    Press(0);
    Input::MouseUp(Group, mbLeft, 100, 118);  // below the last row
    EXPECT_EQ(Group->ItemIndex(), 1);

    // Moving while pressed takes the press along.
    Press(0);
    EXPECT_EQ(Ground(0), ColorToRGB(clBtnFace));
    Input::MouseMove(Group, OnItem(2).X, OnItem(2).Y, {ssLeft});
    EXPECT_EQ(Ground(0), clWhite);
    EXPECT_EQ(Ground(2), ColorToRGB(clBtnFace));
    Release(2);
    EXPECT_EQ(Group->ItemIndex(), 2);

    // Losing the focus ends the press: the release selects nothing.
    Press(0);
    Other->SetFocus();
    EXPECT_EQ(Ground(0), clWhite);
    Release(0);
    Group->SetEnabled(false);
    Press(0);
    Release(0);
    EXPECT_EQ(Group->ItemIndex(), 2);
}

TEST_F(RadioGroupTest, ArrowKeysStepOnceAndWrapWithoutUserEvents)
{
    Group->SetFocus();
    const std::vector<std::pair<Word, Integer>> steps = {{VK_LEFT, -1}, {VK_RIGHT, 0}, {VK_DOWN, 1},
                                                         {VK_RIGHT, 2}, {VK_RIGHT, 0}, {VK_UP, 2},
                                                         {VK_LEFT, 1},  {VK_SPACE, 1}};
    for (auto [key, expected] : steps) {
        Input::Key(key);
        EXPECT_EQ(Group->ItemIndex(), expected) << key;
    }
    EXPECT_TRUE(Group->Focused());
    for (const String& entry : Group->Log) EXPECT_NE(entry, "user");
    EXPECT_EQ(Group->Log.size(), 12u);  // six selections, two events each

    // The key held shows the newly selected item pressed.
    Input::KeyDown(VK_DOWN);
    EXPECT_EQ(Ground(2), ColorToRGB(clBtnFace));
    Input::KeyUp(VK_DOWN);
    EXPECT_EQ(Ground(2), clWhite);
    Group->Items()->Clear();
    Input::Key(VK_RIGHT);
    EXPECT_EQ(Group->ItemIndex(), -1);
}

TEST_F(RadioGroupTest, PaintShowsFrameSelectionFocusAndDisabled)
{
    const Integer th = TextHeightOf(Group->Font());
    TOwned<TBitmap> bitmap = Painted(Group);
    TCanvas* c = bitmap->Canvas();
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(c->Pixels(0, th / 2 + 5), shadow);
    EXPECT_EQ(c->Pixels(1, th / 2 + 5), highlight);
    EXPECT_EQ(CirclePixel(0, {-4, 0}), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(CirclePixel(0, {1, -1}), clWhite);
    Group->SetItemIndex(0);
    EXPECT_EQ(CirclePixel(0, {1, -1}), clBlack);
    EXPECT_EQ(CirclePixel(1, {1, -1}), clWhite);

    // Focus: a dotted frame round the selected item's text.
    const TPoint p = Group->ItemPoint(0);
    const Integer x = p.X + 11;
    Other->SetFocus();
    const Integer y = (x + p.Y - th / 2 - 1) % 2 == 0 ? p.Y - th / 2 - 1 : p.Y - th / 2;
    const TColor plain = Painted(Group)->Canvas()->Pixels(x, y);
    Group->SetFocus();
    EXPECT_EQ(Painted(Group)->Canvas()->Pixels(x, y), plain ^ 0xFFFFFF);

    auto blackInText = [&] {
        bitmap = Painted(Group);
        Integer count = 0;
        for (Integer py = p.Y - 6; py < p.Y + 6; ++py)
            for (Integer px = p.X + 12; px < p.X + 40; ++px) count += bitmap->Canvas()->Pixels(px, py) == clBlack;
        return count;
    };
    EXPECT_GT(blackInText(), 0);
    Group->SetEnabled(false);
    EXPECT_EQ(blackInText(), 0);  // greyed
}

TEST(RadioGroupLimits, EmptyTinyAndCrowdedGroupsPaintAndHitNothing)
{
    TOwned<TkRadioGroup> g(Create<TkRadioGroup>(nullptr));
    EXPECT_EQ(g->Caption(), "Radio Group");
    Painted(g.get());
    EXPECT_EQ(g->MaxRows(), 0);
    EXPECT_EQ(g->ItemAt(20, 40), -1);
    g->SetItemIndex(3);
    EXPECT_EQ(g->ItemIndex(), -1);

    for (Integer i = 0; i < 500; ++i) g->Items()->Add("Item");
    g->SetColumns(INT_MAX);
    Painted(g.get());
    EXPECT_EQ(g->MaxRows(), 1);
    EXPECT_EQ(g->ItemAt(14, g->ItemsRowStart()), -1);  // the columns have no width
    // Too short for its rows: the row spacing is 0.
    g->SetColumns(1);
    for (Integer height : {0, 5, 20}) {
        g->SetBounds(0, 0, 3, height);
        Painted(g.get());
        EXPECT_EQ(g->ItemAt(1, height / 2), -1);
    }
}

TEST(RadioGroupStream, PropertiesRoundTripWhateverTheirOrder)
{
    kRadioGroupInitialization();
    TOwned<TkRadioGroup> g(Create<TkRadioGroup>(nullptr));
    g->SetName("Orientation");
    g->SetCaption("Orientation");
    g->Items()->SetText("Portrait\nPaysage\n");
    g->SetItemIndex(1);
    g->SetColumns(2);
    const String written = WriteComponent(g.get());
    EXPECT_NE(written.find("  Items.Strings = (\n    'Portrait'\n    'Paysage')\n  ItemIndex = 1\n  Columns = 2\n"),
              String::npos)
        << written;
    TOwned<TLoggedRadioGroup> loaded(Create<TLoggedRadioGroup>(nullptr));
    ReadComponent(written, loaded.get());
    EXPECT_EQ(loaded->ItemIndex(), 1);
    EXPECT_TRUE(loaded->Log.empty());
    EXPECT_EQ(WriteComponent(loaded.get()), written);

    // An index read before its items is kept; one past them is clamped.
    ReadComponent("object G: TkRadioGroup\n  ItemIndex = 2\n  Items.Strings = (\n    'a'\n    'b'\n    'c')\nend\n",
                  loaded.get());
    EXPECT_EQ(loaded->ItemIndex(), 2);
    ReadComponent("object G: TkRadioGroup\n  ItemIndex = 9\n  Items.Strings = (\n    'a')\nend\n", loaded.get());
    EXPECT_EQ(loaded->ItemIndex(), 0);
}

}  // namespace
