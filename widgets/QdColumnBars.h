#pragma once
// A bar-graph display of segmented columns rising from the bottom in cells,
// coloured in three zones, with a marker cell on top of each column. The
// control sizes itself to a whole number of columns and cells.
//
// Setting one column's Position redraws that column alone in the retained
// image and repaints only its rectangle, so columns can follow a signal at
// audio rate.

#include "widgets/QdClasses.h"
#include "widgets/QdControls.h"

// Registers the control for form data; part of the library's unit
// initialisation.
void QdSpectrumInitialization();

class TQdSpectrum;

// 0 .. 100.
using TQdPercentInt = Integer;

// More columns than any screen shows; also keeps the widths in range.
constexpr Integer kQdMaxSpectrumColumns = 4096;

class TQdSpectrumBar : public TQdCollectionItem {
public:
    using TQdCollectionItem::TQdCollectionItem;

    Integer Position() const { return FPosition; }
    // Not clamped: a position beyond the range lights the cells it reaches
    // inside the column (TQdSpectrum::Reset clamps).
    void SetPosition(Integer Value);

private:
    Integer FPosition = 0;
};

class TQdSpectrumBars : public TQdCollection {
public:
    explicit TQdSpectrumBars(TQdSpectrum* AOwner) : FOwner(AOwner) {}

protected:
    // One column redrawn, or all of them.
    void Update(TQdCollectionItem* Item) override;

private:
    TQdSpectrum* FOwner;
};

class TQdSpectrum : public TQdGraphicImageControl {
    PL_CLASSINFO()
public:
    explicit TQdSpectrum(TComponent* AOwner);
    ~TQdSpectrum() override;
    void Loaded() override;

    // Every bar at Value, clamped to [MinValue, MaxValue].
    void Reset(Integer Value);
    // Position's share of the range in percent, truncated; 0 for an empty
    // or inverted range.
    Integer GetPercentDone(Integer Position) const;
    // The column's rectangle: the viewport's height, BarWidth wide.
    TRect GetItemRect(Integer Index) const;
    TQdSpectrumBar* Items(Integer Index) const;
    Integer Count() const { return FBars->Count(); }
    // Cells per column, as the last paint laid them out.
    Integer Ticks() const { return FTicks; }

    TQdMaxInt BarWidth() const { return FBarWidth; }
    void SetBarWidth(TQdMaxInt Value);
    Integer BarSpacing() const { return FBarSpacing; }
    // A negative spacing is ignored.
    void SetBarSpacing(Integer Value);
    bool PlainColors() const { return FPlainColors; }
    void SetPlainColors(bool Value) { Change(FPlainColors, Value); }
    Integer Columns() const { return FColumns; }
    // Below 1 is ignored, above kQdMaxSpectrumColumns counts as that; a
    // change recreates the bars at 0.
    void SetColumns(Integer Value);
    Integer MaxValue() const { return FMaxValue; }
    // Taken only above MinValue (any value while the form data is read);
    // bars above it come down to it.
    void SetMaxValue(Integer Value);
    Integer MinValue() const { return FMinValue; }
    // Taken only below MaxValue (any value while the form data is read);
    // bars below it come up to it.
    void SetMinValue(Integer Value);
    TQdBevel* Bevel() const { return FBevel.get(); }
    void SetBevel(TQdBevel* Value) { FBevel->Assign(Value); }
    TQdPalette* Palette1() const { return FPalette1.get(); }
    void SetPalette1(TQdPalette* Value) { FPalette1->Assign(Value); }
    TQdPalette* Palette2() const { return FPalette2.get(); }
    void SetPalette2(TQdPalette* Value) { FPalette2->Assign(Value); }
    TQdPalette* Palette3() const { return FPalette3.get(); }
    void SetPalette3(TQdPalette* Value) { FPalette3->Assign(Value); }
    TQdPercentInt Percent1() const { return FPercent1; }
    // At run time reduced so that Percent1 + Percent2 <= 100.
    void SetPercent1(TQdPercentInt Value);
    TQdPercentInt Percent2() const { return FPercent2; }
    void SetPercent2(TQdPercentInt Value);
    TColor MarkerColor() const { return FMarkerColor; }
    void SetMarkerColor(TColor Value) { Change(FMarkerColor, Value); }
    bool MarkerVisible() const { return FMarkerVisible; }
    void SetMarkerVisible(bool Value) { Change(FMarkerVisible, Value); }
    bool ShowInactive() const { return FShowInactive; }
    void SetShowInactive(bool Value) { Change(FShowInactive, Value); }
    Integer TickHeight() const { return FTickHeight; }
    // Only values above 0 are taken.
    void SetTickHeight(Integer Value);
    Integer Spacing() const { return FSpacing; }
    // A negative spacing is ignored.
    void SetSpacing(Integer Value);

    // Any change but a column's own: the whole control is drawn again.
    void UpdateControlCanvas() override;

protected:
    void Paint() override;

private:
    friend class TQdSpectrumBars;
    // Draws the column into the retained image and repaints its rectangle
    // (the whole control when no full image stands yet).
    void UpdateBar(Integer Index);
    void UpdateBars();
    void DrawBar(Integer Index);
    void CalcPaintParams();
    void CreateBarImages();
    void RecreateBars();
    void BevelChanged();
    // Percents clamped to 0..100, the second to what the first leaves.
    Integer Zone1Percent() const;
    Integer Zone2Percent() const;
    Integer Pitch() const { return FTickHeight + FSpacing; }
    // Sets the bounds to the size, unless it is the current one.
    void ResizeTo(Int64 AWidth, Int64 AHeight);
    // Every bar through Adjust(position), without redrawing them one by one.
    template <class F>
    void AdjustBars(F&& Adjust);

    TQdMaxInt FBarWidth = 8;
    Integer FBarSpacing = 1;
    bool FPlainColors = false;
    Integer FColumns = 24;
    Integer FMaxValue = 100;
    Integer FMinValue = 0;
    TOwned<TQdBevel> FBevel;
    TOwned<TQdPalette> FPalette1;
    TOwned<TQdPalette> FPalette2;
    TOwned<TQdPalette> FPalette3;
    TQdPercentInt FPercent1 = 60;
    TQdPercentInt FPercent2 = 25;
    TColor FMarkerColor = clWhite;
    bool FMarkerVisible = true;
    bool FShowInactive = true;
    Integer FTickHeight = 1;
    Integer FSpacing = 1;
    TRect FViewPort;
    // 0 the inactive column, 1 the active one; the gaps between cells and
    // the rows below the last cell hold the background colour, so a column
    // is copied in one piece per state.
    TOwned<TBitmap> FBarImages[2];
    Integer FTicks = 0;
    TOwned<TQdSpectrumBars> FBars;
    // The retained image holds every column as it stands.
    bool FImageValid = false;
};
