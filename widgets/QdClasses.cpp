#include "widgets/QdClasses.h"

#include <algorithm>
#include <cstring>

#include "platform/FormStream.h"
#include "platform/Math.h"
#include "platform/SysApi.h"
#include "platform/TypInfo.h"
#include "widgets/QdSysUtils.h"

namespace {

// R moved by (D, D), saturated to the integer range.
TRect Offset(const TRect& R, Integer D)
{
    return Rect(SatInt32(Int64(R.Left) + D), SatInt32(Int64(R.Top) + D), SatInt32(Int64(R.Right) + D),
                SatInt32(Int64(R.Bottom) + D));
}

// R with N taken off every side, saturated to the integer range.
TRect Shrunk(const TRect& R, Int64 N)
{
    return Rect(SatInt32(R.Left + N), SatInt32(R.Top + N), SatInt32(R.Right - N), SatInt32(R.Bottom - N));
}

void DrawSolidRing(TCanvas* Canvas, TRect& R, TColor Color, Integer Width)
{
    DrawFrame3D(Canvas, R, Color, Color, Width);
}

// One half of a bevel, from the outside in: outline outside, the 3-D ring
// (highlight on top for raised, shadow on top for lowered), outline
// inside, then the space.
struct TBevelHalf {
    TQdBevelOutlineStyle Outline;
    TQdBevelStyle Style;
    TColor Highlight;
    TColor Shadow;
    Integer Width;
    TColor SpaceColor;
    Integer Space;

    void Paint(TCanvas* Canvas, TRect& R) const
    {
        if (Outline == osOuter) DrawSolidRing(Canvas, R, clBlack, 1);
        if (Style == TQdBevelStyle::bsRaised) DrawFrame3D(Canvas, R, Highlight, Shadow, Width);
        if (Style == TQdBevelStyle::bsLowered) DrawFrame3D(Canvas, R, Shadow, Highlight, Width);
        if (Outline == osInner) DrawSolidRing(Canvas, R, clBlack, 1);
        DrawSolidRing(Canvas, R, SpaceColor, Space);
    }

    Int64 Thickness() const
    {
        return (Outline != osNone ? 1 : 0) + Int64(Space) + (Style != TQdBevelStyle::bsNone ? Width : 0);
    }
};

TBevelHalf OuterHalf(const TQdBevel& B)
{
    return {B.OuterOutline(), B.OuterStyle(), B.OuterHighlight(), B.OuterShadow(),
            B.OuterWidth(),   B.OuterColor(), B.OuterSpace()};
}

TBevelHalf InnerHalf(const TQdBevel& B)
{
    return {B.InnerOutline(), B.InnerStyle(), B.InnerHighlight(), B.InnerShadow(),
            B.InnerWidth(),   B.InnerColor(), B.InnerSpace()};
}

// Text in R moved by (D, D), in Color.
void DrawTextLayer(TCanvas* Canvas, const TRect& R, Integer D, TColor Color, const String& Text, Cardinal Flags)
{
    Canvas->Font()->SetColor(Color);
    TRect moved = Offset(R, D);
    DrawText(Canvas, Text, -1, moved, Flags);
}

}  // namespace

// ---------------------------------------------------------------------------
// TQdPersistent
// ---------------------------------------------------------------------------

TClass TQdPersistent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdPersistent, TPersistent>("TQdPersistent").Build();
    return &info;
}

void TQdPersistent::Changed()
{
    if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TQdPersistent::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TQdPersistent::CancelUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
}

// ---------------------------------------------------------------------------
// TQdBevel
// ---------------------------------------------------------------------------

