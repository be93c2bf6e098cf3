#include <gtest/gtest.h>

#include <vector>

#include "platform/Forms.h"
#include "platform/Testing.h"
#include "platform/TypInfo.h"
#include "widgets/QdControls.h"

using namespace Testing;

namespace {

// Records whose change reached it, and with which sender.
struct TLinkLog {
    std::vector<std::pair<Integer, TObject*>> Calls;
    TNotifyEvent Recorder(Integer Id)
    {
        return [this, Id](TObject* Sender) { Calls.emplace_back(Id, Sender); };
    }
};

class TCountingControl : public TQdCustomControl {
public:
    using TQdCustomControl::TQdCustomControl;
    Integer Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        ClearClientCanvas();
    }
};

// Paints its Color (or the parent through) with a black dot at (1, 1).
class TDotControl : public TQdGraphicImageControl {
public:
    using TQdGraphicImageControl::TQdGraphicImageControl;

protected:
    void Paint() override
    {
        ClearBitmapCanvas();
        GetBitmapCanvas()->SetPixels(1, 1, clBlack);
        TQdGraphicImageControl::Paint();
    }
};

// A parent that counts how often it paints.
class TCountingParent : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    Integer Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(ClientRect());
    }
};

// Wants the size it was given in Wanted, whatever SetBounds asks for.
class TFixedSizeControl : public TQdGraphicControl {
public:
    using TQdGraphicControl::TQdGraphicControl;
    Integer Wanted = 30;
    Integer Repaints = 0;

    void SetBounds(Integer ALeft, Integer ATop, Integer, Integer) override
    {
        TQdGraphicControl::SetBounds(ALeft, ATop, Wanted, Wanted);
    }
    void UpdateControlCanvas() override { ++Repaints; }
    using TQdGraphicControl::SetAutoSize;
};

class QdControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetClientWidth(200);
        Form->SetClientHeight(150);
        Form->Show();
        Input::Flush();
    }
    void TearDown() override
    {
        Free(Form);
        Input::Flush();
    }
    template <class T>
    T* Add(TWinControl* Parent, Integer Left, Integer Top, Integer Width, Integer Height)
    {
        T* c = Create<T>(Form);
        c->SetBounds(Left, Top, Width, Height);
        c->SetParent(Parent);
        Input::Flush();
        return c;
    }
    TForm* Form = nullptr;
};

}  // namespace

// ---------------------------------------------------------------------------
// Shared components and links
// ---------------------------------------------------------------------------

TEST(QdSharedComponent, NotifiesItsLinksInOrderWithItselfAsSender)
{
    TLinkLog log;
    auto* shared = Create<TQdSharedComponent>(nullptr);
    TOwned<TQdChangeLink> first = CreateOwned<TQdChangeLink>();
    TOwned<TQdChangeLink> second = CreateOwned<TQdChangeLink>();
    first->OnChange = log.Recorder(1);
    second->OnChange = log.Recorder(2);
    shared->InsertLink(first.get());
    shared->InsertLink(second.get());
    shared->NotifyClients();
    EXPECT_EQ(log.Calls, (std::vector<std::pair<Integer, TObject*>>{{1, shared}, {2, shared}}));

    TOwned<TQdChangeLink> stranger = CreateOwned<TQdChangeLink>();
    shared->RemoveLink(stranger.get());
    EXPECT_EQ(shared->ClientCount(), 2);
    first.reset();  // a freed link leaves the list
    EXPECT_EQ(shared->ClientCount(), 1);
    // A link belongs to one component at a time.
    auto* other = Create<TQdSharedComponent>(nullptr);
    other->InsertLink(second.get());
    other->InsertLink(second.get());
    EXPECT_EQ(shared->ClientCount(), 0);
    EXPECT_EQ(other->ClientCount(), 1);
    other->Free();  // a freed component detaches its links
    EXPECT_EQ(second->Sender(), nullptr);
    shared->Free();
}

TEST(QdSharedComponent, LinksFreedWhileNotifyingAreSkipped)
{
    TLinkLog log;
    auto* shared = Create<TQdSharedComponent>(nullptr);
    auto* first = Create<TQdChangeLink>();
    auto* second = Create<TQdChangeLink>();
    auto* third = Create<TQdChangeLink>();
    shared->InsertLink(first);
    shared->InsertLink(second);
    shared->InsertLink(third);
    first->OnChange = [&](TObject*) { FreeAndNil(second); };
    third->OnChange = log.Recorder(3);
    shared->NotifyClients();
    EXPECT_EQ(log.Calls.size(), 1u);
    // A handler may even free the shared component itself.
    first->OnChange = [&](TObject*) { shared->Free(); };
    shared->NotifyClients();
    EXPECT_EQ(log.Calls.size(), 1u);
    EXPECT_EQ(third->Sender(), nullptr);
    first->Free();
    third->Free();
}

// ---------------------------------------------------------------------------
// Version, unit and helpers
// ---------------------------------------------------------------------------

