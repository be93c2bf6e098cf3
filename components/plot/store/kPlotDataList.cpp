#include "components/plot/store/kPlotDataList.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/Math.h"

namespace {

constexpr const char* kIndexOutOfBounds = "Index out of Bounds";
constexpr const char* kExceedMaximumListSize = "Exceed Maximum List Size";
constexpr const char* kDeleteSizeOutOfRange = "Delete size out of Range";
constexpr const char* kFullDeleteSizeOutOfRange = "Delete Size Out Of Range";
constexpr const char* kIntervalSetX =
    "Data Style does not support setting individual X-Value with the exception of the first X-Value";

constexpr Integer kMaxListBytes = 2147483647;

// Rounds to single precision; a finite value beyond the single range raises
// EOverflow rather than turning into an infinity.
inline Single SingleOf(Double Value)
{
    const Single s = static_cast<Single>(Value);
    if (std::isinf(s)) [[unlikely]]
        return ToSingle(Value);
    return s;
}

// Raises as SingleOf would for either value.
void CheckSingles(Double X, Double Y)
{
    SingleOf(X);
    SingleOf(Y);
}

void CheckDeleteSize(bool InRange, const char* Message)
{
    if (!InRange) throw Exception(Message);
}

}  // namespace

Integer GrownCapacity(Integer Capacity, Integer MaxDataPoints)
{
    Int64 grown;
    if (Capacity <= 8)
        grown = Int64{Capacity} + 4;
    else if (Capacity <= 64)
        grown = Int64{Capacity} + 16;
    else
        grown = Int64{Capacity} + Capacity / 4;
    return static_cast<Integer>(std::min<Int64>(grown, MaxDataPoints));
}

// ---------------------------------------------------------------------------
// TkPlotDataCustomList

TClass TkPlotDataCustomList::StaticClassInfo()
{
    static const TClassInfo info("TkPlotDataCustomList", TObject::StaticClassInfo());
    return &info;
}

TkPlotDataCustomList::TkPlotDataCustomList(Integer DataPointSize)
    : FDataPointSize(DataPointSize), FMaxDataPoints(kMaxListBytes / DataPointSize)
{
}

void TkPlotDataCustomList::RaiseIndexOutOfBounds()
{
    throw Exception(kIndexOutOfBounds);
}

void TkPlotDataCustomList::CheckCapacity(Integer NewCapacity) const
{
    if (NewCapacity < 0 || NewCapacity > FMaxDataPoints) throw Exception(kExceedMaximumListSize);
}

void TkPlotDataCustomList::SetRingBufferSize(Integer Value)
{
    CheckCapacity(Value);
    if (Value == 0) {
        if (!FRingBufferEnabled) return;
        FRingBufferEnabled = false;
        // A wrapped ring has no order worth keeping as a growable list.
        if (FTail != 0) Clear();
        return;
    }
    const bool wrapped = FTail != 0;
    const Integer oldCapacity = FCapacity;
    // Growing first: should the memory be refused, nothing has changed yet.
    if (Value > FCapacity) SetCapacity(Value);
    FRingBufferEnabled = true;
    if (Value == oldCapacity) return;
    if (wrapped) Clear();
    if (Value < FCapacity) {
        if (Value < FCount) DeletePoints(FCount - Value);
        SetCapacity(Value);
    }
}

void TkPlotDataCustomList::Clear()
{
    FCount = 0;
    FTail = 0;
    if (!FRingBufferEnabled) SetCapacity(0);
}

void TkPlotDataCustomList::SumXY(Integer Start, Integer Count, Extended& SumX, Extended& SumY) const
{
    if (Count <= 0) return;
    if (Start < 0 || Int64{Start} + Count > FCount) RaiseIndexOutOfBounds();
    for (Integer i = Start; i < Start + Count; ++i) {
        SumX += GetX(i);
        SumY += GetY(i);
    }
}

