// The published properties and events of the plot component, in their
// stream order. The events of a family are published once per kind, named
// after the family and the kind: OnMouseDown + XAxis.

#include "components/plot/component/kPlotComponent.h"

namespace {

using C = TkPlotComponent;
using TBuilder = TClassBuilder<C, TkCustomComponent>;

template <class E>
void PublishFamily(TBuilder& Builder, const char* Action, TkPlotKindEvents<E> C::*Family,
                   std::span<const TkPlotObjectKind> Kinds)
{
    for (TkPlotObjectKind kind : Kinds) {
        const String name = String("On") + Action + PlotKind(kind).Name;
        Builder.Event(
            name.c_str(), [Family, kind](C& Plot) -> const E& { return (Plot.*Family)[kind]; },
            [Family, kind](C& Plot, E Handler) { (Plot.*Family)[kind] = std::move(Handler); });
    }
}

void PublishLayout(TBuilder& B)
{
    B.Integer("DataViewZHorz", &C::DataViewZHorz, &C::SetDataViewZHorz)
        .Integer("DataViewZVert", &C::DataViewZVert, &C::SetDataViewZVert)
        .Bool("XYAxesReverse", &C::XYAxesReverse, &C::SetXYAxesReverse).Default(false)
        .Bool("UserCanEditObjects", &C::UserCanEditObjects, &C::SetUserCanEditObjects).Default(true)
        .Bool("UserCanAddRemoveChannels", &C::UserCanAddRemoveChannels, &C::SetUserCanAddRemoveChannels)
        .Default(false)
        .Integer("OuterMarginLeft", &C::OuterMarginLeft, &C::SetOuterMarginLeft).Default(5)
        .Integer("OuterMarginTop", &C::OuterMarginTop, &C::SetOuterMarginTop).Default(5)
        .Integer("OuterMarginRight", &C::OuterMarginRight, &C::SetOuterMarginRight).Default(5)
        .Integer("OuterMarginBottom", &C::OuterMarginBottom, &C::SetOuterMarginBottom).Default(5)
        .Enum("EditorFormStyle", &C::EditorFormStyle, &C::SetEditorFormStyle)
        .Enum("CopyToClipBoardFormat", &C::CopyToClipBoardFormat, &C::SetCopyToClipBoardFormat);
}

void PublishPrinting(TBuilder& B)
{
    B.Enum("PrintOrientation", &C::PrintOrientation, &C::SetPrintOrientation).Default(poLandscape)
        .Float("PrintMarginLeft", &C::PrintMarginLeft, &C::SetPrintMarginLeft).Default(1.0)
        .Float("PrintMarginTop", &C::PrintMarginTop, &C::SetPrintMarginTop).Default(1.0)
        .Float("PrintMarginRight", &C::PrintMarginRight, &C::SetPrintMarginRight).Default(1.0)
        .Float("PrintMarginBottom", &C::PrintMarginBottom, &C::SetPrintMarginBottom).Default(1.0)
        .Bool("PrintShowDialog", &C::PrintShowDialog, &C::SetPrintShowDialog).Default(true)
        .String("PrintDocumentName", &C::PrintDocumentName, &C::SetPrintDocumentName)
        .String("PrinterName", &C::PrinterName, &C::SetPrinterName).Default(String());
}

void PublishTitleAndHints(TBuilder& B)
{
    B.Bool("TitleVisible", &C::TitleVisible, &C::SetTitleVisible).Default(true)
        .String("TitleText", &C::TitleText, &C::SetTitleText)
        .Object("TitleFont", &C::TitleFont, &C::SetTitleFont)
        .Float("TitleMargin", &C::TitleMargin, &C::SetTitleMargin).Default(0.0)
        .Integer("HintsPause", &C::HintsPause, &C::SetHintsPause).Default(500)
        .Integer("HintsHidePause", &C::HintsHidePause, &C::SetHintsHidePause).Default(2500)
        .Bool("HintsShow", &C::HintsShow, &C::SetHintsShow).Default(true)
        .Object("HintsFont", &C::HintsFont, &C::SetHintsFont);
}

void PublishFiles(TBuilder& B)
{
    B.String("LogFileName", &C::LogFileName, &C::SetLogFileName).Default(String())
        .Integer("LogBufferSize", &C::LogBufferSize, &C::SetLogBufferSize).Default(0)
        .Bool("LoggingActive", &C::LoggingActive)
        .Enum("DataFileColumnSeparator", &C::DataFileColumnSeparator, &C::SetDataFileColumnSeparator)
        .Enum("DataFileFormat", &C::DataFileFormat, &C::SetDataFileFormat)
        .String("DefaultSaveImageDirectory", &C::DefaultSaveImageDirectory, &C::SetDefaultSaveImageDirectory)
        .Default(String())
        .Enum("DefaultSaveImageFormat", &C::DefaultSaveImageFormat, &C::SetDefaultSaveImageFormat)
        .String("DefaultPropertyDirectory", &C::DefaultPropertyDirectory, &C::SetDefaultPropertyDirectory)
        .Default(String())
        .String("DefaultDataDirectory", &C::DefaultDataDirectory, &C::SetDefaultDataDirectory).Default(String())
        .String("DefaultAnnotationDirectory", &C::DefaultAnnotationDirectory, &C::SetDefaultAnnotationDirectory)
        .Default(String())
        .Bool("DifferentialPropertySave", &C::DifferentialPropertySave, &C::SetDifferentialPropertySave)
        .Default(false);
}

void PublishAnnotationDefaults(TBuilder& B)
{
    B.Object("AnnotationDefaultFont", &C::AnnotationDefaultFont, &C::SetAnnotationDefaultFont)
        .Enum("AnnotationDefaultBrushStlye", &C::AnnotationDefaultBrushStlye, &C::SetAnnotationDefaultBrushStlye)
        .Color("AnnotationDefaultBrushColor", &C::AnnotationDefaultBrushColor, &C::SetAnnotationDefaultBrushColor)
        .Enum("AnnotationDefaultPenStlye", &C::AnnotationDefaultPenStlye, &C::SetAnnotationDefaultPenStlye)
        .Color("AnnotationDefaultPenColor", &C::AnnotationDefaultPenColor, &C::SetAnnotationDefaultPenColor)
        .Integer("AnnotationDefaultPenWidth", &C::AnnotationDefaultPenWidth, &C::SetAnnotationDefaultPenWidth)
        .Enum("AnnotationDefaultReference", &C::AnnotationDefaultReference, &C::SetAnnotationDefaultReference)
        .Enum("AnnotationDefaultReferencePositionX", &C::AnnotationDefaultReferencePositionX,
              &C::SetAnnotationDefaultReferencePositionX)
        .Enum("AnnotationDefaultReferencePositionY", &C::AnnotationDefaultReferencePositionY,
              &C::SetAnnotationDefaultReferencePositionY)
        .Enum("AnnotationDefaultReferenceSizeX", &C::AnnotationDefaultReferenceSizeX,
              &C::SetAnnotationDefaultReferenceSizeX)
        .Enum("AnnotationDefaultReferenceSizeY", &C::AnnotationDefaultReferenceSizeY,
              &C::SetAnnotationDefaultReferenceSizeY)
        .Bool("ClipAnnotationsToAxes", &C::ClipAnnotationsToAxes, &C::SetClipAnnotationsToAxes);
}

void PublishBackgroundAndControl(TBuilder& B)
{
    B.Bool("BackGroundGradientEnabled", &C::BackGroundGradientEnabled, &C::SetBackGroundGradientEnabled)
        .Enum("BackGroundGradientDirection", &C::BackGroundGradientDirection, &C::SetBackGroundGradientDirection)
        .Color("BackGroundGradientStartColor", &C::BackGroundGradientStartColor, &C::SetBackGroundGradientStartColor)
        .Color("BackGroundGradientStopColor", &C::BackGroundGradientStopColor, &C::SetBackGroundGradientStopColor)
        .Color("BackGroundColor", &C::BackGroundColor, &C::SetBackGroundColor).Default(clBlack)
        .Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(kbsLowered)
        .Enum("Align", &C::Align, &C::SetAlign).Default(alNone)
        .Bool("AutoFrameRate", &C::AutoFrameRate, &C::SetAutoFrameRate).Default(true)
        .Bool("TabStop", &C::TabStop, &C::SetTabStop).Default(false)
        .Integer("TabOrder", &C::TabOrder, &C::SetTabOrder).Default(-1)
        .Event("OnResize", &C::OnResize, &C::OnResize);
}

void PublishObjectEvents(TBuilder& B)
{
    PublishFamily(B, "MouseDown", &C::OnObjectMouseDown, PlotMouseEventKinds);
    B.Event("OnMouseDownDataPoint", &C::OnMouseDownDataPoint, &C::OnMouseDownDataPoint);
    PublishFamily(B, "MouseUp", &C::OnObjectMouseUp, PlotMouseEventKinds);
    B.Event("OnMouseUpDataPoint", &C::OnMouseUpDataPoint, &C::OnMouseUpDataPoint);
    PublishFamily(B, "MouseMove", &C::OnObjectMouseMove, PlotMouseEventKinds);
    B.Event("OnMouseMoveDataPoint", &C::OnMouseMoveDataPoint, &C::OnMouseMoveDataPoint);
    PublishFamily(B, "Click", &C::OnObjectClick, PlotMouseEventKinds);
    B.Event("OnClickDataPoint", &C::OnClickDataPoint, &C::OnClickDataPoint);
    PublishFamily(B, "DblClick", &C::OnObjectDblClick, PlotMouseEventKinds);
    B.Event("OnDblClickDataPoint", &C::OnDblClickDataPoint, &C::OnDblClickDataPoint);
    PublishFamily(B, "MouseWheel", &C::OnObjectMouseWheel, PlotMouseEventKinds);
    PublishFamily(B, "GotFocus", &C::OnObjectGotFocus, PlotFocusEventKinds);
    PublishFamily(B, "LostFocus", &C::OnObjectLostFocus, PlotFocusEventKinds);
    PublishFamily(B, "Add", &C::OnObjectAdd, PlotListEventKinds);
    PublishFamily(B, "Remove", &C::OnObjectRemove, PlotListEventKinds);
    PublishFamily(B, "GetMouseCursor", &C::OnObjectGetMouseCursor, PlotListEventKinds);
    PublishFamily(B, "PopupMenu", &C::OnObjectPopupMenu, PlotMouseEventKinds);
}

// Each event under its own name, read from and written to the member
// directly.
#define KPLOT_EVENT(Name) B.Event(#Name, &C::Name, &C::Name)
// The same for an event that settles waiting points when assigned: the
// value is still its std::function.
#define KPLOT_SETTLING_EVENT(Name)                                                                  \
    B.Event(                                                                                        \
        #Name, [](C& Plot) -> const decltype(C::Name)::THandler& { return Plot.Name; },             \
        [](C& Plot, decltype(C::Name)::THandler Handler) { Plot.Name = std::move(Handler); })

void PublishSingleEvents(TBuilder& B)
{
    KPLOT_EVENT(OnDataPointMoved);
    KPLOT_EVENT(OnDataCursorChange);
    KPLOT_SETTLING_EVENT(OnXAxisMinChange);
    KPLOT_SETTLING_EVENT(OnXAxisSpanChange);
    KPLOT_SETTLING_EVENT(OnYAxisMinChange);
    KPLOT_SETTLING_EVENT(OnYAxisSpanChange);
    KPLOT_SETTLING_EVENT(OnXAxisMinSpanChange);
    KPLOT_EVENT(OnXAxisMinSpanChangeFinished);
    KPLOT_SETTLING_EVENT(OnYAxisMinSpanChange);
    KPLOT_EVENT(OnYAxisMinSpanChangeFinished);
    KPLOT_EVENT(OnXAxisCustomizeLabel);
    KPLOT_EVENT(OnYAxisCustomizeLabel);
    KPLOT_EVENT(OnDataCursorCustomizeHint);
    KPLOT_EVENT(OnXAxisCustomizeHint);
    KPLOT_EVENT(OnYAxisCustomizeHint);
    KPLOT_EVENT(OnToolBarCustomizeHint);
    KPLOT_EVENT(OnDataPointCustomizeHint);
    KPLOT_EVENT(OnLimitLine1PositionChange);
    KPLOT_EVENT(OnLimitLine2PositionChange);
    KPLOT_EVENT(OnBeforePrint);
    KPLOT_EVENT(OnAfterPrint);
    KPLOT_EVENT(OnBeforePrintPage);
    KPLOT_EVENT(OnBeforeLoadProperties);
    KPLOT_EVENT(OnAfterLoadProperties);
    KPLOT_EVENT(OnAfterSaveProperties);
    KPLOT_EVENT(OnAfterLoadData);
    KPLOT_EVENT(OnAfterSaveData);
    KPLOT_EVENT(OnAfterPaint);
    KPLOT_EVENT(OnAfterOpenEditor);
    KPLOT_EVENT(OnAfterCloseEditor);
    KPLOT_EVENT(OnBeforeZoomBox);
    KPLOT_EVENT(OnToolBarButtonClick);
    KPLOT_EVENT(OnBeforeToolBarButtonClick);
    KPLOT_EVENT(OnBeforeDataCursorUpdate);
    KPLOT_EVENT(OnAnnotationCoordinatesChange);
    KPLOT_EVENT(OnAnnotationMoveUser);
    KPLOT_EVENT(OnAnnotationResizeUser);
    KPLOT_EVENT(OnAnnotationCoordinatesChangeFinished);
}

#undef KPLOT_EVENT
#undef KPLOT_SETTLING_EVENT

}  // namespace

TClass TkPlotComponent::StaticClassInfo()
{
    static const TClassInfo info = [] {
        TBuilder builder("TkPlotComponent");
        PublishLayout(builder);
        PublishPrinting(builder);
        PublishTitleAndHints(builder);
        PublishFiles(builder);
        PublishAnnotationDefaults(builder);
        PublishBackgroundAndControl(builder);
        PublishObjectEvents(builder);
        PublishSingleEvents(builder);
        return builder.Build();
    }();
    return &info;
}
