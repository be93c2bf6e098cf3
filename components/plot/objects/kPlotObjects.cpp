#include "components/plot/objects/kPlotObjects.h"

#include "components/plot/objects/kPlotHostServices.h"
#include "components/plot/objects/kPlotTranslation.h"
#include "platform/Math.h"
#include "platform/Menus.h"
#include "platform/Messages.h"

namespace {

// Decimal text left-padded with "0" to at least Width characters (a minus
// sign counts as a character and is padded before, as the sort keys were).
String ZeroPadded(Int64 Value, std::size_t Width)
{
    const String text = IntToStr(Value);
    return text.size() >= Width ? text : String(Width - text.size(), '0') + text;
}

}  // namespace

// ===========================================================================
// TkPlotObject
// ===========================================================================

TClass TkPlotObject::StaticClassInfo()
{
    using C = TkPlotObject;
    static const TClassInfo info = TClassBuilder<C, TPersistent>("TkPlotObject")
                                       .String("Name", &C::Name, &C::SetName)
                                       .Bool("Visible", &C::Visible, &C::SetVisible).Default(true)
                                       .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
                                       .Integer("Layer", &C::Layer, &C::SetLayer).Default(100)
                                       .Bool("PopupEnabled", &C::PopupEnabled, &C::SetPopupEnabled).Default(true)
                                       .Bool("CanFocus", &C::CanFocus, &C::SetCanFocus).Default(true)
                                       .Build();
    return &info;
}

TkPlotObject::TkPlotObject(TkPlotObjectOwner* AOwner) : FOwner(AOwner) {}

void TkPlotObject::BeforeDestruction()
{
    ReportRemoval();
    TPersistent::BeforeDestruction();
}

void TkPlotObject::ReportRemoval()
{
    if (TkPlotReportHost* reports = Reports()) reports->Removed(*this);
    DoLayoutChange();
}

void TkPlotObject::TakeOutOfPlot()
{
    ReportRemoval();
    StopReporting();
}

void TkPlotObject::PutBackIntoPlot()
{
    FReporting = true;
    DoInsert();
}

// --- published setters -------------------------------------------------------

void TkPlotObject::SetName(const String& Value)
{
    if (Value == FName) return;
    FNameOld = FName;
    FName = Value;
    DoRename();
}

void TkPlotObject::SetVisible(bool Value) { SetProperty(FVisible, Value, &TkPlotObject::DoChange); }

void TkPlotObject::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    if (!Value) {
        FMouseDown = false;
        SetUserSelected(false);
    }
    DoChange();
}

void TkPlotObject::SetLayer(Integer Value) { SetProperty(FLayer, Value, &TkPlotObject::DoChange); }

void TkPlotObject::SetPopupEnabled(bool Value) { SetProperty(FPopupEnabled, Value, &TkPlotObject::DoChange); }

void TkPlotObject::SetCanFocus(bool Value) { SetProperty(FCanFocus, Value, &TkPlotObject::DoChange); }

void TkPlotObject::SetXYAxesReversed(bool Value) { FXYAxesReversed = Value; }

void TkPlotObject::SetUserSelected(bool Value)
{
    if (Value == FUserSelected) return;
    FUserSelected = Value;
    TWeakRef<TkPlotObject> self(this);
    DoInvalidateNow();
    if (!self) return;
    if (Value) {
        DoSetFocus();
        if (self) DoGotFocus();
    } else {
        DoLostFocus();
    }
}

// --- change protocol ---------------------------------------------------------

void TkPlotObject::DoChange()
{
    ++FLookVersion;
    if (TkPlotReportHost* reports = Reports()) reports->Changed();
}

void TkPlotObject::DoChangeUnlessRepaintPending()
{
    if (const TkPlotPaintHost* paint = Host().Paint; paint && paint->RepaintPending())
        CountUnreportedChange();
    else
        DoChange();
}

void TkPlotObject::DoDataChange()
{
    if (TkPlotReportHost* reports = Reports()) reports->Changed();
}

void TkPlotObject::DoLayoutChange()
{
    TWeakRef<TkPlotObject> self(this);
    FireLayoutChange();
    if (self) DoChange();
}

void TkPlotObject::FireLayoutChange()
{
    if (TkPlotReportHost* reports = Reports()) reports->LayoutChanged(*this);
}

void TkPlotObject::DoInsert()
{
    if (TkPlotReportHost* reports = Reports()) reports->Inserted(*this);
}