Boolean TkPlotDataCustomList::GetEmpty(Integer) const { return false; }
Boolean TkPlotDataCustomList::GetNull(Integer) const { return false; }
Double TkPlotDataCustomList::GetHigh(Integer) const { return 0.0; }
Double TkPlotDataCustomList::GetLow(Integer) const { return 0.0; }
Double TkPlotDataCustomList::GetOpen(Integer) const { return 0.0; }
Double TkPlotDataCustomList::GetClose(Integer) const { return 0.0; }
void TkPlotDataCustomList::SetEmpty(Integer, Boolean) {}
void TkPlotDataCustomList::SetNull(Integer, Boolean) {}
void TkPlotDataCustomList::SetHigh(Integer, Double) {}
void TkPlotDataCustomList::SetLow(Integer, Double) {}
void TkPlotDataCustomList::SetOpen(Integer, Double) {}
void TkPlotDataCustomList::SetClose(Integer, Double) {}

TColor TkPlotDataCustomList::GetTraceLineColor(Integer) const { return FStoredTraceLineColor; }
Integer TkPlotDataCustomList::GetTraceLineWidth(Integer) const { return FStoredTraceLineWidth; }
TkPlotLineStyle TkPlotDataCustomList::GetTraceLineStyle(Integer) const { return FStoredTraceLineStyle; }
Boolean TkPlotDataCustomList::GetMarkerVisible(Integer) const { return FStoredMarkerVisible; }
Integer TkPlotDataCustomList::GetMarkerSize(Integer) const { return FStoredMarkerSize; }
TkPlotMarkerStyle TkPlotDataCustomList::GetMarkerStyle(Integer) const { return FStoredMarkerStyle; }
TColor TkPlotDataCustomList::GetMarkerPenColor(Integer) const { return FStoredMarkerPenColor; }
Integer TkPlotDataCustomList::GetMarkerPenWidth(Integer) const { return FStoredMarkerPenWidth; }
TPenStyle TkPlotDataCustomList::GetMarkerPenStyle(Integer) const { return FStoredMarkerPenStyle; }
TColor TkPlotDataCustomList::GetMarkerBrushColor(Integer) const { return FStoredMarkerBrushColor; }
TBrushStyle TkPlotDataCustomList::GetMarkerBrushStyle(Integer) const { return FStoredMarkerBrushStyle; }
Char TkPlotDataCustomList::GetMarkerCharacter(Integer) const { return FStoredMarkerCharacter; }
Boolean TkPlotDataCustomList::GetBarVisible(Integer) const { return FStoredBarVisible; }
Double TkPlotDataCustomList::GetBarReference(Integer) const { return FStoredBarReference; }
Double TkPlotDataCustomList::GetBarWidth(Integer) const { return FStoredBarWidth; }
TColor TkPlotDataCustomList::GetBarPenColor(Integer) const { return FStoredBarPenColor; }
Integer TkPlotDataCustomList::GetBarPenWidth(Integer) const { return FStoredBarPenWidth; }
TPenStyle TkPlotDataCustomList::GetBarPenStyle(Integer) const { return FStoredBarPenStyle; }
TColor TkPlotDataCustomList::GetBarBrushColor(Integer) const { return FStoredBarBrushColor; }
TBrushStyle TkPlotDataCustomList::GetBarBrushStyle(Integer) const { return FStoredBarBrushStyle; }
void TkPlotDataCustomList::SetTraceLineColor(Integer, TColor) {}
void TkPlotDataCustomList::SetTraceLineWidth(Integer, Integer) {}
void TkPlotDataCustomList::SetTraceLineStyle(Integer, TkPlotLineStyle) {}
void TkPlotDataCustomList::SetMarkerVisible(Integer, Boolean) {}
void TkPlotDataCustomList::SetMarkerSize(Integer, Integer) {}
void TkPlotDataCustomList::SetMarkerStyle(Integer, TkPlotMarkerStyle) {}
void TkPlotDataCustomList::SetMarkerPenColor(Integer, TColor) {}
void TkPlotDataCustomList::SetMarkerPenWidth(Integer, Integer) {}
void TkPlotDataCustomList::SetMarkerPenStyle(Integer, TPenStyle) {}
void TkPlotDataCustomList::SetMarkerBrushColor(Integer, TColor) {}
void TkPlotDataCustomList::SetMarkerBrushStyle(Integer, TBrushStyle) {}
void TkPlotDataCustomList::SetMarkerCharacter(Integer, Char) {}
void TkPlotDataCustomList::SetBarVisible(Integer, Boolean) {}
void TkPlotDataCustomList::SetBarReference(Integer, Double) {}
void TkPlotDataCustomList::SetBarWidth(Integer, Double) {}
void TkPlotDataCustomList::SetBarPenColor(Integer, TColor) {}
void TkPlotDataCustomList::SetBarPenWidth(Integer, Integer) {}
void TkPlotDataCustomList::SetBarPenStyle(Integer, TPenStyle) {}
void TkPlotDataCustomList::SetBarBrushColor(Integer, TColor) {}
void TkPlotDataCustomList::SetBarBrushStyle(Integer, TBrushStyle) {}

