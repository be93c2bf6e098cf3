#pragma once
// Point stores of a plot channel: one contiguous array of fixed-size records
// per channel, growable or used as a ring buffer, addressed by logical index
// (oldest point first). A store never notifies; its channel does.

#include <algorithm>
#include <span>
#include <type_traits>

#include "components/foundation/kTypes.h"
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/TypInfo.h"

// ---------------------------------------------------------------------------
// Point records. Their sizes are part of the store's observable contract
// (DataPointSize, MaxDataPoints, MemoryUsed), so they are pinned below.

struct TkPlotDataNull {
    Double X;
    Double Y;
    // Bit 0 Null, bit 1 Empty, bit 2 marker visible, bits 3-6 marker style.
    Word Extra;
};

struct TkPlotDataSingle {
    Single X;
    Single Y;
};

struct TkPlotDataCompactInterval {
    Single Y;
};

struct TkPlotDataFull {
    Double X;
    Double Y;
    Boolean Null;
    Boolean Empty;
    Double High;
    Double Low;
    Double Open;
    Double Close;
    TColor TraceLineColor;
    Integer TraceLineWidth;
    TkPlotLineStyle TraceLineStyle;
    Boolean MarkerVisible;
    Integer MarkerSize;
    TkPlotMarkerStyle MarkerStyle;
    TColor MarkerPenColor;
    Integer MarkerPenWidth;
    TPenStyle MarkerPenStyle;
    TColor MarkerBrushColor;
    TBrushStyle MarkerBrushStyle;
    Char MarkerCharacter;
    Boolean BarVisible;
    Double BarReference;
    Double BarWidth;
    TColor BarPenColor;
    Integer BarPenWidth;
    TPenStyle BarPenStyle;
    TColor BarBrushColor;
    TBrushStyle BarBrushStyle;
};

static_assert(sizeof(TkPlotDataNull) == 24);
static_assert(sizeof(TkPlotDataSingle) == 8);
static_assert(sizeof(TkPlotDataCompactInterval) == 4);
static_assert(sizeof(TkPlotDataFull) == 144);
static_assert(std::is_trivially_copyable_v<TkPlotDataNull> && std::is_trivially_copyable_v<TkPlotDataSingle> &&
              std::is_trivially_copyable_v<TkPlotDataCompactInterval> &&
              std::is_trivially_copyable_v<TkPlotDataFull>);

// A point on its way into a channel: valid, null or empty.
enum class TkPlotPointKind : Byte { Valid, Null, Empty };
struct TkPlotNewPoint {
    Double X = 0;
    Double Y = 0;
    TkPlotPointKind Kind = TkPlotPointKind::Valid;
    bool operator==(const TkPlotNewPoint&) const = default;
};

// Points as drawing reads them, a block at a time, a field to an array, so
// that whole blocks convert to pixels in tight loops.
struct TkPlotPointBlock {
    static constexpr Integer Capacity = 1024;
    Double X[Capacity];
    Double Y[Capacity];
    // An empty point that is null as well reads empty.
    TkPlotDataPointStatus Status[Capacity];
};

// Capacity after one growth step from Capacity: +4 up to 8 slots, +16 up to
// 64, then a quarter more; never past MaxDataPoints while below it.
Integer GrownCapacity(Integer Capacity, Integer MaxDataPoints);

// ---------------------------------------------------------------------------

class TkPlotDataCustomList : public TObject {
    PL_CLASSINFO()
public:
    Integer Count() const { return FCount; }
    Integer Capacity() const { return FCapacity; }
    Integer DataPointSize() const { return FDataPointSize; }
    Integer MaxDataPoints() const { return FMaxDataPoints; }
    // Bytes held by the record array; never past 2^31 - 1 by MaxDataPoints.
    Integer MemoryUsed() const { return FDataPointSize * FCapacity; }

    // The capacity while the ring buffer is on, else 0.
    Integer RingBufferSize() const { return FRingBufferEnabled ? FCapacity : 0; }
    void SetRingBufferSize(Integer Value);