void TkPlotObject::DoRename()
{
    if (TkPlotReportHost* reports = Reports()) reports->Renamed(*this);
    DoChange();
}

void TkPlotObject::DoInvalidateNow()
{
    if (TkPlotReportHost* reports = Reports()) reports->RepaintNow();
}

void TkPlotObject::DoSetFocus()
{
    if (TkPlotReportHost* reports = Reports()) reports->Selected(*this);
}

void TkPlotObject::NotificationSetFocus(TkPlotObject*) {}

// --- drawing -------------------------------------------------------------------

TkPlotScalePair TkPlotObject::BoundScales() { return {}; }

void TkPlotObject::PrepareDraw(const TkPlotPaintContext&) { FCanDraw = true; }

void TkPlotObject::Draw(const TkPlotPaintContext&) {}

void TkPlotObject::Fire(const TkPlotEvent& Event) const
{
    if (TkPlotEventHost* events = Host().Events) events->Fire(Event);
}

TkPlotPaintContext TkPlotObject::HitTestContext()
{
    // Without a plot no axis is found.
    if (TkPlotInputHost* input = Host().Input) return input->HitTestContext(*this);
    return BoundContext();
}

TkPlotPaintContext TkPlotObject::BoundContext()
{
    TkPlotPaintContext context;
    context.XYAxesReversed = FXYAxesReversed;
    return context.WithScales(BoundScales());
}

// --- input -----------------------------------------------------------------------

TkPlotMouseData TkPlotObject::MakeMouseData(Integer X, Integer Y) const
{
    TkPlotMouseData data;
    data.X = X;
    data.Y = Y;
    SwapXY(X, Y, data.XAxisPixels, data.YAxisPixels);
    return data;
}

void TkPlotObject::SwapXY(Integer X, Integer Y, Integer& XAxisPixels, Integer& YAxisPixels) const
{
    XAxisPixels = FXYAxesReversed ? Y : X;
    YAxisPixels = FXYAxesReversed ? X : Y;
}

bool TkPlotObject::HitTest(Integer X, Integer Y)
{
    TkPlotMouseData data;
    data.X = X;
    data.Y = Y;
    return kMouseHitTest(data);
}

// Every entry point checks that the object survived each call-out: a user
// event handler may free it.
void TkPlotObject::kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    if (!FEnabled) return;
    const TkPlotMouseData data = MakeMouseData(X, Y);
    TWeakRef<TkPlotObject> self(this);
    FMouseDownPopup = false;
    if (Button == mbRight) {
        FMouseDownPopup = FPopupEnabled;
        FMouseDown = true;
        DoMouseRight(data);
    } else if (Button == mbLeft) {
        FMouseDown = true;
        DoMouseLeft(data);
    }
    // The handlers above may have freed the object: nothing of it is read
    // before self says it is still there.
    if (self && kMouseHitTest(data))
        Fire(PlotEvent::MouseDown{this, Button, Shift, X, Y});
}

void TkPlotObject::kMouseMove(TkPlotHintData& HintData, TShiftState Shift, Integer X, Integer Y, bool DblClickActive)
{
    TkPlotMouseData data = MakeMouseData(X, Y);
    data.DblClickActive = DblClickActive;
    TWeakRef<TkPlotObject> self(this);
    if (FMouseDown)
        DoMouseMove(data);
    else
        DoMouseHint(data, HintData);
    if (self && kMouseHitTest(data))
        Fire(PlotEvent::MouseMove{this, Shift, X, Y});
}

void TkPlotObject::kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y, Integer ScreenX,
                            Integer ScreenY, bool DblClickActive, TPopupMenu* PopupMenu)
{
    TkPlotMouseData data = MakeMouseData(X, Y);
    data.DblClickActive = DblClickActive;
    TWeakRef<TkPlotObject> self(this);
    if (FMouseDownPopup && kMouseHitTest(data)) {
        bool cancel = false;
        Fire(PlotEvent::PopupMenu{this, cancel, ScreenX, ScreenY});
        // The menu's commands are posted: they run after this handler.
        if (self && !cancel && PopupMenu) {
            BuildPopupMenu(PopupMenu);
            if (self) PopupMenu->Popup(ScreenX, ScreenY);
        }
        if (!self) return;
    }
    FMouseDownPopup = false;
    DoMouseUp(data);
    if (!self || !FMouseDown) return;
    FMouseDown = false;
    Fire(PlotEvent::MouseUp{this, Button, Shift, X, Y});
}

