#pragma once
// Controls: the windowless and windowed control bases, the custom control
// that paints itself on a retained image, mouse capture, focus and the
// input virtuals that the routers call.
//
// Messages of the class library are synchronous virtual functions here;
// calling the base version plays the part of `inherited`.

#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"

class TWinControl;
class TPopupMenu;
class TCustomForm;
struct TControlHost;

// ---------------------------------------------------------------------------
// Enumerations and small types
// ---------------------------------------------------------------------------

enum TMouseButton { mbLeft, mbRight, mbMiddle };
// The Windows bit values: ssShift 1, ssAlt 2, ssCtrl 4, ssLeft 8, ssRight 16,
// ssMiddle 32, ssDouble 64.
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum THelpType { htKeyword, htContext };
// Border styles of forms; controls use bsNone and bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TDragMode { dmManual, dmAutomatic };
enum TDragKind { dkDrag, dkDock };
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
// How an edit asks the input method to start.
enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese,
                imSHanguel, imHanguel };

PL_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")
PL_ENUM_NAMES(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
PL_ENUM_NAMES(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")
PL_ENUM_NAMES(TVerticalAlignment, "taAlignTop", "taAlignBottom", "taVerticalCenter")
PL_ENUM_NAMES(THelpType, "htKeyword", "htContext")
PL_ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")
PL_ENUM_NAMES(TDragMode, "dmManual", "dmAutomatic")
PL_ENUM_NAMES(TDragKind, "dkDrag", "dkDock")
PL_ENUM_NAMES(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly")
PL_ENUM_NAMES(TImeMode, "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata",
              "imKata", "imChinese", "imSHanguel", "imHanguel")

// Cursor identifiers keep the class library's values.
using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = -22;

// Modal results.
using TModalResult = Integer;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrClose = 8;
constexpr TModalResult mrHelp = 9;
constexpr TModalResult mrAll = 12;
constexpr TModalResult mrNoToAll = 13;
constexpr TModalResult mrYesToAll = 14;

enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem { csLButtonDown, csClicked, csPalette, csReadingState, csFocusing, csCreating, csPaintCopy,
                         csCustomPaint };
using TControlState = TSet<TControlStateItem>;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TStartDockEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;

// The TShiftState of a key or mouse message: the modifier keys from the
// key-state table, plus the given extra items.
TShiftState KeyboardShiftState();

// The accelerator rule of captions: "&x" marks x (compared ignoring case),
// "&&" is a literal '&'.
bool IsAccel(Char Key, const String& Caption);
// The caption without its accelerator marks ("&&" becomes "&").
String StripHotkey(const String& Caption);

// ---------------------------------------------------------------------------
// Sub-objects of controls
// ---------------------------------------------------------------------------

// Space kept around a control aligned with margins (default 3 each side).
class TMargins : public TPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;
    Integer Left() const { return FLeft; }
    void SetLeft(Integer Value) { Change(FLeft, Value); }
    Integer Top() const { return FTop; }
    void SetTop(Integer Value) { Change(FTop, Value); }
    Integer Right() const { return FRight; }
    void SetRight(Integer Value) { Change(FRight, Value); }
    Integer Bottom() const { return FBottom; }
    void SetBottom(Integer Value) { Change(FBottom, Value); }
    TNotifyEvent OnChange;

private:
    void Change(Integer& Field, Integer Value);
    void Changed();
    Integer FLeft = 3, FTop = 3, FRight = 3, FBottom = 3;
};

// Size limits of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
    PL_CLASSINFO()
public:
    void Assign(TPersistent* Source) override;
    Integer MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(Integer Value) { Change(FMaxHeight, Value); }
    Integer MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(Integer Value) { Change(FMaxWidth, Value); }
    Integer MinHeight() const { return FMinHeight; }
    void SetMinHeight(Integer Value) { Change(FMinHeight, Value); }
    Integer MinWidth() const { return FMinWidth; }
    void SetMinWidth(Integer Value) { Change(FMinWidth, Value); }
    // Applies the limits to a size.
    void Constrain(Integer& Width, Integer& Height) const;
    TNotifyEvent OnChange;

private:
    void Change(Integer& Field, Integer Value);
    void Changed();
    Integer FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
};

// A hint style object; kept as a reference only.
class TCustomHint : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
};

