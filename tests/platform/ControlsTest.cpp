// Control geometry, layout, inherited looks and painting.

#include <gtest/gtest.h>

#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"
#include "support/ExceptionCatcher.h"

using namespace Testing;

namespace {

// Paints a filled rectangle; counts paints and can fail or resize itself.
class TPainted : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Paints = 0;
    bool Fail = false;
    TRect ResizeTo;
    int TextChanges = 0;
    void CMTextChanged() override
    {
        ++TextChanges;
        TCustomControl::CMTextChanged();
    }

protected:
    void Paint() override
    {
        ++Paints;
        if (Fail) throw EInvalidOperation("paint failed");
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(Rect(2, 2, 6, 6));
        if (!IsRectEmpty(ResizeTo)) SetBoundsRect(ResizeTo);
    }
};

// Makes its child in its constructor, before it has a window of its own.
class TWithInnerPanel : public TCustomControl {
public:
    explicit TWithInnerPanel(TComponent* AOwner) : TCustomControl(AOwner), Inner(Create<TPanel>(this))
    {
        Inner->SetParent(this);
        Inner->SetBounds(10, 0, 10, 10);
        Inner->SetColor(clLime);
    }
    TPanel* Inner;
};

TColor PixelAt(TBitmap* b, Integer x, Integer y) { return b->Canvas()->Pixels(x, y); }

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetClientWidth(300);
        Form->SetClientHeight(200);
        Form->Show();
    }
    void TearDown() override
    {
        Free(Form);
        Input::Flush();
    }
    template <class T>
    T* Add(Integer left, Integer top, Integer width, Integer height, TWinControl* parent = nullptr)
    {
        T* c = Create<T>(Form);
        c->SetBounds(left, top, width, height);
        c->SetParent(parent ? parent : Form);
        return c;
    }
    TForm* Form = nullptr;
};

}  // namespace

TEST_F(ControlsTest, CoordinatesMapThroughParents)
{
    auto* panel = Add<TPanel>(20, 30, 100, 100);
    auto* inner = Add<TPainted>(5, 7, 20, 20, panel);
    const TPoint screen = inner->ClientToScreen({1, 2});
    EXPECT_EQ(Form->ScreenToClient(screen), (TPoint{26, 39}));
    EXPECT_EQ(inner->ScreenToClient(screen), (TPoint{1, 2}));
    EXPECT_EQ(inner->ClientToParent({1, 2}, Form), (TPoint{26, 39}));
    EXPECT_THROW(Form->ClientToParent({0, 0}), EInvalidOperation);
}

TEST_F(ControlsTest, EqualBoundsAndEqualTextDoNothing)
{
    auto* c = Add<TPainted>(0, 0, 50, 50);
    int resizes = 0;
    c->OnResize = [&](TObject*) { ++resizes; };
    c->SetBounds(0, 0, 50, 50);
    c->SetBounds(1, 0, 50, 50);
    EXPECT_EQ(resizes, 0);
    c->SetWidth(60);
    EXPECT_EQ(resizes, 1);
    c->SetText("a");
    c->SetCaption("a");
    EXPECT_EQ(c->TextChanges, 1);
}

TEST_F(ControlsTest, AlignedChildrenShareTheClientAreaInsideBevels)
{
    auto* panel = Add<TPanel>(0, 0, 200, 100);
    panel->SetBorderWidth(2);  // + 1 pixel raised bevel
    auto* top = Add<TPainted>(0, 0, 10, 20, panel);
    top->SetAlign(alTop);
    auto* left = Add<TPainted>(0, 0, 30, 10, panel);
    left->SetAlign(alLeft);
    auto* client = Add<TPainted>(0, 0, 10, 10, panel);
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(3, 3, 197, 23));
    EXPECT_EQ(left->BoundsRect(), Rect(3, 23, 33, 97));
    EXPECT_EQ(client->BoundsRect(), Rect(33, 23, 197, 97));
    panel->SetWidth(300);
    EXPECT_EQ(client->BoundsRect(), Rect(33, 23, 297, 97));
    top->SetVisible(false);
    EXPECT_EQ(left->BoundsRect(), Rect(3, 3, 33, 97));
}