// ---------------------------------------------------------------------------
// TkPlotDataRecordList

template <class TRecord>
TkPlotDataRecordList<TRecord>::~TkPlotDataRecordList()
{
    FreeList();
}

template <class TRecord>
void TkPlotDataRecordList<TRecord>::FreeList()
{
    std::free(FList);
    FList = nullptr;
    FCount = 0;
    FCapacity = 0;
    FTail = 0;
    FRingBufferEnabled = false;
}

template <class TRecord>
void TkPlotDataRecordList<TRecord>::SetCapacity(Integer NewCapacity)
{
    CheckCapacity(NewCapacity);
    if (NewCapacity == FCapacity) return;
    // Physical order must be logical order before the array is cut or grown.
    Unroll();
    Reallocate(NewCapacity);
    if (FCount > NewCapacity) FCount = NewCapacity;
    // A ring without slots would have nowhere to write its next point.
    if (NewCapacity == 0) FRingBufferEnabled = false;
}

template <class TRecord>
void TkPlotDataRecordList<TRecord>::DeleteOldest(Integer Size)
{
    if (Size == 0) return;
    Unroll();
    FCount -= Size;
    if (FCount > 0) std::memmove(FList, FList + Size, static_cast<std::size_t>(FCount) * sizeof(TRecord));
}

template <class TRecord>
void TkPlotDataRecordList<TRecord>::ReserveForMore(std::size_t Count)
{
    if (FRingBufferEnabled) return;
    const auto needed = static_cast<Int64>(std::min<std::size_t>(Count, kMaxListBytes)) + FCount;
    Integer capacity = FCapacity;
    while (capacity < needed) {
        if (capacity >= FMaxDataPoints) throw Exception(kExceedMaximumListSize);
        capacity = GrownCapacity(capacity, FMaxDataPoints);
    }
    SetCapacity(capacity);
}

template <class TRecord>
TRecord* TkPlotDataRecordList<TRecord>::NewestSlotSlow(Integer& Slot)
{
    if (!FRingBufferEnabled) Grow();
    if (FCount < FCapacity) {
        Slot = FCount++;
        return FList + Slot;
    }
    if (++FTail == FCount) FTail = 0;
    Slot = (FTail == 0 ? FCount : FTail) - 1;
    return FList + Slot;
}

template <class TRecord>
void TkPlotDataRecordList<TRecord>::Grow()
{
    if (FCapacity >= FMaxDataPoints) throw Exception(kExceedMaximumListSize);
    SetCapacity(GrownCapacity(FCapacity, FMaxDataPoints));
}

template <class TRecord>
void TkPlotDataRecordList<TRecord>::Unroll()
{
    if (FTail == 0) return;
    std::rotate(FList, FList + FTail, FList + FCount);
    FTail = 0;
}

template <class TRecord>
void TkPlotDataRecordList<TRecord>::Reallocate(Integer NewCapacity)
{
    if (NewCapacity == 0) {
        std::free(FList);
        FList = nullptr;
    } else {
        void* list = std::realloc(FList, static_cast<std::size_t>(NewCapacity) * sizeof(TRecord));
        if (!list) throw std::bad_alloc();
        FList = static_cast<TRecord*>(list);
    }
    FCapacity = NewCapacity;
}

