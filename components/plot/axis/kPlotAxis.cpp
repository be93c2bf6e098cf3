#include "components/plot/axis/kPlotAxis.h"

#include <algorithm>
#include <cmath>

#include "components/plot/axis/kPlotAxisTracking.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/FormStream.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

namespace {

constexpr Double kMaxScaleValue = TkPlotAxis::kMaxScaleValue;
constexpr const char* kNoAxisName = "<None>";
constexpr const char* kLogScalePositionMessage = "Log Scale Requires Position to be Greater Than Zero";

Integer Shifted(Integer Edge, Int64 Offset) { return SatInt32(Int64{Edge} + Offset); }

// Carriage returns, with or without a line feed, become blanks.
String OneLine(const String& Text)
{
    return StringReplace(StringReplace(Text, "\r\n", " ", {rfReplaceAll}), "\r", " ", {rfReplaceAll});
}

}  // namespace

// ===========================================================================
// Class information
// ===========================================================================

TClass TkPlotAxis::StaticClassInfo()
{
    using C = TkPlotAxis;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotLayoutObject>("TkPlotAxis")
            .Float("Min", &C::Min, &C::SetMin)
            .Float("Span", &C::Span, &C::SetSpan)
            .Float("DesiredStart", &C::DesiredStart, &C::SetDesiredStart)
            .Float("DesiredIncrement", &C::DesiredIncrement, &C::SetDesiredIncrement)
            .Bool("ReverseScale", &C::ReverseScale, &C::SetReverseScale).Default(false)
            .Integer("InnerMargin", &C::InnerMargin, &C::SetInnerMargin).Default(5)
            .Integer("OuterMargin", &C::OuterMargin, &C::SetOuterMargin).Default(5)
            .String("Title", &C::Title, &C::SetTitle)
            .Float("TitleMargin", &C::TitleMargin, &C::SetTitleMargin)
            .Object("TitleFont", &C::TitleFont, &C::SetTitleFont)
            .Bool("TitleShow", &C::TitleShow, &C::SetTitleShow).Default(false)
            .Bool("TitleRotated", &C::TitleRotated, &C::SetTitleRotated).Default(false)
            .Integer("MajorLength", &C::MajorLength, &C::SetMajorLength).Default(7)
            .Integer("MinorLength", &C::MinorLength, &C::SetMinorLength).Default(3)
            .Integer("MinorCount", &C::MinorCount, &C::SetMinorCount).Default(1)
            .Bool("LabelsVisible", &C::LabelsVisible, &C::SetLabelsVisible).Default(true)
            .Float("LabelsMargin", &C::LabelsMargin, &C::SetLabelsMargin)
            .Object("LabelsFont", &C::LabelsFont, &C::SetLabelsFont)
            .Float("LabelSeparation", &C::LabelSeparation, &C::SetLabelSeparation)
            .Enum("LabelsRotation", &C::LabelsRotation, &C::SetLabelsRotation)
            .Integer("LabelsPrecision", &C::LabelsPrecision, &C::SetLabelsPrecision).Default(3)
            .Enum("LabelsPrecisionStyle", &C::LabelsPrecisionStyle, &C::SetLabelsPrecisionStyle)
            .Enum("LabelsFormatStyle", &C::LabelsFormatStyle, &C::SetLabelsFormatStyle)
            .String("DateTimeFormat", &C::DateTimeFormat, &C::SetDateTimeFormat)
            .Float("LabelsMinLength", &C::LabelsMinLength, &C::SetLabelsMinLength)
            .Bool("LabelsMinLengthAutoAdjust", &C::LabelsMinLengthAutoAdjust, &C::SetLabelsMinLengthAutoAdjust)
            .Default(false)
            .Bool("ScaleLineShow", &C::ScaleLineShow, &C::SetScaleLineShow)
            .Bool("ScaleLinesShow", &C::ScaleLinesShow, &C::SetScaleLinesShow).Default(true)
            .Color("ScaleLinesColor", &C::ScaleLinesColor, &C::SetScaleLinesColor).Default(clWhite)
            .Float("StackingEndsMargin", &C::StackingEndsMargin, &C::SetStackingEndsMargin)
            .Enum("ScaleType", &C::ScaleType, &C::SetScaleType)
            .Bool("TrackingEnabled", &C::TrackingEnabled, &C::SetTrackingEnabled).Default(true)
            .Enum("TrackingStyle", &C::TrackingStyle, &C::SetTrackingStyle)
            .Enum("TrackingIncrementStyle", &C::TrackingIncrementStyle, &C::SetTrackingIncrementStyle)
            .Enum("TrackingAlignFirstStyle", &C::TrackingAlignFirstStyle, &C::SetTrackingAlignFirstStyle)
            .Float("TrackingScrollCompressMax", &C::TrackingScrollCompressMax, &C::SetTrackingScrollCompressMax)
            .Float("TrackingSpanMinimum", &C::TrackingSpanMinimum, &C::SetTrackingSpanMinimum)
            .Float("TrackingMaxMargin", &C::TrackingMaxMargin, &C::SetTrackingMaxMargin)
            .Float("TrackingMinMargin", &C::TrackingMinMargin, &C::SetTrackingMinMargin)
            .Bool("CursorUseDefaultFormat", &C::CursorUseDefaultFormat, &C::SetCursorUseDefaultFormat).Default(true)
            .Enum("CursorFormatStyle", &C::CursorFormatStyle, &C::SetCursorFormatStyle)
            .String("CursorDateTimeFormat", &C::CursorDateTimeFormat, &C::SetCursorDateTimeFormat)
            .Enum("CursorPrecisionStyle", &C::CursorPrecisionStyle, &C::SetCursorPrecisionStyle)
            .Integer("CursorPrecision", &C::CursorPrecision, &C::SetCursorPrecision)
            .Float("CursorMinLength", &C::CursorMinLength, &C::SetCursorMinLength)
            .Bool("CursorMinLengthAutoAdjust", &C::CursorMinLengthAutoAdjust, &C::SetCursorMinLengthAutoAdjust)
            .Default(false)
            .Bool("LegendUseDefaultFormat", &C::LegendUseDefaultFormat, &C::SetLegendUseDefaultFormat).Default(true)
            .Enum("LegendFormatStyle", &C::LegendFormatStyle, &C::SetLegendFormatStyle)
            .String("LegendDateTimeFormat", &C::LegendDateTimeFormat, &C::SetLegendDateTimeFormat)
            .Enum("LegendPrecisionStyle", &C::LegendPrecisionStyle, &C::SetLegendPrecisionStyle)
            .Integer("LegendPrecision", &C::LegendPrecision, &C::SetLegendPrecision)
            .Float("LegendMinLength", &C::LegendMinLength, &C::SetLegendMinLength)
            .Bool("LegendMinLengthAutoAdjust", &C::LegendMinLengthAutoAdjust, &C::SetLegendMinLengthAutoAdjust)
            .Default(false)
            .Float("CursorScaler", &C::CursorScaler, &C::SetCursorScaler)
            .Bool("ScrollMinMaxEnabled", &C::ScrollMinMaxEnabled, &C::SetScrollMinMaxEnabled)
            .Float("ScrollMax", &C::ScrollMax, &C::SetScrollMax)
            .Float("ScrollMin", &C::ScrollMin, &C::SetScrollMin)
            .Bool("RestoreValuesOnResume", &C::RestoreValuesOnResume, &C::SetRestoreValuesOnResume)
            .Bool("MasterUIInput", &C::MasterUIInput, &C::SetMasterUIInput)
            .Enum("CartesianStyle", &C::CartesianStyle, &C::SetCartesianStyle)
            .String("CartesianChildRefAxisName", &C::CartesianChildRefAxisName, &C::SetCartesianChildRefAxisName)
            .Float("CartesianChildRefValue", &C::CartesianChildRefValue, &C::SetCartesianChildRefValue)
            .String("AlignRefAxisName", &C::AlignRefAxisName, &C::SetAlignRefAxisName)
            .Bool("GridLinesVisible", &C::GridLinesVisible, &C::SetGridLinesVisible)
            .Bool("ForceStacking", &C::ForceStacking, &C::SetForceStacking)
            .Build();
    return &info;
}

