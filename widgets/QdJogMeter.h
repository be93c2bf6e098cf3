#pragma once
// A linear jog meter: a strip scale that scrolls under an indicator fixed
// at the middle of the control's long axis. The scale shows Apperture
// value units centred on the indicator's Value, with major ticks and
// labels every Step and minor ticks every SmallStep.

#include "widgets/QdClasses.h"
#include "widgets/QdControls.h"
#include "widgets/QdTypeMeter.h"

// Registers the control for form data; part of the library's unit
// initialisation.
void QdJogMeterInitialization();

// Digits after the separator that a label can show.
constexpr Integer kQdMaxJogDecimals = 18;
// Tick lengths keep within a control's largest side, either way, so that
// every coordinate drawn from them stays in range.
constexpr Integer kQdMaxTickLength = 32767;

class TQdJogMeterScale : public TQdPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;

    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Change(FColor, Value); }
    Integer Decimals() const { return FDecimals; }
    // 0 .. kQdMaxJogDecimals.
    void SetDecimals(Integer Value);
    // The label text: one "%s" stands for the number, "%%" for "%"; any
    // other use of "%" shows the number alone.
    const String& FormatText() const { return FFormatText; }
    void SetFormatText(const String& Value) { Change(FFormatText, Value); }
    double Apperture() const { return FApperture; }
    void SetApperture(double Value) { Change(FApperture, Value); }
    TQdPosition Position() const { return FPosition; }
    void SetPosition(TQdPosition Value) { Change(FPosition, Value); }
    double Step() const { return FStep; }
    void SetStep(double Value) { Change(FStep, Value); }
    double SmallStep() const { return FSmallStep; }
    void SetSmallStep(double Value) { Change(FSmallStep, Value); }
    // Major tick length; -kQdMaxTickLength .. kQdMaxTickLength.
    Integer HeightMax() const { return FHeightMax; }
    void SetHeightMax(Integer Value);
    // Minor tick length and the band's depth; the same range.
    Integer HeightMin() const { return FHeightMin; }
    void SetHeightMin(Integer Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Change(FVisible, Value); }

private:
    TColor FColor = clBlack;
    double FStep = 10;
    String FFormatText = "%s";
    double FApperture = 60;
    double FSmallStep = 2;
    Integer FHeightMax = 15;
    Integer FHeightMin = 8;
    bool FVisible = true;
    TQdPosition FPosition = qoBefore;
    Integer FDecimals = 0;
};

class TQdLiniarIndicator : public TQdPersistent {
    PL_CLASSINFO()
public:
    TQdLiniarIndicator();
    ~TQdLiniarIndicator() override;
    void Assign(TPersistent* Source) override;

    double Value() const { return FValue; }
    void SetValue(double Value) { Change(FValue, Value); }
    // The pin; whenever it becomes empty the program's "QDPIN" comes back.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }
    // The pin is the program's own, and is not stored in form data.
    bool DefaultBitmap() const { return FDefaultBitmap; }
    TqdIndicatorShape Shape() const { return FShape; }
    void SetShape(TqdIndicatorShape Value) { Change(FShape, Value); }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { Change(FColor, Value); }
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value) { Change(FVisible, Value); }

private:
    void BitmapChanged();

    double FValue = 0;
    TOwned<TBitmap> FBitmap;
    bool FDefaultBitmap = false;
    bool FLoadingPin = false;
    TqdIndicatorShape FShape = qoLine;
    TColor FColor = clRed;
    bool FVisible = true;
};

class TQdJogMeter : public TQdGraphicImageControl {
    PL_CLASSINFO()
public:
    explicit TQdJogMeter(TComponent* AOwner);
    ~TQdJogMeter() override;

    TQdJogMeterScale* Scale() const { return FScale.get(); }
    void SetScale(TQdJogMeterScale* Value) { FScale->Assign(Value); }
    // The meter keeps its own indicator; another one's values are copied.
    TQdLiniarIndicator* Value() const { return FValue.get(); }
    void SetValue(TQdLiniarIndicator* Value) { FValue->Assign(Value); }
    TQdDirection Direction() const { return FDirection; }
    // Width and height are swapped (not while the form data is read).
    void SetDirection(TQdDirection Value);
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value) { Change(FShowCaption, Value); }
    TColor FromColor() const { return FFromColor; }
    void SetFromColor(TColor Value) { Change(FFromColor, Value); }
    TColor ToColor() const { return FToColor; }
    void SetFToColor(TColor Value) { Change(FToColor, Value); }

    // The pixel along the long axis of V, a value relative to the window
    // start; 0 for an Apperture of 0 or less.
    Integer ValueToPixels(double V) const;
    // The label text of V.
    String DisplayValue(double V) const;

protected:
    void Paint() override;

private:
    bool Vertical() const { return FDirection == TQdDirection::qoVertical; }
    Integer LongSide() const { return Vertical() ? Height() : Width(); }
    void UpdateMeterCoords();
    // Each tick of spacing D that falls on the control, with its index i,
    // pixel p and the window start's tick number k; nothing for a spacing
    // or window that cannot be drawn.
    template <class F>
    void ForEachTick(double D, F&& Tick) const;
    void DrawCaption(TCanvas* Canvas);
    void DrawLabels(TCanvas* Canvas);
    void DrawTicks(TCanvas* Canvas, double D, Integer Length);
    void DrawAnIndicator(TCanvas* Canvas);
    void DrawPin(TCanvas* Canvas, Integer C);

    TOwned<TQdJogMeterScale> FScale;
    TOwned<TQdLiniarIndicator> FValue;
    TQdDirection FDirection = TQdDirection::qoHorizontal;
    bool FShowCaption = false;
    TColor FFromColor = clBlack;
    TColor FToColor = clWhite;
    // Where the scale line runs, as the last paint laid it out.
    Integer FMeterTop = 0;
    Integer FMeterLeft = 0;
};