bool TkPlotObject::kMouseHitTest(const TkPlotMouseData&) { return false; }

bool TkPlotObject::kMouseWheel(Integer WheelDelta, TShiftState Shift, TPoint MousePos)
{
    TWeakRef<TkPlotObject> self(this);
    const bool result = DoMouseWheel(WheelDelta, Shift, MousePos.X, MousePos.Y);
    if (self) Fire(PlotEvent::MouseWheel{this, WheelDelta, Shift, MousePos.X, MousePos.Y});
    return result;
}

void TkPlotObject::kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu)
{
    const bool popupKey = (Key == VK_F10 && Shift.Contains(ssShift)) || Key == VK_APPS;
    TPoint centre;
    if (!popupKey || !FPopupEnabled || !PopupMenu || !GetPopupCentre(centre)) return;
    TWeakRef<TkPlotObject> self(this);
    bool cancel = false;
    Fire(PlotEvent::PopupMenu{this, cancel, 0, 0});
    if (!self || cancel) return;
    BuildPopupMenu(PopupMenu);
    if (!self) return;
    const TkPlotInputHost* input = Host().Input;
    const TPoint screen = input ? input->PlotClientToScreen(centre) : centre;
    PopupMenu->Popup(screen.X, screen.Y);
}

bool TkPlotObject::GetPopupCentre(TPoint&) const { return false; }

void TkPlotObject::DoMouseHint(const TkPlotMouseData&, TkPlotHintData&) {}

void TkPlotObject::DoMouseLeft(const TkPlotMouseData&) {}

void TkPlotObject::DoMouseRight(const TkPlotMouseData&) {}

void TkPlotObject::DoMouseMove(const TkPlotMouseData&) {}

void TkPlotObject::DoMouseUp(const TkPlotMouseData&) {}

bool TkPlotObject::DoMouseWheel(Integer, TShiftState, Integer, Integer) { return false; }

void TkPlotObject::DoGotFocus()
{
    Fire(PlotEvent::GotFocus{this});
}

void TkPlotObject::DoLostFocus()
{
    Fire(PlotEvent::LostFocus{this});
}

void TkPlotObject::DoMouseNotOver() {}

TkPlotObject* TkPlotObject::GetObjectAtPoint(TPoint)
{
    SetMouseOverObject(this);
    return this;
}

TCursor TkPlotObject::GetMouseCursor(TPoint P)
{
    TkPlotObject* over = FMouseOverObject.Get();
    if (!over) {
        SetMouseOverObject(this);
        return crDefault;
    }
    return over == this ? crDefault : over->GetMouseCursor(P);
}

// --- popup menu ------------------------------------------------------------------

void TkPlotObject::BuildPopupMenu(TPopupMenu* PopupMenu)
{
    TMenuItem* items = PopupMenu->Items();
    for (Integer i = items->Count() - 1; i >= 0; --i) items->Delete(i);
}

void TkPlotObject::AddEditMenuItem(TPopupMenu* PopupMenu)
{
    if (!FUserCanEdit) return;
    TMenuItem* item = Create<TMenuItem>(PopupMenu);
    item->SetCaption(TranslateString("Edit..."));
    item->SetVisible(true);
    item->OnClick = [self = TWeakRef<TkPlotObject>(this)](TObject*) {
        if (TkPlotObject* object = self.Get()) object->DoEditMenuItemClick();
    };
    PopupMenu->Items()->Add(item);
}

void TkPlotObject::DoEditMenuItemClick()
{
    if (TkPlotReportHost* reports = Reports()) reports->EditRequested(*this);
}

// --- helpers -------------------------------------------------------------------------

String TkPlotObject::GetLayerSortKey() const { return ZeroPadded(FLayer, 6); }

String TkPlotObject::TranslateString(const String& Text) const
{
    String result = Text;
    const TkPlotObjectsHost* objects = Host().Objects;
    if (TkPlotTranslationManager* table = objects ? objects->PlotTranslationManager() : nullptr)
        table->FindReplacement(Text, result);
    return result;
}

bool SameObjectName(std::string_view A, std::string_view B) { return AnsiSameText(A, B); }

// ===========================================================================
// TkPlotManagerObject
// ===========================================================================

TClass TkPlotManagerObject::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkPlotManagerObject, TkPlotObject>("TkPlotManagerObject").Build();
    return &info;
}

TkPlotManagerObject::TkPlotManagerObject(TkPlotObjectOwner* AOwner) : TkPlotObject(AOwner)
{
    if (!AOwner) throw Exception("Owner must be assigned");
}

