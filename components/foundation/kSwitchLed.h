#pragma once
// A push button with an LED and a caption: each click turns Active on or
// off, the LED lights while Active, and the face sinks while pressed. In
// momentary style the switch is active only while the button is held.

#include "components/foundation/kPressControl.h"
#include "platform/Math.h"

// Where the caption sits: against the LED, or against the opposite side.
// The second name is stored in form data as it is spelled here.
enum TkSwitchLedCaptionAlignment { kslcaIndicator, kslcaOppisiteSide };
PL_ENUM_NAMES(TkSwitchLedCaptionAlignment, "kslcaIndicator", "kslcaOppisiteSide")

enum TkSwitchMomentaryStyle { ksmsNone, ksmsSimple };
PL_ENUM_NAMES(TkSwitchMomentaryStyle, "ksmsNone", "ksmsSimple")

class TkSwitchLed : public TkPressControl {
    PL_CLASSINFO()
public:
    // The OPC pseudo property that follows the left button.
    static constexpr const char* MouseDownProperty = "{MouseDown}";

    explicit TkSwitchLed(TComponent* AOwner);

    // ---- State ----
    bool Active() const { return FActive; }
    // Asks OnRequestEdit, then stores, repaints, reports the change and
    // sends the value to the bound OPC items.
    void SetActive(bool Value) { SetBoolState(Value, FActive); }
    // SetActive without OnChange (OnChangeProtected and OnChangeUser fire).
    void SetActiveNoEvent(bool Value);

    // ---- Appearance ----
    TColor ActiveColor() const { return FActiveColor; }
    void SetActiveColor(TColor Value) { SetColorProperty(Value, FActiveColor, 0); }
    bool AutoLedSize() const { return FAutoLedSize; }
    void SetAutoLedSize(bool Value) { SetByteProperty(Value, FAutoLedSize, 0); }
    TFont* CaptionFont() const { return FCaptionFont.get(); }
    void SetCaptionFont(TFont* Value) { FCaptionFont->Assign(Value); }
    Integer CaptionMargin() const { return FCaptionMargin; }
    void SetCaptionMargin(Integer Value) { SetIntegerProperty(Value, FCaptionMargin, 0); }
    TkSwitchLedCaptionAlignment CaptionAlignment() const { return FCaptionAlignment; }
    void SetCaptionAlignment(TkSwitchLedCaptionAlignment Value) { SetByteProperty(Value, FCaptionAlignment, 0); }
    TkSideAlignment IndicatorAlignment() const { return FIndicatorAlignment; }
    void SetIndicatorAlignment(TkSideAlignment Value) { SetByteProperty(Value, FIndicatorAlignment, 0); }
    TkSwitchMomentaryStyle MomentaryStyle() const { return FMomentaryStyle; }
    void SetMomentaryStyle(TkSwitchMomentaryStyle Value) { SetByteProperty(Value, FMomentaryStyle, 0); }
    Integer IndicatorHeight() const { return FIndicatorHeight; }
    void SetIndicatorHeight(Integer Value) { SetIntegerProperty(Value, FIndicatorHeight, 0); }
    Integer IndicatorMargin() const { return FIndicatorMargin; }
    void SetIndicatorMargin(Integer Value) { SetIntegerProperty(Value, FIndicatorMargin, 0); }
    Integer IndicatorWidth() const { return FIndicatorWidth; }
    void SetIndicatorWidth(Integer Value) { SetIntegerProperty(Value, FIndicatorWidth, 0); }
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value) { SetByteProperty(Value, FShowFocusRect, 0); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { SetByteProperty(Value, FWordWrap, 0); }
    Integer BorderSize() const { return FBorderSize; }
    // Values below 2 become 2.
    void SetBorderSize(Integer Value) { SetIntegerProperty(Max(Value, 2), FBorderSize, 0); }
    TColor BorderHighlightColor() const { return FBorderHighlightColor; }
    void SetBorderHighlightColor(TColor Value) { SetColorProperty(Value, FBorderHighlightColor, 0); }
    TColor BorderShadowColor() const { return FBorderShadowColor; }
    void SetBorderShadowColor(TColor Value) { SetColorProperty(Value, FBorderShadowColor, 0); }
    // Never nullptr; empty when the switch draws its own LED.
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies Value, drawn transparent through its bottom-left pixel.
    void SetGlyph(TBitmap* Value);

    // ---- Drawing ----
    void kPaintTo(TCanvas* Canvas) override;

    // ---- OPC ----
    void FillOPCSpecialList() override;

    // ---- Messages ----
    void CMEnabledChanged() override;
    void CMTextChanged() override;
    // The caption's accelerator toggles the switch: always as a system
    // character, as a dialog character only while Alt is held.
    bool CMDialogChar(Char Key, bool Alt) override;

    void DefineProperties(TFiler& Filer) override;

protected:
    // OnChange stays silent within SetActiveNoEvent.
    void DoChange() override;
    // Toggles Active.
    void ClickedByUser() override;
    // OPC follows the left button; a momentary switch goes active.
    void MousePressed(Integer X, Integer Y) override;
    void MousePressEnding() override;
    // A momentary switch goes inactive.
    bool SpringBack() override;

private:
    // What the user's action changes; OnChangeUser fires for it.
    void SetActiveByUser(bool Value);

    void DrawBevel(TCanvas* Canvas);
    void DrawCaption(TCanvas* Canvas, const TRect& Inner, const TRect& Led);
    void DrawLed(TCanvas* Canvas, const TRect& Led);
    void DrawFocus(TCanvas* Canvas);
    // The LED's place (right and bottom exclusive) within the inner
    // rectangle, before the pressed offset.
    TRect LedRect(const TRect& Inner);

    bool FActive = false;
    TColor FActiveColor = clLime;
    bool FAutoLedSize = true;
    TOwned<TFont> FCaptionFont;
    Integer FCaptionMargin = 2;
    TkSwitchLedCaptionAlignment FCaptionAlignment = kslcaIndicator;
    TkSideAlignment FIndicatorAlignment = ksaBottom;
    TkSwitchMomentaryStyle FMomentaryStyle = ksmsNone;
    Integer FIndicatorHeight = 4;
    Integer FIndicatorMargin = 5;
    Integer FIndicatorWidth = 10;
    bool FShowFocusRect = true;
    bool FWordWrap = false;
    Integer FBorderSize = 2;
    TColor FBorderHighlightColor = clBtnHighlight;
    TColor FBorderShadowColor = clBtnShadow;
    TOwned<TBitmap> FGlyph;
    bool FOnChangeSuppressed = false;
};

// Registers the switch's class for form data.
void kSwitchLedInitialization();