    // Per-point values; the base answers any index with "no value".
    virtual Double GetX(Integer Index) const = 0;
    virtual Double GetY(Integer Index) const = 0;
    virtual Boolean GetEmpty(Integer Index) const;
    virtual Boolean GetNull(Integer Index) const;
    virtual Double GetHigh(Integer Index) const;
    virtual Double GetLow(Integer Index) const;
    virtual Double GetOpen(Integer Index) const;
    virtual Double GetClose(Integer Index) const;
    virtual void SetX(Integer Index, Double Value) = 0;
    virtual void SetY(Integer Index, Double Value) = 0;
    virtual void SetEmpty(Integer Index, Boolean Value);
    virtual void SetNull(Integer Index, Boolean Value);
    virtual void SetHigh(Integer Index, Double Value);
    virtual void SetLow(Integer Index, Double Value);
    virtual void SetOpen(Integer Index, Double Value);
    virtual void SetClose(Integer Index, Double Value);

    // Per-point drawing attributes; the base answers any index with the
    // channel-wide value and ignores writes.
    virtual TColor GetTraceLineColor(Integer Index) const;
    virtual Integer GetTraceLineWidth(Integer Index) const;
    virtual TkPlotLineStyle GetTraceLineStyle(Integer Index) const;
    virtual Boolean GetMarkerVisible(Integer Index) const;
    virtual Integer GetMarkerSize(Integer Index) const;
    virtual TkPlotMarkerStyle GetMarkerStyle(Integer Index) const;
    virtual TColor GetMarkerPenColor(Integer Index) const;
    virtual Integer GetMarkerPenWidth(Integer Index) const;
    virtual TPenStyle GetMarkerPenStyle(Integer Index) const;
    virtual TColor GetMarkerBrushColor(Integer Index) const;
    virtual TBrushStyle GetMarkerBrushStyle(Integer Index) const;
    virtual Char GetMarkerCharacter(Integer Index) const;
    virtual Boolean GetBarVisible(Integer Index) const;
    virtual Double GetBarReference(Integer Index) const;
    virtual Double GetBarWidth(Integer Index) const;
    virtual TColor GetBarPenColor(Integer Index) const;
    virtual Integer GetBarPenWidth(Integer Index) const;
    virtual TPenStyle GetBarPenStyle(Integer Index) const;
    virtual TColor GetBarBrushColor(Integer Index) const;
    virtual TBrushStyle GetBarBrushStyle(Integer Index) const;
    virtual void SetTraceLineColor(Integer Index, TColor Value);
    virtual void SetTraceLineWidth(Integer Index, Integer Value);
    virtual void SetTraceLineStyle(Integer Index, TkPlotLineStyle Value);
    virtual void SetMarkerVisible(Integer Index, Boolean Value);
    virtual void SetMarkerSize(Integer Index, Integer Value);
    virtual void SetMarkerStyle(Integer Index, TkPlotMarkerStyle Value);
    virtual void SetMarkerPenColor(Integer Index, TColor Value);
    virtual void SetMarkerPenWidth(Integer Index, Integer Value);
    virtual void SetMarkerPenStyle(Integer Index, TPenStyle Value);
    virtual void SetMarkerBrushColor(Integer Index, TColor Value);
    virtual void SetMarkerBrushStyle(Integer Index, TBrushStyle Value);
    virtual void SetMarkerCharacter(Integer Index, Char Value);
    virtual void SetBarVisible(Integer Index, Boolean Value);
    virtual void SetBarReference(Integer Index, Double Value);
    virtual void SetBarWidth(Integer Index, Double Value);
    virtual void SetBarPenColor(Integer Index, TColor Value);
    virtual void SetBarPenWidth(Integer Index, Integer Value);
    virtual void SetBarPenStyle(Integer Index, TPenStyle Value);
    virtual void SetBarBrushColor(Integer Index, TColor Value);
    virtual void SetBarBrushStyle(Integer Index, TBrushStyle Value);

