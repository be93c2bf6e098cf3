#pragma once
// The panel widget library's small persistent objects: the property groups
// that controls publish as nested properties (bevel, palettes, min/max,
// text outline, 3-D text, glyph strip, rectangle), the owned bitmap list
// with its own stream format, a growable integer array and a minimal owned
// collection.
//
// Every group reports each change through its one OnChange, which the
// owning control connects to its repaint. Between BeginUpdate and the
// matching EndUpdate nothing is reported; every EndUpdate reports once the
// count is back at 0.

#include <optional>
#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TFiler;

// ---------------------------------------------------------------------------
// TQdPersistent
// ---------------------------------------------------------------------------

class TQdPersistent : public TPersistent {
    PL_CLASSINFO()
public:
    // OnChange with this object as sender, unless an update is open.
    void Changed();
    void BeginUpdate() { ++FUpdateCount; }
    // Never counts below 0; then Changed.
    void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }

    TNotifyEvent OnChange;

protected:
    // Body inside one update: one report at its end. An exception closes
    // the update without a report and passes on.
    template <class F>
    void Batch(F&& Body)
    {
        BeginUpdate();
        try {
            Body();
        } catch (...) {
            CancelUpdate();
            throw;
        }
        EndUpdate();
    }
    // Stores Value and reports the change when it differs.
    template <class V>
    void Change(V& Field, const V& Value)
    {
        SetIfDifferent(Field, Value, [this] { Changed(); });
    }

private:
    void CancelUpdate();

    Integer FUpdateCount = 0;
};

// ---------------------------------------------------------------------------
// TQdBevel
// ---------------------------------------------------------------------------

// Widths and spaces of a bevel, 0 .. kQdMaxBevelWidth: a value below 0
// (which form data can hold) counts as 0, so the bevel never grows the
// area it surrounds, and one above the cap counts as the cap, so the rings
// never take the rectangle's coordinates out of range.
constexpr Integer kQdMaxBevelWidth = 65535;
using TQdBorderWidth = Integer;
using TQdBevelWidth = Integer;
using TQdBevelSpace = Integer;

// Scoped: the form border style already names bsNone.
enum class TQdBevelStyle { bsNone, bsLowered, bsRaised };
PL_ENUM_NAMES(TQdBevelStyle, "bsNone", "bsLowered", "bsRaised")

enum TQdBevelOutlineStyle { osOuter, osInner, osNone };
PL_ENUM_NAMES(TQdBevelOutlineStyle, "osOuter", "osInner", "osNone")