// ===========================================================================
// TkPlotLayoutObject
// ===========================================================================

TClass TkPlotLayoutObject::StaticClassInfo()
{
    using C = TkPlotLayoutObject;
    static const TClassInfo info = TClassBuilder<C, TkPlotManagerObject>("TkPlotLayoutObject")
                                       .Bool("Horizontal", &C::Horizontal, &C::SetHorizontal)
                                       .Integer("ZOrder", &C::ZOrder, &C::SetZOrder)
                                       .Float("StartPercent", &C::StartPercent, &C::SetStartPercent)
                                       .Float("StopPercent", &C::StopPercent, &C::SetStopPercent)
                                       .Build();
    return &info;
}

void TkPlotLayoutObject::DoInsert()
{
    TWeakRef<TkPlotObject> self(this);
    TkPlotManagerObject::DoInsert();
    // The layout manager lists the object as it hears of the insertion: it
    // places it in the side lists when it hears of its layout.
    if (self) FireLayoutChange();
}

bool TkPlotLayoutObject::kMouseHitTest(const TkPlotMouseData& MouseData)
{
    return PtInRect(DrawRect(), Point(MouseData.X, MouseData.Y));
}

bool TkPlotLayoutObject::GetPopupCentre(TPoint& Centre) const
{
    // 64-bit sums: the halves of two 32-bit edges always fit again.
    Centre.X = static_cast<Integer>((Int64{FLeft} + FRight) / 2);
    Centre.Y = static_cast<Integer>((Int64{FTop} + FBottom) / 2);
    return true;
}

void TkPlotLayoutObject::SetHorizontal(bool Value)
{
    SetProperty(FHorizontal, Value, &TkPlotLayoutObject::DoLayoutChange);
}

void TkPlotLayoutObject::SetZOrder(Integer Value) { SetProperty(FZOrder, Value, &TkPlotLayoutObject::DoLayoutChange); }

void TkPlotLayoutObject::SetForceStacking(bool Value)
{
    SetProperty(FForceStacking, Value, &TkPlotLayoutObject::DoLayoutChange);
}

void TkPlotLayoutObject::SetReverseSide(bool Value) { SetProperty(FReverseSide, Value, &TkPlotLayoutObject::DoChange); }

namespace {

// NaN compares false with everything: it counts as below 0.
Double ClampPercent(Double Value)
{
    if (!(Value >= 0)) return 0;
    return Value > 100 ? 100 : Value;
}

}  // namespace

void TkPlotLayoutObject::SetStartPercent(Double Value)
{
    Value = ClampPercent(Value);
    if (FStopPercent - Value < 1) {
        FStopPercent = Value + 1;
        if (FStopPercent > 100) {
            Value = 99;
            FStopPercent = 100;
        }
    }
    SetProperty(FStartPercent, Value, &TkPlotLayoutObject::DoChange);
}

void TkPlotLayoutObject::SetStopPercent(Double Value)
{
    Value = ClampPercent(Value);
    if (Value - FStartPercent < 1) {
        FStartPercent = Value - 1;
        if (FStartPercent < 0) {
            FStartPercent = 0;
            Value = 1;
        }
    }
    SetProperty(FStopPercent, Value, &TkPlotLayoutObject::DoChange);
}

void TkPlotLayoutObject::SetStartStopPercent(Double AStart, Double AStop)
{
    if (!std::isfinite(AStart) || !std::isfinite(AStop)) return;
    FStartPercent = AStart;
    FStopPercent = AStop;
    DoChange();
}

void TkPlotLayoutObject::SetDrawRect(const TRect& Value)
{
    FLeft = Value.Left;
    FTop = Value.Top;
    FRight = Value.Right;
    FBottom = Value.Bottom;
}

void TkPlotLayoutObject::SetLayoutRect(const TRect& Value)
{
    FLayoutLeft = Value.Left;
    FLayoutTop = Value.Top;
    FLayoutRight = Value.Right;
    FLayoutBottom = Value.Bottom;
}

Integer TkPlotLayoutObject::GetRequiredSize(TCanvas*) { return 0; }

Integer TkPlotLayoutObject::GetRequiredEndMargin(TCanvas*) { return 0; }

String TkPlotLayoutObject::GetZOrderSortKey() const { return ZeroPadded(FZOrder, 3); }

String TkPlotLayoutObject::GetStartPercentSortKey() const { return ZeroPadded(Round(FStartPercent), 3); }
