#pragma once
// The windowed component with its data lock, its hidden timer window,
// transparency over its parent, painting into a foreign canvas, and the
// routing of focus, key and mouse messages to the input hooks.

#include "components/foundation/kComponent.h"
#include "platform/Messages.h"

#include <memory>

class TCriticalSection;
class TStringList;
class TJPEGImage;
class TkOPCItem;
class TkOPCItemManager;

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
    // The control's OPC items (kVCLComponentOPC.cpp), streamed as "OPCItems".
    TkOPCItemManager* OPCItemManager() const { return FOPCItemManager.get(); }
    Integer OPCAddItem();
    Integer OPCItemCount() const;
    void OPCRemoveAllItems();
    void OPCDeleteItem(Integer Index);
    void OPCItemActivate(Integer Index);
    void OPCItemDeactivate(Integer Index);
    void OPCItemUpdateResume(Integer Index);
    void OPCItemUpdateSuspend(Integer Index);
    void OPCItemLoaded(Integer Index);
    void SetOPCItemData(Integer Index, const Variant& Value);
    void SetOPCItemComputerName(Integer Index, const String& Value);
    void SetOPCItemServerName(Integer Index, const String& Value);
    void SetOPCItemItemName(Integer Index, const String& Value);
    void SetOPCItemPropertyName(Integer Index, const String& Value);
    void SetOPCItemAutoConnect(Integer Index, bool Value);
    void SetOPCItemUpdateRate(Integer Index, Integer Value);
    String GetOPCItemComputerName(Integer Index) const;
    String GetOPCItemServerName(Integer Index) const;
    String GetOPCItemItemName(Integer Index) const;
    String GetOPCItemPropertyName(Integer Index) const;
    bool GetOPCItemAutoConnect(Integer Index) const;
    Integer GetOPCItemUpdateRate(Integer Index) const;
    Variant GetOPCItemData(Integer Index) const;
    Word GetOPCItemQuality(Integer Index) const;
    TDateTime GetOPCItemTimeStamp(Integer Index) const;
    // A value arrived for Item: OnBeforeNewOPCData, the property (unless the
    // control takes it itself), then OnNewOPCData. The property set by it
    // sends nothing back.
    void DoOPCItemNewData(TkOPCItem& Item);
    bool OPCOutputData(const String& PropertyName, const Variant& Value) override;
    void DefineProperties(TFiler& Filer) override;

    // ---- Themes: category names, each with its scheme list as object ----
    TStringList* ThemeCategoryList() const { return FThemeCategoryList.get(); }
    // (kVCLComponentThemes.cpp) Reads the maker's and then the user's scheme
    // file of the control's class from the folders the registry names;
    // missing ones are skipped, reader errors pass on. A registry or a file
    // that is there but cannot be read (a pipe, a loop of links) raises
    // before the categories change.
    void LoadThemes();
    void ClearThemeCategories();
    Integer GetThemeCategoryCount() const;
    // Indexes outside the lists raise the string list's index error.
    String GetThemeCategoryName(Integer CategoryIndex) const;
    Integer GetThemeCategorySchemeCount(Integer CategoryIndex) const;
    String GetThemeCategorySchemeName(Integer CategoryIndex, Integer SchemeIndex) const;
    bool GetThemeCategorySchemeIsUser(Integer CategoryIndex, Integer SchemeIndex) const;
    // Sets every line's property, all or none: a line naming a read-only
    // property or giving a value of the wrong kind raises, and the control
    // keeps its values. A line naming no property of the control is
    // skipped.
    void ApplyScheme(Integer CategoryIndex, Integer SchemeIndex);

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

    void CreateOPCItemManager();
    TStringList* ThemeScheme(Integer CategoryIndex, Integer SchemeIndex) const;
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
    TOwned<TCriticalSection> FDataCriticalSection;
    bool FTransparent = false;
    TOwned<TStringList> FOPCSpecialList;
    UINT FTimerID = 0;
    bool FTimerFirstMessage = false;
    Cardinal FTimerInterval = 0;
    TOwned<TStringList> FThemeCategoryList;
    bool FNeedsTransparentCapture = false;
    std::unique_ptr<TkOPCItemManager> FOPCItemManager;
};