// A frame of rings from the outside in: a border, an outer 3-D ring with
// its black outline and space, an inner 3-D ring with its outline and space.
class TQdBevel : public TQdPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    // Shrinks Rect on every side by the bevel's thickness (nothing when
    // the bevel is not visible).
    void GetVisibleArea(TRect& Rect) const;
    // Draws the rings inside Rect; Rect ends as the area inside the bevel,
    // as GetVisibleArea gives it. Nothing when not visible.
    void Paint(TCanvas* Canvas, TRect& Rect) const;

    TQdBorderWidth BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(TQdBorderWidth Value) { Change(FBorderWidth, InWidthRange(Value)); }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value) { Change(FBorderColor, Value); }
    TColor InnerShadow() const { return FInnerShadow; }
    void SetInnerShadow(TColor Value) { Change(FInnerShadow, Value); }
    TColor InnerHighlight() const { return FInnerHighlight; }
    void SetInnerHighlight(TColor Value) { Change(FInnerHighlight, Value); }
    TQdBevelWidth InnerWidth() const { return FInnerWidth; }
    void SetInnerWidth(TQdBevelWidth Value) { Change(FInnerWidth, InWidthRange(Value)); }
    TQdBevelStyle InnerStyle() const { return FInnerStyle; }
    void SetInnerStyle(TQdBevelStyle Value) { Change(FInnerStyle, Value); }
    TQdBevelOutlineStyle InnerOutline() const { return FInnerOutline; }
    void SetInnerOutline(TQdBevelOutlineStyle Value) { Change(FInnerOutline, Value); }
    TQdBevelSpace InnerSpace() const { return FInnerSpace; }
    void SetInnerSpace(TQdBevelSpace Value) { Change(FInnerSpace, InWidthRange(Value)); }
    TColor InnerColor() const { return FInnerColor; }
    void SetInnerColor(TColor Value) { Change(FInnerColor, Value); }
    TColor OuterShadow() const { return FOuterShadow; }
    void SetOuterShadow(TColor Value) { Change(FOuterShadow, Value); }
    TColor OuterHighlight() const { return FOuterHighlight; }
    void SetOuterHighlight(TColor Value) { Change(FOuterHighlight, Value); }
    TQdBevelWidth OuterWidth() const { return FOuterWidth; }
    void SetOuterWidth(TQdBevelWidth Value) { Change(FOuterWidth, InWidthRange(Value)); }
    TQdBevelStyle OuterStyle() const { return FOuterStyle; }
    void SetOuterStyle(TQdBevelStyle Value) { Change(FOuterStyle, Value); }
    TQdBevelOutlineStyle OuterOutline() const { return FOuterOutline; }
    void SetOuterOutline(TQdBevelOutlineStyle Value) { Change(FOuterOutline, Value); }
    TQdBevelSpace OuterSpace() const { return FOuterSpace; }
    void SetOuterSpace(TQdBevelSpace Value) { Change(FOuterSpace, InWidthRange(Value)); }
    TColor OuterColor() const { return FOuterColor; }
    void SetOuterColor(TColor Value) { Change(FOuterColor, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Change(FVisible, Value); }

private:
    static Integer InWidthRange(Integer Value)
    {
        return Value < 0 ? 0 : Value > kQdMaxBevelWidth ? kQdMaxBevelWidth : Value;
    }

    TQdBorderWidth FBorderWidth = 0;
    TColor FBorderColor = clBtnFace;
    TColor FInnerShadow = clBtnShadow;
    TColor FInnerHighlight = clBtnHighlight;
    TQdBevelWidth FInnerWidth = 1;
    TQdBevelStyle FInnerStyle = TQdBevelStyle::bsLowered;
    TQdBevelOutlineStyle FInnerOutline = osNone;
    TQdBevelSpace FInnerSpace = 1;
    TColor FInnerColor = clBtnFace;
    TColor FOuterShadow = clBtnShadow;
    TColor FOuterHighlight = clBtnHighlight;
    TQdBevelWidth FOuterWidth = 1;
    TQdBevelStyle FOuterStyle = TQdBevelStyle::bsRaised;
    TQdBevelOutlineStyle FOuterOutline = osOuter;
    TQdBevelSpace FOuterSpace = 0;
    TColor FOuterColor = clBtnFace;
    bool FVisible = true;
};

// ---------------------------------------------------------------------------
// Palettes
// ---------------------------------------------------------------------------

class TQdPalette : public TQdPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    // Low below index 1, High from 1 on.
    virtual TColor GetColors(Integer Index) const;
    // Recolours Bitmap in place: the pixels of FirstColor become Low, then
    // the pixels of SecondColor (those just made Low included) become High.
    void ToBMP(TBitmap* Bitmap, TColor FirstColor, TColor SecondColor) const;

    TColor Low() const { return FLow; }
    void SetLow(TColor Value) { Change(FLow, Value); }
    TColor High() const { return FHigh; }
    void SetHigh(TColor Value) { Change(FHigh, Value); }

private:
    TColor FLow = clGreen;
    TColor FHigh = clLime;
};

class TQdPaletteEx : public TQdPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    TColor Low1() const { return FLow1; }
    void SetLow1(TColor Value) { Change(FLow1, Value); }
    TColor Low2() const { return FLow2; }
    void SetLow2(TColor Value) { Change(FLow2, Value); }
    TColor High1() const { return FHigh1; }
    void SetHigh1(TColor Value) { Change(FHigh1, Value); }
    TColor High2() const { return FHigh2; }
    void SetHigh2(TColor Value) { Change(FHigh2, Value); }

private:
    TColor FLow1 = clGreen;
    TColor FLow2 = clBlack;
    TColor FHigh1 = clLime;
    TColor FHigh2 = clBlack;
};

// ---------------------------------------------------------------------------
// TQdMinMax
// ---------------------------------------------------------------------------

// A range and a position in it: MinValue < MaxValue and
// MinValue <= Position <= MaxValue at all times.
class TQdMinMax : public TQdPersistent {
    PL_CLASSINFO()
public:
    // Copies the source's triple whatever the current range is.
    void Assign(TPersistent* Source) override;

    Integer MinValue() const { return FMinValue; }
    // Ignored unless below MaxValue; a position below it follows.
    void SetMinValue(Integer Value);
    Integer MaxValue() const { return FMaxValue; }
    // Ignored unless above MinValue; a position above it follows.
    void SetMaxValue(Integer Value);
    Integer Position() const { return FPosition; }
    // Clamped into [MinValue, MaxValue].
    void SetPosition(Integer Value);

private:
    // Form data gives MinValue before MaxValue: a MinValue that the
    // current MaxValue refuses is kept back and applied once MaxValue has
    // been read, so a saved range beyond the current one loads whole.
    void ReadMinValue(Integer Value);
    void ReadMaxValue(Integer Value);