TEST(QdBases, VersionReadsTheLibrarysVersionAndIsNeverStored)
{
    auto* component = Create<TQdComponent>(nullptr);
    auto* control = Create<TQdCustomControl>(component);
    auto* graphic = Create<TQdGraphicImageControl>(component);
    for (TObject* o : std::vector<TObject*>{component, control, graphic}) {
        PPropInfo version = GetPropInfo(o, "Version");
        EXPECT_EQ(GetPropValue(o, version).AsString(), "1.4.5");
        SetPropValue(o, version, TValue(String("0.9")));
        EXPECT_EQ(GetPropValue(o, version).AsString(), "1.4.5");
        EXPECT_FALSE(IsStoredProp(o, version));
    }
    component->Free();
}

TEST(QdBases, HandCursorIsInstalledOnce)
{
    QdControlsInitialization();
    const HCURSOR installed = Screen->Cursors(crQdHandPoint);
    // Without the program's resource the system's hand stands in.
    EXPECT_EQ(installed, Screen->Cursors(crHandPoint));
    Screen->SetCursors(crQdHandPoint, Screen->Cursors(crCross));
    QdControlsInitialization();  // nested: changes nothing
    EXPECT_EQ(Screen->Cursors(crQdHandPoint), Screen->Cursors(crCross));
    QdControlsFinalization();
    QdControlsFinalization();
    Screen->SetCursors(crQdHandPoint, installed);
}

// ---------------------------------------------------------------------------
// Controls
// ---------------------------------------------------------------------------

TEST_F(QdControlTest, UpdatesRepaintOnceAtTheLastEndUpdate)
{
    auto* control = Add<TCountingControl>(Form, 10, 10, 50, 40);
    const Integer before = control->Paints;
    control->BeginUpdate();
    control->BeginUpdate();
    control->UpdateControlCanvas();
    control->EndUpdate();
    EXPECT_EQ(control->Paints, before);
    control->EndUpdate();
    EXPECT_EQ(control->Paints, before + 1);
    // An unmatched EndUpdate does not leave the control unable to paint.
    control->EndUpdate();
    control->UpdateControlCanvas();
    EXPECT_EQ(control->Paints, before + 3);
}

TEST_F(QdControlTest, NoticesReachTheirEventsOnce)
{
    auto* control = Add<TCountingControl>(Form, 10, 10, 50, 40);
    std::vector<String> events;
    control->OnMouseEnter = [&](TObject*) { events.push_back("enter"); };
    control->OnMouseLeave = [&](TObject*) { events.push_back("leave"); };
    control->OnFontChanged = [&](TObject*) { events.push_back("font"); };
    control->OnTextChanged = [&](TObject*) { events.push_back("text"); };
    Input::MouseMove(control, 5, 5);
    Input::MouseMove(control, 6, 6);
    Input::MouseMove(Form, 150, 120);
    control->Font()->SetHeight(-20);
    control->SetText("x");
    EXPECT_EQ(events, (std::vector<String>{"enter", "leave", "font", "text"}));
}

TEST_F(QdControlTest, TransparentControlsReuseTheParentImageForTheirOwnChanges)
{
    auto* parent = Add<TCountingParent>(Form, 0, 0, 100, 100);
    auto* graphic = Add<TDotControl>(parent, 10, 10, 20, 20);
    graphic->SetTransparent(true);
    Input::Flush();
    TOwned<TBitmap> shot = Grab(graphic);
    EXPECT_EQ(shot->Canvas()->Pixels(10, 10), clRed);  // the parent shows through
    EXPECT_EQ(shot->Canvas()->Pixels(1, 1), clBlack);

    // A change of the control repaints it over the cached image...
    const Integer parentPaints = parent->Paints;
    graphic->UpdateControlCanvas();
    EXPECT_EQ(parent->Paints, parentPaints);
    // ...and the next repaint from elsewhere captures the parent again.
    graphic->Repaint();
    EXPECT_GT(parent->Paints, parentPaints);
    EXPECT_EQ(Grab(graphic)->Canvas()->Pixels(10, 10), clRed);

    graphic->SetTransparent(false);
    graphic->SetColor(clBlue);
    shot = Grab(graphic);
    EXPECT_EQ(shot->Canvas()->Pixels(10, 10), clBlue);
    EXPECT_EQ(shot->Canvas()->Pixels(1, 1), clBlack);
}

TEST_F(QdControlTest, BoundsAreReappliedAndRepaintOnlyWhenNothingMoved)
{
    auto* control = Add<TFixedSizeControl>(Form, 10, 10, 30, 30);
    control->AdjustControlSize();
    EXPECT_EQ(control->Repaints, 1);
    control->Wanted = 40;
    control->AdjustControlSize();
    EXPECT_EQ(control->Width(), 40);
    EXPECT_EQ(control->Repaints, 1);
    // UpdateControlBounds re-applies them only for an auto-sized control.
    control->Wanted = 50;
    control->UpdateControlBounds();
    EXPECT_EQ(control->Repaints, 2);
    control->SetAutoSize(true);
    EXPECT_EQ(control->Width(), 50);
}