TClass TQdBevel::StaticClassInfo()
{
    using B = TQdBevel;
    static const TClassInfo info =
        TClassBuilder<B, TQdPersistent>("TQdBevel")
            .Integer("BorderWidth", &B::BorderWidth, &B::SetBorderWidth).Default(0)
            .Color("BorderColor", &B::BorderColor, &B::SetBorderColor).Default(clBtnFace)
            .Color("InnerShadow", &B::InnerShadow, &B::SetInnerShadow)
            .Color("InnerHighlight", &B::InnerHighlight, &B::SetInnerHighlight)
            .Integer("InnerWidth", &B::InnerWidth, &B::SetInnerWidth)
            .Enum("InnerStyle", &B::InnerStyle, &B::SetInnerStyle)
            .Enum("InnerOutline", &B::InnerOutline, &B::SetInnerOutline).Default(osNone)
            .Integer("InnerSpace", &B::InnerSpace, &B::SetInnerSpace)
            .Color("InnerColor", &B::InnerColor, &B::SetInnerColor)
            .Color("OuterShadow", &B::OuterShadow, &B::SetOuterShadow)
            .Color("OuterHighlight", &B::OuterHighlight, &B::SetOuterHighlight)
            .Integer("OuterWidth", &B::OuterWidth, &B::SetOuterWidth).Default(1)
            .Enum("OuterStyle", &B::OuterStyle, &B::SetOuterStyle)
            .Enum("OuterOutline", &B::OuterOutline, &B::SetOuterOutline)
            .Integer("OuterSpace", &B::OuterSpace, &B::SetOuterSpace).Default(0)
            .Color("OuterColor", &B::OuterColor, &B::SetOuterColor).Default(clBtnFace)
            .Bool("Visible", &B::Visible, &B::SetVisible).Default(true)
            .Build();
    return &info;
}

void TQdBevel::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdBevel*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        SetBorderWidth(s->BorderWidth());
        SetBorderColor(s->BorderColor());
        SetInnerShadow(s->InnerShadow());
        SetInnerHighlight(s->InnerHighlight());
        SetInnerWidth(s->InnerWidth());
        SetInnerStyle(s->InnerStyle());
        SetInnerOutline(s->InnerOutline());
        SetInnerSpace(s->InnerSpace());
        SetInnerColor(s->InnerColor());
        SetOuterShadow(s->OuterShadow());
        SetOuterHighlight(s->OuterHighlight());
        SetOuterWidth(s->OuterWidth());
        SetOuterStyle(s->OuterStyle());
        SetOuterOutline(s->OuterOutline());
        SetOuterSpace(s->OuterSpace());
        SetOuterColor(s->OuterColor());
        SetVisible(s->Visible());
    });
}

void TQdBevel::GetVisibleArea(TRect& Rect) const
{
    if (!FVisible) return;
    Rect = Shrunk(Rect, Int64(FBorderWidth) + OuterHalf(*this).Thickness() + InnerHalf(*this).Thickness());
}

void TQdBevel::Paint(TCanvas* Canvas, TRect& Rect) const
{
    if (!FVisible) return;
    DrawSolidRing(Canvas, Rect, FBorderColor, FBorderWidth);
    OuterHalf(*this).Paint(Canvas, Rect);
    InnerHalf(*this).Paint(Canvas, Rect);
}

// ---------------------------------------------------------------------------
// Palettes
// ---------------------------------------------------------------------------

TClass TQdPalette::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdPalette, TQdPersistent>("TQdPalette")
                                       .Color("Low", &TQdPalette::Low, &TQdPalette::SetLow)
                                       .Color("High", &TQdPalette::High, &TQdPalette::SetHigh)
                                       .Build();
    return &info;
}

void TQdPalette::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdPalette*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        SetLow(s->Low());
        SetHigh(s->High());
    });
}

TColor TQdPalette::GetColors(Integer Index) const { return Index < 1 ? FLow : FHigh; }

void TQdPalette::ToBMP(TBitmap* Bitmap, TColor FirstColor, TColor SecondColor) const
{
    if (!Bitmap) return;
    ChangeBitmapColor(Bitmap, FirstColor, FLow);
    ChangeBitmapColor(Bitmap, SecondColor, FHigh);
}

TClass TQdPaletteEx::StaticClassInfo()
{
    using P = TQdPaletteEx;
    static const TClassInfo info = TClassBuilder<P, TQdPersistent>("TQdPaletteEx")
                                       .Color("Low1", &P::Low1, &P::SetLow1)
                                       .Color("High1", &P::High1, &P::SetHigh1)
                                       .Color("Low2", &P::Low2, &P::SetLow2)
                                       .Color("High2", &P::High2, &P::SetHigh2)
                                       .Build();
    return &info;
}

void TQdPaletteEx::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdPaletteEx*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        SetLow1(s->Low1());
        SetHigh1(s->High1());
        SetLow2(s->Low2());
        SetHigh2(s->High2());
    });
}

