#pragma once
// A pair of painted buttons, up and down, drawn from glyph strips with
// hover, pressed and disabled looks, repeating while a button is held. It
// is bound to no other control: presses are reported through OnUpClick and
// OnDownClick only.

#include "platform/AutoRepeat.h"
#include "widgets/QdClasses.h"
#include "widgets/QdControls.h"

// Registers the control for form data; part of the library's unit
// initialisation.
void QdUpDownInitialization();

class TQdUpDown : public TQdGraphicImageControl {
    PL_CLASSINFO()
public:
    // The first repeat comes this long after the press, the next ones
    // RepeatPause apart.
    static constexpr Cardinal FirstRepeatDelay = 400;
    static constexpr TQdMaxInt DefaultRepeatPause = 100;

    explicit TQdUpDown(TComponent* AOwner);
    ~TQdUpDown() override;

    // Button 0 (up) or 1 (down): one half of the control, truncated.
    TRect GetGlyphRect(Integer Index) const;
    // The first button whose rectangle holds the point, else -1.
    Integer GetGlyphIndex(Integer X, Integer Y) const;

    // Strips of NumGlyphs images side by side: normal, hot, pressed,
    // disabled. Stored in form data once they differ from the defaults.
    TBitmap* GlyphsUp() const { return FGlyphs[0].get(); }
    // A copy of Value; nullptr brings the default strip back.
    void SetGlyphsUp(TBitmap* Value) { SetGlyphs(0, Value); }
    TBitmap* GlyphsDown() const { return FGlyphs[1].get(); }
    void SetGlyphsDown(TBitmap* Value) { SetGlyphs(1, Value); }
    TQdNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    // 0 is ignored.
    void SetNumGlyphs(TQdNumGlyphs Value);
    // The size of one image of the strip; (0, 0) for an empty strip.
    TPoint GlyphSize(Integer Index) const { return FGlyphSize[Index]; }
    TQdOrientation Orientation() const { return FOrientation; }
    // Up above down, or up left of down; width and height are swapped
    // (not while the form data is read).
    void SetOrientation(TQdOrientation Value);
    bool RepeatClick() const { return FRepeatClick; }
    void SetRepeatClick(bool Value) { FRepeatClick = Value; }
    TQdMaxInt RepeatPause() const { return static_cast<TQdMaxInt>(FRepeat.Interval()); }
    // Milliseconds between repeats; below 1 counts as 1.
    void SetRepeatPause(TQdMaxInt Value) { FRepeat.SetInterval(static_cast<Cardinal>(Value < 1 ? 1 : Value)); }
    bool DefaultGlyphs(Integer Index) const { return FDefaultGlyphs[Index]; }

    // The class library's click is not raised.
    void Click() override {}
    void CMMouseLeave() override;
    void CMEnabledChanged() override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    // Both strips from the program's bitmaps "UPDOWN_UP" and "UPDOWN_DOWN";
    // a missing bitmap leaves its strip empty, and it draws nothing.
    virtual void LoadBitmaps();
    void LoadBitmap(Integer Index);
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;

private:
    void SetGlyphs(Integer Index, TBitmap* Value);
    void GlyphsChanged(Integer Index);
    void AdjustGlyphs();
    void DrawGlyph(Integer Index);
    void Repeat();
    // OnUpClick or OnDownClick for the button the press began on.
    void Clicked();

    TOwned<TBitmap> FGlyphs[2];
    bool FDefaultGlyphs[2] = {false, false};
    bool FLoadingDefaults = false;
    TQdNumGlyphs FNumGlyphs = 4;
    TPoint FGlyphSize[2] = {};
    TQdOrientation FOrientation = qoVertical;
    bool FRepeatClick = true;
    Integer FFocusIndex = -1;
    bool FDown = false;
    Integer FDownIndex = -1;
    bool FPressed = false;
    TAutoRepeat FRepeat{FirstRepeatDelay, DefaultRepeatPause, [this] { Repeat(); }};
};