    virtual void FreeList() = 0;
    // Appends a point (overwriting the oldest one when the ring is full) and
    // returns the physical slot written, which is the logical index only
    // until the ring wraps.
    virtual Integer Add(Double X, Double Y, Boolean Null, Boolean Empty) = 0;
    // Makes room for the points at once, growing the array to the capacity
    // the growth steps reach, and checks them: raises, the store as it was,
    // when it cannot take them all.
    virtual void PrepareToAdd(std::span<const TkPlotNewPoint> Points) = 0;
    // Makes room for Count more points at once, as PrepareToAdd would for
    // that many; raises, the store as it was, when it cannot hold them.
    virtual void ReserveForMore(std::size_t Count) = 0;
    // Appends points that PrepareToAdd took, alone or within a longer run,
    // as Add would one after the other (the same records, slots and ring
    // overwrites): no growth and no failure.
    virtual void AddPoints(std::span<const TkPlotNewPoint> Points) = 0;
    virtual void Clear();
    // Reserves or cuts the record array; a cut drops the newest points.
    virtual void SetCapacity(Integer NewCapacity) = 0;
    // Removes the Size oldest points.
    virtual void DeletePoints(Integer Size) = 0;
    virtual void GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const = 0;
    // The points of logical indices Start .. Start + Count - 1 (Count at
    // most a block's capacity), in order, as GetXYEmptyNull gives them, at
    // memory speed; raises "Index out of Bounds" before reading when the
    // range is not inside 0 .. Count - 1.
    virtual void ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const = 0;
    // Asks the memory for the points of Start .. Start + Count - 1 (those
    // of them that exist) ahead of their ReadPoints, so that a pass over
    // the store reads a block while the next one is on its way. Changes
    // nothing.
    virtual void PrefetchPoints(Integer, Integer) const noexcept {}
    // Adds the X and the Y of logical points Start .. Start + Count - 1 to
    // SumX and SumY, point after point, in extended precision; raises
    // "Index out of Bounds" before adding when the range is not inside
    // 0 .. Count - 1.
    virtual void SumXY(Integer Start, Integer Count, Extended& SumX, Extended& SumY) const;
    // Every point keeps the X and Y it was given, unrounded and unmoved
    // (no single precision, no X computed from a learnt interval).
    virtual bool KeepsValuesExactly() const { return false; }

    // Channel-wide drawing attributes, and the defaults of new points in the
    // stores that keep attributes per point.
    TColor StoredTraceLineColor() const { return FStoredTraceLineColor; }
    void SetStoredTraceLineColor(TColor Value) { FStoredTraceLineColor = Value; }
    Integer StoredTraceLineWidth() const { return FStoredTraceLineWidth; }
    void SetStoredTraceLineWidth(Integer Value) { FStoredTraceLineWidth = Value; }
    TkPlotLineStyle StoredTraceLineStyle() const { return FStoredTraceLineStyle; }
    void SetStoredTraceLineStyle(TkPlotLineStyle Value) { FStoredTraceLineStyle = Value; }
    Boolean StoredMarkerVisible() const { return FStoredMarkerVisible; }
    void SetStoredMarkerVisible(Boolean Value) { FStoredMarkerVisible = Value; }
    Integer StoredMarkerSize() const { return FStoredMarkerSize; }
    void SetStoredMarkerSize(Integer Value) { FStoredMarkerSize = Value; }
    TkPlotMarkerStyle StoredMarkerStyle() const { return FStoredMarkerStyle; }
    void SetStoredMarkerStyle(TkPlotMarkerStyle Value) { FStoredMarkerStyle = Value; }
    TColor StoredMarkerPenColor() const { return FStoredMarkerPenColor; }
    void SetStoredMarkerPenColor(TColor Value) { FStoredMarkerPenColor = Value; }
    Integer StoredMarkerPenWidth() const { return FStoredMarkerPenWidth; }
    void SetStoredMarkerPenWidth(Integer Value) { FStoredMarkerPenWidth = Value; }
    TPenStyle StoredMarkerPenStyle() const { return FStoredMarkerPenStyle; }
    void SetStoredMarkerPenStyle(TPenStyle Value) { FStoredMarkerPenStyle = Value; }
    TColor StoredMarkerBrushColor() const { return FStoredMarkerBrushColor; }
    void SetStoredMarkerBrushColor(TColor Value) { FStoredMarkerBrushColor = Value; }
    TBrushStyle StoredMarkerBrushStyle() const { return FStoredMarkerBrushStyle; }
    void SetStoredMarkerBrushStyle(TBrushStyle Value) { FStoredMarkerBrushStyle = Value; }
    Char StoredMarkerCharacter() const { return FStoredMarkerCharacter; }
    void SetStoredMarkerCharacter(Char Value) { FStoredMarkerCharacter = Value; }
    Boolean StoredBarVisible() const { return FStoredBarVisible; }
    void SetStoredBarVisible(Boolean Value) { FStoredBarVisible = Value; }
    Double StoredBarReference() const { return FStoredBarReference; }
    void SetStoredBarReference(Double Value) { FStoredBarReference = Value; }
    Double StoredBarWidth() const { return FStoredBarWidth; }
    void SetStoredBarWidth(Double Value) { FStoredBarWidth = Value; }
    TColor StoredBarPenColor() const { return FStoredBarPenColor; }
    void SetStoredBarPenColor(TColor Value) { FStoredBarPenColor = Value; }
    Integer StoredBarPenWidth() const { return FStoredBarPenWidth; }
    void SetStoredBarPenWidth(Integer Value) { FStoredBarPenWidth = Value; }
    TPenStyle StoredBarPenStyle() const { return FStoredBarPenStyle; }
    void SetStoredBarPenStyle(TPenStyle Value) { FStoredBarPenStyle = Value; }
    TColor StoredBarBrushColor() const { return FStoredBarBrushColor; }
    void SetStoredBarBrushColor(TColor Value) { FStoredBarBrushColor = Value; }
    TBrushStyle StoredBarBrushStyle() const { return FStoredBarBrushStyle; }
    void SetStoredBarBrushStyle(TBrushStyle Value) { FStoredBarBrushStyle = Value; }

protected:
    explicit TkPlotDataCustomList(Integer DataPointSize);