// ---------------------------------------------------------------------------
// TQdMinMax
// ---------------------------------------------------------------------------

TClass TQdMinMax::StaticClassInfo()
{
    using M = TQdMinMax;
    static const TClassInfo info = TClassBuilder<M, TQdPersistent>("TQdMinMax")
                                       .Integer("MinValue", &M::MinValue, &M::ReadMinValue)
                                       .Integer("MaxValue", &M::MaxValue, &M::ReadMaxValue)
                                       .Integer("Position", &M::Position, &M::SetPosition)
                                       .Build();
    return &info;
}

void TQdMinMax::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdMinMax*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        // A new minimum at or above the current maximum needs the new
        // maximum first, or it would be refused.
        if (s->MinValue() >= FMaxValue) {
            SetMaxValue(s->MaxValue());
            SetMinValue(s->MinValue());
        } else {
            SetMinValue(s->MinValue());
            SetMaxValue(s->MaxValue());
        }
        SetPosition(s->Position());
    });
}

void TQdMinMax::SetMinValue(Integer Value)
{
    if (Value == FMinValue || Value >= FMaxValue) return;
    FMinValue = Value;
    if (FPosition < Value) SetPosition(Value);
    else Changed();
}

void TQdMinMax::SetMaxValue(Integer Value)
{
    if (Value == FMaxValue || Value <= FMinValue) return;
    FMaxValue = Value;
    if (FPosition > Value) SetPosition(Value);
    else Changed();
}

void TQdMinMax::SetPosition(Integer Value) { Change(FPosition, EnsureRange(Value, FMinValue, FMaxValue)); }

void TQdMinMax::ReadMinValue(Integer Value)
{
    FPendingMinValue.reset();
    if (Value >= FMaxValue) FPendingMinValue = Value;
    else SetMinValue(Value);
}

void TQdMinMax::ReadMaxValue(Integer Value)
{
    SetMaxValue(Value);
    if (!FPendingMinValue) return;
    const Integer pending = *FPendingMinValue;
    FPendingMinValue.reset();
    SetMinValue(pending);
}

// ---------------------------------------------------------------------------
// Text effects
// ---------------------------------------------------------------------------

TClass TQdTextOutline::StaticClassInfo()
{
    using T = TQdTextOutline;
    static const TClassInfo info = TClassBuilder<T, TQdPersistent>("TQdTextOutline")
                                       .Color("Color", &T::Color, &T::SetColor).Default(clNavy)
                                       .Bool("Visible", &T::Visible, &T::SetVisible).Default(true)
                                       .Integer("Width", &T::Width, &T::SetWidth).Default(1)
                                       .Build();
    return &info;
}

void TQdTextOutline::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdTextOutline*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        SetColor(s->Color());
        SetVisible(s->Visible());
        SetWidth(s->Width());
    });
}

TClass TQdFont3D::StaticClassInfo()
{
    using F = TQdFont3D;
    static const TClassInfo info =
        TClassBuilder<F, TQdPersistent>("TQdFont3D")
            .Enum("Style", &F::Style, &F::SetStyle).Default(f3dNone)
            .Color("HighlightColor", &F::HighlightColor, &F::SetHighlightColor).Default(clBtnHighlight)
            .Color("ShadowColor", &F::ShadowColor, &F::SetShadowColor).Default(clBtnShadow)
            .Integer("HighlightDepth", &F::HighlightDepth, &F::SetHighlightDepth).Default(1)
            .Integer("ShadowDepth", &F::ShadowDepth, &F::SetShadowDepth).Default(1)
            .Build();
    return &info;
}

void TQdFont3D::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdFont3D*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        SetStyle(s->Style());
        SetHighlightColor(s->HighlightColor());
        SetShadowColor(s->ShadowColor());
        SetHighlightDepth(s->HighlightDepth());
        SetShadowDepth(s->ShadowDepth());
    });
}

