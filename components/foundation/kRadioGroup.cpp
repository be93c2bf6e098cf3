#include "components/foundation/kRadioGroup.h"

#include <algorithm>
#include <span>

#include "components/foundation/kCommonRoutines.h"
#include "platform/Graphics.h"
#include "platform/Math.h"
#include "platform/Messages.h"

namespace {

// Where the first column's circles stand.
constexpr Integer ColStart = 14;
// An item's text starts this far right of its point; its circle reaches
// this far left of it; the frame is this wide.
constexpr Integer ItemTextIndent = 12;
constexpr Integer RingReach = 5;
constexpr Integer FrameWidth = 2;
// The least room between an item's text and the circle of the item beside
// it, so that neighbours read as two choices, and between a text and the
// frame.
constexpr Integer ItemGap = 8;
constexpr Integer FrameGap = 4;
// Item points stay within this range: beyond it nothing can be seen, and
// the offsets added while drawing cannot overflow.
constexpr Int64 PixelLimit = 1000000;

TRect SatRect(Int64 Left, Int64 Top, Int64 Right, Int64 Bottom)
{
    return {SatInt32(Left), SatInt32(Top), SatInt32(Right), SatInt32(Bottom)};
}

// One line of the radio circle's ring, relative to the item's point; the
// end pixel is left out.
struct TRingSegment {
    Integer X1, Y1, X2, Y2;
};

constexpr TRingSegment DarkShadowSegments[] = {{-4, -2, -4, 2}, {-3, 2, -3, 3},  {-3, -3, -3, -5},
                                               {-3, -4, -1, -4}, {-1, -5, 3, -5}, {3, -4, 5, -4}};
constexpr TRingSegment ShadowSegments[] = {{-5, -2, -5, 2}, {-4, 2, -4, 4},  {-4, -3, -4, -5},
                                           {-3, -5, -1, -5}, {-1, -6, 3, -6}, {3, -5, 5, -5}};
constexpr TRingSegment FaceSegments[] = {{6, -3, 6, -5}, {6, 2, 6, 6},   {5, -2, 5, 2},  {4, -3, 4, -2},
                                         {4, 2, 4, 4},   {5, 4, 5, 6},   {-5, 5, -1, 5}, {3, 5, 5, 5},
                                         {-1, 4, 3, 4},  {3, 3, 4, 3},   {-3, 3, -1, 3}};
constexpr TRingSegment HighlightSegments[] = {{5, -3, 5, -5}, {6, -2, 6, 2},  {5, 2, 5, 4},
                                              {3, 4, 5, 4},   {-1, 5, 3, 5},  {-3, 4, -1, 4}};

struct TRingRun {
    TColor Color;
    std::span<const TRingSegment> Segments;
};

const TRingRun RingRuns[] = {{cl3DDkShadow, DarkShadowSegments},
                             {clBtnShadow, ShadowSegments},
                             {clBtnFace, FaceSegments},
                             {clBtnHighlight, HighlightSegments}};

// Every key held shows the selected item pressed; none clicks.
constexpr TkKeyPressing KeysShowThePress{.ClickKey = 0};

bool IsNextKey(Word Key) { return Key == VK_RIGHT || Key == VK_DOWN; }
bool IsPreviousKey(Word Key) { return Key == VK_LEFT || Key == VK_UP; }

void SetSolidPen(TCanvas* Canvas, TColor Color)
{
    TPen* pen = Canvas->Pen();
    pen->SetColor(Color);
    pen->SetStyle(psSolid);
    pen->SetWidth(1);
}

}  // namespace

TClass TkRadioGroup::StaticClassInfo()
{
    using C = TkRadioGroup;
    static const TClassInfo info = TClassBuilder<C, TkCustomComponent>("TkRadioGroup")
                                       .String("Caption", &C::Caption, &C::SetCaption)
                                       .Object("Font", &C::Font, &C::SetFont)
                                       .Object("Items", &C::Items, &C::SetItems)
                                       .Integer("ItemIndex", &C::ItemIndex, &C::SetItemIndex).Default(-1)
                                       .Integer("Columns", &C::Columns, &C::SetColumns).Default(1)
                                       .Event("OnChange", &C::OnChange, &C::OnChange)
                                       .Event("OnChangeUser", &C::OnChangeUser, &C::OnChangeUser)
                                       .Color("BackGroundColor", &C::BackGroundColor, &C::SetBackGroundColor)
                                       .Default(clBtnFace)
                                       .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder).Default(-1)
                                       .Bool("TabStop", &C::TabStop, &C::SetTabStop).Default(true)
                                       .Build();
    return &info;
}

