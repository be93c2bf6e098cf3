// The spin buttons: stepping, bounds, and an auto-repeat that always stops.

#include "components/editor/kUpDown.h"
#include "platform/SysUtils.h"
#include "support/EditorForm.h"

using namespace Testing;

namespace {

// The spin is 15 x 21 beside the edit: the up button covers rows 0..9,
// the down button rows 11..20.
class UpDownTest : public EditorFormTest {
protected:
    void SetUp() override
    {
        EditorFormTest::SetUp();
        Edit = Add<TkComponentEditorEdit>(10, 10);
        Spin = Add<TkUpDown>(0, 0);
        Spin->SetAssociate(Edit);
        Edit->SetAsInteger(20);
    }
    void TearDown() override
    {
        Input::MouseUp(Spin, mbLeft, 7, 4);
        EditorFormTest::TearDown();
    }
    void PressUp() { Input::MouseDown(Spin, mbLeft, 7, 4); }
    void PressDown() { Input::MouseDown(Spin, mbLeft, 7, 16); }

    TkComponentEditorEdit* Edit = nullptr;
    TkUpDown* Spin = nullptr;
};

}  // namespace

TEST_F(UpDownTest, SitsAtTheEditsRightEdge)
{
    EXPECT_EQ(Spin->Left(), Edit->Left() + Edit->Width());
    EXPECT_EQ(Spin->Top(), Edit->Top());
    EXPECT_EQ(Spin->Height(), Edit->Height());
    FreeAndNil(Edit);  // forgotten with the edit
    EXPECT_EQ(Spin->Associate(), nullptr);
    EXPECT_EQ(Spin->AsInteger(), 0);
}

TEST_F(UpDownTest, HoldingStepsAtThePressAfter500MsThenEvery50Ms)
{
    PressUp();
    EXPECT_EQ(Edit->AsInteger(), 21);
    VirtualClock::Advance(499);
    EXPECT_EQ(Edit->AsInteger(), 21);
    VirtualClock::Advance(1);
    EXPECT_EQ(Edit->AsInteger(), 22);
    VirtualClock::Advance(150);
    EXPECT_EQ(Edit->AsInteger(), 25);
    Input::MouseUp(Spin, mbLeft, 7, 4);
    VirtualClock::Advance(500);
    EXPECT_EQ(Edit->AsInteger(), 25);
    EXPECT_FALSE(Spin->Repeating());
    // Each step was the user's: committed and reported to the form.
    EXPECT_EQ(Edit->OriginalText(), "25");
    EXPECT_EQ(Form->UserChanges, 10);
}

TEST_F(UpDownTest, BoundsHoldUnlessBothAreZero)
{
    Spin->SetMax(23);
    PressUp();
    VirtualClock::Advance(1000);
    EXPECT_EQ(Edit->AsInteger(), 23);
    Input::MouseUp(Spin, mbLeft, 7, 4);
    const Integer userChanges = Form->UserChanges;

    Spin->SetMin(0);
    Spin->SetMax(0);
    Spin->SetAsInteger(-40000);
    EXPECT_EQ(Edit->AsInteger(), -40000);
    // Min above Max still gives a defined value.
    Spin->SetMin(10);
    Spin->SetMax(5);
    Spin->SetAsInteger(7);
    EXPECT_EQ(Edit->AsInteger(), 10);
    // Written from code: no event.
    EXPECT_EQ(Form->UserChanges, userChanges);
}

TEST_F(UpDownTest, TheRepeatStopsWhenTheReleaseNeverComes)
{
    PressDown();
    Spin->WMCaptureChanged();  // a dialog took the mouse
    VirtualClock::Advance(1000);
    EXPECT_EQ(Edit->AsInteger(), 19);

    PressDown();
    Spin->Disable();
    VirtualClock::Advance(1000);
    EXPECT_EQ(Edit->AsInteger(), 18);
    EXPECT_FALSE(Edit->Enabled());
    Spin->Enable();

    PressDown();
    Spin->Hide();
    VirtualClock::Advance(1000);
    EXPECT_EQ(Edit->AsInteger(), 17);
    EXPECT_FALSE(Spin->Repeating());
}

TEST_F(UpDownTest, AStepThatRaisesStopsTheRepeat)
{
    Edit->OnUpdate = [](TObject*) { throw EConvertError("not a valid time"); };
    EXPECT_THROW(Spin->MouseDown(mbLeft, {}, 7, 4), EConvertError);
    EXPECT_FALSE(Spin->Repeating());
    VirtualClock::Advance(1000);
    EXPECT_EQ(Edit->AsInteger(), 21);
}