TClass TkPlotXAxis::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotXAxis, TkPlotAxis>("TkPlotXAxis").Build();
    return &info;
}

TClass TkPlotYAxis::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotYAxis, TkPlotAxis>("TkPlotYAxis").Build();
    return &info;
}

// ===========================================================================
// Life cycle
// ===========================================================================

TkPlotAxis::TkPlotAxis(TkPlotObjectOwner* AOwner)
    : TkPlotLayoutObject(AOwner),
      FTitleFont(CreateOwned<TFont>()),
      FLabelsFont(CreateOwned<TFont>())
{
    FTitleFont->SetName("Arial");
    FTitleFont->SetSize(10);
    FTitleFont->SetStyle(TFontStyles{fsBold});
    FTitleFont->SetColor(clWhite);
    FLabelsFont->SetColor(clWhite);
    // Only changes after construction are the axis' own.
    FTitleFont->OnChange = [this](TObject*) { DoChange(); };
    FLabelsFont->OnChange = [this](TObject*) { DoChange(); };
}

TkPlotXAxis::TkPlotXAxis(TkPlotObjectOwner* AOwner)
    : TkPlotAxis(AOwner)
{
    const TkPlotObjectsHost* plot = Host().Objects;
    SetTrackingDefaults(plot && plot->IsTkPlot() ? kptsScrollSmooth : kptsScaleMinMax, kpafsAuto);
}