void kRadioGroupInitialization() { RegisterClass(TkRadioGroup::StaticClassInfo()); }

TkRadioGroup::TkRadioGroup(TComponent* AOwner)
    : TkPressControl(AOwner, "ItemIndex", KeysShowThePress), FFont(CreateOwned<TFont>()),
      FItems(CreateOwned<TStringList>())
{
    SetBounds(Left(), Top(), 185, 105);
    FFont->OnChange = [this](TObject* Sender) { InvalidateChangeEvent(Sender); };
    FItems->OnChange = [this](TObject* Sender) { ItemsChanged(Sender); };
}

// ---------------------------------------------------------------------------
// Selection
// ---------------------------------------------------------------------------

TStrings* TkRadioGroup::Items() const { return FItems.get(); }

void TkRadioGroup::SetItems(TStrings* Value) { FItems->Assign(Value); }

// While loading, the items may still follow: the index is kept as read and
// clamped once loading ends.
void TkRadioGroup::SetItemIndex(Integer Value)
{
    if (IsLoading()) {
        FItemIndex = Max(Value, -1);
        FMouseDownIndex = FItemIndex;
        return;
    }
    const Integer index = EnsureRange(Value, -1, FItems->Count() - 1);
    if (index == FItemIndex) return;
    FItemIndex = index;
    FMouseDownIndex = index;
    InvalidateChange();
    DoChange();
}

void TkRadioGroup::Loaded()
{
    TkPressControl::Loaded();
    ClampItemIndex();
}

void TkRadioGroup::ItemsChanged(TObject*)
{
    if (!IsLoading()) ClampItemIndex();
    InvalidateChange();
}

void TkRadioGroup::ClampItemIndex() { FItemIndex = EnsureRange(FItemIndex, -1, FItems->Count() - 1); }

bool TkRadioGroup::ValidItem(Integer Index) const { return Index >= 0 && Index < FItems->Count(); }

Integer TkRadioGroup::NeighbourItem(Integer Step) const
{
    const Integer count = FItems->Count();
    if (count == 0) return -1;
    if (Step > 0) return FItemIndex >= count - 1 ? 0 : Max(FItemIndex + 1, 0);
    if (FItemIndex < 0) return -1;
    return FItemIndex == 0 ? count - 1 : Min(FItemIndex - 1, count - 1);
}

// ---------------------------------------------------------------------------
// Appearance
// ---------------------------------------------------------------------------

void TkRadioGroup::SetCaption(const String& Value)
{
    SetIfDifferent(FCaption, Value, [this] { InvalidateChange(); });
}

void TkRadioGroup::SetColumns(Integer Value)
{
    if (Value < 1 || Value == FColumns) return;
    FColumns = Value;
    InvalidateChange();
}

// ---------------------------------------------------------------------------
// Geometry
// ---------------------------------------------------------------------------

// Without items there are no rows: the frame and caption are drawn alone and
// no point hits an item. The columns share the width evenly unless a text
// would then run into the circles of the next column: the columns then
// stand further apart, as far as the texts need or as the last column's
// texts leave room for inside the frame.
void TkRadioGroup::Layout(TCanvas* Canvas, Integer TextHeight)
{
    const Integer count = FItems->Count();
    FItemsColStart = ColStart;
    FMaxRows = count / FColumns + (count % FColumns != 0 ? 1 : 0);
    if (FMaxRows == 0) {
        FItemsRowSpacing = 0;
        FItemsColSpacing = 0;
        FItemsRowStart = TextHeight;
        return;
    }
    const Int64 rowArea = Int64(Height()) - TextHeight - TextHeight / 4;
    FItemsRowSpacing = Double(rowArea / FMaxRows);
    FItemsRowStart = SatInt32(Round(TextHeight + FItemsRowSpacing / 2));
    const Int64 even = (Int64(Width()) - ColStart) / FColumns;
    FItemsColSpacing = Double(even);
    const Integer lastColumn = LastColumn();
    if (lastColumn == 0) return;
    const auto widestText = [&](Integer First, Integer Last) {
        Int64 widest = 0;
        for (Integer i = First; i < Last; ++i) widest = std::max<Int64>(widest, Canvas->TextWidth(FItems->Strings(i)));
        return widest;
    };
    const Int64 wanted = ItemTextIndent + widestText(0, lastColumn * FMaxRows) + ItemGap + RingReach;
    const Int64 lastRoom =
        Int64(Width()) - FrameWidth - FrameGap - ColStart - ItemTextIndent - widestText(lastColumn * FMaxRows, count);
    FItemsColSpacing = Double(std::max(even, std::min(wanted, lastRoom / lastColumn)));
}

