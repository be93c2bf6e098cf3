#pragma once
// Annotations: free shapes placed on a plot's data view. Each coordinate
// kind (position X and Y, size X and Y) is given in percent of the data view
// or in the units of a channel's axes: an individual setting decides, or
// the annotation's Reference when the setting is automatic.

#include "components/plot/kPlotObjects.h"
#include "platform/Graphics.h"

// What an annotation's coordinates refer to.
enum TkPlotReferenceType { kprtDataView, kprtChannel, kprtXChannelYDataView, kprtXDataViewYChannel };
PL_ENUM_NAMES(TkPlotReferenceType, "kprtDataView", "kprtChannel", "kprtXChannelYDataView", "kprtXDataViewYChannel")

// The reference of one coordinate kind; kpriAuto follows the Reference.
enum TkPlotReferenceIndividual { kpriDataView, kpriChannel, kpriAuto };
PL_ENUM_NAMES(TkPlotReferenceIndividual, "kpriDataView", "kpriChannel", "kpriAuto")

class TkPlotAnnotation : public TkPlotObject {
    PL_CLASSINFO()
public:
    TkPlotAnnotation(TkPlotObjectOwner* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                     TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
    TkPlotObjectKind Kind() const override { return kpokAnnotation; }

    // --- published properties ---------------------------------------------
    TkPlotReferenceType Reference() const { return FReference; }
    void SetReference(TkPlotReferenceType Value);
    TkPlotReferenceIndividual ReferencePositionX() const { return FReferencePositionX; }
    void SetReferencePositionX(TkPlotReferenceIndividual Value);
    TkPlotReferenceIndividual ReferencePositionY() const { return FReferencePositionY; }
    void SetReferencePositionY(TkPlotReferenceIndividual Value);
    TkPlotReferenceIndividual ReferenceSizeX() const { return FReferenceSizeX; }
    void SetReferenceSizeX(TkPlotReferenceIndividual Value);
    TkPlotReferenceIndividual ReferenceSizeY() const { return FReferenceSizeY; }
    void SetReferenceSizeY(TkPlotReferenceIndividual Value);
    TColor PenColor() const { return FPenColor; }
    void SetPenColor(TColor Value);
    Integer PenWidth() const { return FPenWidth; }
    void SetPenWidth(Integer Value);
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle Value);
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value);
    TFont* Font() const { return FFont.get(); }
    // Copies the font's settings.
    void SetFont(TFont* Value);

private:
    TkPlotReferenceType FReference = kprtDataView;
    TkPlotReferenceIndividual FReferencePositionX = kpriAuto;
    TkPlotReferenceIndividual FReferencePositionY = kpriAuto;
    TkPlotReferenceIndividual FReferenceSizeX = kpriAuto;
    TkPlotReferenceIndividual FReferenceSizeY = kpriAuto;
    TColor FPenColor = clWhite;
    Integer FPenWidth = 1;
    TPenStyle FPenStyle = psSolid;
    TColor FBrushColor = clWhite;
    TBrushStyle FBrushStyle = bsSolid;
    TOwned<TFont> FFont;
};