TkPlotYAxis::TkPlotYAxis(TkPlotObjectOwner* AOwner)
    : TkPlotAxis(AOwner)
{
    SetTrackingDefaults(kptsScaleMinMax, kpafsNone);
}

void TkPlotAxis::DefineProperties(TFiler& Filer)
{
    TkPlotLayoutObject::DefineProperties(Filer);
    Filer.DefineProperty("Span_2", [this](TReader& Reader) { SetSpan(Reader.ReadDouble()); }, {}, false);
}

// ===========================================================================
// Scale values
// ===========================================================================

void TkPlotAxis::SetMin(Double Value)
{
    const Double old = FScale.Min();
    if (!FScale.SetMin(Value)) return;
    DoChange();
    if (!FBlockMinSpanEvents) FireMinSpanEvents(old, FScale.Span(), true, false);
}

void TkPlotAxis::SetSpan(Double Value)
{
    const Double old = FScale.Span();
    if (!FScale.SetSpan(Value)) return;
    DoChange();
    if (!FBlockMinSpanEvents) FireMinSpanEvents(FScale.Min(), old, false, true);
}

void TkPlotAxis::SetMinSpan(Double NewMin, Double NewSpan)
{
    const Double oldMin = FScale.Min();
    const Double oldSpan = FScale.Span();
    // One change for both: a scrolling axis moves with every tracked point.
    if (!FScale.SetMinSpan(NewMin, NewSpan)) return;
    DoChangeUnlessRepaintPending();
    FireMinSpanEvents(oldMin, oldSpan, FScale.Min() != oldMin, FScale.Span() != oldSpan);
}

void TkPlotAxis::FireMinSpanEvents(Double OldMin, Double OldSpan, bool MinChanged, bool SpanChanged)
{
    if (!ScaleEventsListened()) return;
    const Double newMin = FScale.Min();
    const Double newSpan = FScale.Span();
    if (MinChanged) Fire(PlotEvent::AxisMinChange{this, OldMin, newMin});
    if (SpanChanged) Fire(PlotEvent::AxisSpanChange{this, OldSpan, newSpan});
    Fire(PlotEvent::AxisMinSpanChange{this, OldMin, OldSpan, newMin, newSpan});
}

void TkPlotAxis::SetScaleType(TkPlotScaleType Value)
{
    if (FScale.SetType(Value)) DoChange();
}

