#include "components/foundation/kComponent.h"

#include "components/foundation/kCommonRoutines.h"
#include "components/foundation/kErrorText.h"
#include "components/foundation/kImageExport.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"

namespace {

// Where a control sits on its form and how it behaves there belongs to the
// form; property files hold them only when asked to.
constexpr const char* kFormPlacementProperties[] = {"Left",     "Top", "Width",   "Height",  "Align", "Cursor",
                                                    "ShowHint", "Tag", "Visible", "Enabled", "Hint",  "HelpContext"};

}  // namespace

TClass TkComponent::StaticClassInfo()
{
    using C = TkComponent;
    static const TClassInfo info =
        TClassBuilder<C, TCustomControl>("TkComponent")
            .Bool("Visible", &C::Visible, &C::SetVisible).Default(true)
            .Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true)
            .Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Stored([](C& c) { return !c.ParentShowHint(); })
            .Reference("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
            .Event("OnClick", &C::OnClick, &C::OnClick)
            .Event("OnDblClick", &C::OnDblClick, &C::OnDblClick)
            .Event("OnDragDrop", &C::OnDragDrop, &C::OnDragDrop)
            .Event("OnDragOver", &C::OnDragOver, &C::OnDragOver)
            .Event("OnStartDrag", &C::OnStartDrag, &C::OnStartDrag)
            .Event("OnEndDrag", &C::OnEndDrag, &C::OnEndDrag)
            .Event("OnMouseDown", &C::OnMouseDown, &C::OnMouseDown)
            .Event("OnMouseMove", &C::OnMouseMove, &C::OnMouseMove)
            .Event("OnMouseUp", &C::OnMouseUp, &C::OnMouseUp)
            .Event("OnKeyDown", &C::OnKeyDown, &C::OnKeyDown)
            .Event("OnKeyPress", &C::OnKeyPress, &C::OnKeyPress)
            .Event("OnKeyUp", &C::OnKeyUp, &C::OnKeyUp)
            .Event("OnEnter", &C::OnEnter, &C::OnEnter)
            .Event("OnExit", &C::OnExit, &C::OnExit)
            .Set("Anchors", &C::Anchors, &C::SetAnchors).Default(TAnchors{akLeft, akTop})
            .Object("Constraints", &C::Constraints, &C::SetConstraints)
            .Bool("OptionSaveAllProperties", &C::FOptionSaveAllProperties).Default(false)
            .Bool("AutoFrameRate", &C::AutoFrameRate, &C::SetAutoFrameRate).Default(false)
            .Integer("UpdateFrameRate", &C::UpdateFrameRate, &C::SetUpdateFrameRate).Default(60)
            .Build();
    return &info;
}

// ---------------------------------------------------------------------------
// Life cycle
// ---------------------------------------------------------------------------

TkComponent::TkComponent(TComponent* AOwner)
    : TCustomControl(AOwner), FLastUpdate(MonotonicNow()), FErrorFont(CreateOwned<TFont>())
{
    SetControlStyle({csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
    FErrorFont->SetColor(clRed);
    FErrorFont->SetStyle({fsBold});
    FErrorFont->OnChange = [this](TObject* Sender) { InvalidateChangeEvent(Sender); };
    if (TkUpdateObject* updater = UpdateObject()) updater->AddUpdateControl(this);
}

TkComponent::~TkComponent() { Unregister(); }

void TkComponent::BeforeDestruction()
{
    // The update object must not reach a control whose parts are going.
    Unregister();
    TCustomControl::BeforeDestruction();
}

void TkComponent::Unregister()
{
    if (TkUpdateObject* updater = UpdateObject()) updater->RemoveUpdateControl(this);
}

// ---------------------------------------------------------------------------
// Drawing
// ---------------------------------------------------------------------------

TPoint TkComponent::GetCenterPoint() { return TPoint{Width() / 2 + FOffsetX, Height() / 2 + FOffsetY}; }

void TkComponent::Paint() { PaintBuffered(); }

void TkComponent::PaintBuffered()
{
    // A change made while drawing asks for the next paint.
    FRepaintPending = false;
    try {
        const TLockScope lock(*this);
        TOwned<TBitmap> bitmap(CreateOffScreenBitmap());
        TCanvas* canvas = bitmap->Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetStyle(psSolid);
        try {
            kPaintTo(canvas);
        } catch (...) {
            DrawPaintError(canvas, CurrentExceptionMessage());
        }
        if (OnPaint) OnPaint(this, canvas);
        DrawOffScreenBitmap(bitmap.get());
    } catch (...) {
        // A paint never raises to the message loop.
    }
}

void TkComponent::DrawPaintError(TCanvas* Canvas, const String& Message)
{
    TRect rect = ClientRect();
    Canvas->Brush()->SetColor(clBlack);
    Canvas->FillRect(rect);
    Canvas->Font()->SetColor(clWhite);
    DrawTextStyled(Canvas, Message, rect, TkTextFlags{ktfWordBreak}, true, clBtnFace);
}

void TkComponent::DrawBackGround(TCanvas* Canvas, TColor Color)
{
    FBackGroundChanged = false;
    const TRect rect{0, 0, Width(), Height()};
    if (FBackGroundPicture && FBackGroundPicture->Width() != 0) {
        Canvas->StretchDraw(rect, FBackGroundPicture.get());
        return;
    }
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Color);
    Canvas->FillRect(rect);
    DrawBorder(Canvas);
}

void TkComponent::DrawBorder(TCanvas* Canvas)
{
    // DrawFrame's styles: 0 sunken, 1 raised.
    const TRect rect{0, 0, Width(), Height()};
    switch (FBorderStyle) {
        case kbsRaised: DrawFrame(Canvas, rect, 1); break;
        case kbsLowered: DrawFrame(Canvas, rect, 0); break;
        case kbsNone: break;
    }
}

TBitmap* TkComponent::GetBackGroundBitmap()
{
    if (!FBackGroundBitmap) {
        FBackGroundBitmap = CreateOwned<TBitmap>();
        FBackGroundBitmap->SetSize(Width(), Height());
    }
    return FBackGroundBitmap.get();
}

TBitmap* TkComponent::CreateOffScreenBitmap()
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(Width(), Height());
    return bitmap.release();
}