    // Physical slot of a logical index; raises "Index out of Bounds".
    Integer Slot(Integer Index) const
    {
        if (static_cast<Cardinal>(Index) >= static_cast<Cardinal>(FCount)) RaiseIndexOutOfBounds();
        const Integer p = Index + FTail;
        return p >= FCount ? p - FCount : p;
    }
    // True when the next Add overwrites the oldest point.
    bool RingFull() const { return FRingBufferEnabled && FCount >= FCapacity; }
    // Raises "Exceed Maximum List Size" for a capacity out of 0..MaxDataPoints.
    void CheckCapacity(Integer NewCapacity) const;

    [[noreturn]] static void RaiseIndexOutOfBounds();

    Integer FCount = 0;
    Integer FCapacity = 0;
    Integer FTail = 0;
    Boolean FRingBufferEnabled = false;
    const Integer FDataPointSize;
    const Integer FMaxDataPoints;

private:
    TColor FStoredTraceLineColor = 0;
    Integer FStoredTraceLineWidth = 0;
    TkPlotLineStyle FStoredTraceLineStyle{};
    Boolean FStoredMarkerVisible = false;
    Integer FStoredMarkerSize = 0;
    TkPlotMarkerStyle FStoredMarkerStyle{};
    TColor FStoredMarkerPenColor = 0;
    Integer FStoredMarkerPenWidth = 0;
    TPenStyle FStoredMarkerPenStyle{};
    TColor FStoredMarkerBrushColor = 0;
    TBrushStyle FStoredMarkerBrushStyle{};
    Char FStoredMarkerCharacter = 0;
    Boolean FStoredBarVisible = true;
    Double FStoredBarReference = 0.0;
    Double FStoredBarWidth = 0.0;
    TColor FStoredBarPenColor = 0;
    Integer FStoredBarPenWidth = 0;
    TPenStyle FStoredBarPenStyle{};
    TColor FStoredBarBrushColor = 0;
    TBrushStyle FStoredBarBrushStyle{};
};