Integer TkRadioGroup::LastColumn() const { return FMaxRows > 0 ? (FItems->Count() - 1) / FMaxRows : 0; }

TPoint TkRadioGroup::ItemPoint(Integer Index) const
{
    if (FMaxRows <= 0) return {FItemsColStart, FItemsRowStart};
    const Int64 row = Index % FMaxRows;
    const Int64 column = Index / FMaxRows;
    const Int64 x = FItemsColStart + Round(column * FItemsColSpacing);
    const Int64 y = FItemsRowStart + Round(row * FItemsRowSpacing);
    return {Integer(EnsureRange(x, -PixelLimit, PixelLimit)), Integer(EnsureRange(y, -PixelLimit, PixelLimit))};
}

Integer TkRadioGroup::ItemTextRoom(Integer Index) const
{
    if (!ValidItem(Index) || FMaxRows <= 0) return 0;
    const Int64 column = Index / FMaxRows;
    const Int64 end = column < LastColumn()
                          ? FItemsColStart + Round((column + 1) * FItemsColSpacing) - RingReach - ItemGap
                          : Int64(Width()) - FrameWidth - FrameGap;
    return SatInt32(end - ItemPoint(Index).X - ItemTextIndent);
}

Integer TkRadioGroup::CaptionRoom() const
{
    TOwned<TBitmap> scratch(CreateOwned<TBitmap>());
    scratch->Canvas()->SetFont(FFont.get());
    // The caption stands one letter in from either end of the frame.
    return SatInt32(Int64(Width()) - 2 * Int64(scratch->Canvas()->TextWidth("A")));
}

// Row and column are found apart, so a point below a column's last row or
// beside the columns hits nothing rather than an item of another column; a
// spacing of 0 (a control too small for its items) hits nothing either.
Integer TkRadioGroup::ItemAt(Integer X, Integer Y) const
{
    if (FMaxRows <= 0 || FItemsRowSpacing <= 0) return -1;
    const Int64 row = Round((Extended(Y) - FItemsRowStart) / FItemsRowSpacing);
    Int64 column = 0;
    if (FColumns > 1) {
        if (FItemsColSpacing <= 0) return -1;
        column = Trunc((Extended(X) - FItemsColStart + 6) / FItemsColSpacing);
    }
    if (row < 0 || row >= FMaxRows || column < 0 || column >= FColumns) return -1;
    const Int64 index = row + column * FMaxRows;
    return index < FItems->Count() ? Integer(index) : -1;
}

// ---------------------------------------------------------------------------
// Input
// ---------------------------------------------------------------------------

void TkRadioGroup::kWantSpecialKey(Word& CharCode, Integer& Result)
{
    if (IsNextKey(CharCode) || IsPreviousKey(CharCode)) Result = 1;
}

// Arrow keys select in code, not as the user: OnChangeUser stays silent.
void TkRadioGroup::kKeyDown(Word& Key, TShiftState Shift)
{
    TkPressControl::kKeyDown(Key, Shift);
    if (!IsNextKey(Key) && !IsPreviousKey(Key)) return;
    SetItemIndex(NeighbourItem(IsNextKey(Key) ? 1 : -1));
    Key = 0;
}

void TkRadioGroup::MousePressed(Integer X, Integer Y) { FMouseDownIndex = ItemAt(X, Y); }

void TkRadioGroup::kMouseMove(TShiftState, Integer X, Integer Y)
{
    if (!PressedByMouse()) return;
    const Integer index = ItemAt(X, Y);
    if (index == FMouseDownIndex) return;
    FMouseDownIndex = index;
    InvalidateChange();
}

bool TkRadioGroup::ReleaseClicks(Integer X, Integer Y) const
{
    return ValidItem(FMouseDownIndex) && ItemAt(X, Y) == FMouseDownIndex;
}

