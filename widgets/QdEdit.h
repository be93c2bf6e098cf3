#pragma once
// Single-line edits of the panel widget library: lime text on black with an
// alignment (TQdCustomEdit), a text edit that can restrict the characters
// typed (TQdStrEdit) and a numeric edit with a range, decimals and
// validation when the focus leaves it (TQdNumEdit).

#include <functional>

#include "platform/StdCtrls.h"

// Registers the edit classes for form data; part of the library's unit
// initialisation.
void QdEditInitialization();

class TQdCustomEdit : public TCustomEdit {
    PL_CLASSINFO()
public:
    // The height follows the font (AutoSize on).
    explicit TQdCustomEdit(TComponent* AOwner);

    using TCustomEdit::Alignment;
    void SetAlignment(TAlignment Value);

    // ---- Kept as form data sets them, without effect here: text runs left
    // to right, the desktop's input method serves, typed characters keep
    // their code page, and controls are neither dragged onto one another
    // nor docked ----
    // Clears ParentBiDiMode.
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    // On: left to right, as every parent is here.
    bool ParentBiDiMode() const { return FParentBiDiMode; }
    void SetParentBiDiMode(bool Value);
    TCursor DragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    TDragKind DragKind() const { return FDragKind; }
    void SetDragKind(TDragKind Value) { FDragKind = Value; }
    TDragMode DragMode() const { return FDragMode; }
    void SetDragMode(TDragMode Value) { FDragMode = Value; }
    TImeMode ImeMode() const { return FImeMode; }
    void SetImeMode(TImeMode Value) { FImeMode = Value; }
    const String& ImeName() const { return FImeName; }
    void SetImeName(const String& Value) { FImeName = Value; }
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value) { FOEMConvert = Value; }
    TEndDragEvent OnEndDock;
    TStartDockEvent OnStartDock;

private:
    TBiDiMode FBiDiMode = bdLeftToRight;
    bool FParentBiDiMode = true;
    TCursor FDragCursor = crDrag;
    TDragKind FDragKind = dkDrag;
    TDragMode FDragMode = dmManual;
    TImeMode FImeMode = imDontCare;
    String FImeName;
    bool FOEMConvert = false;
};

// Typed characters outside ValidKeys are swallowed (backspace always
// passes); an empty ValidKeys accepts every key.
class TQdStrEdit : public TQdCustomEdit {
    PL_CLASSINFO()
public:
    using TQdCustomEdit::TQdCustomEdit;

    const String& ValidKeys() const { return FValidKeys; }
    // Clears the text, except while the form data is read or designed.
    void SetValidKeys(const String& Value);

    void KeyPress(Char& Key) override;

private:
    String FValidKeys;
};

// Sender, and whether the focus may leave the edit (true on entry).
using TaErrorEvent = std::function<void(TObject* Sender, bool& CanExit)>;

// Accepts digits, "-" (which toggles a leading sign), backspace and, with
// Decimals, one decimal separator. When the focus leaves, a number within
// [MinValue, MaxValue] is shown with Decimals decimals; anything else stays
// as typed and is reported through OnError.
class TQdNumEdit : public TQdCustomEdit {
    PL_CLASSINFO()
public:
    using TQdCustomEdit::TQdCustomEdit;

    double MinValue() const { return FMinValue; }
    // Taken only below MaxValue (any value while the form data is read,
    // whose order puts MaxValue first); NaN is never taken.
    void SetMinValue(double Value);
    double MaxValue() const { return FMaxValue; }
    // Taken only above MinValue (any value while the form data is read).
    void SetMaxValue(double Value);
    Integer Decimals() const { return FDecimals; }
    // Shown with at most 18 decimals.
    void SetDecimals(Integer Value);
    // MinValue for an empty text; raises EConvertError for text that is not
    // a number of the double range.
    double Value() const;
    // The number as text, then Validate; NaN and infinities are ignored.
    void SetValue(double Value);
    bool RestoreOnEsc() const { return FRestoreOnEsc; }
    void SetRestoreOnEsc(bool Value) { FRestoreOnEsc = Value; }

    // Reformats a valid number in range, or reports the text through
    // OnError; an empty text is valid and left alone.
    virtual void Validate();

    void KeyPress(Char& Key) override;
    void CMEnter() override;
    void CMExit() override;

    TaErrorEvent OnError;

private:
    bool Loading() const { return ComponentState().Contains(csLoading); }
    // Removes a leading "-" or puts one in front, keeping the caret on its
    // character.
    void ToggleSign();
    void ReportError();

    double FMinValue = 0.0;
    double FMaxValue = 10000.0;
    Integer FDecimals = 0;
    bool FRestoreOnEsc = false;
    String FOrgValue;
};
