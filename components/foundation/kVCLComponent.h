#pragma once
// The windowed component with its data lock, its hidden timer window,
// transparency over its parent, painting into a foreign canvas, and the
// routing of focus, key and mouse messages to the input hooks.

#include "components/foundation/kComponent.h"
#include "platform/Messages.h"
#include "platform/Threads.h"

class TStringList;
class TJPEGImage;

class TkVCLComponent : public TkComponent {
    PL_CLASSINFO()
public:
    explicit TkVCLComponent(TComponent* AOwner);
    ~TkVCLComponent() override;

    // ---- Lock: recursive per control; inactive while the control is destroyed ----
    void Lock() override;
    void Unlock() override;

    // ---- Timer window: one timer, a first interval, then a repeat interval ----
    bool TimerRunning() override { return FTimerID != 0; }
    // Starts nothing while a timer runs, and nothing for (0, 0).
    void TimerStart(Cardinal FirstInterval, Cardinal RepeatInterval) override;
    void TimerStop() override;
    TNotifyEvent OnInternalTimer;

    // ---- Transparency ----
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    // The parent's background under the control, present while Transparent.
    TBitmap* TransparentBitmap() const { return FTransparentBitmap.get(); }
    // The parent's background is taken again at the next paint.
    void RequestTransparentCapture();
    bool NeedsTransparentCapture() const { return FNeedsTransparentCapture; }
    void DrawBackGround(TCanvas* Canvas, TColor Color) override;
    void RepaintAll() override;
    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    // Draws the control into a foreign canvas (a printer's, a host's) with
    // its top-left corner at (X, Y). Transparent leaves the canvas's content
    // as the background.
    void kPaintToDC(Integer X, Integer Y, bool Transparent, TCanvas* DC);

    // ---- Image export: the control drawn off-screen at its size ----
    // Each raises "Image has no size" for a 0 x 0 control and writes
    // nothing then; a compression out of range raises its message before
    // anything is drawn; file errors and what kPaintTo raises pass on.
    // An enhanced metafile whose header names the creator "Kelvane".
    void SaveImageToMetaFile(const String& FileName);
    // Compression 1-100 (best-quality DCT), 24-bit colour.
    void SaveImageToJPEG(const String& FileName, Integer Compression, bool Progressive);
    // Compression is the deflate level, 0-9.
    void SaveImageToPNG(const String& FileName, Integer Compression);
    // The file's bytes as a byte array from 0 to size - 1, drawn under the
    // control's lock (released on every path). The JPEG bytes favour speed.
    Variant GetBytesJPEG(Integer Compression, bool Progressive);
    Variant GetBytesPNG(Integer Compression);
    // A compressed JPEG image object that the caller owns.
    TJPEGImage* GetJPEGImage(Integer Compression, bool Progressive);

    // ---- OPC hosting ----
    // True when the control takes an incoming value for one of its pseudo
    // properties itself.
    virtual bool OPCNewDataSpecial(const String& PropertyName, const Variant& Value);
    // Descendants add their pseudo-property names to OPCSpecialList.
    virtual void FillOPCSpecialList();
    TStringList* OPCSpecialList() const { return FOPCSpecialList.get(); }
    bool OPCIncomingActive() const { return FOPCIncomingActive; }
    TIndexObjectEvent OnNewOPCData;
    TBeforeOPCNewDataEvent OnBeforeNewOPCData;

    // ---- Themes: category names, each with its scheme list as object ----
    TStringList* ThemeCategoryList() const { return FThemeCategoryList.get(); }

    // ---- Message routing ----
    Integer WMGetDlgCode() override;
    void CMSysColorChange() override;
    void CMColorChanged() override;
    void WMMove() override;
    void WMSetFocus(TWinControl* FocusedFrom) override;
    void WMKillFocus(TWinControl* FocusedTo) override;
    Integer CMWantSpecialKey(Word& CharCode) override;
    bool CNKeyDown(Word& Key, TShiftState Shift) override;
    bool CNKeyUp(Word& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void DblClick() override;
    void Click() override;
    bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos) override;

protected:
    bool FOPCIncomingActive = false;

private:
    static constexpr UINT TimerIdentifier = 1;

    void InternalWindowProc(TMessage& Message);
    void TimerTick();
    void CaptureTransparentBackground();
    // Fills the bitmap with what lies under the control; false when nothing
    // can be seen there yet.
    bool CopyParentBackground(TBitmap* Bitmap);
    // Runs a key notification's inherited step with UserGenerated set; the
    // hook runs only when the step consumed the key, since KeyDown and
    // KeyUp bring every other key to the hooks.
    template <class Inherited, class Hook>
    bool RouteKeyNotification(Word& Key, TShiftState Shift, Inherited&& Step, Hook&& KeyHook);

    HWND FWindowHandle = nullptr;
    bool FPaintDCTransparent = false;
    TOwned<TBitmap> FTransparentBitmap;
    TCriticalSection FDataCriticalSection;
    bool FTransparent = false;
    TOwned<TStringList> FOPCSpecialList;
    UINT FTimerID = 0;
    bool FTimerFirstMessage = false;
    Cardinal FTimerInterval = 0;
    TOwned<TStringList> FThemeCategoryList;
    bool FNeedsTransparentCapture = false;
};
