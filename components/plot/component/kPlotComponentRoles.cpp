// The published operations and settings of the plot that its roles
// (kPlotRoles.h) carry out and keep: each hands its call to the role.

#include "components/plot/component/kPlotComponent.h"

#include "components/plot/component/kPlotRoles.h"

// ===========================================================================
// Layout and paint, the hint box, input
// ===========================================================================

void TkPlotComponent::kPaintTo(TCanvas* Canvas) { FRoles->Painter.Paint(Canvas); }

void TkPlotComponent::CalcLayout(TCanvas* Canvas) { FRoles->Painter.CalcLayout(Canvas); }

void TkPlotComponent::ReCalcLayout() { FRoles->Painter.ReCalcLayout(); }

void TkPlotComponent::DrawLayoutObjects(const TkPlotPaintContext& Outside)
{
    FRoles->Painter.DrawLayoutObjects(Outside);
}

bool TkPlotComponent::Painting() const { return FRoles->Painter.Painting(); }

const TkPlotHintData& TkPlotComponent::Hint() const { return FRoles->Hint.Data(); }

void TkPlotComponent::SetHint(const TkPlotHintData& Value, bool Showing) { FRoles->Hint.Set(Value, Showing); }

void TkPlotComponent::HintTimerEvent() { FRoles->Hint.TimerEvent(); }

void TkPlotComponent::HideHint() { FRoles->Hint.Hide(); }

TkPlotObject* TkPlotComponent::GetObjectAt(TPoint P) { return FRoles->Input.GetObjectAt(P); }

void TkPlotComponent::SetCustomizeLabelText(const String& Text) { FRoles->Input.State().CustomizeLabelText = Text; }

void TkPlotComponent::kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FRoles->Input.MouseDown(Button, Shift, X, Y);
}

void TkPlotComponent::kMouseMove(TShiftState Shift, Integer X, Integer Y) { FRoles->Input.MouseMove(Shift, X, Y); }

void TkPlotComponent::kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    FRoles->Input.MouseUp(Button, Shift, X, Y);
}

void TkPlotComponent::kDblClick() { FRoles->Input.State().DblClick = true; }

void TkPlotComponent::kKeyDown(Word& Key, TShiftState Shift) { FRoles->Input.KeyDown(Key, Shift); }

bool TkPlotComponent::IsToolBarSelectMode() const { return FRoles->Input.IsToolBarSelectMode(); }

void TkPlotComponent::DisableAllTracking() { FRoles->Commands.DisableAllTracking(); }

void TkPlotComponent::EnableAllTracking() { FRoles->Commands.EnableAllTracking(); }

// ===========================================================================
// The log and the output
// ===========================================================================

void TkPlotComponent::LogActivate(bool Append) { FRoles->Log.Activate(Append); }

void TkPlotComponent::LogDeactivate() { FRoles->Log.Deactivate(); }

void TkPlotComponent::LogFlushBuffer() { FRoles->Log.FlushBuffer(); }

bool TkPlotComponent::LoggingActive() const { return FRoles->Log.Active(); }

const String& TkPlotComponent::LogFileName() const { return FRoles->Log.FileName; }

void TkPlotComponent::CopyToClipBoard() { FRoles->Output.CopyToClipBoard(); }

TPicture* TkPlotComponent::GetSnapShotPicture() { return FRoles->Output.GetSnapShotPicture(); }

void TkPlotComponent::Save() { FRoles->Output.Save(); }

bool TkPlotComponent::SaveImageByExtension(const String& FileName) { return FRoles->Output.SaveImageByExtension(FileName); }

void TkPlotComponent::PrintChart() { FRoles->Output.PrintChart(); }

void TkPlotComponent::PreviewChart() { FRoles->Output.PreviewChart(); }

void TkPlotComponent::PrintSizeToFillPage() { FRoles->Output.PrintSizeToFillPage(); }

void TkPlotComponent::PrintAdjustXSpanToMinutesPerMillimeter(Double MinutesPerMillimeter)
{
    FRoles->Output.PrintAdjustXSpanToMinutesPerMillimeter(MinutesPerMillimeter);
}

// ===========================================================================
// Image lists 0, 1 and 2
// ===========================================================================

TImageList* TkPlotComponent::ImageList(Integer Index) const { return FRoles->Images.List(Index); }

void TkPlotComponent::ImageListClear(Integer Index) { FRoles->Images.Clear(Index); }

void TkPlotComponent::ImageListAdd(Integer Index, TBitmap* Bitmap) { FRoles->Images.Add(Index, Bitmap); }

void TkPlotComponent::ImageListLoadFromResourceName(Integer Index, const String& ResName)
{
    FRoles->Images.LoadFromResourceName(Index, ResName);
}