void TkPlotAxis::SetDesiredStart(Double Value) { SetProperty(FDesiredStart, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetDesiredIncrement(Double Value)
{
    if (std::isnan(Value)) return;
    SetProperty(FDesiredIncrement, EnsureRange(Value, 0.0, kMaxScaleValue), &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetReverseScale(bool Value)
{
    if (FScale.SetReversed(Value)) DoChange();
}

// ===========================================================================
// Plain settings
// ===========================================================================

void TkPlotAxis::SetInnerMargin(Integer Value) { SetProperty(FInnerMargin, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetOuterMargin(Integer Value) { SetProperty(FOuterMargin, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetTitle(const String& Value) { SetProperty(FTitle, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetTitleMargin(Double Value) { SetProperty(FTitleMargin, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetTitleShow(bool Value) { SetProperty(FTitleShow, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetTitleRotated(bool Value) { SetProperty(FTitleRotated, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetMajorLength(Integer Value) { SetProperty(FMajorLength, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetMinorLength(Integer Value) { SetProperty(FMinorLength, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetMinorCount(Integer Value) { SetProperty(FMinorCount, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetLabelsVisible(bool Value) { SetProperty(FLabelsVisible, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetLabelsMargin(Double Value) { SetProperty(FLabelsMargin, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetLabelSeparation(Double Value)
{
    SetProperty(FLabelSeparation, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLabelsRotation(TkRotationAngle Value)
{
    SetProperty(FLabelsRotation, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLabelsPrecision(Integer Value)
{
    SetProperty(FLabelFormat.Precision, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLabelsPrecisionStyle(TkPrecisionStyle Value)
{
    SetProperty(FLabelFormat.PrecisionStyle, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLabelsFormatStyle(TkPlotTextFormat Value)
{
    SetProperty(FLabelFormat.Style, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetDateTimeFormat(const String& Value)
{
    SetProperty(FLabelFormat.DateTimeFormat, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLabelsMinLength(Double Value) { SetProperty(FLabelsMinLength, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetLabelsMinLengthAutoAdjust(bool Value)
{
    SetProperty(FLabelsMinLengthAutoAdjust, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetScaleLineShow(bool Value) { SetProperty(FScaleLineShow, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetScaleLinesShow(bool Value) { SetProperty(FScaleLinesShow, Value, &TkPlotAxis::DoChange); }
void TkPlotAxis::SetScaleLinesColor(TColor Value) { SetProperty(FScaleLinesColor, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetStackingEndsMargin(Double Value)
{
    SetProperty(FStackingEndsMargin, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetGridLinesVisible(bool Value) { SetProperty(FGridLinesVisible, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetTitleFont(TFont* Value)
{
    if (Value) FTitleFont->Assign(Value);
}

void TkPlotAxis::SetLabelsFont(TFont* Value)
{
    if (Value) FLabelsFont->Assign(Value);
}

void TkPlotAxis::SetMode(TkPlotAxisMode Value) { SetProperty(FMode, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetCustomizeLabelEventText(const String& Value)
{
    FCustomizeLabelEventText = Value;
    FCustomizeLabelEventModified = true;
}

// --- tracking settings -------------------------------------------------------

void TkPlotAxis::SetTrackingEnabled(bool Value)
{
    if (!FScale.SetTrackingEnabled(Value)) return;
    if (FScale.RestoreValuesOnResume()) {
        if (Value) {
            const TkPlotScaleRange resume = FScale.ResumeValues();
            SetMinSpan(resume.Min, resume.Span);
            FLabelsMinLength = FPreviousLabelsMinLength;
        } else {
            UpdateResumeValues();
        }
    }
    DoChange();
}

void TkPlotAxis::UpdateResumeValues()
{
    FScale.UpdateResumeValues();
    FPreviousLabelsMinLength = FLabelsMinLength;
}

void TkPlotAxis::ZoomToFit() { TkPlotAxisTracking::ZoomToFit(*this); }

void TkPlotAxis::ZoomToFitFast() { TkPlotAxisTracking::ZoomToFitFast(*this); }

void TkPlotAxis::SetTrackingStyle(TkPlotTrackingStyle Value)
{
    TrackingSettingChanged(FScale.SetTrackingStyle(Value));
}

void TkPlotAxis::SetTrackingIncrementStyle(TkPlotTrackingIncrementStyle Value)
{
    TrackingSettingChanged(FScale.SetTrackingIncrementStyle(Value));
}

void TkPlotAxis::SetTrackingAlignFirstStyle(TkPlotAlignFirstStyle Value)
{
    TrackingSettingChanged(FScale.SetTrackingAlignFirstStyle(Value));
}

void TkPlotAxis::SetTrackingScrollCompressMax(Double Value)
{
    TrackingSettingChanged(FScale.SetTrackingScrollCompressMax(Value));
}

void TkPlotAxis::SetTrackingSpanMinimum(Double Value)
{
    TrackingSettingChanged(FScale.SetTrackingSpanMinimum(Value));
}

void TkPlotAxis::SetTrackingMaxMargin(Double Value) { TrackingSettingChanged(FScale.SetTrackingMaxMargin(Value)); }

void TkPlotAxis::SetTrackingMinMargin(Double Value) { TrackingSettingChanged(FScale.SetTrackingMinMargin(Value)); }

void TkPlotAxis::SetRestoreValuesOnResume(bool Value)
{
    if (FScale.SetRestoreValuesOnResume(Value)) DoChange();
}

// --- cursor and legend formats ----------------------------------------------

void TkPlotAxis::SetCursorUseDefaultFormat(bool Value)
{
    SetProperty(FCursorUseDefaultFormat, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetCursorFormatStyle(TkPlotTextFormat Value)
{
    SetProperty(FCursorFormat.Style, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetCursorDateTimeFormat(const String& Value)
{
    SetProperty(FCursorFormat.DateTimeFormat, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetCursorPrecisionStyle(TkPrecisionStyle Value)
{
    SetProperty(FCursorFormat.PrecisionStyle, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetCursorPrecision(Integer Value)
{
    SetProperty(FCursorFormat.Precision, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetCursorMinLength(Double Value) { SetProperty(FCursorMinLength, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetCursorMinLengthAutoAdjust(bool Value)
{
    SetProperty(FCursorMinLengthAutoAdjust, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLegendUseDefaultFormat(bool Value)
{
    SetProperty(FLegendUseDefaultFormat, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLegendFormatStyle(TkPlotTextFormat Value)
{
    SetProperty(FLegendFormat.Style, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLegendDateTimeFormat(const String& Value)
{
    SetProperty(FLegendFormat.DateTimeFormat, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLegendPrecisionStyle(TkPrecisionStyle Value)
{
    SetProperty(FLegendFormat.PrecisionStyle, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLegendPrecision(Integer Value)
{
    SetProperty(FLegendFormat.Precision, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetLegendMinLength(Double Value) { SetProperty(FLegendMinLength, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetLegendMinLengthAutoAdjust(bool Value)
{
    SetProperty(FLegendMinLengthAutoAdjust, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetCursorScaler(Double Value) { SetProperty(FCursorScaler, Value, &TkPlotAxis::DoChange); }

// --- scrolling and references --------------------------------------------------

void TkPlotAxis::SetScrollMinMaxEnabled(bool Value)
{
    if (FScale.SetScrollMinMaxEnabled(Value)) DoChange();
}

void TkPlotAxis::SetScrollMax(Double Value)
{
    if (FScale.SetScrollMax(Value)) DoChange();
}

void TkPlotAxis::SetScrollMin(Double Value)
{
    if (FScale.SetScrollMin(Value)) DoChange();
}
void TkPlotAxis::SetMasterUIInput(bool Value) { SetProperty(FMasterUIInput, Value, &TkPlotAxis::DoChange); }

void TkPlotAxis::SetCartesianStyle(TkPlotCartesianStyle Value)
{
    SetProperty(FCartesianStyle, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetCartesianChildRefAxisName(const String& Value)
{
    if (FCartesianRefAxis.SetName(Value, ReferenceKind(Value, false))) DoChange();
}

void TkPlotAxis::SetCartesianChildRefValue(Double Value)
{
    SetProperty(FCartesianChildRefValue, Value, &TkPlotAxis::DoChange);
}

void TkPlotAxis::SetAlignRefAxisName(const String& Value)
{
    if (FAlignRefAxis.SetName(Value, ReferenceKind(Value, true))) DoChange();
}

TkPlotAxis* TkPlotAxis::GetCartesianChildRefAxis() const { return FCartesianRefAxis.Get(); }

TkPlotAxis* TkPlotAxis::GetAlignRefAxis() const { return FAlignRefAxis.Get(); }

TkPlotObjectKind TkPlotAxis::ReferenceKind(const String& Name, bool SameDirection) const
{
    if (Name == kNoAxisName || !IsAxisKind(Kind())) return kpokNone;
    return IsXAxis() == SameDirection ? kpokXAxis : kpokYAxis;
}

// ===========================================================================
// Scale layout and conversions
// ===========================================================================

bool TkPlotAxis::LabelsAlongAxis() const
{
    const bool level = FLabelsRotation == kra000 || FLabelsRotation == kra180;
    const bool upright = FLabelsRotation == kra090 || FLabelsRotation == kra270;
    return IsHorz() ? level : upright;
}

// Room a label takes along the axis: the widest label when labels run
// along it, else the height of the label of Min.
Integer TkPlotAxis::LabelExtent(TCanvas* Canvas, bool AlongAxis)
{
    if (AlongAxis) return GetMaxLabelWidth(Canvas, FLabelsFont.get());
    Canvas->SetFont(FLabelsFont.get());
    return Canvas->TextHeight(GetLabelText(FScale.Min()));
}

// Room kept at a stacked end for the half label that overhangs it.
Integer TkPlotAxis::EndMargin(TCanvas* Canvas)
{
    if (FCartesianStyle != kpcsNone) return 0;
    if (IsHorz()) {
        const Integer extent = FLabelsVisible ? LabelExtent(Canvas, LabelsAlongAxis()) : 0;
        const Extended gap = Canvas->TextWidth("0") * Extended(FStackingEndsMargin);
        return SatInt32(Int64{RoundPix(extent / 2.0L)} + RoundPix(gap));
    }
    const Extended gap = Canvas->TextHeight("0") * Extended(FStackingEndsMargin);
    return SatInt32((Int64{LabelExtent(Canvas, LabelsAlongAxis())} + RoundPix(gap)) / 2);
}

void TkPlotAxis::LayoutScale(TCanvas* Canvas)
{
    Canvas->SetFont(FLabelsFont.get());
    const bool cartesian = FCartesianStyle != kpcsNone;
    const Int64 margin = EndMargin(Canvas);
    const Int64 startShift = StartStacked() ? margin : 0;
    const Int64 stopShift = StopStacked() ? margin : 0;
    const TRect layout = LayoutRect();
    TRect scale;
    if (IsHorz()) {
        FQuadSide = cartesian || !ReverseSide() ? 3 : 1;
        scale = Rect(Shifted(layout.Left, startShift), layout.Top, Shifted(layout.Right, -stopShift), layout.Bottom);
        FFocusRect = Rect(Shifted(scale.Left, -margin), Shifted(layout.Top, 2), Shifted(scale.Right, margin),
                          Shifted(layout.Bottom, -2));
    } else {
        FQuadSide = cartesian || ReverseSide() ? 2 : 0;
        scale = Rect(layout.Left, Shifted(layout.Top, stopShift), layout.Right, Shifted(layout.Bottom, -startShift));
        FFocusRect = Rect(Shifted(layout.Left, 2), Shifted(scale.Top, -margin), Shifted(layout.Right, -2),
                          Shifted(scale.Bottom, margin));
    }
    FScale.LayOut(scale, IsHorz());
}

Double TkPlotAxis::PositionToPercent(Double Value) const
{
    const Extended start = StartPercent();
    return Double((start + ScaleMap().Fraction(Value) * (StopPercent() - start)) / 100);
}

Double TkPlotAxis::PercentToPosition(Double Value) const
{
    const Extended width = Extended(StopPercent()) - StartPercent();
    if (width <= 0) return 0;
    const Extended fraction = (Value * 100.0L - StartPercent()) / width;
    return ScaleMap().ValueAtFraction(Double(FScale.Reversed() ? 1 - fraction : fraction));
}

void TkPlotAxis::SetMinSpanFromRect(const TRect& Rect)
{
    const bool horizontal = IsHorz();
    Integer low = horizontal ? Rect.Left : Rect.Bottom;
    Integer high = horizontal ? Rect.Right : Rect.Top;
    if (FScale.Reversed()) std::swap(low, high);
    const Double newMin = PixelsToPosition(low);
    SetMinSpan(newMin, PixelsToPosition(high) - newMin);
}

// ===========================================================================
// Ticks
// ===========================================================================

void TkPlotAxis::CalcTicks(TCanvas* Canvas)
{
    FMonthModeEnabled = false;
    FYearModeEnabled = false;
    LayoutScale(Canvas);
    if (!FTickListCustom) FillTickList(Canvas);
    for (TkPlotTickObject* tick : FTickList) {
        tick->Show = PointOnScale(tick->Position);
        if (tick->Show) tick->PositionPixels = PositionToPixels(tick->Position);
    }
}

// Pixels one label needs along the axis, at least 1.
Integer TkPlotAxis::LabelPixels(TCanvas* Canvas)
{
    const Extended separation = Extended(FLabelSeparation) + 1;
    Integer pixels = 0;
    if (LabelsAlongAxis()) {
        const Integer widest = GetMaxLabelWidth(Canvas, FLabelsFont.get());
        pixels = RoundPix(widest + Canvas->TextWidth("0") * separation);
    } else {
        pixels = RoundPix(Canvas->TextHeight("0") * separation);
    }
    return std::max(pixels, 1);
}

void TkPlotAxis::FillTickList(TCanvas* Canvas)
{
    ClearTicks();
    Canvas->SetFont(FLabelsFont.get());
    const Integer maxCount = std::max(ScaleLength() / LabelPixels(Canvas), 1);
    const TkPlotOnScale onScale = [this](Double Value) { return PointOnScale(Value); };
    TkPlotTickPositions positions;
    if (const Double min = FScale.Min(), span = FScale.Span(); FScale.IsLog() && SpansDecades(min, span)) {
        positions = GenerateDecadeTicks(min, span, maxCount, onScale);
    } else {
        TkPlotTickRun run = ChooseIncrement(maxCount);
        positions = GenerateLabelledTicks(run, onScale);
        FMajorIncrement = run.Major.Value;
        FMinorIncrement = run.MinorIncrement;
    }
    for (const TkPlotTickPosition& tick : positions)
        AddTick(tick.Type, tick.Position, tick.Type == kpttMajor ? GetLabelText(tick.Position) : String());
}

TkPlotTickRun TkPlotAxis::ChooseIncrement(Integer MaxCount)
{
    TkPlotIncrementRequest request;
    request.Span = FScale.Span();
    request.DesiredIncrement = FDesiredIncrement;
    request.LabelsVisible = FLabelsVisible;
    request.ScaleLength = ScaleLength();
    request.MinorCount = FMinorCount;
    request.MaxCount = MaxCount;
    request.Format = FLabelFormat.Style;
    TkPlotIncrement major = ChooseMajorIncrement(request);
    FMonthModeEnabled = major.Unit == TkPlotIncrementUnit::Months;
    FYearModeEnabled = major.Unit == TkPlotIncrementUnit::Years;
    FMajorIncrement = major.Value;
    FMinorIncrement = MinorIncrementOf(FMajorIncrement, FMinorCount);
    // Calendar walks need a scale inside the calendar; it changes in place,
    // without events, and the pixel scale follows.
    FScale.ClampToCalendar(major.Unit, FMajorIncrement);
    major.Value = FMajorIncrement;
    return {FScale.Min(), FScale.Span(), major, FMinorCount, FMinorIncrement, FDesiredStart, FScale.Type()};
}

void TkPlotAxis::AddTick(TkPlotTickType Type, Double Position, const String& Text)
{
    auto* tick = Create<TkPlotTickObject>();
    tick->TickType = Type;
    tick->Position = Position;
    tick->Text = Text;
    FTickList.Add(tick);
}

void TkPlotAxis::ClearTicks() { FTickList.Clear(); }

Integer TkPlotAxis::TickListAdd(Double Position, const String& ALabel, TkPlotTickType Style)
{
    if (FScale.IsLog() && Position <= 0) throw Exception(kLogScalePositionMessage);
    AddTick(Style, Position, ALabel);
    DoChange();
    return FTickList.Count() - 1;
}

void TkPlotAxis::TickListClear()
{
    ClearTicks();
    DoChange();
}

// ===========================================================================
// Texts
// ===========================================================================

String TkPlotAxis::CustomizeLabel(const String& Text, Double Value)
{
    FCustomizeLabelEventText = Text;
    FCustomizeLabelEventModified = false;
    if (Host().Events) {
        String exchanged = Text;
        Fire(PlotEvent::AxisCustomizeLabel{this, exchanged, Value});
        if (exchanged != Text) SetCustomizeLabelEventText(exchanged);
    }
    return FCustomizeLabelEventModified ? FCustomizeLabelEventText : Text;
}

String TkPlotAxis::FormatLabel(Double Value, const TkPlotValueFormat& Format, Double& MinLength, bool AutoAdjust)
{
    const std::optional<String> text = FormatValueText(Value, Format, FScale.Type(), FScale.Span());
    if (!text) return kUnknownValueText;
    String result = CustomizeLabel(*text, Value);
    // Measuring labels widens the room kept for them; written in place, as
    // measuring happens while painting.
    if (AutoAdjust && FAllowLabelMinAdjust) MinLength = std::max(MinLength, Double(CharCount(result)));
    return result;
}

String TkPlotAxis::GetLabelText(Double Value)
{
    return FormatLabel(Value, FLabelFormat, FLabelsMinLength, FLabelsMinLengthAutoAdjust);
}

String TkPlotAxis::GetCursorText(Double Value)
{
    if (FCursorUseDefaultFormat) return OneLine(GetLabelText(Value));
    return OneLine(FormatLabel(Value, FCursorFormat, FCursorMinLength, FCursorMinLengthAutoAdjust));
}

String TkPlotAxis::GetLegendText(Double Value)
{
    if (FLegendUseDefaultFormat) return OneLine(GetLabelText(Value));
    return OneLine(FormatLabel(Value, FLegendFormat, FLegendMinLength, FLegendMinLengthAutoAdjust));
}

String TkPlotAxis::GetCursorValueText(Double Value)
{
    const bool labels = FCursorUseDefaultFormat;
    TkPlotValueFormat format = labels ? FLabelFormat : FCursorFormat;
    format.Style = kptfValue;
    format.DateTimeFormat.clear();
    Double& minLength = labels ? FLabelsMinLength : FCursorMinLength;
    const bool autoAdjust = labels ? FLabelsMinLengthAutoAdjust : FCursorMinLengthAutoAdjust;
    return OneLine(FormatLabel(Value, format, minLength, autoAdjust));
}

Integer TkPlotAxis::GetMaxLabelWidth(TCanvas* Canvas, TFont* Font)
{
    Canvas->SetFont(Font);
    Integer widest = RoundPix(Canvas->TextWidth("0") * Extended(FLabelsMinLength));
    String sample;
    {
        TFlagScope measuring(FAllowLabelMinAdjust);
        const Double min = FScale.Min();
        const Double span = FScale.Span();
        sample = GetLabelText(std::trunc(min / span) * span + span);
    }
    widest = std::max(widest, Canvas->TextWidth(sample));
    for (const TkPlotTickObject* tick : FTickList) widest = std::max(widest, Canvas->TextWidth(tick->Text));
    return widest;
}

Integer TkPlotAxis::GetLegendTextWidth(TCanvas* Canvas, TFont* Font)
{
    Canvas->SetFont(Font);
    return RoundPix(Canvas->TextWidth("0") * Extended(FLegendUseDefaultFormat ? FLabelsMinLength : FLegendMinLength));
}

Integer TkPlotAxis::GetCursorTextWidth(TCanvas* Canvas, TFont* Font)
{
    Canvas->SetFont(Font);
    return RoundPix(Canvas->TextWidth("0") * Extended(FCursorUseDefaultFormat ? FLabelsMinLength : FCursorMinLength));
}
