#include "components/plot/component/kPlotAnnotationDefaults.h"

TkPlotAnnotationDefaults::TkPlotAnnotationDefaults() : Font(CreateOwned<TFont>()) { Font->SetColor(clWhite); }

void TkPlotAnnotationDefaults::ApplyTo(TkPlotAnnotation& Annotation) const
{
    Annotation.SetBrushStyle(BrushStyle);
    Annotation.SetBrushColor(BrushColor);
    Annotation.SetPenStyle(PenStyle);
    Annotation.SetPenColor(PenColor);
    Annotation.SetPenWidth(PenWidth);
    Annotation.SetReference(Reference);
    Annotation.SetReferencePositionX(References[0]);
    Annotation.SetReferencePositionY(References[1]);
    Annotation.SetReferenceSizeX(References[2]);
    Annotation.SetReferenceSizeY(References[3]);
    Annotation.SetFont(Font.get());
}