// ---------------------------------------------------------------------------
// TControl
// ---------------------------------------------------------------------------

class TControl : public TComponent {
    PL_CLASSINFO()
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;
    // With csSetCaption, a caption equal to the old name follows the name.
    void SetName(const String& NewName) override;

    // Geometry (relative to the parent's client area).
    Integer Left() const { return FLeft; }
    void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    Integer Top() const { return FTop; }
    void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    Integer Width() const { return FWidth; }
    void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    Integer Height() const { return FHeight; }
    void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Equal bounds do nothing.
    virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
    virtual TRect ClientRect() const;
    Integer ClientWidth() const { return ClientRect().Width(); }
    void SetClientWidth(Integer Value);
    Integer ClientHeight() const { return ClientRect().Height(); }
    void SetClientHeight(Integer Value);
    TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& P) const;
    TPoint ScreenToClient(const TPoint& P) const;
    TPoint ClientToParent(const TPoint& P, TWinControl* AParent = nullptr) const;

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors Value);
    bool AlignWithMargins() const { return FAlignWithMargins; }
    void SetAlignWithMargins(bool Value);
    TMargins* Margins() const { return FMargins.get(); }
    void SetMargins(TMargins* Value) { FMargins->Assign(Value); }
    TSizeConstraints* Constraints() const { return FConstraints.get(); }
    void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible here and in every parent up to a shown form.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);

    // Caption and Text are the same window text; setting equal text does
    // nothing, a change sends CMTextChanged.
    String Caption() const { return GetTextValue(); }
    void SetCaption(const String& Value) { SetText(Value); }
    String Text() const { return GetTextValue(); }
    void SetText(const String& Value);

    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* Value);
    THelpType HelpType() const { return FHelpType; }
    void SetHelpType(THelpType Value) { FHelpType = Value; }
    const String& HelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const String& Value) { FHelpKeyword = Value; }
    Integer HelpContext() const { return FHelpContext; }
    void SetHelpContext(Integer Value) { FHelpContext = Value; }
    TCustomHint* CustomHint() const { return FCustomHint; }
    void SetCustomHint(TCustomHint* Value);
    bool ParentCustomHint() const { return FParentCustomHint; }
    void SetParentCustomHint(bool Value) { FParentCustomHint = Value; }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value);
    TControlState ControlState() const { return FControlState; }
    void SetControlState(TControlState Value) { FControlState = Value; }

    // Marks the control for a paint; repeated calls coalesce.
    virtual void Invalidate();
    // Paints pending parts now (inside a paint it only marks).
    void Update();
    void Repaint();
    void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();
    // Draws the control and its children into Canvas at (X, Y).
    void PaintTo(TCanvas* Canvas, Integer X, Integer Y);
    // Draws what lies under this control into Canvas at (0, 0): the
    // parent's own painting and the siblings below this control.
    void CopyParentImage(TCanvas* Canvas);

    // Mouse capture through this control.
    bool MouseCapture() const;
    void SetMouseCapture(bool Value);

    // The user's actions, fired by the routers (and callable from code).
    virtual void Click();
    virtual void DblClick();

    // The layer's widget bridge (platform/src).
    TControlHost& Host() const { return *FHost; }
    bool HandleAllocated() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;
    TContextPopupEvent OnContextPopup;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;

    // ---- Messages ----
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    virtual void CMFontChanged();
    virtual void CMTextChanged();
    virtual void CMEnabledChanged();
    virtual void CMColorChanged();
    virtual void CMVisibleChanged();
    virtual void CMSysColorChange();
    // An accelerator key pressed with or without Alt; true when taken.
    virtual bool CMDialogChar(Char Key, bool Alt);
    // This control lost the mouse capture.
    virtual void WMCaptureChanged();
    // The control moved within its parent.
    virtual void WMMove();

    // ---- Mouse virtuals, called by the router ----
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    // True when handled; the router then stops bubbling to the parent.
    virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Creates the control's widget; AfterConstruction calls it once.
    virtual void CreateWnd();
    virtual String GetTextValue() const { return FText; }
    virtual void SetTextValue(const String& Value) { FText = Value; }
    virtual void Resize();
    // A change of Visible, Enabled or of the bounds that the parent lays out.
    void RequestAlign();
    // Sets the bounds without the equal-bounds test and constraints.
    void UpdateBoundsRect(const TRect& R);

    TControlStyle FControlStyle;
    TControlState FControlState;