void TkRadioGroup::ClickedByUser()
{
    ChangeByUser([this] { SetItemIndex(FMouseDownIndex); });
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

void TkRadioGroup::kPaintTo(TCanvas* Canvas)
{
    SetTransparent(true);
    DrawBackGround(Canvas, BackGroundColor());
    Canvas->SetFont(FFont.get());
    const Integer textHeight = Canvas->TextHeight("ABC");
    Layout(Canvas, textHeight);
    DrawFrameAndCaption(Canvas, textHeight);
    for (Integer i = 0; i < FItems->Count(); ++i) DrawItem(Canvas, i);
}

void TkRadioGroup::DrawFrameAndCaption(TCanvas* Canvas, Integer TextHeight)
{
    const Integer w = Width();
    const Integer h = Height();
    const Integer m = TextHeight / 2;
    const TRect area{0, m, w, h};
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BackGroundColor());
    Canvas->FillRect(area);
    DrawFrame(Canvas, area, 0);

    SetSolidPen(Canvas, clBtnHighlight);
    Canvas->Polyline({{1, m + 1}, {w - 2, m + 1}});
    Canvas->Polyline({{1, m + 1}, {1, h - 1}});
    SetSolidPen(Canvas, clBtnShadow);
    Canvas->Polyline({{0, m}, {w - 2, m}, {w - 2, h - 2}, {0, h - 2}, {0, m}});
    SetSolidPen(Canvas, clBtnHighlight);
    Canvas->Polyline({{w - 1, m + 1}, {w - 1, h - 1}});
    Canvas->Polyline({{w - 1, h - 1}, {0, h - 1}});

    const Int64 left = Canvas->TextWidth("A");
    const TSize caption = Canvas->TextExtent(FCaption);
    TRect rect = SatRect(left, 0, left + caption.cx, caption.cy);
    // The caption breaks the frame on the group's own ground, so it reads
    // as part of the dialog rather than as a box of its own.
    Canvas->Brush()->SetColor(BackGroundColor());
    Canvas->FillRect(rect);
    Canvas->Brush()->SetStyle(bsClear);
    DrawTextStyled(Canvas, FCaption, rect, {ktfLeft, ktfVCenter}, Enabled(), BackGroundColor());
}

bool TkRadioGroup::ItemPressed(Integer Index) const { return Pressed() && FMouseDownIndex == Index; }

bool TkRadioGroup::ItemShowsFocus(Integer Index) const
{
    return HasFocus() && (PressedByMouse() ? FMouseDownIndex : FItemIndex) == Index;
}

void TkRadioGroup::DrawItem(TCanvas* Canvas, Integer Index)
{
    const TPoint at = ItemPoint(Index);
    const Integer x = at.X;
    const Integer y = at.Y;
    const TColor ground = ItemPressed(Index) ? clBtnFace : clWhite;
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(ground);
    SetSolidPen(Canvas, ground);
    Canvas->Rectangle(x - 3, y - 4, x + 5, y + 4);
    DrawRing(Canvas, at);

    const String& text = FItems->Strings(Index);
    const TSize extent = Canvas->TextExtent(text);
    const Int64 textLeft = Int64(x) + ItemTextIndent;
    const TRect textRect = SatRect(textLeft, y - extent.cy / 2, textLeft + extent.cx, y + extent.cy / 2);
    TRect drawn = textRect;
    Canvas->Brush()->SetStyle(bsClear);
    Canvas->Font()->SetColor(FFont->Color());
    DrawTextStyled(Canvas, text, drawn, {ktfLeft, ktfVCenter, ktfNoClip}, Enabled(), BackGroundColor());

    if (Index == FItemIndex) {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clBlack);
        SetSolidPen(Canvas, clBlack);
        Canvas->Ellipse(x - 1, y - 2, x + 3, y + 2);
    }
    if (ItemShowsFocus(Index)) {
        const TRect focus =
            SatRect(Int64(textRect.Left) - 1, Int64(textRect.Top) - 1, Int64(textRect.Right) + 1, Int64(textRect.Bottom) + 3);
        Canvas->Font()->SetColor(clWhite);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(clBlack);
        DrawFocusRectangle(Canvas, focus);
    }
}

void TkRadioGroup::DrawRing(TCanvas* Canvas, TPoint At)
{
    for (const TRingRun& run : RingRuns) {
        SetSolidPen(Canvas, run.Color);
        for (const TRingSegment& s : run.Segments)
            Canvas->Polyline({{At.X + s.X1, At.Y + s.Y1}, {At.X + s.X2, At.Y + s.Y2}});
    }
}
