#pragma once
// The plot's toolbar: a strip of command buttons that the layout places
// along one side of the data view, like an axis or a legend. It lies
// horizontally when new; its buttons always run in one row from its left
// edge.
//
// Every command, clicked or called, asks the plot's before-click event
// first (its handler may cancel), acts, then reports through the click
// event (the Edit command excepted). The modes live in the buttons' Down
// flags: Scroll or Zoom (exactly one), Select or Zoom Box (at most one),
// Cursor.

#include <vector>

#include "components/foundation/kTypes.h"
#include "components/plot/input/kPlotToolBarButton.h"
#include "components/plot/objects/kPlotObjects.h"

class TImageList;

class TkPlotToolBar : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    explicit TkPlotToolBar(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokToolBar; }

    // --- published properties ---------------------------------------------
    // What the zoom buttons multiply (zoom out) or divide (zoom in) the
    // linear axes' spans by; values below 1 and values that are not finite
    // count as 1.
    Double ZoomInOutFactor() const { return FZoomInOutFactor; }
    void SetZoomInOutFactor(Double Value);
    // Each shows or hides its button (the axes-mode and zoom pairs both).
    bool ShowResumeButton() const { return ButtonShown(kptbbtResume); }
    void SetShowResumeButton(bool Value) { Show({kptbbtResume}, Value); }
    bool ShowPauseButton() const { return ButtonShown(kptbbtPause); }
    void SetShowPauseButton(bool Value) { Show({kptbbtPause}, Value); }
    bool ShowAxesModeButtons() const { return ButtonShown(kptbbtScrollAxesMode); }
    void SetShowAxesModeButtons(bool Value) { Show({kptbbtScrollAxesMode, kptbbtZoomAxesMode}, Value); }
    bool ShowZoomInOutButtons() const { return ButtonShown(kptbbtZoomIn); }
    void SetShowZoomInOutButtons(bool Value) { Show({kptbbtZoomOut, kptbbtZoomIn}, Value); }
    bool ShowSelectButton() const { return ButtonShown(kptbbtSelect); }
    void SetShowSelectButton(bool Value) { Show({kptbbtSelect}, Value); }
    bool ShowZoomBoxButton() const { return ButtonShown(kptbbtZoomBox); }
    void SetShowZoomBoxButton(bool Value) { Show({kptbbtZoomBox}, Value); }
    bool ShowCursorButton() const { return ButtonShown(kptbbtCursor); }
    void SetShowCursorButton(bool Value) { Show({kptbbtCursor}, Value); }
    bool ShowEditButton() const { return ButtonShown(kptbbtEdit); }
    void SetShowEditButton(bool Value) { Show({kptbbtEdit}, Value); }
    bool ShowCopyButton() const { return ButtonShown(kptbbtCopy); }
    void SetShowCopyButton(bool Value) { Show({kptbbtCopy}, Value); }
    bool ShowSaveButton() const { return ButtonShown(kptbbtSave); }
    void SetShowSaveButton(bool Value) { Show({kptbbtSave}, Value); }
    bool ShowPrintButton() const { return ButtonShown(kptbbtPrint); }
    void SetShowPrintButton(bool Value) { Show({kptbbtPrint}, Value); }
    bool ShowPreviewButton() const { return ButtonShown(kptbbtPreview); }
    void SetShowPreviewButton(bool Value) { Show({kptbbtPreview}, Value); }
    // No frame round the strip.
    bool FlatBorder() const { return FFlatBorder; }
    void SetFlatBorder(bool Value) { SetProperty(FFlatBorder, Value, &TkPlotToolBar::DoChange); }
    // Buttons without an edge until the mouse is over them.
    bool FlatButtons() const { return FFlatButtons; }
    void SetFlatButtons(bool Value);
    // 22-pixel buttons with 16 x 16 pictures rather than 30 and 24 x 24.
    bool SmallButtons() const { return FSmallButtons; }
    void SetSmallButtons(bool Value);

    // --- the entries, buttons and spacers, in drawing order -----------------
    Integer EntryCount() const { return static_cast<Integer>(FEntries.size()); }
    TkPlotToolBarButton* Entry(Integer Index) const { return FEntries.at(static_cast<std::size_t>(Index)).get(); }
    TkPlotToolBarButton* Button(TkPlotToolBarButtonType Type) const;

    // --- the commands, each the same as a click on its button ----------------
    void DoButtonClickResume() { Command(kptbbtResume); }
    void DoButtonClickPause() { Command(kptbbtPause); }
    void DoButtonClickScrollAxesMode() { Command(kptbbtScrollAxesMode); }
    void DoButtonClickZoomAxesMode() { Command(kptbbtZoomAxesMode); }
    void DoButtonClickZoomIn() { Command(kptbbtZoomIn); }
    void DoButtonClickZoomOut() { Command(kptbbtZoomOut); }
    void DoButtonClickSelect() { Command(kptbbtSelect); }
    void DoButtonClickZoomBox() { Command(kptbbtZoomBox); }
    void DoButtonClickCursor() { Command(kptbbtCursor); }
    void DoButtonClickEdit() { Command(kptbbtEdit); }
    void DoButtonClickCopy() { Command(kptbbtCopy); }
    void DoButtonClickSave() { Command(kptbbtSave); }
    void DoButtonClickPrint() { Command(kptbbtPrint); }
    void DoButtonClickPreview() { Command(kptbbtPreview); }
    // Raises the Cursor button: the data cursors hide.
    void TurnOffCursor() { Button(kptbbtCursor)->SetDown(false); }
    bool CursorDown() const { return Button(kptbbtCursor)->Down(); }
    bool ZoomBoxDown() const { return Button(kptbbtZoomBox)->Down(); }
    bool SelectDown() const { return Button(kptbbtSelect)->Down(); }

    // --- object behaviour --------------------------------------------------------
    // Another object selected: the toolbar is no longer.
    void NotificationSetFocus(TkPlotObject* AObject) override;
    void Draw(const TkPlotPaintContext& Context) override;
    // The visible entry under P, else the toolbar.
    TkPlotObject* GetObjectAtPoint(TPoint P) override;
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;
    // The button's side and 3 pixels on either side.
    Integer GetRequiredSize(TCanvas* Canvas) override;

private:
    bool ButtonShown(TkPlotToolBarButtonType Type) const { return Button(Type)->Visible(); }
    void Show(std::initializer_list<TkPlotToolBarButtonType> Types, bool Value);
    TkPlotToolBarButton* AddButton(const TkPlotToolBarButtonSpec& Spec);
    void AddSpacer(std::initializer_list<TkPlotToolBarButtonType> Group);
    Integer ButtonSize() const;
    // The click pattern: before-event, action, after-event.
    void Command(TkPlotToolBarButtonType Type);
    void Act(TkPlotToolBarButtonType Type);
    void SetAxesMode(TkPlotToolBarButtonType Type);
    void ZoomAllAxes(bool In);
    void Resume();
    // Before each drawing: spacers follow their groups, Resume and Pause
    // follow the axes' tracking.
    void RefreshStates();

    // An entry and, for a spacer, the buttons whose visibility it follows.
    struct TSpacer {
        TkPlotToolBarButton* Spacer;
        std::vector<TkPlotToolBarButtonType> Group;
    };

    TOwned<TImageList> FImageList;
    std::vector<TOwned<TkPlotToolBarButton>> FEntries;
    std::vector<TSpacer> FSpacers;
    Double FZoomInOutFactor = 2.0;
    bool FFlatBorder = false;
    bool FFlatButtons = false;
    bool FSmallButtons = false;
};