void TkPlotComponent::ImageListLoadFromResourceID(Integer Index, Integer ResID)
{
    FRoles->Images.LoadFromResourceName(Index, NumberedResourceName(ResID));
}

// ===========================================================================
// The settings the roles keep
// ===========================================================================

#define PL_PLOT_SETTING(Type, Name, Field)                           \
    Type TkPlotComponent::Name() const { return FRoles->Field; }     \
    void TkPlotComponent::Set##Name(Type Value) { FRoles->Field = Value; }

PL_PLOT_SETTING(TkPlotExportFormat, CopyToClipBoardFormat, Output.CopyFormat)
PL_PLOT_SETTING(TPrinterOrientation, PrintOrientation, Output.Print.Orientation)
PL_PLOT_SETTING(Double, PrintMarginLeft, Output.Print.MarginLeft)
PL_PLOT_SETTING(Double, PrintMarginTop, Output.Print.MarginTop)
PL_PLOT_SETTING(Double, PrintMarginRight, Output.Print.MarginRight)
PL_PLOT_SETTING(Double, PrintMarginBottom, Output.Print.MarginBottom)
PL_PLOT_SETTING(bool, PrintShowDialog, Output.Print.ShowDialog)
PL_PLOT_SETTING(const String&, PrintDocumentName, Output.Print.DocumentName)
PL_PLOT_SETTING(const String&, PrinterName, Output.Print.PrinterName)
PL_PLOT_SETTING(Integer, HintsPause, Hint.Pause)
PL_PLOT_SETTING(Integer, HintsHidePause, Hint.HidePause)
PL_PLOT_SETTING(bool, HintsShow, Hint.Show)
PL_PLOT_SETTING(Integer, LogBufferSize, Log.BufferSize)
PL_PLOT_SETTING(const String&, DefaultSaveImageDirectory, FileDefaults.SaveImageDirectory)
PL_PLOT_SETTING(TkPlotImageFormat, DefaultSaveImageFormat, FileDefaults.SaveImageFormat)
PL_PLOT_SETTING(const String&, DefaultPropertyDirectory, FileDefaults.PropertyDirectory)
PL_PLOT_SETTING(const String&, DefaultDataDirectory, FileDefaults.DataDirectory)
PL_PLOT_SETTING(const String&, DefaultAnnotationDirectory, FileDefaults.AnnotationDirectory)
PL_PLOT_SETTING(TBrushStyle, AnnotationDefaultBrushStlye, AnnotationDefaults.BrushStyle)
PL_PLOT_SETTING(TColor, AnnotationDefaultBrushColor, AnnotationDefaults.BrushColor)
PL_PLOT_SETTING(TPenStyle, AnnotationDefaultPenStlye, AnnotationDefaults.PenStyle)
PL_PLOT_SETTING(TColor, AnnotationDefaultPenColor, AnnotationDefaults.PenColor)
PL_PLOT_SETTING(Integer, AnnotationDefaultPenWidth, AnnotationDefaults.PenWidth)
PL_PLOT_SETTING(TkPlotReferenceType, AnnotationDefaultReference, AnnotationDefaults.Reference)
PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferencePositionX, AnnotationDefaults.References[0])
PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferencePositionY, AnnotationDefaults.References[1])
PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferenceSizeX, AnnotationDefaults.References[2])
PL_PLOT_SETTING(TkPlotReferenceIndividual, AnnotationDefaultReferenceSizeY, AnnotationDefaults.References[3])

#undef PL_PLOT_SETTING

TFont* TkPlotComponent::HintsFont() const { return FRoles->Hint.Font.get(); }

TFont* TkPlotComponent::AnnotationDefaultFont() const { return FRoles->AnnotationDefaults.Font.get(); }

bool TkPlotComponent::BackGroundGradientEnabled() const { return FRoles->Gradient.Enabled; }

void TkPlotComponent::SetBackGroundGradientEnabled(bool Value) { SetByteProperty(Value, FRoles->Gradient.Enabled, 0); }

TkFillDirection TkPlotComponent::BackGroundGradientDirection() const { return FRoles->Gradient.Direction; }

TColor TkPlotComponent::BackGroundGradientStartColor() const { return FRoles->Gradient.StartColor; }

void TkPlotComponent::SetBackGroundGradientStartColor(TColor Value)
{
    SetColorProperty(Value, FRoles->Gradient.StartColor, 0);
}

TColor TkPlotComponent::BackGroundGradientStopColor() const { return FRoles->Gradient.StopColor; }

void TkPlotComponent::SetBackGroundGradientStopColor(TColor Value)
{
    SetColorProperty(Value, FRoles->Gradient.StopColor, 0);
}