void TkComponent::DrawOffScreenBitmap(TBitmap* Bitmap) { Canvas()->Draw(0, 0, Bitmap); }

void TkComponent::SaveImageToBitmap(const String& FileName) { kRenderImage(*this)->SaveToFile(FileName); }

// ---------------------------------------------------------------------------
// Repaint requests
// ---------------------------------------------------------------------------

void TkComponent::DoRepaint()
{
    FNeedsRepaint = false;
    FLastUpdate = MonotonicNow();
    FRepaintPending = true;
    Invalidate();
}

// Exactly when InvalidateChange would only mark the control again.
bool TkComponent::RepaintPending() const
{
    if (FRepaintPending) return true;
    if (!FNeedsRepaint) return false;
    return FUpdateActive || (FAutoFrameRate && !FramePeriodElapsed(FLastUpdate, FUpdateFrameRate));
}

void TkComponent::InvalidateChange()
{
    if (FUpdateActive) {
        FNeedsRepaint = true;
    } else if (FAutoFrameRate) {
        FNeedsRepaint = true;
        RepaintThrottled();
    } else {
        DoRepaint();
    }
}

void TkComponent::RequestRepaint()
{
    FBackGroundChanged = true;
    InvalidateChange();
}

void TkComponent::InvalidateNow() { DoRepaint(); }

void TkComponent::RequestRepaintEvent(TObject*) { RequestRepaint(); }
void TkComponent::InvalidateChangeEvent(TObject*) { InvalidateChange(); }
void TkComponent::InvalidateNowEvent(TObject*) { InvalidateNow(); }

void TkComponent::ChangeRepaint(Byte Mode)
{
    if (Mode == 0)
        InvalidateChange();
    else if (Mode == 1)
        RequestRepaint();
}

void TkComponent::RepaintThrottled()
{
    // Otherwise the control stays marked; the update object's tick
    // repaints it once its frame period has run out.
    if (!FAutoFrameRate || FramePeriodElapsed(FLastUpdate, FUpdateFrameRate)) DoRepaint();
}

void TkComponent::RepaintAll() { RequestRepaint(); }

void TkComponent::BeginUpdate() { FUpdateActive = true; }

void TkComponent::EndUpdate()
{
    FUpdateActive = false;
    if (FNeedsRepaint) RepaintThrottled();
}

void TkComponent::SetAutoFrameRate(bool Value)
{
    if (FAutoFrameRate == Value) return;
    FAutoFrameRate = Value;
    if (Value)
        RequestRepaint();
    else
        EndUpdate();
}

void TkComponent::SetUpdateFrameRate(Integer Value) { SetIntegerProperty(Value, FUpdateFrameRate, 1); }

// ---------------------------------------------------------------------------
// Properties
// ---------------------------------------------------------------------------

void TkComponent::SetBackGroundColor(TColor Value) { SetColorProperty(Value, FBackGroundColor, 1); }

void TkComponent::SetBackGroundPicture(TBitmap* Value)
{
    if (!Value) {
        FBackGroundPicture.reset();
    } else {
        if (!FBackGroundPicture) FBackGroundPicture = CreateOwned<TBitmap>();
        FBackGroundPicture->Assign(Value);
    }
    RequestRepaint();
}

void TkComponent::SetBorderStyle(TkBevelStyle Value) { SetByteProperty(Value, FBorderStyle, 1); }

void TkComponent::SetCachedDrawing(bool Value)
{
    SetIfDifferent(FCachedDrawing, Value, [this, Value] {
        if (!Value) FBackGroundBitmap.reset();
        RequestRepaint();
    });
}