    Integer FMinValue = 0;
    Integer FMaxValue = 100;
    Integer FPosition = 0;
    std::optional<Integer> FPendingMinValue;
};

// ---------------------------------------------------------------------------
// Text effects
// ---------------------------------------------------------------------------

class TQdTextOutline : public TQdPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Change(FColor, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Change(FVisible, Value); }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { Change(FWidth, Value); }

private:
    TColor FColor = clNavy;
    bool FVisible = true;
    Integer FWidth = 1;
};

enum TQdFont3DStyle { f3dNone, f3dRaised, f3dSunken, f3dShadow };
PL_ENUM_NAMES(TQdFont3DStyle, "f3dNone", "f3dRaised", "f3dSunken", "f3dShadow")

// Text drawn over offset copies of itself in a highlight and a shadow
// colour.
class TQdFont3D : public TQdPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    // Text in Rect with the platform's text drawing and Flags (DT_*), over
    // its layers; no background. The canvas font's colour is the face
    // colour, and is left so.
    void Paint(TCanvas* Canvas, const TRect& Rect, const String& Text, Cardinal Flags) const;

    TQdFont3DStyle Style() const { return FStyle; }
    void SetStyle(TQdFont3DStyle Value) { Change(FStyle, Value); }
    TColor HighlightColor() const { return FHighlightColor; }
    void SetHighlightColor(TColor Value) { Change(FHighlightColor, Value); }
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value) { Change(FShadowColor, Value); }
    Integer HighlightDepth() const { return FHighlightDepth; }
    void SetHighlightDepth(Integer Value) { Change(FHighlightDepth, Value); }
    Integer ShadowDepth() const { return FShadowDepth; }
    void SetShadowDepth(Integer Value) { Change(FShadowDepth, Value); }

private:
    TQdFont3DStyle FStyle = f3dNone;
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;
    Integer FHighlightDepth = 1;
    Integer FShadowDepth = 1;
};

// ---------------------------------------------------------------------------
// TQdGlyphs
// ---------------------------------------------------------------------------

// Images side by side in one strip: 1 .. 255 (a 0 is ignored, since the
// strip width is divided by it).
using TQdNumGlyphs = Byte;

class TQdGlyphs : public TQdPersistent {
    PL_CLASSINFO()
public:
    TQdGlyphs();
    ~TQdGlyphs() override;

    void Assign(TPersistent* Source) override;

    TBitmap* Bitmap() const { return FBitmap.get(); }
    // Copies Value into the owned strip and always reports a change.
    void SetBitmap(TBitmap* Value);
    TQdNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TQdNumGlyphs Value);

private:
    TOwned<TBitmap> FBitmap;
    TQdNumGlyphs FNumGlyphs = 2;
};

// ---------------------------------------------------------------------------
// TQdRect
// ---------------------------------------------------------------------------

class TQdRect : public TQdPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    // Stores all four and reports once, unless none changes.
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    // (Left, Top, Left + Width, Top + Height), saturated to the integer range.
    TRect BoundsRect() const;
    void SetBoundsRect(const TRect& Value);

    Integer Left() const { return FLeft; }
    void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    Integer Top() const { return FTop; }
    void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }

private:
    Integer FLeft = 0;
    Integer FTop = 0;
    Integer FWidth = 0;
    Integer FHeight = 0;
};

// ---------------------------------------------------------------------------
// TQdBitmaps
// ---------------------------------------------------------------------------

// An owned, ordered list of bitmaps. Its stream: the bytes 62 54 35 00,
// the count (unsigned 32-bit, little-endian), then each bitmap as a whole
// BMP file, back to back. Form data holds that stream as the binary
// property "Bitmaps" when the list is not empty.
class TQdBitmaps : public TQdPersistent {
    PL_CLASSINFO()
public:
    TQdBitmaps();
    ~TQdBitmaps() override;

    Integer Count() const { return FItems.Count(); }
    // The stored bitmap itself; raises EListError outside 0 .. Count - 1.
    TBitmap* Bitmaps(Integer Index) const { return FItems[Index]; }
    // Copies Bitmap into the stored one.
    void SetBitmap(Integer Index, TBitmap* Bitmap);