private:
    friend class TWinControl;
    friend struct TControlHost;
    void FontChanged(TObject* Sender);
    // The parent's colour or font changed (for ParentColor/ParentFont).
    void TakeParentColor();
    void TakeParentFont();

    std::unique_ptr<TControlHost> FHost;
    TWinControl* FParent = nullptr;
    Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    TAnchors FAnchors{akLeft, akTop};
    bool FAlignWithMargins = false;
    TOwned<TMargins> FMargins;
    TOwned<TSizeConstraints> FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TOwned<TFont> FFont;
    bool FParentFont = true;
    String FText;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    TCursor FCursor = crDefault;
    TPopupMenu* FPopupMenu = nullptr;
    THelpType FHelpType = htContext;
    String FHelpKeyword;
    Integer FHelpContext = 0;
    TCustomHint* FCustomHint = nullptr;
    bool FParentCustomHint = true;
};

// ---------------------------------------------------------------------------
// TWinControl: focusable, holds child controls
// ---------------------------------------------------------------------------

class TWinControl : public TControl {
    PL_CLASSINFO()
public:
    explicit TWinControl(TComponent* AOwner);
    void BeforeDestruction() override;

    // Children in z-order (bottom first).
    Integer ControlCount() const { return static_cast<Integer>(FControls.size()); }
    TControl* Controls(Integer Index) const;
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* Control) const;
    // Streaming: the child controls that Root owns (then, for the root, the
    // components it owns that have no parent).
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    // The topmost visible child containing Pos (client coordinates).
    TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled) const;

    Integer TabOrder() const;
    void SetTabOrder(Integer Value);
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }
    // Windowed children by TabOrder.
    const std::vector<TWinControl*>& TabList() const { return FTabList; }
    // Every focus candidate below this control, in tab order (a container
    // is followed by its own children).
    void GetTabOrderList(std::vector<TWinControl*>& List) const;
    // The control after (or before) CurControl in tab order, wrapping.
    TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
    void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
    void SelectFirst();

    // Visible and enabled up to (not including) the form.
    virtual bool CanFocus() const;
    // Raises EInvalidOperation when the control cannot take the focus.
    virtual void SetFocus();
    bool Focused() const;

    // Client area left after the bevels and borders; aligned children fit in it.
    virtual void AdjustClientRect(TRect& Rect) const;
    // Lays out the aligned and anchored children.
    void Realign();
    void DisableAlign() { ++FAlignLevel; }
    void EnableAlign();

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // ---- Keyboard virtuals, called by the key pipeline ----
    virtual void KeyDown(Word& Key, TShiftState Shift);
    virtual void KeyUp(Word& Key, TShiftState Shift);
    virtual void KeyPress(Char& Key);

    // ---- Messages ----
    // A key before KeyDown: dialog keys (Tab, arrows, Return, Escape) go to
    // the form unless the control claims them. True when consumed.
    virtual bool CNKeyDown(Word& Key, TShiftState Shift);
    virtual bool CNKeyUp(Word& Key, TShiftState Shift);
    // Non-zero when the control wants the special key CharCode.
    virtual Integer CMWantSpecialKey(Word& CharCode);
    // DLGC_* codes of the keys the control handles itself.
    virtual Integer WMGetDlgCode();
    // Focus moves: the old control first loses it, then the new one gets it.
    virtual void WMSetFocus(TWinControl* FocusedFrom);
    virtual void WMKillFocus(TWinControl* FocusedTo);
    virtual void CMEnter();
    virtual void CMExit();
    // Alt+character on the focused control; the default broadcasts
    // CMDialogChar through the form. True when taken.
    virtual bool WMSysChar(Char Key);
    // A dialog key offered to the children (Default and Cancel buttons).
    virtual bool CMDialogKey(Word& CharCode, TShiftState Shift);
    // Offers an accelerator to every child; true when one took it.
    bool BroadcastDialogChar(Char Key, bool Alt);
    bool CMDialogChar(Char Key, bool Alt) override;

