#pragma once
// A multi-line edit. Its text holds the lines joined by CR LF, the class
// library's line break; CR LF, CR and LF all break a line when it is set.

#include "platform/StdCtrls.h"

class TMemo : public TWinControl {
    PL_CLASSINFO()
public:
    explicit TMemo(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // Long lines wrap at the control's width (on by default).
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Return breaks the line rather than pressing the form's default
    // button (on by default).
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    // Lines of the text (an empty text has none; a text ending in a break
    // has an empty last line).
    Integer LineCount() const;
    void SelectAll();

    // Fires on every real change of the text, typed or set from code.
    TNotifyEvent OnChange;
    Integer WMGetDlgCode() override;
    Integer CMWantSpecialKey(Word& CharCode) override;

protected:
    void CreateWnd() override;
    String GetTextValue() const override;
    void SetTextValue(const String& Value) override;
    virtual void Change();

private:
    bool FReadOnly = false;
    bool FWordWrap = true;
    bool FWantReturns = true;
};