TEST_F(ControlsTest, AnchorsFollowTheParentsResize)
{
    auto* panel = Add<TPanel>(0, 0, 200, 100);
    auto* right = Add<TPainted>(150, 10, 40, 20, panel);
    right->SetAnchors({akTop, akRight});
    auto* stretch = Add<TPainted>(10, 50, 180, 20, panel);
    stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
    panel->SetBounds(0, 0, 250, 120);
    EXPECT_EQ(right->BoundsRect(), Rect(200, 10, 240, 30));
    EXPECT_EQ(stretch->BoundsRect(), Rect(10, 50, 240, 90));
}

TEST_F(ControlsTest, ParentColorAndFontFollowUntilSetOwn)
{
    auto* panel = Add<TPanel>(0, 0, 100, 100);
    auto* label = Add<TLabel>(0, 0, 10, 10, panel);
    EXPECT_EQ(label->Color(), clBtnFace);
    panel->SetColor(clAqua);
    EXPECT_EQ(label->Color(), clAqua);
    Form->Font()->SetHeight(-16);
    EXPECT_EQ(panel->Font()->Height(), -16);
    EXPECT_EQ(label->Font()->Height(), -16);
    label->Font()->SetColor(clRed);
    EXPECT_FALSE(label->ParentFont());
    Form->Font()->SetHeight(-11);
    EXPECT_EQ(label->Font()->Height(), -16);
    label->SetParentFont(true);
    EXPECT_EQ(label->Font()->Height(), -11);
}

TEST_F(ControlsTest, InvalidateOnlyMarksAndRepaintsCoalesce)
{
    auto* c = Add<TPainted>(10, 10, 40, 40);
    Input::Flush();
    const int before = c->Paints;
    for (int i = 0; i < 1080; ++i) c->Invalidate();
    EXPECT_EQ(c->Paints, before);
    Input::Flush();
    EXPECT_EQ(c->Paints, before + 1);
}

TEST_F(ControlsTest, PaintDrawsOnTheRetainedImageThatGrabShows)
{
    auto* c = Add<TPainted>(10, 10, 40, 40);
    c->SetColor(clWhite);
    auto grab = Grab(c);
    EXPECT_EQ(PixelAt(grab.get(), 2, 2), clRed);
    EXPECT_EQ(PixelAt(grab.get(), 5, 5), clRed);
    EXPECT_EQ(PixelAt(grab.get(), 6, 6), clWhite);
    EXPECT_EQ(CountColour(grab.get(), clRed), 16);
    // Drawing outside a paint goes into the same image.
    c->Canvas()->Brush()->SetColor(clBlue);
    c->Canvas()->FillRect(Rect(20, 20, 22, 22));
    EXPECT_EQ(c->Canvas()->Pixels(21, 21), clBlue);
}