template class TkPlotDataRecordList<TkPlotDataNull>;
template class TkPlotDataRecordList<TkPlotDataSingle>;
template class TkPlotDataRecordList<TkPlotDataCompactInterval>;
template class TkPlotDataRecordList<TkPlotDataFull>;

// ---------------------------------------------------------------------------
// TkPlotDataNullList

TClass TkPlotDataNullList::StaticClassInfo()
{
    static const TClassInfo info("TkPlotDataNullList", TkPlotDataCustomList::StaticClassInfo());
    return &info;
}

Boolean TkPlotDataNullList::GetEmpty(Integer Index) const { return (At(Index).Extra & kExtraEmpty) != 0; }
Boolean TkPlotDataNullList::GetNull(Integer Index) const { return (At(Index).Extra & kExtraNull) != 0; }

Boolean TkPlotDataNullList::GetMarkerVisible(Integer Index) const
{
    return (At(Index).Extra & kExtraMarkerVisible) != 0;
}

TkPlotMarkerStyle TkPlotDataNullList::GetMarkerStyle(Integer Index) const
{
    return static_cast<TkPlotMarkerStyle>((At(Index).Extra & kExtraMarkerStyle) >> kExtraMarkerStyleShift);
}

void TkPlotDataNullList::SetExtraBits(Integer Index, Word Mask, Word Bits)
{
    Word& extra = At(Index).Extra;
    extra = static_cast<Word>((extra & ~Mask) | Bits);
}

void TkPlotDataNullList::SetEmpty(Integer Index, Boolean Value)
{
    SetExtraBits(Index, kExtraEmpty, Value ? kExtraEmpty : 0);
}

void TkPlotDataNullList::SetNull(Integer Index, Boolean Value)
{
    SetExtraBits(Index, kExtraNull, Value ? kExtraNull : 0);
}

void TkPlotDataNullList::SetMarkerVisible(Integer Index, Boolean Value)
{
    SetExtraBits(Index, kExtraMarkerVisible, Value ? kExtraMarkerVisible : 0);
}

void TkPlotDataNullList::SetMarkerStyle(Integer Index, TkPlotMarkerStyle Value)
{
    SetExtraBits(Index, kExtraMarkerStyle, MarkerStyleBits(Value));
}

// A run that fits goes in by one loop without a check per point: a point's
// kind gives its null and empty bits as they stand.
void TkPlotDataNullList::AddPoints(std::span<const TkPlotNewPoint> Points)
{
    static_assert(static_cast<Word>(TkPlotPointKind::Null) == kExtraNull &&
                  static_cast<Word>(TkPlotPointKind::Empty) == kExtraEmpty);
    TkPlotDataNull* const records = AppendRecords(Points.size());
    if (!records) {
        AddEach(*this, Points);
        return;
    }
    const Word marker = Extra(false, false);
    for (std::size_t i = 0; i < Points.size(); ++i)
        records[i] = {Points[i].X, Points[i].Y, static_cast<Word>(marker | static_cast<Word>(Points[i].Kind))};
}

void TkPlotDataNullList::DeletePoints(Integer Size)
{
    CheckDeleteSize(Size >= 0 && Size < FCount, kDeleteSizeOutOfRange);
    DeleteOldest(Size);
}

void TkPlotDataNullList::GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const
{
    const TkPlotDataNull& point = At(Index);
    X = point.X;
    Y = point.Y;
    Empty = (point.Extra & kExtraEmpty) != 0;
    Null = (point.Extra & kExtraNull) != 0;
}

void TkPlotDataNullList::ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const
{
    ForRecords(Start, Count, [&Block](const TkPlotDataNull& Point, Integer I, Integer) {
        Block.X[I] = Point.X;
        Block.Y[I] = Point.Y;
        Block.Status[I] = (Point.Extra & kExtraEmpty) ? kpdpsEmpty : (Point.Extra & kExtraNull) ? kpdpsNull : kpdpsValid;
    });
}