void TQdFont3D::Paint(TCanvas* Canvas, const TRect& Rect, const String& Text, Cardinal Flags) const
{
    Canvas->Brush()->SetStyle(bsClear);
    const TColor face = Canvas->Font()->Color();
    switch (FStyle) {
        case f3dNone: break;
        case f3dRaised:
            DrawTextLayer(Canvas, Rect, FShadowDepth, FShadowColor, Text, Flags);
            DrawTextLayer(Canvas, Rect, -FHighlightDepth, FHighlightColor, Text, Flags);
            break;
        case f3dSunken:
            DrawTextLayer(Canvas, Rect, FHighlightDepth, FHighlightColor, Text, Flags);
            DrawTextLayer(Canvas, Rect, -FShadowDepth, FShadowColor, Text, Flags);
            break;
        case f3dShadow: DrawTextLayer(Canvas, Rect, FShadowDepth, FShadowColor, Text, Flags); break;
    }
    DrawTextLayer(Canvas, Rect, 0, face, Text, Flags);
}

// ---------------------------------------------------------------------------
// TQdGlyphs
// ---------------------------------------------------------------------------

TClass TQdGlyphs::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdGlyphs, TQdPersistent>("TQdGlyphs")
                                       .Object("Bitmap", &TQdGlyphs::Bitmap, &TQdGlyphs::SetBitmap)
                                       .Integer("NumGlyphs", &TQdGlyphs::NumGlyphs, &TQdGlyphs::SetNumGlyphs)
                                       .Build();
    return &info;
}

TQdGlyphs::TQdGlyphs() : FBitmap(CreateOwned<TBitmap>()) {}

TQdGlyphs::~TQdGlyphs() = default;

void TQdGlyphs::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdGlyphs*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] {
        SetBitmap(s->Bitmap());
        SetNumGlyphs(s->NumGlyphs());
    });
}

void TQdGlyphs::SetBitmap(TBitmap* Value)
{
    FBitmap->Assign(Value);
    Changed();
}

void TQdGlyphs::SetNumGlyphs(TQdNumGlyphs Value)
{
    if (Value > 0) Change(FNumGlyphs, Value);
}

// ---------------------------------------------------------------------------
// TQdRect
// ---------------------------------------------------------------------------

TClass TQdRect::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdRect, TQdPersistent>("TQdRect")
                                       .Integer("Left", &TQdRect::Left, &TQdRect::SetLeft).Default(0)
                                       .Integer("Top", &TQdRect::Top, &TQdRect::SetTop).Default(0)
                                       .Integer("Width", &TQdRect::Width, &TQdRect::SetWidth).Default(0)
                                       .Integer("Height", &TQdRect::Height, &TQdRect::SetHeight).Default(0)
                                       .Build();
    return &info;
}

void TQdRect::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TQdRect*>(Source);
    if (!s) return TQdPersistent::Assign(Source);
    Batch([&] { SetBounds(s->Left(), s->Top(), s->Width(), s->Height()); });
}

void TQdRect::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight)
{
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    Changed();
}

TRect TQdRect::BoundsRect() const
{
    return Rect(FLeft, FTop, SatInt32(Int64(FLeft) + FWidth), SatInt32(Int64(FTop) + FHeight));
}

void TQdRect::SetBoundsRect(const TRect& Value)
{
    SetBounds(Value.Left, Value.Top, SatInt32(Int64(Value.Right) - Value.Left),
              SatInt32(Int64(Value.Bottom) - Value.Top));
}

// ---------------------------------------------------------------------------
// TQdBitmaps
// ---------------------------------------------------------------------------

namespace {

constexpr Byte kBitmapsSignature[4] = {0x62, 0x54, 0x35, 0x00};
// The shortest bitmap the reader takes: a file header and a core header.
constexpr Int64 kSmallestBitmapFile = 26;
// All the pixels of one list stream, as the platform caps one image.
constexpr Int64 kMaxListImageBytes = Int64(256) << 20;

constexpr const char SInvalidFileFormat[] = "Invalid file format";
constexpr const char SBitmapListTruncated[] = "Bitmap list truncated: it declares more bitmaps than it holds";
constexpr const char SBitmapListTooLarge[] = "Bitmap list too large: its bitmaps exceed 256 MB";

void ReadSignature(TStream& Stream)
{
    Byte signature[sizeof kBitmapsSignature] = {};
    if (Stream.Read(signature, sizeof signature) != Int64(sizeof signature) ||
        std::memcmp(signature, kBitmapsSignature, sizeof signature) != 0)
        throw Exception(SInvalidFileFormat);
}

}  // namespace