void TkComponent::SetErrorText(const String& Value)
{
    SetIfDifferent(FErrorText, Value, [this] { RequestRepaint(); });
}

void TkComponent::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    RequestRepaint();
}

bool TkComponent::IsLoading() const { return FLoading || ComponentState().Contains(csLoading); }

bool TkComponent::IsDesigning()
{
    bool designing = ComponentState().Contains(csDesigning);
    if (OnGetDesigning) OnGetDesigning(this, designing);
    return designing;
}

// ---------------------------------------------------------------------------
// Property file
// ---------------------------------------------------------------------------

void TkComponent::SavePropertiesToFile(const String& FileName)
{
    WithErrorPrefix("Error Saving Properties - ", [&] {
        TStringList exclusions;
        exclusions.Add("Name");
        if (!FOptionSaveAllProperties)
            for (const char* name : kFormPlacementProperties) exclusions.Add(name);
        TStringList lines;
        lines.Add("File Type = " + ClassName());
        SavePublishedProperties(this, String(), lines, false, &exclusions);
        lines.SaveToFile(FileName);
    });
}

void TkComponent::LoadPropertiesFromFile(const String& FileName)
{
    WithErrorPrefix("Error Loading Properties - ", [&] {
        TStringList lines;
        lines.LoadFromFile(FileName);
        WithinUpdate(*this, [&] { LoadPublishedProperties(this, String(), lines); });
    });
}

// ---------------------------------------------------------------------------
// OPC hooks
// ---------------------------------------------------------------------------

bool TkComponent::OPCOutputData(const String&, const Variant&) { return false; }

void TkComponent::GetPropertyType(const String& PropertyName, TTypeKind& PropertyType)
{
    PropertyType = tkUnknown;
    FindPropertyType(this, String(), PropertyName, PropertyType);
}

bool TkComponent::FindPropertyType(TObject* Instance, const String& Prefix, const String& PropertyName,
                                   TTypeKind& PropertyType)
{
    for (PPropInfo prop : GetPropList(Instance)) {
        const String path = Prefix.empty() ? prop->Name : Prefix + "." + prop->Name;
        if (SameText(path, PropertyName)) {
            PropertyType = prop->Kind;
            return true;
        }
        if (prop->Kind != tkClass || prop->IsReference) continue;
        auto* child = dynamic_cast<TPersistent*>(GetObjectProp(Instance, prop));
        if (child && FindPropertyType(child, path, PropertyName, PropertyType)) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Input hooks
// ---------------------------------------------------------------------------

void TkComponent::kSetFocus()
{
    FHasFocus = true;
    Invalidate();
}

void TkComponent::kKillFocus()
{
    FHasFocus = false;
    kMouseUp(mbLeft, TShiftState{}, 0, 0);
    Invalidate();
}

void TkComponent::kWantSpecialKey(Word&, Integer&) {}
void TkComponent::kKeyUp(Word&, TShiftState) {}
void TkComponent::kKeyDown(Word&, TShiftState) {}
void TkComponent::kKeyPress(Char&) {}
void TkComponent::kMouseDown(TMouseButton, TShiftState, Integer, Integer) {}
void TkComponent::kMouseUp(TMouseButton, TShiftState, Integer, Integer) {}
void TkComponent::kMouseMove(TShiftState, Integer, Integer) {}
void TkComponent::kDblClick() {}
bool TkComponent::kMouseWheel(Integer, TShiftState, TPoint) { return false; }

void TkComponent::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    RunAsUserAction([&] {
        kMouseDown(Button, Shift, X, Y);
        TCustomControl::MouseDown(Button, Shift, X, Y);
    });
}

void TkComponent::MouseMove(TShiftState Shift, Integer X, Integer Y)
{
    RunAsUserAction([&] {
        kMouseMove(Shift, X, Y);
        TCustomControl::MouseMove(Shift, X, Y);
    });
}

void TkComponent::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    RunAsUserAction([&] {
        kMouseUp(Button, Shift, X, Y);
        TCustomControl::MouseUp(Button, Shift, X, Y);
    });
}

void TkComponent::DblClick()
{
    RunAsUserAction([&] {
        kDblClick();
        TCustomControl::DblClick();
    });
}

template <class F>
void TkComponent::RunKeyHandler(F&& Handler)
{
    try {
        RunAsUserAction(Handler);
    } catch (...) {
        // A key handler's failure is dropped.
    }
}

void TkComponent::KeyDown(Word& Key, TShiftState Shift)
{
    RunKeyHandler([&] {
        TCustomControl::KeyDown(Key, Shift);
        kKeyDown(Key, Shift);
    });
}

void TkComponent::KeyUp(Word& Key, TShiftState Shift)
{
    RunKeyHandler([&] {
        TCustomControl::KeyUp(Key, Shift);
        kKeyUp(Key, Shift);
    });
}

void TkComponent::KeyPress(Char& Key)
{
    RunKeyHandler([&] {
        TCustomControl::KeyPress(Key);
        kKeyPress(Key);
    });
}