    // A copy of Bitmap at the end; its index.
    Integer Add(TBitmap* Bitmap);
    // A copy of Bitmap at Index (0 .. Count).
    void Insert(Integer Index, TBitmap* Bitmap);
    void Delete(Integer Index);
    void Exchange(Integer Index1, Integer Index2);
    void Move(Integer CurIndex, Integer NewIndex);
    // The index of that very bitmap (not of an equal one), -1 when absent.
    Integer IndexOf(TBitmap* Bitmap) const { return FItems.IndexOf(Bitmap); }
    // Frees every bitmap; reports twice when no update is open.
    void Clear();

    // nullptr clears; another list's bitmaps are copied in its place; any
    // other source is ignored.
    void Assign(TPersistent* Source) override;
    void DefineProperties(TFiler& Filer) override;

    // Appends the bitmaps of a list stream at the stream's position. Bad
    // data (wrong signature, truncated or corrupt bitmaps, a count the
    // data cannot hold, too many pixels in all) raises and adds nothing.
    virtual void LoadFromStream(TStream& Stream);
    virtual void SaveToStream(TStream& Stream);
    // Appends, as LoadFromStream.
    virtual void LoadFromFile(const String& FileName);
    virtual void SaveToFile(const String& FileName);

    // The form property: reading replaces the list (or leaves it whole on
    // bad data); writing saves it.
    void ReadData(TStream& Stream);
    void WriteData(TStream& Stream);

private:
    // Every bitmap of a list stream, or an exception.
    static std::vector<TOwned<TBitmap>> ReadBitmaps(TStream& Stream);
    // Takes the bitmaps over at the end of the list, in one update.
    void Append(std::vector<TOwned<TBitmap>>& Bitmaps);
    static TOwned<TBitmap> CopyOf(TBitmap* Bitmap);

    TObjectList<TBitmap> FItems;
};

// ---------------------------------------------------------------------------
// TQdIntList
// ---------------------------------------------------------------------------

// A growable array of 32-bit integers. Range errors raise Exception with
// a fixed message and leave the list as it was.
class TQdIntList : public TObject {
public:
    static constexpr Integer MaxCapacity = 134217727;

    Integer Add(Integer Value);
    // Raises "TQdIntList index out of bounds" outside 0 .. Count - 1.
    Integer Items(Integer Index) const;
    void Delete(Integer Index);
    Integer Count() const { return FCount; }
    // 0 .. MaxCapacity; new values are 0.
    void SetCount(Integer Value);
    Integer Capacity() const { return static_cast<Integer>(FItems.size()); }
    // Count .. MaxCapacity.
    void SetCapacity(Integer Value);
    // Count 0, then capacity 0.
    void Clear();

private:
    void CheckIndex(Integer Index) const;
    // A quarter more from 65 slots on, 16 more from 9, else 4 more.
    void Grow();

    Integer FCount = 0;
    std::vector<Integer> FItems;  // the capacity's slots
};

// ---------------------------------------------------------------------------
// TQdCollection
// ---------------------------------------------------------------------------

class TQdCollectionItem;

// An owned, ordered list of items that descendants repaint through
// Update. Nothing is reported while an update is open.
class TQdCollection : public TObject {
public:
    TQdCollection() = default;
    ~TQdCollection() override;

    Integer Count() const { return FItems.Count(); }
    // Raises EListError outside 0 .. Count - 1.
    TQdCollectionItem* Items(Integer Index) const { return FItems[Index]; }
    Integer IndexOf(const TQdCollectionItem* Item) const;

    virtual void BeginUpdate() { ++FUpdateCount; }
    // Never counts below 0; then Changed.
    virtual void EndUpdate();
    Integer UpdateCount() const { return FUpdateCount; }
    // Update of every item, unless an update is open.
    void Changed();
    // Frees the items, last first, in one update.
    void Clear();

protected:
    // Item changed (nullptr: all items). Nothing here.
    virtual void Update(TQdCollectionItem* Item);

private:
    friend class TQdCollectionItem;
    void InsertItem(TQdCollectionItem* Item);
    void RemoveItem(TQdCollectionItem* Item);

    TList<TQdCollectionItem*> FItems;
    Integer FUpdateCount = 0;
};

// An item of a collection, which frees it; freeing it leaves the
// collection.
class TQdCollectionItem : public TObject {
public:
    explicit TQdCollectionItem(TQdCollection* Collection);
    ~TQdCollectionItem() override;

    TQdCollection* Collection() const { return FCollection; }
    // Leaves the collection it is in (if any) and joins Value at the end.
    void SetCollection(TQdCollection* Value);
    // The item's current place in its collection; -1 without one.
    Integer Index() const;

protected:
    // The collection's Update for this item (or every item), unless an
    // update is open.
    void Changed(bool AllItems);

private:
    friend class TQdCollection;
    TQdCollection* FCollection = nullptr;
};
