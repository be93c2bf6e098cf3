#pragma once
// The base of the library's windowed controls: double-buffered painting
// through one drawing operation, paced repaints, a background colour or
// picture with an optional border, the input hooks that descendants
// override, and the error state that descendants draw.

#include <type_traits>

#include "components/foundation/kClasses.h"
#include "components/foundation/kTypes.h"
#include "platform/Controls.h"

class TkComponent : public TCustomControl, public IkUpdateControl {
    PL_CLASSINFO()
public:
    explicit TkComponent(TComponent* AOwner);
    ~TkComponent() override;
    void BeforeDestruction() override;

    // ---- Drawing ----
    // Draws the whole control on Canvas at (0, 0) with the control's size.
    virtual void kPaintTo(TCanvas* Canvas) = 0;
    virtual TPoint GetCenterPoint();
    virtual void DrawBackGround(TCanvas* Canvas, TColor Color);
    virtual void DrawBorder(TCanvas* Canvas);
    // The cached background bitmap, made at the control's size when missing.
    TBitmap* GetBackGroundBitmap();
    TBitmap* CreateOffScreenBitmap();
    void DrawOffScreenBitmap(TBitmap* Bitmap);
    // Draws the control into a new bitmap and saves it as a bitmap file;
    // file errors pass on.
    void SaveImageToBitmap(const String& FileName);

    // ---- Repaint requests ----
    // A change made now needs no request of its own: a repaint was asked
    // for and has not begun yet (it will show every change made until
    // then), or the control is marked for one that a request would not
    // bring forward (within an update bracket, or paced and within its
    // frame period; this reads the clock).
    bool RepaintPending() const;
    // The repaint comes without a further change: asked for and not begun,
    // or marked within an update bracket, whose end asks for it.
    bool RepaintQueued() const { return FRepaintPending || (FUpdateActive && FNeedsRepaint); }
    // A foreground change (new data; the background stays as it is).
    void InvalidateChange();
    // A background or layout change.
    void RequestRepaint();
    // Repaints at once, whatever the update bracket and the frame rate say.
    void InvalidateNow();
    // The three requests as change handlers of sub-objects.
    void RequestRepaintEvent(TObject* Sender);
    void InvalidateChangeEvent(TObject* Sender);
    void InvalidateNowEvent(TObject* Sender);
    // Mode 0 InvalidateChange, 1 RequestRepaint, anything else nothing.
    void ChangeRepaint(Byte Mode);
    // Repaints at once, or leaves the control marked until one frame period
    // has passed since its last repaint.
    void RepaintThrottled();
    virtual void RepaintAll();
    // Not nested: EndUpdate ends the bracket whatever BeginUpdate calls
    // preceded it.
    virtual void BeginUpdate();
    virtual void EndUpdate();

    // Setters of descendants: store a differing value, then ChangeRepaint.
    template <class V>
        requires(std::is_enum_v<V> || std::is_same_v<V, bool> || std::is_same_v<V, Byte>)
    void SetByteProperty(V Value, V& Field, Byte Mode)
    {
        SetFieldProperty(Value, Field, Mode);
    }
    void SetIntegerProperty(Integer Value, Integer& Field, Byte Mode) { SetFieldProperty(Value, Field, Mode); }
    void SetColorProperty(TColor Value, TColor& Field, Byte Mode) { SetFieldProperty(Value, Field, Mode); }

    // ---- Property file ----
    // A "File Type = <class name>" line, then the property text of the
    // published properties, defaults included. Name is never written; the
    // position, size and form behaviour (Left, Top, Width, Height, Align,
    // Cursor, ShowHint, Tag, Visible, Enabled, Hint, HelpContext) only with
    // OptionSaveAllProperties. Raises "Error Saving Properties - " and the
    // cause.
    virtual void SavePropertiesToFile(const String& FileName);
    // Applies every line whose name matches a property, whatever class
    // wrote the file, within an update bracket. Raises "Error Loading
    // Properties - " and the cause; the lines before the failing one stay
    // applied.
    virtual void LoadPropertiesFromFile(const String& FileName);

    // ---- Lock and timer (implemented by TkVCLComponent) ----
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    virtual bool TimerRunning() = 0;
    // Intervals in milliseconds: the first tick after FirstInterval, then
    // every RepeatInterval.
    virtual void TimerStart(Cardinal FirstInterval, Cardinal RepeatInterval) = 0;
    virtual void TimerStop() = 0;

    // ---- OPC hooks ----
    // Sends Value to the OPC items bound to PropertyName; true when sent.
    virtual bool OPCOutputData(const String& PropertyName, const Variant& Value);
    bool OPCGetDesigning() { return IsDesigning(); }
    // The type kind of the published property at the dotted path
    // PropertyName (tkUnknown when there is none).
    void GetPropertyType(const String& PropertyName, TTypeKind& PropertyType);
    // Searches Instance's published properties, their paths under Prefix,
    // and the persistent sub-objects below them.
    static bool FindPropertyType(TObject* Instance, const String& Prefix, const String& PropertyName,
                                 TTypeKind& PropertyType);

    // ---- State ----
    bool IsLoading() const;
    bool IsDesigning();
    void SetEnabled(bool Value) override;

    // ---- Update interface ----
    Boolean GetUpdateActive() const override { return FUpdateActive; }
    Boolean GetNeedsRepaint() const override { return FNeedsRepaint; }
    Integer GetUpdateFrameRate() const override { return FUpdateFrameRate; }
    Int64 GetLastUpdate() const override { return FLastUpdate; }
    // Unmarks the control and marks its window for a paint.
    void DoRepaint() override;

