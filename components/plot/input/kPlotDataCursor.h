#pragma once
// A measuring cursor over a plot's data view: one or two pointer lines
// positioned in percent of the data view, which the user drags or moves
// with the keys, and a hint box with the value under the pointers, read
// from one channel (by name) or from all of them ("<All>", whose readout
// the legend shows). Its style decides what it reads: a value (X-Y, X or
// Y) at a pointer or a difference between the two (period, peak-to-peak,
// frequency). It is hidden until the toolbar's Cursor button shows it.

#include <array>

#include "components/plot/channel/kPlotChannelCustom.h"
#include "components/plot/objects/kPlotObjectRef.h"
#include "components/plot/objects/kPlotObjects.h"

class TFont;
class TkPlotDataView;

class TkPlotDataCursor : public TkPlotManagerObject {
    PL_CLASSINFO()
public:
    explicit TkPlotDataCursor(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokDataCursor; }

    // The channel name that reads every channel (compared ignoring case).
    static constexpr const char* AllChannels = "<All>";

    // --- published properties ---------------------------------------------
    // The channel read, by name.
    const String& ChannelName() const { return FChannel.Name(); }
    void SetChannelName(const String& Value);
    // What the cursor reads: values at a pointer or differences between
    // the two.
    TkPlotDataCursorStyle Style() const { return FStyle; }
    void SetStyle(TkPlotDataCursorStyle Value);
    // The pointers' and hint's colour, unless the channel's is used.
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool UseChannelColor() const { return FUseChannelColor; }
    void SetUseChannelColor(bool Value) { SetProperty(FUseChannelColor, Value, &TkPlotDataCursor::DoChange); }
    // The menu offers "<All>".
    bool ChannelAllowAll() const { return FChannelAllowAll; }
    void SetChannelAllowAll(bool Value) { FChannelAllowAll = Value; }
    // Reading every channel, the legend shows each channel's readout.
    bool ChannelShowAllInLegend() const { return FChannelShowAllInLegend; }
    void SetChannelShowAllInLegend(bool Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    // Percent of the data view (0..100; NaN counts as 0): from its left
    // edge for a vertical pointer, from its bottom for a horizontal one.
    Double Pointer1Position() const { return FPointerPositions[0]; }
    void SetPointer1Position(Double Value) { SetPercent(FPointerPositions[0], Value); }
    Double Pointer2Position() const { return FPointerPositions[1]; }
    void SetPointer2Position(Double Value) { SetPercent(FPointerPositions[1], Value); }
    Integer PointerPenWidth() const { return FPointerPenWidth; }
    void SetPointerPenWidth(Integer Value);
    bool HintShow() const { return FHintShow; }
    void SetHintShow(bool Value) { SetProperty(FHintShow, Value, &TkPlotDataCursor::DoChange); }
    // The hint shows only while a pointer is dragged.
    bool HintHideOnRelease() const { return FHintHideOnRelease; }
    void SetHintHideOnRelease(bool Value) { SetProperty(FHintHideOnRelease, Value, &TkPlotDataCursor::DoChange); }
    // Which side of its pointer the hint stands on; it turns when there is
    // no room on that side.
    TkOrientationSide HintOrientationSide() const { return FHintOrientationSide; }
    void SetHintOrientationSide(TkOrientationSide Value);
    // Where along its pointer the hint stands, in percent of the data view.
    Double HintPosition() const { return FHintPosition; }
    void SetHintPosition(Double Value) { SetPercent(FHintPosition, Value); }

    // The popup menu: which styles it offers and under which captions
    // ("Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak",
    // "Frequency" when new), and whether it offers the options.
    template <TkPlotDataCursorStyle S>
    bool MenuItemVisible() const
    {
        return FMenuItemVisible[S];
    }
    template <TkPlotDataCursorStyle S>
    void SetMenuItemVisible(bool Value)
    {
        FMenuItemVisible[S] = Value;
    }
    template <TkPlotDataCursorStyle S>
    const String& MenuItemCaption() const
    {
        return FMenuItemCaption[S];
    }
    template <TkPlotDataCursorStyle S>
    void SetMenuItemCaption(const String& Value)
    {
        FMenuItemCaption[S] = Value;
    }
    bool MenuUserCanChangeOptions() const { return FMenuUserCanChangeOptions; }
    void SetMenuUserCanChangeOptions(bool Value) { FMenuUserCanChangeOptions = Value; }
    // On a time plot, a released or key-moved pointer lands on the nearest
    // data point (kpcsDeltaY excepted), and keys step by points.
    bool SnapToDataPoint() const { return FSnapToDataPoint; }
    void SetSnapToDataPoint(bool Value) { FSnapToDataPoint = Value; }
    // GetInterpolatedYValue reads the last paint's trace instead of moving
    // the X axis to the value.
    bool UseCachedInterpolatedData() const { return FUseCachedInterpolatedData; }
    void SetUseCachedInterpolatedData(bool Value) { FUseCachedInterpolatedData = Value; }

    // --- snapping and reading (kPlotDataCursorSnap.cpp) ----------------------------
    // Snaps pointer 1, then pointer 2.
    void DoSnapToDataPoint();
    // The channel's Y at XValue as the cursor reads it on a time plot; the
    // cursor, its channel binding and the X axis are left as they were.
    TkPlotDataPointStatus GetInterpolatedYValue(const String& ChannelName, Double XValue, Double& YValue);
    // The channel and point index of the last snap; -1 before any.
    Integer SnapToIndexChannel() const { return FSnapToIndexChannel; }
    Integer SnapToIndexData() const { return FSnapToIndexData; }

    void SetVisible(bool Value) override;
    void SetXYAxesReversed(bool Value) override;

    // --- the data view and the readout ----------------------------------------
    // The data view the cursor lives in, set by the plot; nullptr while it
    // has none (and once that data view is gone).
    TkPlotDataView* DataView() const { return FDataView.Get(); }
    void SetDataView(TkPlotDataView* Value);
    // The channel named ChannelName; nullptr for none and for "<All>".
    TkPlotChannelCustom* GetChannel() const;
    bool ReadsAllChannels() const { return SameObjectName(ChannelName(), AllChannels); }
    // Asks the bound channel (or every channel) for the readout; the plot's
    // before-update event first.
    void UpdateCursor();
    // The cursor as the channels it reads see it.
    TkPlotCursorPointers Pointers() const;
    // The channel's readout: a change fires the plot's cursor-change event.
    void SetValues(TkPlotDataPointStatus Status, Double ValueY, Double ValueX);
    void SetCursorDisplayText(const String& Value) { FCursorDisplayText = Value; }
    const String& CursorDisplayText() const { return FCursorDisplayText; }
    Double ValueX() const { return FValueX; }
    Double ValueY() const { return FValueY; }
    TkPlotDataPointStatus Status() const { return FStatus; }
    // Shown pointers and their orientation (true: a horizontal line at a
    // Y position), by the style and the plot's kind.
    bool PointerShown(Integer Pointer) const { return FPointerShow[Index(Pointer)]; }
    bool PointerHorizontal(Integer Pointer) const { return FPointerHorizontal[Index(Pointer)]; }
    // Where the last drawing put the hint box; empty when it drew none.
    TRect HintRect() const { return FHintRect; }

    // The shown pointers across the data view, and the hint beside them.
    void Draw(const TkPlotPaintContext& Context) override;

    // --- input (kPlotDataCursorInput.cpp) ------------------------------------------
    bool kMouseHitTest(const TkPlotMouseData& MouseData) override;
    void DoMouseLeft(const TkPlotMouseData& MouseData) override;
    void DoMouseMove(const TkPlotMouseData& MouseData) override;
    void DoMouseUp(const TkPlotMouseData& MouseData) override;
    TCursor GetMouseCursor(TPoint P) override;
    // Page Up and Down move the pointer by 5 pixels, Home and End to the
    // edges, the arrows along it by one; across it they move the hint. Ctrl
    // addresses pointer 2.
    void kKeyDown(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu) override;
    // "Channel", "Style" and "Options" choices after the base items.
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;
    // Selecting the cursor selects its channel too.
    void DoGotFocus() override;
    // Another channel selected binds the cursor to it; any other object
    // selected (but its own channel) deselects the cursor.
    void NotificationSetFocus(TkPlotObject* AObject) override;
    bool KeepsSelected(const TkPlotObject* Object) const override;

private:
    static std::size_t Index(Integer Pointer) { return Pointer == 2 ? 1 : 0; }
    void SetPercent(Double& Field, Double Value);
    void UpdatePointerOrientation();
    TColor PenColor() const;
    // Keeps what Channel reads at the pointers, when it reads anything.
    void ReadChannel(TkPlotChannelCustom& Channel);
    // The pixel of a pointer's line, across the data view.
    Integer PointerPixel(std::size_t Pointer) const;
    // The pixel of the hint's place along its pointer.
    Integer HintPixel() const;
    bool HintShowing() const;
    void DrawPointer(TCanvas* Canvas, std::size_t Pointer);
    void DrawHint(TCanvas* Canvas);
    TRect PlaceHint(Integer BoxWidth, Integer BoxHeight, Integer TextExtent, Integer Gap);
    // The mouse's travel since the press, along the pointer's direction.
    Double DraggedPercent(bool Horizontal, const TkPlotMouseData& MouseData) const;
    void MoveByKey(Word Key, bool Second);
    bool Snapping() const;
    // Snaps a pointer and moves it Offset points on (against a reversed
    // scale: back); false when there was nothing to snap to.
    bool SnapPointer(std::size_t Pointer, Int64 Offset = 0);
    bool MoveBySnapKey(Word Key, std::size_t Pointer);
    // The popup menu's options.
    void ToggleUseChannelColor();
    void ToggleHintHideOnRelease();
    void FlipHintSide();
    // Switched on, snaps at once.
    void ToggleSnapToDataPoint();

    TWeakRef<TkPlotDataView> FDataView;
    // Follows its channel's new name.
    TkPlotObjectRef<TkPlotChannelCustom> FChannel{*this, kpokChannel};
    TkPlotDataCursorStyle FStyle = kpcsValueXY;
    TColor FColor = clYellow;
    bool FUseChannelColor = true;
    bool FChannelAllowAll = true;
    bool FChannelShowAllInLegend = true;
    TOwned<TFont> FFont;
    std::array<Double, 2> FPointerPositions{50.0, 60.0};
    Integer FPointerPenWidth = 1;
    bool FHintShow = true;
    bool FHintHideOnRelease = false;
    TkOrientationSide FHintOrientationSide = kosBottomRight;
    Double FHintPosition = 50.0;
    std::array<bool, 6> FMenuItemVisible{true, true, true, true, true, true};
    std::array<String, 6> FMenuItemCaption{"Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak", "Frequency"};
    bool FMenuUserCanChangeOptions = true;
    bool FSnapToDataPoint = false;
    bool FUseCachedInterpolatedData = false;
    Integer FSnapToIndexChannel = -1;
    Integer FSnapToIndexData = -1;

    std::array<bool, 2> FPointerShow{true, true};
    std::array<bool, 2> FPointerHorizontal{false, true};
    bool FHintHorizontal = false;
    std::array<TRect, 2> FPointerRects{};
    TRect FHintRect;
    // What the press grabbed: pointer 1, pointer 2 or the hint, and the
    // pixel it stood at.
    enum class TGrab { None, Pointer1, Pointer2, Hint };
    TGrab FGrab = TGrab::None;
    Integer FGrabPixel = 0;
    TPoint FMouseDownPoint;

    String FCursorDisplayText;
    Double FValueX = 0.0;
    Double FValueY = 0.0;
    TkPlotDataPointStatus FStatus = kpdpsValid;
};
