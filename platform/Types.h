#pragma once
// Fixed-width names of the class library's scalar types, the point and
// rectangle records, and the bit set over an enumeration.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>

using Integer = std::int32_t;
using Cardinal = std::uint32_t;
using DWORD = std::uint32_t;
using LongWord = std::uint32_t;
using Word = std::uint16_t;
using Byte = std::uint8_t;
using SmallInt = std::int16_t;
using ShortInt = std::int8_t;
using Int64 = std::int64_t;
using UInt64 = std::uint64_t;
using Single = float;
using Double = double;
using Extended = long double;
using Boolean = bool;
using TDateTime = double;
using TColor = std::int32_t;

// Text is UTF-8 in memory; files in the system code page are converted at
// the file boundary.
using String = std::string;
using Char = char16_t;

struct TPoint {
    Integer X = 0;
    Integer Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    Integer cx = 0;
    Integer cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    Integer Left = 0;
    Integer Top = 0;
    Integer Right = 0;
    Integer Bottom = 0;

    Integer Width() const { return Right - Left; }
    Integer Height() const { return Bottom - Top; }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TPoint Point(Integer x, Integer y) { return {x, y}; }
inline TRect Rect(Integer left, Integer top, Integer right, Integer bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(Integer left, Integer top, Integer width, Integer height)
{
    return {left, top, left + width, top + height};
}

// Left and top edges belong to the rectangle, right and bottom do not.
inline bool PtInRect(const TRect& r, const TPoint& p)
{
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
inline bool IsRectEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
// False, with an empty result, for rectangles that only touch.
bool IntersectRect(TRect& result, const TRect& a, const TRect& b);
bool UnionRect(TRect& result, const TRect& a, const TRect& b);
void OffsetRect(TRect& r, Integer dx, Integer dy);
void InflateRect(TRect& r, Integer dx, Integer dy);

// A set over an enumeration whose ordinals are 0..63.
template <typename E>
class TSet {
    static_assert(std::is_enum_v<E>);

public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items)
    {
        for (E e : items) FBits |= Bit(e);
    }
    static constexpr TSet FromBits(std::uint64_t bits)
    {
        TSet s;
        s.FBits = bits;
        return s;
    }
    constexpr std::uint64_t Bits() const { return FBits; }

    constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSet& Include(E e) { FBits |= Bit(e); return *this; }
    constexpr TSet& Exclude(E e) { FBits &= ~Bit(e); return *this; }

    constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
    constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
    constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
    constexpr TSet& operator+=(TSet o) { FBits |= o.FBits; return *this; }
    constexpr TSet& operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
    // a <= b: every member of a is in b.
    constexpr bool operator<=(TSet o) const { return (FBits & ~o.FBits) == 0; }
    friend constexpr bool operator==(TSet, TSet) = default;

private:
    static constexpr std::uint64_t Bit(E e) { return std::uint64_t{1} << static_cast<unsigned>(e); }
    std::uint64_t FBits = 0;
};