protected:
    void Loaded() override;
    void CreateWnd() override;
    void CMColorChanged() override;
    void CMFontChanged() override;
    void Resize() override;
    // A child's bounds, visibility or alignment changed.
    virtual void AlignControls(TControl* AControl, TRect& Rect);

private:
    friend class TControl;
    // A control that Qt paints shows the focus frame, or no longer does.
    void RepaintFocusFrame();
    void AlignChildren();
    void ArrangeAnchored(Integer OldClientWidth, Integer OldClientHeight);

    std::vector<TControl*> FControls;
    std::vector<TWinControl*> FTabList;
    Integer FPendingTabOrder = -1;  // set while loading, applied by Loaded
    bool FTabStop = false;
    Integer FAlignLevel = 0;
    bool FAligning = false;
};

// ---------------------------------------------------------------------------
// TCustomControl and TGraphicControl: controls that paint themselves
// ---------------------------------------------------------------------------

// Layer internals: the retained image of a control that paints itself, the
// canvas bound to it, and the paint cycle that runs the control's Paint over
// a dirty area.
class TPaintSurface {
public:
    // Windowed: the image is opaque, erased in the control's Color unless
    // csOpaque, and drawing outside a paint schedules an update.
    // Windowless: the dirty area is cleared to transparent before Paint, so
    // that what Paint leaves untouched shows the parent through.
    TPaintSurface(TControl* Control, bool Windowed, std::function<void()> Paint);
    ~TPaintSurface();
    TPaintSurface(const TPaintSurface&) = delete;
    TPaintSurface& operator=(const TPaintSurface&) = delete;

    // Bound to the whole image, at the control's size.
    TCanvas* Canvas() const;
    // Gives the control a widget that paints through PaintCycle.
    void CreateWnd();
    void PaintCycle(const TRect& DirtyRect);

private:
    // Sizes the image to the control; false for an empty control.
    bool EnsureBacking() const;

    TControl* FControl;
    bool FWindowed;
    std::function<void()> FPaint;
    TOwned<TCanvas> FCanvas;
};

// A windowed control with a Canvas bound to a retained image. Paint runs in
// the paint cycle with the Canvas clipped to the dirty area; drawing on the
// Canvas outside a paint goes into the same image and shows at the next
// paint.
class TCustomControl : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TCustomControl(TComponent* AOwner);
    // Bound to the control's retained image, at the control's size.
    TCanvas* Canvas() const { return FSurface.Canvas(); }

    // Layer internals: one paint cycle over the dirty rectangle.
    void PaintCycle(const TRect& DirtyRect) { FSurface.PaintCycle(DirtyRect); }

protected:
    void CreateWnd() override { FSurface.CreateWnd(); }
    virtual void Paint();

private:
    TPaintSurface FSurface;
};

// A windowless control drawn over its parent; it never takes the focus.
class TGraphicControl : public TControl {
    PL_CLASSINFO()
public:
    explicit TGraphicControl(TComponent* AOwner);
    TCanvas* Canvas() const { return FSurface.Canvas(); }

    // Layer internals: one paint cycle over the dirty rectangle.
    void PaintCycle(const TRect& DirtyRect) { FSurface.PaintCycle(DirtyRect); }

protected:
    void CreateWnd() override { FSurface.CreateWnd(); }
    virtual void Paint();

private:
    TPaintSurface FSurface;
};

// ---------------------------------------------------------------------------
// Free functions
// ---------------------------------------------------------------------------

// The form that holds Control (nullptr when it is not on a form).
TCustomForm* GetParentForm(const TControl* Control);
// Mouse capture: any control may hold it, with or without a button down.
// The previous holder gets WMCaptureChanged.
void SetCapture(TControl* Control);
void ReleaseCapture();
TControl* GetCapture();
// The control under a screen point (topmost, visible and enabled).
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// Delay of a double click, in milliseconds.
constexpr Cardinal DoubleClickTime = 500;