TClass TQdBitmaps::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TQdBitmaps, TQdPersistent>("TQdBitmaps").Build();
    return &info;
}

TQdBitmaps::TQdBitmaps() = default;

TQdBitmaps::~TQdBitmaps()
{
    // Nothing is reported while dying.
    OnChange = nullptr;
}

TOwned<TBitmap> TQdBitmaps::CopyOf(TBitmap* Bitmap)
{
    TOwned<TBitmap> copy = CreateOwned<TBitmap>();
    copy->Assign(Bitmap);
    return copy;
}

void TQdBitmaps::SetBitmap(Integer Index, TBitmap* Bitmap)
{
    FItems[Index]->Assign(Bitmap);
    Changed();
}

Integer TQdBitmaps::Add(TBitmap* Bitmap)
{
    TOwned<TBitmap> copy = CopyOf(Bitmap);
    const Integer index = FItems.Add(copy.get());
    copy.release();
    Changed();
    return index;
}

void TQdBitmaps::Insert(Integer Index, TBitmap* Bitmap)
{
    TOwned<TBitmap> copy = CopyOf(Bitmap);
    FItems.Insert(Index, copy.get());
    copy.release();
    Changed();
}

void TQdBitmaps::Delete(Integer Index)
{
    FItems.Delete(Index);
    Changed();
}

void TQdBitmaps::Exchange(Integer Index1, Integer Index2)
{
    FItems.Exchange(Index1, Index2);
    Changed();
}

void TQdBitmaps::Move(Integer CurIndex, Integer NewIndex)
{
    FItems.Move(CurIndex, NewIndex);
    Changed();
}

void TQdBitmaps::Clear()
{
    Batch([&] { FItems.Clear(); });
    Changed();
}

void TQdBitmaps::Assign(TPersistent* Source)
{
    if (!Source) return Clear();
    auto* s = dynamic_cast<TQdBitmaps*>(Source);
    // A list assigned to itself would clear what it copies.
    if (!s || s == this) return;
    Batch([&] {
        Clear();
        for (TBitmap* bitmap : s->FItems) Add(bitmap);
    });
}

void TQdBitmaps::DefineProperties(TFiler& Filer)
{
    Filer.DefineBinaryProperty(
        "Bitmaps", [this](TStream& Stream) { ReadData(Stream); }, [this](TStream& Stream) { WriteData(Stream); },
        Count() > 0);
}

std::vector<TOwned<TBitmap>> TQdBitmaps::ReadBitmaps(TStream& Stream)
{
    ReadSignature(Stream);
    const Cardinal count = Stream.ReadLE<Cardinal>();
    // The count is only believed as far as the data could hold it.
    if (count > (Stream.Size() - Stream.Position()) / kSmallestBitmapFile) throw EReadError(SBitmapListTruncated);
    std::vector<TOwned<TBitmap>> bitmaps;
    Int64 imageBytes = 0;
    for (Cardinal i = 0; i < count; ++i) {
        TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
        bitmap->LoadFromStream(Stream);
        imageBytes += Int64(bitmap->Width()) * bitmap->Height() * 4;
        if (imageBytes > kMaxListImageBytes) throw EOutOfResources(SBitmapListTooLarge);
        bitmaps.push_back(std::move(bitmap));
    }
    return bitmaps;
}

void TQdBitmaps::Append(std::vector<TOwned<TBitmap>>& Bitmaps)
{
    for (TOwned<TBitmap>& bitmap : Bitmaps) {
        FItems.Add(bitmap.get());
        bitmap.release();
    }
}

void TQdBitmaps::LoadFromStream(TStream& Stream)
{
    std::vector<TOwned<TBitmap>> bitmaps = ReadBitmaps(Stream);
    if (bitmaps.empty()) return;
    Batch([&] { Append(bitmaps); });
}

void TQdBitmaps::SaveToStream(TStream& Stream)
{
    Stream.WriteBuffer(kBitmapsSignature, sizeof kBitmapsSignature);
    Stream.WriteLE<Cardinal>(static_cast<Cardinal>(Count()));
    for (TBitmap* bitmap : FItems) bitmap->SaveToStream(Stream);
}

