#include "components/plot/annotation/kPlotAnnotation.h"

#include <algorithm>
#include <cmath>

#include "components/plot/axis/kPlotAxis.h"
#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/view/kPlotDataView.h"
#include "platform/Math.h"

TClass TkPlotAnnotation::StaticClassInfo()
{
    using C = TkPlotAnnotation;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotObject>("TkPlotAnnotation")
            .Enum("Style", &C::Style, &C::SetStyle).Default(kpasText)
            .Enum("Reference", &C::Reference, &C::SetReference).Default(kprtDataView)
            .Enum("ReferencePositionX", &C::ReferencePositionX, &C::SetReferencePositionX).Default(kpriAuto)
            .Enum("ReferencePositionY", &C::ReferencePositionY, &C::SetReferencePositionY).Default(kpriAuto)
            .Enum("ReferenceSizeX", &C::ReferenceSizeX, &C::SetReferenceSizeX).Default(kpriAuto)
            .Enum("ReferenceSizeY", &C::ReferenceSizeY, &C::SetReferenceSizeY).Default(kpriAuto)
            .Float("X", &C::X, &C::SetX)
            .Float("Y", &C::Y, &C::SetY)
            .Float("X2", &C::X2, &C::SetX2)
            .Float("Y2", &C::Y2, &C::SetY2)
            .Float("Width", &C::Width, &C::SetWidth)
            .Float("Height", &C::Height, &C::SetHeight)
            .Color("PenColor", &C::PenColor, &C::SetPenColor).Default(clWhite)
            .Integer("PenWidth", &C::PenWidth, &C::SetPenWidth).Default(1)
            .Enum("PenStyle", &C::PenStyle, &C::SetPenStyle).Default(psSolid)
            .Color("BrushColor", &C::BrushColor, &C::SetBrushColor).Default(clWhite)
            .Enum("BrushStyle", &C::BrushStyle, &C::SetBrushStyle).Default(bsSolid)
            .String("Text", &C::Text, &C::SetText)
            .Object("Font", &C::Font, &C::SetFont)
            .String("ChannelName", &C::ChannelName, &C::SetChannelName)
            .Enum("TextRotation", &C::TextRotation, &C::SetTextRotation).Default(kra000)
            .Bool("UserCanMove", &C::UserCanMove, &C::SetUserCanMove).Default(false)
            .Bool("UserCanSize", &C::UserCanSize, &C::SetUserCanSize).Default(false)
            .Bool("SelectModeOnlyInteraction", &C::SelectModeOnlyInteraction, &C::SetSelectModeOnlyInteraction)
            .Default(true)
            .Bool("ClipToAxes", &C::ClipToAxes, &C::SetClipToAxes).Default(false)
            .Integer("ImageListIndex", &C::ImageListIndex, &C::SetImageListIndex).Default(0)
            .Integer("ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(0)
            .Enum("TextHorzAlignment", &C::TextHorzAlignment, &C::SetTextHorzAlignment).Default(kahCenter)
            .Enum("TextVertAlignment", &C::TextVertAlignment, &C::SetTextVertAlignment).Default(kavCenter)
            .Enum("TextLineAlignment", &C::TextLineAlignment, &C::SetTextLineAlignment).Default(kahCenter)
            .Float("TextHorzMargin", &C::TextHorzMargin, &C::SetTextHorzMargin)
            .Float("TextVertMargin", &C::TextVertMargin, &C::SetTextVertMargin)
            .Bool("ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect).Default(true)
            .Integer("OuterMargin", &C::OuterMargin, &C::SetOuterMargin).Default(0)
            .Build();
    return &info;
}

TkPlotAnnotation::TkPlotAnnotation(TkPlotObjectOwner* AOwner)
    : TkPlotObject(AOwner),
      FFont(CreateOwned<TFont>())
{
    FFont->SetName("Arial");
    FFont->SetColor(clWhite);
    FFont->OnChange = [this](TObject*) { DoChange(); };
}

// --- published properties ------------------------------------------------------------

void TkPlotAnnotation::SetStyle(TkPlotAnnotationStyle Value)
{
    SetProperty(FStyle, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetReference(TkPlotReferenceType Value)
{
    SetProperty(FReference, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetReferencePositionX(TkPlotReferenceIndividual Value)
{
    SetProperty(FReferencePositionX, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetReferencePositionY(TkPlotReferenceIndividual Value)
{
    SetProperty(FReferencePositionY, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetReferenceSizeX(TkPlotReferenceIndividual Value)
{
    SetProperty(FReferenceSizeX, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetReferenceSizeY(TkPlotReferenceIndividual Value)
{
    SetProperty(FReferenceSizeY, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetCoordinate(Double& Field, Double Value)
{
    if (Field == Value || std::isnan(Value)) return;
    Field = Value;
    TWeakRef<TkPlotObject> self(this);
    DoChange();
    if (self) FireEvent(kpaeCoordinatesChange);
}

void TkPlotAnnotation::SetX(Double Value) { SetCoordinate(FX, Value); }

void TkPlotAnnotation::SetY(Double Value) { SetCoordinate(FY, Value); }

void TkPlotAnnotation::SetX2(Double Value) { SetCoordinate(FX2, Value); }

void TkPlotAnnotation::SetY2(Double Value) { SetCoordinate(FY2, Value); }

void TkPlotAnnotation::SetWidth(Double Value) { SetCoordinate(FWidth, Value); }

void TkPlotAnnotation::SetHeight(Double Value) { SetCoordinate(FHeight, Value); }

void TkPlotAnnotation::FireEvent(TkPlotAnnotationEvent Event)
{
    Fire(PlotEvent::Annotation{this, Event});
}

void TkPlotAnnotation::SetPenColor(TColor Value) { SetProperty(FPenColor, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetPenWidth(Integer Value)
{
    SetProperty(FPenWidth, std::clamp(Value, 0, MaxPenWidth), &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetPenStyle(TPenStyle Value) { SetProperty(FPenStyle, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetBrushColor(TColor Value) { SetProperty(FBrushColor, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetBrushStyle(TBrushStyle Value)
{
    SetProperty(FBrushStyle, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetText(const String& Value) { SetProperty(FText, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetFont(TFont* Value)
{
    if (Value) FFont->Assign(Value);
}

void TkPlotAnnotation::SetChannelName(const String& Value)
{
    if (FChannel.SetName(Value)) DoChange();
}

void TkPlotAnnotation::SetTextRotation(TkRotationAngle Value)
{
    SetProperty(FTextRotation, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetUserCanMove(bool Value) { SetProperty(FUserCanMove, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetUserCanSize(bool Value) { SetProperty(FUserCanSize, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetClipToAxes(bool Value) { SetProperty(FClipToAxes, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetImageListIndex(Integer Value)
{
    SetProperty(FImageListIndex, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetImageIndex(Integer Value)
{
    SetProperty(FImageIndex, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetTextHorzAlignment(TkAlignmentHorizontal Value)
{
    SetProperty(FTextHorzAlignment, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetTextVertAlignment(TkAlignmentVertical Value)
{
    SetProperty(FTextVertAlignment, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetTextLineAlignment(TkAlignmentHorizontal Value)
{
    SetProperty(FTextLineAlignment, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetTextHorzMargin(Double Value)
{
    SetProperty(FTextHorzMargin, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetTextVertMargin(Double Value)
{
    SetProperty(FTextVertMargin, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetShowFocusRect(bool Value)
{
    SetProperty(FShowFocusRect, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetOuterMargin(Integer Value)
{
    SetProperty(FOuterMargin, Value, &TkPlotAnnotation::DoChange);
}

// --- polygon points and picture ----------------------------------------------------------

void TkPlotAnnotation::PolyPointAdd(Double AX, Double AY) { FPolyPoints.push_back({AX, AY}); }

void TkPlotAnnotation::PolyPointsClear() { FPolyPoints.clear(); }

void TkPlotAnnotation::ImageLoadFromFile(const String& FileName)
{
    FImage.LoadFromFile(FileName);
    DoChange();
}

void TkPlotAnnotation::ImageClear()
{
    if (FImage.Clear()) DoChange();
}

// --- references and conversions ----------------------------------------------------------

bool TkPlotAnnotation::OnChannel(TCoordinate Coordinate) const
{
    const TkPlotReferenceIndividual individual[] = {FReferencePositionX, FReferencePositionY, FReferenceSizeX,
                                                    FReferenceSizeY};
    switch (individual[Coordinate]) {
    case kpriDataView: return false;
    case kpriChannel: return true;
    case kpriAuto: break;
    }
    const bool alongX = Coordinate == kcPositionX || Coordinate == kcSizeX;
    switch (FReference) {
    case kprtChannel: return true;
    case kprtXChannelYDataView: return alongX;
    case kprtXDataViewYChannel: return !alongX;
    case kprtDataView: break;
    }
    return false;
}

bool TkPlotAnnotation::Vertical(const TkPlotPaintContext& Context, TCoordinate Coordinate)
{
    const bool alongX = Coordinate == kcPositionX || Coordinate == kcSizeX;
    return alongX == Context.XYAxesReversed;
}

TkPlotChannelCustom* TkPlotAnnotation::Channel() const { return FChannel.Get(); }

TkPlotScalePair TkPlotAnnotation::BoundScales()
{
    TkPlotChannelCustom* channel = Channel();
    if (!channel) return {};
    return ScalesOf(channel->XAxis(), channel->YAxis());
}

const TkPlotAxisScale* TkPlotAnnotation::ScaleOf(const TkPlotPaintContext& Context, TCoordinate Coordinate)
{
    if (!Context.HasScales()) return nullptr;
    return Coordinate == kcPositionX || Coordinate == kcSizeX ? Context.XScale : Context.YScale;
}

bool TkPlotAnnotation::CanConvert(const TkPlotPaintContext& Context) const
{
    for (const TCoordinate c : {kcPositionX, kcPositionY, kcSizeX, kcSizeY}) {
        if (OnChannel(c) ? !ScaleOf(Context, c) : !FDataView) return false;
    }
    return true;
}

Integer TkPlotAnnotation::ToPixels(const TkPlotPaintContext& Context, TCoordinate Coordinate, Double Value) const
{
    Integer pixel = 0;
    if (OnChannel(Coordinate)) {
        if (const TkPlotAxisScale* scale = ScaleOf(Context, Coordinate)) pixel = scale->Pixel(Value);
    } else if (const TkPlotDataView* view = FDataView.Get()) {
        pixel = Vertical(Context, Coordinate) ? view->PositionPercentToPixelsY(Value)
                                              : view->PositionPercentToPixelsX(Value);
    }
    return std::clamp(pixel, -MaxPixel, MaxPixel);
}

Double TkPlotAnnotation::ToValue(const TkPlotPaintContext& Context, TCoordinate Coordinate, Integer Pixel) const
{
    if (OnChannel(Coordinate)) {
        const TkPlotAxisScale* scale = ScaleOf(Context, Coordinate);
        return scale ? scale->Position(Pixel) : 0.0;
    }
    const TkPlotDataView* view = FDataView.Get();
    if (!view) return 0.0;
    return Vertical(Context, Coordinate) ? view->PixelsYToPositionPercent(Pixel)
                                         : view->PixelsXToPositionPercent(Pixel);
}

Integer TkPlotAnnotation::SizeToPixels(const TkPlotPaintContext& Context, TCoordinate Coordinate, Double Size) const
{
    Double origin = 0;
    if (OnChannel(Coordinate))
        if (const TkPlotAxisScale* scale = ScaleOf(Context, Coordinate)) origin = scale->Min();
    const Int64 span = Int64{ToPixels(Context, Coordinate, origin + Size)} - ToPixels(Context, Coordinate, origin);
    return Integer(std::min<Int64>(std::abs(span), MaxPixel));
}

Integer TkPlotAnnotation::PositionXToPixels(Double Value) { return ToPixels(BoundContext(), kcPositionX, Value); }

Integer TkPlotAnnotation::PositionYToPixels(Double Value) { return ToPixels(BoundContext(), kcPositionY, Value); }

Double TkPlotAnnotation::PixelsXToPosition(Integer Pixel) { return ToValue(BoundContext(), kcPositionX, Pixel); }

Double TkPlotAnnotation::PixelsYToPosition(Integer Pixel) { return ToValue(BoundContext(), kcPositionY, Pixel); }

void TkPlotAnnotation::SetDataView(TkPlotDataView* Value) { FDataView = TWeakRef<TkPlotDataView>(Value); }

// --- notifications ---------------------------------------------------------------------------

void TkPlotAnnotation::NotificationSetFocus(TkPlotObject* AObject)
{
    TkPlotObject::NotificationSetFocus(AObject);
    if (AObject != this && UserSelected() && AObject->UserSelected()) SetUserSelected(false);
}
