#include "components/plot/kPlotAnnotation.h"

TClass TkPlotAnnotation::StaticClassInfo()
{
    using C = TkPlotAnnotation;
    static const TClassInfo info =
        TClassBuilder<C, TkPlotObject>("TkPlotAnnotation")
            .Enum("Reference", &C::Reference, &C::SetReference).Default(kprtDataView)
            .Enum("ReferencePositionX", &C::ReferencePositionX, &C::SetReferencePositionX).Default(kpriAuto)
            .Enum("ReferencePositionY", &C::ReferencePositionY, &C::SetReferencePositionY).Default(kpriAuto)
            .Enum("ReferenceSizeX", &C::ReferenceSizeX, &C::SetReferenceSizeX).Default(kpriAuto)
            .Enum("ReferenceSizeY", &C::ReferenceSizeY, &C::SetReferenceSizeY).Default(kpriAuto)
            .Color("PenColor", &C::PenColor, &C::SetPenColor).Default(clWhite)
            .Integer("PenWidth", &C::PenWidth, &C::SetPenWidth).Default(1)
            .Enum("PenStyle", &C::PenStyle, &C::SetPenStyle).Default(psSolid)
            .Color("BrushColor", &C::BrushColor, &C::SetBrushColor).Default(clWhite)
            .Enum("BrushStyle", &C::BrushStyle, &C::SetBrushStyle).Default(bsSolid)
            .Object("Font", &C::Font, &C::SetFont)
            .Build();
    return &info;
}

TkPlotAnnotation::TkPlotAnnotation(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                   TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TkPlotObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove), std::move(AOnRename)),
      FFont(CreateOwned<TFont>())
{
    FFont->SetName("Arial");
    FFont->SetColor(clWhite);
    FFont->OnChange = [this](TObject*) { DoChange(); };
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

void TkPlotAnnotation::SetPenColor(TColor Value) { SetProperty(FPenColor, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetPenWidth(Integer Value) { SetProperty(FPenWidth, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetPenStyle(TPenStyle Value) { SetProperty(FPenStyle, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetBrushColor(TColor Value) { SetProperty(FBrushColor, Value, &TkPlotAnnotation::DoChange); }

void TkPlotAnnotation::SetBrushStyle(TBrushStyle Value)
{
    SetProperty(FBrushStyle, Value, &TkPlotAnnotation::DoChange);
}

void TkPlotAnnotation::SetFont(TFont* Value)
{
    if (Value) FFont->Assign(Value);
}