void TQdBitmaps::LoadFromFile(const String& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TQdBitmaps::SaveToFile(const String& FileName)
{
    TSafeFileStream stream(FileName);
    SaveToStream(stream);
    stream.Commit();
}

void TQdBitmaps::ReadData(TStream& Stream)
{
    std::vector<TOwned<TBitmap>> bitmaps = ReadBitmaps(Stream);
    Batch([&] {
        Clear();
        Append(bitmaps);
    });
}

void TQdBitmaps::WriteData(TStream& Stream)
{
    Batch([&] { SaveToStream(Stream); });
}

// ---------------------------------------------------------------------------
// TQdIntList
// ---------------------------------------------------------------------------

namespace {

constexpr const char SIntListIndex[] = "TQdIntList index out of bounds";
constexpr const char SIntListCapacity[] = "TQdIntList Capacity overrun";
constexpr const char SIntListCount[] = "TQdIntList Count overrun";

}  // namespace

void TQdIntList::CheckIndex(Integer Index) const
{
    if (Index < 0 || Index >= FCount) throw Exception(SIntListIndex);
}

Integer TQdIntList::Add(Integer Value)
{
    if (FCount == Capacity()) Grow();
    FItems[static_cast<std::size_t>(FCount)] = Value;
    return FCount++;
}

Integer TQdIntList::Items(Integer Index) const
{
    CheckIndex(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

void TQdIntList::Delete(Integer Index)
{
    CheckIndex(Index);
    std::copy(FItems.begin() + Index + 1, FItems.begin() + FCount, FItems.begin() + Index);
    --FCount;
}

void TQdIntList::SetCapacity(Integer Value)
{
    if (Value < FCount || Value > MaxCapacity) throw Exception(SIntListCapacity);
    if (Value != Capacity()) {
        FItems.resize(static_cast<std::size_t>(Value));
        FItems.shrink_to_fit();
    }
}

void TQdIntList::SetCount(Integer Value)
{
    if (Value < 0 || Value > MaxCapacity) throw Exception(SIntListCount);
    if (Value > Capacity()) SetCapacity(Value);
    // Slots past the count may hold values deleted or cut off earlier.
    if (Value > FCount) std::fill(FItems.begin() + FCount, FItems.begin() + Value, 0);
    FCount = Value;
}

void TQdIntList::Clear()
{
    FCount = 0;
    SetCapacity(0);
}

void TQdIntList::Grow()
{
    const Integer capacity = Capacity();
    if (capacity >= MaxCapacity) throw Exception(SIntListCapacity);
    const Integer delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
    SetCapacity(static_cast<Integer>(std::min<Int64>(Int64(capacity) + delta, MaxCapacity)));
}

// ---------------------------------------------------------------------------
// TQdCollection
// ---------------------------------------------------------------------------

TQdCollection::~TQdCollection()
{
    // Nothing is reported while dying.
    FUpdateCount = 1;
    Clear();
}

Integer TQdCollection::IndexOf(const TQdCollectionItem* Item) const
{
    return FItems.IndexOf(const_cast<TQdCollectionItem*>(Item));
}

void TQdCollection::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    Changed();
}

void TQdCollection::Changed()
{
    if (FUpdateCount == 0) Update(nullptr);
}

void TQdCollection::Clear()
{
    if (FItems.Count() == 0) return;
    BeginUpdate();
    // Each item leaves the list as it is freed.
    while (FItems.Count() > 0) ::Free(FItems.Last());
    EndUpdate();
}

void TQdCollection::Update(TQdCollectionItem*) {}

void TQdCollection::InsertItem(TQdCollectionItem* Item)
{
    FItems.Add(Item);
    Item->FCollection = this;
}

void TQdCollection::RemoveItem(TQdCollectionItem* Item)
{
    FItems.Remove(Item);
    Item->FCollection = nullptr;
}

TQdCollectionItem::TQdCollectionItem(TQdCollection* Collection) { SetCollection(Collection); }

TQdCollectionItem::~TQdCollectionItem() { SetCollection(nullptr); }

void TQdCollectionItem::SetCollection(TQdCollection* Value)
{
    if (Value == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (Value) Value->InsertItem(this);
}

Integer TQdCollectionItem::Index() const { return FCollection ? FCollection->IndexOf(this) : -1; }

void TQdCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->UpdateCount() == 0) FCollection->Update(AllItems ? nullptr : this);
}