// ---------------------------------------------------------------------------
// TkPlotDataCompactList

TClass TkPlotDataCompactList::StaticClassInfo()
{
    static const TClassInfo info("TkPlotDataCompactList", TkPlotDataCustomList::StaticClassInfo());
    return &info;
}

Integer TkPlotDataCompactList::Add(Double X, Double Y, Boolean, Boolean)
{
    const Single x = SingleOf(X);
    const Single y = SingleOf(Y);
    Integer slot;
    *NewestSlot(slot) = {x, y};
    return slot;
}

void TkPlotDataCompactList::AddPoints(std::span<const TkPlotNewPoint> Points) { AddEach(*this, Points); }

void TkPlotDataCompactList::PrepareToAdd(std::span<const TkPlotNewPoint> Points)
{
    for (const TkPlotNewPoint& point : Points) CheckSingles(point.X, point.Y);
    TkPlotDataRecordList::PrepareToAdd(Points);
}

void TkPlotDataCompactList::SetX(Integer Index, Double Value)
{
    const Single x = SingleOf(Value);
    At(Index).X = x;
}

void TkPlotDataCompactList::SetY(Integer Index, Double Value)
{
    const Single y = SingleOf(Value);
    At(Index).Y = y;
}

void TkPlotDataCompactList::DeletePoints(Integer Size)
{
    CheckDeleteSize(Size >= 0 && Size < FCount, kDeleteSizeOutOfRange);
    DeleteOldest(Size);
}

void TkPlotDataCompactList::GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const
{
    const TkPlotDataSingle& point = At(Index);
    X = point.X;
    Y = point.Y;
    Empty = false;
    Null = false;
}

void TkPlotDataCompactList::ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const
{
    ForRecords(Start, Count, [&Block](const TkPlotDataSingle& Point, Integer I, Integer) {
        Block.X[I] = Point.X;
        Block.Y[I] = Point.Y;
        Block.Status[I] = kpdpsValid;
    });
}

// ---------------------------------------------------------------------------
// TkPlotDataCompactIntervalList

TClass TkPlotDataCompactIntervalList::StaticClassInfo()
{
    static const TClassInfo info("TkPlotDataCompactIntervalList", TkPlotDataCustomList::StaticClassInfo());
    return &info;
}

Integer TkPlotDataCompactIntervalList::Add(Double X, Double Y, Boolean, Boolean)
{
    const Single y = SingleOf(Y);
    // Past the first two points X is dropped, until the ring overwrites.
    if (FCount < 2 || RingFull()) [[unlikely]]
        return AddMovingXOrigin(X, y);
    Integer slot;
    *NewestSlot(slot) = {y};
    return slot;
}

void TkPlotDataCompactIntervalList::AddPoints(std::span<const TkPlotNewPoint> Points) { AddEach(*this, Points); }

void TkPlotDataCompactIntervalList::PrepareToAdd(std::span<const TkPlotNewPoint> Points)
{
    for (const TkPlotNewPoint& point : Points) CheckSingles(0.0, point.Y);
    TkPlotDataRecordList::PrepareToAdd(Points);
}

Integer TkPlotDataCompactIntervalList::AddMovingXOrigin(Double X, Single Y)
{
    // The new first X and interval take effect only once the point is in.
    Double firstX = FFirstX;
    Double interval = FInterval;
    bool intervalKnown = FIntervalKnown;
    if (FCount == 0) {
        firstX = X;
    } else if (FCount == 1 && !intervalKnown) {
        interval = X - firstX;
        intervalKnown = true;
    }
    const bool overwrites = RingFull();
    Integer slot;
    *NewestSlot(slot) = {Y};
    // The oldest point went: the survivors keep their X values.
    if (overwrites && intervalKnown) firstX += interval;
    FFirstX = firstX;
    FInterval = interval;
    FIntervalKnown = intervalKnown;
    return slot;
}

void TkPlotDataCompactIntervalList::SetX(Integer Index, Double Value)
{
    if (Index != 0 || FCount == 0) throw Exception(kIntervalSetX);
    FFirstX = Value;
}

