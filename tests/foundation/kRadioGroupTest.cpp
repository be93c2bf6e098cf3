#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "components/foundation/kRadioGroup.h"
#include "platform/FormStream.h"
#include "platform/Forms.h"
#include "platform/Math.h"
#include "platform/Messages.h"
#include "platform/Testing.h"
#include "components/foundation/kCheckBox.h"
#include "platform/ListBox.h"
#include "platform/StdCtrls.h"
#include "support/EventLog.h"
#include "support/LayoutCheck.h"
#include "support/ShownForm.h"
#include "support/TwoControlForm.h"

namespace {

using namespace Testing;
using TLoggedRadioGroup = TLogged<TkRadioGroup>;

Integer TextHeightOf(TFont* Font) { return TextSize(Font, "ABC").cy; }

// The group under test is 200 x 120 with three items, laid out.
class RadioGroupTest : public TwoControlForm<TLoggedRadioGroup> {
protected:
    void SetUp() override
    {
        ShowForm(400, 300, [](TLoggedRadioGroup* Group, bool UnderTest) {
            Group->SetBounds(10, UnderTest ? 10 : 150, 200, 120);
            Group->Items()->SetText("One\nTwo\nThree\n");
        });
        PaintedAlone(Control);
    }
    // A point on the text of item Index.
    TPoint OnItem(Integer Index) const
    {
        const TPoint p = Control->ItemPoint(Index);
        return {p.X + 16, p.Y};
    }
    void Press(Integer Index) { TwoControlForm::Press(OnItem(Index).X, OnItem(Index).Y); }
    void Release(Integer Index) { Input::MouseUp(Control, mbLeft, OnItem(Index).X, OnItem(Index).Y); }
    // A pixel of item Index's circle, Offset from its point: (-2, 0) is
    // its ground, (1, -1) the middle of the selection dot.
    TColor CirclePixel(Integer Index, TPoint Offset)
    {
        const TPoint p = Control->ItemPoint(Index);
        return PixelAt(p.X + Offset.X, p.Y + Offset.Y);
    }
    TColor Ground(Integer Index) { return CirclePixel(Index, {-2, 0}); }
};

TEST_F(RadioGroupTest, ItemIndexClampsAndItemListChangesClampSilently)
{
    Control->SetItemIndex(10);
    Control->SetItemIndex(INT_MAX);  // clamped to the same: silent
    EXPECT_EQ(Control->ItemIndex(), 2);
    EXPECT_EQ(Control->Log, (TEventLog{"protected ItemIndex", "change"}));
    Control->SetItemIndex(INT_MIN);
    EXPECT_EQ(Control->ItemIndex(), -1);

    Control->SetItemIndex(2);
    Control->Log.clear();
    Control->Items()->Delete(2);
    EXPECT_EQ(Control->ItemIndex(), 1);
    TOwned<TStringList> one(CreateOwned<TStringList>());
    one->Add("Only");
    Control->SetItems(one.get());
    EXPECT_EQ(Control->ItemIndex(), 0);
    Control->Items()->Clear();
    EXPECT_TRUE(Control->ItemIndex() == -1 && Control->Log.empty());
    Control->SetColumns(0);
    EXPECT_EQ(Control->Columns(), 1);
}

TEST_F(RadioGroupTest, ItemsFillColumnsTopToBottom)
{
    Control->Items()->SetText("1\n2\n3\n4\n5\n6\n7\n");
    Control->SetColumns(3);
    PaintedAlone(Control);
    const Integer th = TextHeightOf(Control->Font());
    const Integer spacing = (120 - th - th / 4) / 3;
    EXPECT_EQ(Control->MaxRows(), 3);
    EXPECT_EQ(Control->ItemsRowSpacing(), spacing);
    EXPECT_EQ(Control->ItemsRowStart(), Round(th + spacing / 2.0));
    EXPECT_EQ(Control->ItemsColSpacing(), 62);  // (200 - 14) div 3
    const Integer top = Control->ItemsRowStart();
    EXPECT_EQ(Control->ItemPoint(6), (TPoint{14 + 124, top}));
    EXPECT_EQ(Control->ItemPoint(4), (TPoint{14 + 62, top + spacing}));
    EXPECT_EQ(Control->ItemAt(140, top), 6);
    // A column starts 6 pixels left of its circle.
    EXPECT_EQ(Control->ItemAt(69, top + spacing), 1);
    EXPECT_EQ(Control->ItemAt(70, top + spacing), 4);
    // Nothing below a column's last row, beside the columns or past the
    // last item.
    EXPECT_EQ(Control->ItemAt(20, top + 3 * spacing), -1);
    EXPECT_EQ(Control->ItemAt(-200, top), -1);
    EXPECT_EQ(Control->ItemAt(140, top + spacing), -1);
}

TEST_F(RadioGroupTest, MouseSelectsOnlyWherePressAndReleaseMeet)
{
    Press(1);
    Release(1);
    EXPECT_TRUE(Control->ItemIndex() == 1 && Control->Focused());
    EXPECT_EQ(Control->Log, (TEventLog{"click", "protected ItemIndex", "change", "user"}));
    Press(0);
    Release(2);
    Press(0);
    Input::MouseUp(Control, mbLeft, 100, 118);  // below the last row
    EXPECT_EQ(Control->ItemIndex(), 1);

    // Moving while pressed takes the press along.
    Press(0);
    EXPECT_EQ(Ground(0), ColorToRGB(clBtnFace));
    Input::MouseMove(Control, OnItem(2).X, OnItem(2).Y, {ssLeft});
    EXPECT_EQ(Ground(0), clWhite);
    EXPECT_EQ(Ground(2), ColorToRGB(clBtnFace));
    Release(2);
    EXPECT_EQ(Control->ItemIndex(), 2);

    // Losing the focus ends the press, shown, and the release selects
    // nothing (a disabled control's press: see kSwitchLedTest).
    Press(0);
    Other->SetFocus();
    EXPECT_EQ(Ground(0), clWhite);
    Release(0);
    EXPECT_EQ(Control->ItemIndex(), 2);
}

TEST_F(RadioGroupTest, ArrowKeysStepOnceAndWrapWithoutUserEvents)
{
    Control->SetFocus();
    const std::vector<std::pair<Word, Integer>> steps = {{VK_LEFT, -1}, {VK_RIGHT, 0}, {VK_DOWN, 1},
                                                         {VK_RIGHT, 2}, {VK_RIGHT, 0}, {VK_UP, 2},
                                                         {VK_LEFT, 1},  {VK_SPACE, 1}};
    for (auto [key, expected] : steps) {
        Input::Key(key);
        EXPECT_EQ(Control->ItemIndex(), expected) << key;
    }
    EXPECT_TRUE(Control->Focused());
    for (const String& entry : Control->Log) EXPECT_NE(entry, "user");
    EXPECT_EQ(Control->Log.size(), 12u);  // six selections, two events each

    // The key held shows the newly selected item pressed.
    Input::KeyDown(VK_DOWN);
    EXPECT_EQ(Ground(2), ColorToRGB(clBtnFace));
    Input::KeyUp(VK_DOWN);
    EXPECT_EQ(Ground(2), clWhite);
    Control->Items()->Clear();
    Input::Key(VK_RIGHT);
    EXPECT_EQ(Control->ItemIndex(), -1);
}

TEST_F(RadioGroupTest, PaintShowsFrameSelectionFocusAndDisabled)
{
    const Integer th = TextHeightOf(Control->Font());
    TOwned<TBitmap> bitmap = PaintedAlone(Control);
    TCanvas* c = bitmap->Canvas();
    const TColor shadow = ColorToRGB(clBtnShadow), highlight = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(c->Pixels(0, th / 2 + 5), shadow);
    EXPECT_EQ(c->Pixels(1, th / 2 + 5), highlight);
    // The caption stands on the group's own ground, as the frame does.
    EXPECT_EQ(c->Pixels(TextSize(Control->Font(), "A").cx, 0), ColorToRGB(Control->BackGroundColor()));
    EXPECT_EQ(CirclePixel(0, {-4, 0}), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(CirclePixel(0, {1, -1}), clWhite);
    Control->SetItemIndex(0);
    EXPECT_EQ(CirclePixel(0, {1, -1}), clBlack);
    EXPECT_EQ(CirclePixel(1, {1, -1}), clWhite);

    // Focus: a dotted frame round the selected item's text.
    const TPoint p = Control->ItemPoint(0);
    const Integer x = p.X + 11;
    Other->SetFocus();
    const Integer y = (x + p.Y - th / 2 - 1) % 2 == 0 ? p.Y - th / 2 - 1 : p.Y - th / 2;
    const TColor plain = PixelAt(x, y);
    Control->SetFocus();
    EXPECT_EQ(PixelAt(x, y), plain ^ 0xFFFFFF);

    auto blackInText = [&] {
        bitmap = PaintedAlone(Control);
        Integer count = 0;
        for (Integer py = p.Y - 6; py < p.Y + 6; ++py)
            for (Integer px = p.X + 12; px < p.X + 40; ++px) count += bitmap->Canvas()->Pixels(px, py) == clBlack;
        return count;
    };
    EXPECT_GT(blackInText(), 0);
    Control->SetEnabled(false);
    EXPECT_EQ(blackInText(), 0);  // greyed
}

TEST(RadioGroupLimits, EmptyTinyAndCrowdedGroupsPaintAndHitNothing)
{
    TOwned<TkRadioGroup> g(Create<TkRadioGroup>(nullptr));
    EXPECT_EQ(g->Caption(), "Radio Group");
    PaintedAlone(g.get());
    g->SetItemIndex(3);
    EXPECT_TRUE(g->MaxRows() == 0 && g->ItemAt(20, 40) == -1 && g->ItemIndex() == -1);

    for (Integer i = 0; i < 500; ++i) g->Items()->Add("Item");
    g->SetColumns(INT_MAX);
    PaintedAlone(g.get());
    EXPECT_EQ(g->MaxRows(), 1);
    EXPECT_EQ(g->ItemAt(14, g->ItemsRowStart()), -1);  // the columns have no width
    // Too short for its rows: the row spacing is 0.
    g->SetColumns(1);
    for (Integer height : {0, 5, 20}) {
        g->SetBounds(0, 0, 3, height);
        PaintedAlone(g.get());
        EXPECT_EQ(g->ItemAt(1, height / 2), -1);
    }
}

// Two choices side by side keep a gap between the first text and the second
// circle when the group is wide enough; the layout check reports a group
// that is not, and captions cut inside a group box.
using RadioGroupLayout = ShownForm;

TEST_F(RadioGroupLayout, ColumnsMakeRoomForTheirTextsAndTheCheckReportsWhatCannotFit)
{
    auto* side = Add<TkRadioGroup>(Form, 4, 4, 176, 32);
    side->SetName("Side");
    side->SetCaption("");
    side->Items()->SetText("Bottom Right\nTop Left\n");
    side->SetColumns(2);
    auto* box = Add<TGroupBox>(Form, 4, 60, 190, 60);
    box->SetName("Box");
    auto* hide = Add<TkCheckBox>(box, 6, 20, 60, 17);
    hide->SetName("Hide");
    hide->SetAutoSize(false);
    hide->SetCaption("Hint Hide On Release");
    auto* show = Add<TCheckBox>(box, 80, 20, 50, 17);
    show->SetName("Show");
    show->SetCaption("Hint Show Always");
    const std::vector<String> boxFaults = LayoutCheck::Faults(Form);
    ASSERT_EQ(boxFaults.size(), 2u);
    EXPECT_NE(boxFaults[0].find("F/Box/Hide: \"Hint Hide On Release\" needs"), String::npos) << boxFaults[0];
    EXPECT_NE(boxFaults[1].find("F/Box/Show: \"Hint Show Always\" needs"), String::npos) << boxFaults[1];
    // The second circle stands clear of "Bottom Right", yet inside the frame.
    const Integer firstTextEnd = side->ItemPoint(0).X + 12 + TextSize(side->Font(), "Bottom Right").cx;
    EXPECT_GE(side->ItemPoint(1).X - 5 - firstTextEnd, 8);

    box->SetVisible(false);
    side->SetWidth(110);
    const std::vector<String> sideFaults = LayoutCheck::Faults(Form);
    ASSERT_FALSE(sideFaults.empty());
    EXPECT_NE(sideFaults[0].find("F/Side: \"Bottom Right\" needs"), String::npos) << sideFaults[0];
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
    EXPECT_TRUE(loaded->ItemIndex() == 1 && loaded->Log.empty());
    EXPECT_EQ(WriteComponent(loaded.get()), written);

    // An index read before its items is kept; one past them is clamped.
    ReadComponent("object G: TkRadioGroup\n  ItemIndex = 2\n  Items.Strings = (\n    'a'\n    'b'\n    'c')\nend\n",
                  loaded.get());
    EXPECT_EQ(loaded->ItemIndex(), 2);
    ReadComponent("object G: TkRadioGroup\n  ItemIndex = 9\n  Items.Strings = (\n    'a')\nend\n", loaded.get());
    EXPECT_EQ(loaded->ItemIndex(), 0);
}

}  // namespace