// The array, growth and ring bookkeeping shared by the four stores.
template <class TRecord>
class TkPlotDataRecordList : public TkPlotDataCustomList {
public:
    ~TkPlotDataRecordList() override;
    void FreeList() final;
    void SetCapacity(Integer NewCapacity) final;
    // Room for the points: no growth on the way (a ring buffer overwrites
    // instead).
    void PrepareToAdd(std::span<const TkPlotNewPoint> Points) override { ReserveForMore(Points.size()); }
    void ReserveForMore(std::size_t Count) final;
    void PrefetchPoints(Integer Start, Integer Count) const noexcept final
    {
        const Int64 stop = std::min(Int64{Start} + Count, Int64{FCount});
        if (Start < 0 || Start >= stop) return;
        const auto n = static_cast<Integer>(stop - Start);
        const Integer first = Slot(Start);
        const Integer run = FCount - first < n ? FCount - first : n;
        PrefetchRecords(FList + first, run);
        PrefetchRecords(FList, n - run);
    }

protected:
    TkPlotDataRecordList() : TkPlotDataCustomList(sizeof(TRecord)) {}

    // The slot for a new point, counted in: the next free one, after growth
    // when the array is full, or the oldest point's once the ring is full.
    // Callers build the record in place: with no call between computing the
    // values and storing them, they never leave the registers.
    TRecord* NewestSlot(Integer& Slot)
    {
        if (FRingBufferEnabled | (FCount == FCapacity)) [[unlikely]]
            return NewestSlotSlow(Slot);
        Slot = FCount++;
        return FList + Slot;
    }
    TRecord& At(Integer Index) { return FList[Slot(Index)]; }
    const TRecord& At(Integer Index) const { return FList[Slot(Index)]; }
    // Visits the records of Start .. Start + Count - 1 in logical order,
    // walking the array once (round the ring's end).
    // Visit takes the record, its place in the block and its logical index.
    template <class F>
    void ForRecords(Integer Start, Integer Count, F Visit) const
    {
        if (Count > TkPlotPointBlock::Capacity) RaiseIndexOutOfBounds();
        ForRecordRange(Start, Count, Visit);
    }
    // The same for a range of any length.
    template <class F>
    void ForRecordRange(Integer Start, Integer Count, F Visit) const
    {
        if (Count <= 0) return;
        if (Int64{Start} + Count > FCount) RaiseIndexOutOfBounds();
        // Up to the array's end, then on from its start: two plain loops.
        const Integer first = Slot(Start);
        const Integer run = FCount - first < Count ? FCount - first : Count;
        for (Integer i = 0; i < run; ++i) Visit(FList[first + i], i, Start + i);
        for (Integer i = run; i < Count; ++i) Visit(FList[i - run], i, Start + i);
    }
    // SumXY of a store whose records hold X and Y.
    template <class = TRecord>
    void SumRecordXY(Integer Start, Integer Count, Extended& SumX, Extended& SumY) const
    {
        Extended x = SumX;
        Extended y = SumY;
        ForRecordRange(Start, Count, [&x, &y](const TRecord& Point, Integer, Integer) {
            x += Point.X;
            y += Point.Y;
        });
        SumX = x;
        SumY = y;
    }
    // Removes the Size oldest points; Size must be within 0..Count.
    void DeleteOldest(Integer Size);
    // AddPoints of the store Self: Self's own Add for each point.
    template <class TStore>
    static void AddEach(TStore& Self, std::span<const TkPlotNewPoint> Points)
    {
        for (const TkPlotNewPoint& point : Points)
            Self.Add(point.X, point.Y, point.Kind == TkPlotPointKind::Null, point.Kind == TkPlotPointKind::Empty);
    }
    // Count new records at the end, counted in, for the caller to fill;
    // nullptr when they do not all fit without growth or a ring's overwrite.
    TRecord* AppendRecords(std::size_t Count)
    {
        if (FRingBufferEnabled || static_cast<std::size_t>(FCapacity - FCount) < Count) return nullptr;
        TRecord* const first = FList + FCount;
        FCount += static_cast<Integer>(Count);
        return first;
    }

private:
    static void PrefetchRecords(const TRecord* Records, Integer Count) noexcept
    {
        constexpr std::size_t kCacheLine = 64;
        const auto* bytes = reinterpret_cast<const char*>(Records);
        const std::size_t size = sizeof(TRecord) * static_cast<std::size_t>(Count);
        for (std::size_t offset = 0; offset < size; offset += kCacheLine) __builtin_prefetch(bytes + offset);
    }
    TRecord* NewestSlotSlow(Integer& Slot);
    void Grow();
    // Rotates a wrapped ring so that logical and physical order agree.
    void Unroll();
    void Reallocate(Integer NewCapacity);