    // ---- Properties ----
    bool OptionSaveAllProperties() const { return FOptionSaveAllProperties; }
    void SetOptionSaveAllProperties(bool Value) { FOptionSaveAllProperties = Value; }
    bool AutoFrameRate() const { return FAutoFrameRate; }
    void SetAutoFrameRate(bool Value);
    Integer UpdateFrameRate() const { return FUpdateFrameRate; }
    void SetUpdateFrameRate(Integer Value);

    TColor BackGroundColor() const { return FBackGroundColor; }
    virtual void SetBackGroundColor(TColor Value);
    // nullptr when there is none; setting copies the picture.
    TBitmap* BackGroundPicture() const { return FBackGroundPicture.get(); }
    void SetBackGroundPicture(TBitmap* Value);
    bool BackGroundChanged() const { return FBackGroundChanged; }
    TkBevelStyle BorderStyle() const { return FBorderStyle; }
    virtual void SetBorderStyle(TkBevelStyle Value);
    bool CachedDrawing() const { return FCachedDrawing; }
    virtual void SetCachedDrawing(bool Value);
    Integer OffsetX() const { return FOffsetX; }
    void SetOffsetX(Integer Value) { FOffsetX = Value; }
    Integer OffsetY() const { return FOffsetY; }
    void SetOffsetY(Integer Value) { FOffsetY = Value; }
    bool ShowDisabledState() const { return FShowDisabledState; }
    void SetShowDisabledState(bool Value) { SetByteProperty(Value, FShowDisabledState, 1); }
    bool HasFocus() const { return FHasFocus; }
    bool UserGenerated() const { return FUserGenerated; }

    bool ErrorActive() const { return FErrorActive; }
    void SetErrorActive(bool Value) { SetByteProperty(Value, FErrorActive, 1); }
    const String& ErrorText() const { return FErrorText; }
    void SetErrorText(const String& Value);
    TColor ErrorBackGroundColor() const { return FErrorBackGroundColor; }
    void SetErrorBackGroundColor(TColor Value) { SetColorProperty(Value, FErrorBackGroundColor, 1); }
    TFont* ErrorFont() const { return FErrorFont.get(); }
    void SetErrorFont(TFont* Value) { FErrorFont->Assign(Value); }

    TkPaintEvent OnPaint;
    TkChangeProtectedEvent OnChangeProtected;
    TkRequestEditEvent OnRequestEdit;
    TkGetDesigningEvent OnGetDesigning;

protected:
    // The paint entry of the control: PaintBuffered.
    void Paint() override;
    // Locks, draws kPaintTo into an off-screen bitmap (or the message of
    // what it raised, white on black), fires OnPaint and copies the bitmap
    // to the screen. Nothing it raises leaves it.
    void PaintBuffered();

    // ---- Input hooks, overridden by descendants ----
    virtual void kSetFocus();
    // Also releases the left button at (0, 0): a drag in progress ends.
    virtual void kKillFocus();
    virtual void kWantSpecialKey(Word& CharCode, Integer& Result);
    virtual void kKeyUp(Word& Key, TShiftState Shift);
    virtual void kKeyDown(Word& Key, TShiftState Shift);
    virtual void kKeyPress(Char& Key);
    virtual void kMouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void kMouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
    virtual void kMouseMove(TShiftState Shift, Integer X, Integer Y);
    virtual void kDblClick();
    // True when the wheel was handled.
    virtual bool kMouseWheel(Integer WheelDelta, TShiftState Shift, TPoint MousePos);

public:
    // The class library's handlers run the hooks with UserGenerated set:
    // mouse hooks before the inherited handler, key hooks after it.
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void DblClick() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void KeyPress(Char& Key) override;

protected:
    // Runs Body with UserGenerated raised and lowers it afterwards, also
    // when Body raises. Lowered rather than restored: the focus handlers a
    // key message sets off are user actions of their own, and what runs
    // after them no longer counts as the user's.
    template <class F>
    decltype(auto) RunAsUserAction(F&& Body)
    {
        FUserGenerated = true;
        const TScopeExit lower([this] { FUserGenerated = false; });
        return Body();
    }

    bool FUserGenerated = false;
    bool FLoading = false;
    // kPaintToDC switches it off for its drawing without the setter's
    // repaint and without freeing the cached bitmap.
    bool FCachedDrawing = true;

private:
    template <class V>
    void SetFieldProperty(V Value, V& Field, Byte Mode)
    {
        SetIfDifferent(Field, Value, [this, Mode] { ChangeRepaint(Mode); });
    }
    void DrawPaintError(TCanvas* Canvas, const String& Message);
    // Runs a key handler with UserGenerated set; what it raises is dropped.
    template <class F>
    void RunKeyHandler(F&& Handler);
    void Unregister();

    bool FUpdateActive = false;
    Integer FUpdateFrameRate = 60;
    Int64 FLastUpdate = 0;
    bool FNeedsRepaint = false;
    bool FRepaintPending = false;
    TOwned<TBitmap> FBackGroundBitmap;
    TOwned<TBitmap> FBackGroundPicture;
    TColor FBackGroundColor = clBtnFace;
    bool FBackGroundChanged = true;
    TkBevelStyle FBorderStyle = kbsNone;
    Integer FOffsetY = 0;
    Integer FOffsetX = 0;
    bool FShowDisabledState = false;
    bool FHasFocus = false;
    bool FAutoFrameRate = false;
    bool FOptionSaveAllProperties = false;
    bool FErrorActive = false;
    String FErrorText = "Error";
    TColor FErrorBackGroundColor = clBlack;
    TOwned<TFont> FErrorFont;
};