TEST_F(ControlsTest, PaintToDrawsChildrenAndGraphicControlsOverTheParent)
{
    auto* panel = Add<TPanel>(0, 0, 60, 40);
    panel->SetColor(clYellow);
    auto* label = Add<TLabel>(30, 10, 10, 10, panel);
    label->SetTransparent(true);
    label->SetCaption("");
    auto grab = Grab(panel);
    // Raised bevel: highlight on the top-left edges, shadow on the others.
    EXPECT_EQ(PixelAt(grab.get(), 0, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(grab.get(), 59, 39), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(grab.get(), 59, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(PixelAt(grab.get(), 32, 12), clYellow);  // the transparent label shows the panel
}

TEST_F(ControlsTest, AChildMadeInItsParentsConstructorShowsInsideIt)
{
    auto grab = Grab(Add<TWithInnerPanel>(0, 0, 20, 10));
    EXPECT_EQ(PixelAt(grab.get(), 15, 5), clLime);
    EXPECT_NE(PixelAt(grab.get(), 5, 5), clLime);
}

TEST_F(ControlsTest, ExceptionInAPaintReachesHandleException)
{
    ExceptionCatcher caught;
    auto* c = Add<TPainted>(0, 0, 20, 20);
    c->Fail = true;
    Grab(c);
    ASSERT_FALSE(caught.Messages.empty());
    EXPECT_EQ(caught.Messages.front(), "paint failed");
}

TEST_F(ControlsTest, BoundsSetDuringAPaintApplyAfterIt)
{
    auto* c = Add<TPainted>(0, 0, 20, 20);
    c->ResizeTo = Rect(0, 0, 30, 25);
    Grab(c);
    EXPECT_EQ(c->Width(), 20);
    Input::Flush();
    EXPECT_EQ(c->BoundsRect(), Rect(0, 0, 30, 25));
}

TEST_F(ControlsTest, ImageShowsThePictureAtNaturalSizeFromTheTopLeft)
{
    auto* image = Add<TImage>(0, 0, 6, 6);
    auto bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(4, 10);
    bitmap->Canvas()->Brush()->SetColor(clRed);
    bitmap->Canvas()->FillRect(Rect(0, 0, 4, 10));
    image->Picture()->SetGraphic(bitmap.get());
    Form->SetColor(clWhite);
    auto grab = Grab(Form);
    EXPECT_EQ(PixelAt(grab.get(), 0, 0), clRed);
    EXPECT_EQ(PixelAt(grab.get(), 3, 5), clRed);
    EXPECT_EQ(PixelAt(grab.get(), 4, 0), clWhite);
    EXPECT_EQ(PixelAt(grab.get(), 0, 6), clWhite);  // clipped to the control
    image->SetStretch(true);
    EXPECT_EQ(image->DestRect(), Rect(0, 0, 6, 6));
    image->SetProportional(true);
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), Rect(2, 0, 4, 6));
}

TEST_F(ControlsTest, ReparentingMovesTheControlAndCaptionFollowsTheName)
{
    auto* a = Add<TPanel>(0, 0, 50, 50);
    auto* b = Add<TPanel>(60, 0, 50, 50);
    auto* button = Create<TButton>(Form);
    button->SetName("Button7");
    EXPECT_EQ(button->Caption(), "Button7");
    button->SetParent(a);
    EXPECT_EQ(a->ControlCount(), 1);
    button->SetParent(b);
    EXPECT_EQ(a->ControlCount(), 0);
    EXPECT_EQ(b->Controls(0), button);
    button->SetParent(nullptr);
    EXPECT_EQ(b->ControlCount(), 0);
    EXPECT_THROW(b->SetParent(b), EInvalidOperation);
}

TEST_F(ControlsTest, CopyParentImageShowsTheParentAndTheSiblingsBelow)
{
    auto* panel = Add<TPanel>(0, 0, 100, 60);
    panel->SetColor(clYellow);
    panel->SetBevelOuter(bvNone);
    auto* below = Add<TPainted>(10, 10, 20, 20, panel);  // red square at (2..5) of its own area
    below->SetColor(clLime);
    auto* self = Add<TPainted>(5, 5, 30, 30, panel);
    auto* above = Add<TPainted>(5, 5, 10, 10, panel);
    above->SetColor(clBlue);
    auto image = CreateOwned<TBitmap>();
    image->SetSize(30, 30);
    self->CopyParentImage(image->Canvas());
    EXPECT_EQ(PixelAt(image.get(), 29, 0), clYellow);  // the parent
    EXPECT_EQ(PixelAt(image.get(), 5, 5), clLime);     // the lower sibling
    EXPECT_EQ(PixelAt(image.get(), 7, 7), clRed);
    EXPECT_EQ(CountColour(image.get(), clBlue), 0);    // not the one above
}

TEST(ControlLimits, SizeConstraintsTreatNegativeLimitsAsNoneAndReportOnlyRealChanges)
{
    TOwned<TSizeConstraints> limits = CreateOwned<TSizeConstraints>();
    int changes = 0;
    limits->OnChange = [&](TObject*) { ++changes; };
    limits->SetMinWidth(-5);
    EXPECT_EQ(limits->MinWidth(), 0);
    EXPECT_EQ(changes, 0);
    limits->SetMinWidth(20);
    limits->SetMinWidth(20);
    limits->SetMaxWidth(40);
    limits->SetMaxHeight(10);
    EXPECT_EQ(changes, 3);
    limits->SetMaxHeight(-1);
    EXPECT_EQ(limits->MaxHeight(), 0);
    EXPECT_EQ(changes, 4);

    Integer width = 5, height = 500;
    limits->Constrain(width, height);
    EXPECT_EQ(width, 20);
    EXPECT_EQ(height, 500);
    width = 50;
    limits->Constrain(width, height);
    EXPECT_EQ(width, 40);
}
