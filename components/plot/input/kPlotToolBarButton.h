#pragma once
// One entry of a plot's toolbar: a picture button that carries its command
// code and hint, or a spacer that keeps a gap and draws nothing. Pictures
// are bitmaps compiled into the program, loaded into the toolbar's image
// list on first drawing; a button whose picture is missing draws without
// one.

#include "components/foundation/kTypes.h"
#include "components/plot/input/kPlotButton.h"

class TImageList;

enum TkPlotToolBarButtonStyle { kptbbsButton, kptbbsSpacer };
PL_ENUM_NAMES(TkPlotToolBarButtonStyle, "kptbbsButton", "kptbbsSpacer")

// What makes a command button.
struct TkPlotToolBarButtonSpec {
    TkPlotToolBarButtonType Type;
    Integer GroupIndex;
    const char* Hint;
    // The picture's resource name; small pictures carry the prefix "SMALL".
    const char* ImageName;
};

class TkPlotToolBarButton : public TkPlotButton {
    PL_CLASSINFO()
public:
    // A spacer of ToolBar.
    TkPlotToolBarButton(TkPlotObjectOwner* AOwner, TkPlotObject* AToolBar, TImageList* AImageList);
    // A button of ToolBar, its pictures in ImageList.
    TkPlotToolBarButton(TkPlotObjectOwner* AOwner, TkPlotObject* AToolBar, TImageList* AImageList,
                        const TkPlotToolBarButtonSpec& Spec);

    TkPlotToolBarButtonStyle Style() const { return FStyle; }
    TkPlotToolBarButtonType ButtonType() const { return FType; }
    // The English hint; it is translated when shown.
    const String& Hint() const { return FHint; }
    // Small pictures (16 x 16) rather than large ones (24 x 24): the picture
    // loads again at the next drawing.
    void SetSmallImage(bool Value);
    const String& ImageName() const { return FImageName; }
    // -1 until the picture is loaded (and for a missing one).
    Integer ImageIndex() const { return FImageIndex; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value) { FFlat = Value; }
    bool MouseOver() const { return FMouseOver; }

    void Draw(const TkPlotPaintContext& Context) override;
    void kMouseMove(TkPlotHintData& HintData, TShiftState Shift, Integer X, Integer Y, bool DblClickActive) override;
    // The translated hint, in a box below the button; the plot's hint
    // event may change its text.
    void DoMouseHint(const TkPlotMouseData& MouseData, TkPlotHintData& HintData) override;
    void DoMouseNotOver() override;

private:
    void LoadImage();
    // Drawn as enabled: the button and its toolbar both are.
    bool DrawnEnabled() const;
    void DrawFace(TCanvas* Canvas, bool Pressed);
    void SetMouseOver(bool Value);

    TkPlotObject* FToolBar;
    TkPlotToolBarButtonStyle FStyle = kptbbsSpacer;
    TkPlotToolBarButtonType FType = kptbbtResume;
    String FHint;
    String FBaseImageName;
    String FImageName;
    TImageList* FImageList;
    Integer FImageIndex = -1;
    // A picture that is not there is not looked for at every paint.
    bool FImageMissing = false;
    bool FFlat = false;
    bool FMouseOver = false;
};