void TkPlotDataCompactIntervalList::SetY(Integer Index, Double Value)
{
    const Single y = SingleOf(Value);
    At(Index).Y = y;
}

void TkPlotDataCompactIntervalList::Clear()
{
    TkPlotDataRecordList::Clear();
    FInterval = -1.0;
    FIntervalKnown = false;
}

void TkPlotDataCompactIntervalList::DeletePoints(Integer Size)
{
    CheckDeleteSize(Size >= 0 && Size <= FCount, kDeleteSizeOutOfRange);
    DeleteOldest(Size);
    if (FIntervalKnown) FFirstX += Size * FInterval;
}

void TkPlotDataCompactIntervalList::GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty,
                                                   Boolean& Null) const
{
    Y = At(Index).Y;
    X = GetX(Index);
    Empty = false;
    Null = false;
}

void TkPlotDataCompactIntervalList::ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const
{
    ForRecords(Start, Count, [this, &Block](const TkPlotDataCompactInterval& Point, Integer I, Integer Index) {
        Block.X[I] = GetX(Index);
        Block.Y[I] = Point.Y;
        Block.Status[I] = kpdpsValid;
    });
}

// ---------------------------------------------------------------------------
// TkPlotDataFullList

TClass TkPlotDataFullList::StaticClassInfo()
{
    static const TClassInfo info("TkPlotDataFullList", TkPlotDataCustomList::StaticClassInfo());
    return &info;
}

Integer TkPlotDataFullList::Add(Double X, Double Y, Boolean Null, Boolean Empty)
{
    // Every attribute but the marker character starts from the channel's.
    Integer slot;
    *NewestSlot(slot) = {.X = X,
                         .Y = Y,
                         .Null = Null,
                         .Empty = Empty,
                         .High = 0.0,
                         .Low = 0.0,
                         .Open = 0.0,
                         .Close = 0.0,
                         .TraceLineColor = StoredTraceLineColor(),
                         .TraceLineWidth = StoredTraceLineWidth(),
                         .TraceLineStyle = StoredTraceLineStyle(),
                         .MarkerVisible = StoredMarkerVisible(),
                         .MarkerSize = StoredMarkerSize(),
                         .MarkerStyle = StoredMarkerStyle(),
                         .MarkerPenColor = StoredMarkerPenColor(),
                         .MarkerPenWidth = StoredMarkerPenWidth(),
                         .MarkerPenStyle = StoredMarkerPenStyle(),
                         .MarkerBrushColor = StoredMarkerBrushColor(),
                         .MarkerBrushStyle = StoredMarkerBrushStyle(),
                         .MarkerCharacter = 0,
                         .BarVisible = StoredBarVisible(),
                         .BarReference = StoredBarReference(),
                         .BarWidth = StoredBarWidth(),
                         .BarPenColor = StoredBarPenColor(),
                         .BarPenWidth = StoredBarPenWidth(),
                         .BarPenStyle = StoredBarPenStyle(),
                         .BarBrushColor = StoredBarBrushColor(),
                         .BarBrushStyle = StoredBarBrushStyle()};
    return slot;
}

void TkPlotDataFullList::AddPoints(std::span<const TkPlotNewPoint> Points) { AddEach(*this, Points); }

void TkPlotDataFullList::DeletePoints(Integer Size)
{
    CheckDeleteSize(Size >= 0 && Size < FCount, kFullDeleteSizeOutOfRange);
    DeleteOldest(Size);
}

void TkPlotDataFullList::GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const
{
    const TkPlotDataFull& point = At(Index);
    X = point.X;
    Y = point.Y;
    Empty = point.Empty;
    Null = point.Null;
}

void TkPlotDataFullList::ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const
{
    ForRecords(Start, Count, [&Block](const TkPlotDataFull& Point, Integer I, Integer) {
        Block.X[I] = Point.X;
        Block.Y[I] = Point.Y;
        Block.Status[I] = Point.Empty ? kpdpsEmpty : Point.Null ? kpdpsNull : kpdpsValid;
    });
}