    TRecord* FList = nullptr;
};

extern template class TkPlotDataRecordList<TkPlotDataNull>;
extern template class TkPlotDataRecordList<TkPlotDataSingle>;
extern template class TkPlotDataRecordList<TkPlotDataCompactInterval>;
extern template class TkPlotDataRecordList<TkPlotDataFull>;

// X, Y, Null, Empty, marker visibility and marker style per point.
class TkPlotDataNullList final : public TkPlotDataRecordList<TkPlotDataNull> {
    PL_CLASSINFO()
public:
    Double GetX(Integer Index) const override { return At(Index).X; }
    Double GetY(Integer Index) const override { return At(Index).Y; }
    Boolean GetEmpty(Integer Index) const override;
    Boolean GetNull(Integer Index) const override;
    void SetX(Integer Index, Double Value) override { At(Index).X = Value; }
    void SetY(Integer Index, Double Value) override { At(Index).Y = Value; }
    void SetEmpty(Integer Index, Boolean Value) override;
    void SetNull(Integer Index, Boolean Value) override;
    Boolean GetMarkerVisible(Integer Index) const override;
    TkPlotMarkerStyle GetMarkerStyle(Integer Index) const override;
    void SetMarkerVisible(Integer Index, Boolean Value) override;
    void SetMarkerStyle(Integer Index, TkPlotMarkerStyle Value) override;

    // Here, so that a channel that knows its store writes a point inline.
    Integer Add(Double X, Double Y, Boolean Null, Boolean Empty) override
    {
        const Word extra = Extra(Null, Empty);
        Integer slot;
        *NewestSlot(slot) = {X, Y, extra};
        return slot;
    }
    // Add of a point that goes into a free slot at the end, with no growth
    // and no ring: its slot, or -1 (nothing added) when it does not.
    Integer AddToRoom(Double X, Double Y, Boolean Null, Boolean Empty)
    {
        TkPlotDataNull* const record = AppendRecords(1);
        if (!record) return -1;
        *record = {X, Y, Extra(Null, Empty)};
        return Count() - 1;
    }
    void AddPoints(std::span<const TkPlotNewPoint> Points) override;
    void DeletePoints(Integer Size) override;
    void GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const override;
    void ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const override;
    void SumXY(Integer Start, Integer Count, Extended& SumX, Extended& SumY) const override
    {
        SumRecordXY(Start, Count, SumX, SumY);
    }
    bool KeepsValuesExactly() const override { return true; }

private:
    static constexpr Word kExtraNull = 1 << 0;
    static constexpr Word kExtraEmpty = 1 << 1;
    static constexpr Word kExtraMarkerVisible = 1 << 2;
    static constexpr int kExtraMarkerStyleShift = 3;
    static constexpr Word kExtraMarkerStyle = 15 << kExtraMarkerStyleShift;
    static Word MarkerStyleBits(TkPlotMarkerStyle Style)
    {
        return static_cast<Word>((static_cast<unsigned>(Style) & 15u) << kExtraMarkerStyleShift);
    }
    // The bits of a new point: its kind, and the marker it takes from the
    // channel's settings.
    Word Extra(Boolean Null, Boolean Empty) const
    {
        return static_cast<Word>((Null ? kExtraNull : 0) | (Empty ? kExtraEmpty : 0) |
                                 (StoredMarkerVisible() ? kExtraMarkerVisible : 0) |
                                 MarkerStyleBits(StoredMarkerStyle()));
    }
    void SetExtraBits(Integer Index, Word Mask, Word Bits);
};

// X and Y in single precision: 8 bytes a point for long recordings. An X
// such as a date-time loses its fine resolution (about 5 minutes).
class TkPlotDataCompactList final : public TkPlotDataRecordList<TkPlotDataSingle> {
    PL_CLASSINFO()
public:
    // Also raises for a value beyond the single range.
    void PrepareToAdd(std::span<const TkPlotNewPoint> Points) override;
    Double GetX(Integer Index) const override { return At(Index).X; }
    Double GetY(Integer Index) const override { return At(Index).Y; }
    void SetX(Integer Index, Double Value) override;
    void SetY(Integer Index, Double Value) override;

