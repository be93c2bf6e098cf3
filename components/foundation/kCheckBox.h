#pragma once
// The library's own check box: a transparent, owner-drawn box with a check
// mark and a caption beside it. A click (pressed and released on the
// control) or the space bar toggles it.

#include "components/foundation/kPressControl.h"

class TkCheckBox : public TkPressControl {
    PL_CLASSINFO()
public:
    explicit TkCheckBox(TComponent* AOwner);

    // ---- State ----
    bool Checked() const { return FChecked; }
    // Asks OnRequestEdit, then stores, repaints, reports the change and
    // sends the value to the bound OPC items.
    void SetChecked(bool Value) { SetBoolState(Value, FChecked); }

    // ---- Appearance ----
    // The check box's own caption, apart from the window text.
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // The width follows the caption (text width + 20), the height the
    // font (text height + 4).
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    // 0: the caption at the left, the box at the right edge; 1: the box at
    // the left. Every value other than 0 is taken as 1.
    Byte Alignment() const { return FAlignment; }
    void SetAlignment(Byte Value);
    // The width the caption has beside the box.
    Integer CaptionRoom() const;

    // ---- Drawing ----
    void kPaintTo(TCanvas* Canvas) override;

protected:
    // Toggles Checked.
    void ClickedByUser() override;

private:
    // Fits the control to its caption, unless AutoSize is off, the control
    // loads or a fit is under way.
    void AdjustSize();
    void FontChanged(TObject* Sender);

    TRect BoxRect(Integer Middle) const;
    TRect CaptionRect(Integer Middle, TSize Text) const;
    void DrawBox(TCanvas* Canvas, const TRect& Box);
    void DrawCaption(TCanvas* Canvas, TRect Rect);
    void DrawCheckMark(TCanvas* Canvas, Integer BoxLeft, Integer Middle);
    void DrawFocus(TCanvas* Canvas, const TRect& Caption);

    bool FDoingAutoSize = false;
    bool FChecked = false;
    String FCaption = "Caption";
    bool FAutoSize = true;
    TOwned<TFont> FFont;
    Byte FAlignment = 1;
};

// Registers the check box's class for form data.
void kCheckBoxInitialization();