    Integer Add(Double X, Double Y, Boolean Null, Boolean Empty) override;
    void AddPoints(std::span<const TkPlotNewPoint> Points) override;
    void DeletePoints(Integer Size) override;
    void GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const override;
    void ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const override;
};

// Y in single precision; X follows from the first X and a fixed interval
// learnt from the first two points.
class TkPlotDataCompactIntervalList final : public TkPlotDataRecordList<TkPlotDataCompactInterval> {
    PL_CLASSINFO()
public:
    // Also raises for a Y beyond the single range.
    void PrepareToAdd(std::span<const TkPlotNewPoint> Points) override;
    // X of a logical index, computed for any index.
    Double GetX(Integer Index) const override { return Index * FInterval + FFirstX; }
    Double GetY(Integer Index) const override { return At(Index).Y; }
    // Only the first point's X can be set, which moves every X.
    void SetX(Integer Index, Double Value) override;
    void SetY(Integer Index, Double Value) override;

    Integer Add(Double X, Double Y, Boolean Null, Boolean Empty) override;
    void AddPoints(std::span<const TkPlotNewPoint> Points) override;
    void Clear() override;
    void DeletePoints(Integer Size) override;
    void GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const override;
    void ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const override;

    // The X step; -1.0 while unknown.
    Double Interval() const { return FInterval; }
    Double FirstX() const { return FFirstX; }

private:
    // Add while the first X or the interval is learnt, or the ring moves on.
    Integer AddMovingXOrigin(Double X, Single Y);

    Double FInterval = -1.0;
    Double FFirstX = 0.0;
    // A genuine step of -1.0 must not read as "unknown".
    Boolean FIntervalKnown = false;
};

// X, Y, Null, Empty, High, Low, Open, Close and every drawing attribute per
// point.
class TkPlotDataFullList final : public TkPlotDataRecordList<TkPlotDataFull> {
    PL_CLASSINFO()
public:
    Double GetX(Integer Index) const override { return At(Index).X; }
    Double GetY(Integer Index) const override { return At(Index).Y; }
    Boolean GetEmpty(Integer Index) const override { return At(Index).Empty; }
    Boolean GetNull(Integer Index) const override { return At(Index).Null; }
    Double GetHigh(Integer Index) const override { return At(Index).High; }
    Double GetLow(Integer Index) const override { return At(Index).Low; }
    Double GetOpen(Integer Index) const override { return At(Index).Open; }
    Double GetClose(Integer Index) const override { return At(Index).Close; }
    void SetX(Integer Index, Double Value) override { At(Index).X = Value; }
    void SetY(Integer Index, Double Value) override { At(Index).Y = Value; }
    void SetEmpty(Integer Index, Boolean Value) override { At(Index).Empty = Value; }
    void SetNull(Integer Index, Boolean Value) override { At(Index).Null = Value; }
    void SetHigh(Integer Index, Double Value) override { At(Index).High = Value; }
    void SetLow(Integer Index, Double Value) override { At(Index).Low = Value; }
    void SetOpen(Integer Index, Double Value) override { At(Index).Open = Value; }
    void SetClose(Integer Index, Double Value) override { At(Index).Close = Value; }

    TColor GetTraceLineColor(Integer Index) const override { return At(Index).TraceLineColor; }
    Integer GetTraceLineWidth(Integer Index) const override { return At(Index).TraceLineWidth; }
    TkPlotLineStyle GetTraceLineStyle(Integer Index) const override { return At(Index).TraceLineStyle; }
    Boolean GetMarkerVisible(Integer Index) const override { return At(Index).MarkerVisible; }
    Integer GetMarkerSize(Integer Index) const override { return At(Index).MarkerSize; }
    TkPlotMarkerStyle GetMarkerStyle(Integer Index) const override { return At(Index).MarkerStyle; }
    TColor GetMarkerPenColor(Integer Index) const override { return At(Index).MarkerPenColor; }
    Integer GetMarkerPenWidth(Integer Index) const override { return At(Index).MarkerPenWidth; }
    TPenStyle GetMarkerPenStyle(Integer Index) const override { return At(Index).MarkerPenStyle; }
    TColor GetMarkerBrushColor(Integer Index) const override { return At(Index).MarkerBrushColor; }
    TBrushStyle GetMarkerBrushStyle(Integer Index) const override { return At(Index).MarkerBrushStyle; }
    Char GetMarkerCharacter(Integer Index) const override { return At(Index).MarkerCharacter; }
    Boolean GetBarVisible(Integer Index) const override { return At(Index).BarVisible; }
    Double GetBarReference(Integer Index) const override { return At(Index).BarReference; }
    Double GetBarWidth(Integer Index) const override { return At(Index).BarWidth; }
    TColor GetBarPenColor(Integer Index) const override { return At(Index).BarPenColor; }
    Integer GetBarPenWidth(Integer Index) const override { return At(Index).BarPenWidth; }
    TPenStyle GetBarPenStyle(Integer Index) const override { return At(Index).BarPenStyle; }
    TColor GetBarBrushColor(Integer Index) const override { return At(Index).BarBrushColor; }
    TBrushStyle GetBarBrushStyle(Integer Index) const override { return At(Index).BarBrushStyle; }
    void SetTraceLineColor(Integer Index, TColor Value) override { At(Index).TraceLineColor = Value; }
    void SetTraceLineWidth(Integer Index, Integer Value) override { At(Index).TraceLineWidth = Value; }
    void SetTraceLineStyle(Integer Index, TkPlotLineStyle Value) override { At(Index).TraceLineStyle = Value; }
    void SetMarkerVisible(Integer Index, Boolean Value) override { At(Index).MarkerVisible = Value; }
    void SetMarkerSize(Integer Index, Integer Value) override { At(Index).MarkerSize = Value; }
    void SetMarkerStyle(Integer Index, TkPlotMarkerStyle Value) override { At(Index).MarkerStyle = Value; }
    void SetMarkerPenColor(Integer Index, TColor Value) override { At(Index).MarkerPenColor = Value; }
    void SetMarkerPenWidth(Integer Index, Integer Value) override { At(Index).MarkerPenWidth = Value; }
    void SetMarkerPenStyle(Integer Index, TPenStyle Value) override { At(Index).MarkerPenStyle = Value; }
    void SetMarkerBrushColor(Integer Index, TColor Value) override { At(Index).MarkerBrushColor = Value; }
    void SetMarkerBrushStyle(Integer Index, TBrushStyle Value) override { At(Index).MarkerBrushStyle = Value; }
    void SetMarkerCharacter(Integer Index, Char Value) override { At(Index).MarkerCharacter = Value; }
    void SetBarVisible(Integer Index, Boolean Value) override { At(Index).BarVisible = Value; }
    void SetBarReference(Integer Index, Double Value) override { At(Index).BarReference = Value; }
    void SetBarWidth(Integer Index, Double Value) override { At(Index).BarWidth = Value; }
    void SetBarPenColor(Integer Index, TColor Value) override { At(Index).BarPenColor = Value; }
    void SetBarPenWidth(Integer Index, Integer Value) override { At(Index).BarPenWidth = Value; }
    void SetBarPenStyle(Integer Index, TPenStyle Value) override { At(Index).BarPenStyle = Value; }
    void SetBarBrushColor(Integer Index, TColor Value) override { At(Index).BarBrushColor = Value; }
    void SetBarBrushStyle(Integer Index, TBrushStyle Value) override { At(Index).BarBrushStyle = Value; }

    Integer Add(Double X, Double Y, Boolean Null, Boolean Empty) override;
    void AddPoints(std::span<const TkPlotNewPoint> Points) override;
    void DeletePoints(Integer Size) override;
    void GetXYEmptyNull(Integer Index, Double& X, Double& Y, Boolean& Empty, Boolean& Null) const override;
    void ReadPoints(Integer Start, Integer Count, TkPlotPointBlock& Block) const override;
    void SumXY(Integer Start, Integer Count, Extended& SumX, Extended& SumY) const override
    {
        SumRecordXY(Start, Count, SumX, SumY);
    }
    bool KeepsValuesExactly() const override { return true; }
};
