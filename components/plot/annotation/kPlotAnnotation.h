#pragma once
// Annotations: free shapes placed on a plot's data view. Each coordinate
// kind (position X and Y, size X and Y) is given in percent of the data view
// or in the units of a channel's axes: an individual setting decides, or
// the annotation's Reference when the setting is automatic.
//
// Which coordinates a style uses: the corner styles (kpasEllipse,
// kpasRectangle2) span (X, Y) to (X2, Y2); the centre styles (kpasRectangle,
// kpasTextRectangle, kpasEllipse2) have their centre at (X, Y) and the full
// Width and Height; text, text boxes and images are anchored at (X, Y); a
// line runs from (X, Y) to (X2, Y2); kpasLineX and kpasLineY cross the whole
// data view at X or at Y; a polygon has its own points.
//
// Hit testing relies on what the last paint drew: the click rectangle and
// the sizing handles are set while drawing, and a shape that was not drawn
// cannot be grabbed. Pixels are clamped to +-32000, and a coordinate that is
// not finite draws nothing.

#include <array>
#include <optional>
#include <vector>

#include "components/foundation/kTypes.h"
#include "components/plot/objects/kPlotHost.h"
#include "components/plot/objects/kPlotObjectRef.h"
#include "components/plot/objects/kPlotObjects.h"
#include "components/plot/output/kPlotPicture.h"
#include "platform/Graphics.h"

class TkPlotAxis;
class TkPlotChannelCustom;
class TkPlotDataView;
class TStrings;

enum TkPlotAnnotationStyle {
    kpasText,
    kpasLine,
    kpasRectangle,
    kpasLineX,
    kpasLineY,
    kpasImage,
    kpasTextRectangle,
    kpasEllipse,
    kpasTextBox,
    kpasEllipse2,
    kpasPolygon,
    kpasRectangle2
};
PL_ENUM_NAMES(TkPlotAnnotationStyle, "kpasText", "kpasLine", "kpasRectangle", "kpasLineX", "kpasLineY", "kpasImage",
              "kpasTextRectangle", "kpasEllipse", "kpasTextBox", "kpasEllipse2", "kpasPolygon", "kpasRectangle2")

// The mouse operation in progress.
enum TkPlotAnnotationSelectStyle {
    kpassNone,
    kpassMove,
    kpassSizeTopLeft,
    kpassSizeTopRight,
    kpassSizeBottomLeft,
    kpassSizeBottomRight
};

// One vertex of a polygon, in the annotation's position units.
struct TkPlotAnnotationPoint {
    Double X = 0;
    Double Y = 0;
    bool operator==(const TkPlotAnnotationPoint&) const = default;
};

class TkPlotAnnotation : public TkPlotObject {
    PL_CLASSINFO()
public:
    explicit TkPlotAnnotation(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokAnnotation; }

    // Pen widths beyond this come only from damaged streams.
    static constexpr Integer MaxPenWidth = 1000;
    // Pixels of every conversion stay within +-MaxPixel.
    static constexpr Integer MaxPixel = 32000;
    // Half the width of the band that grabs a kpasLineX or kpasLineY line.
    static constexpr Integer LineClickMargin = 5;
    // Half the side of a sizing handle.
    static constexpr Integer HandleHalfSize = 3;

    // --- published properties ---------------------------------------------
    // A style outside the enumeration draws nothing.
    TkPlotAnnotationStyle Style() const { return FStyle; }
    void SetStyle(TkPlotAnnotationStyle Value);
    TkPlotReferenceType Reference() const { return FReference; }
    void SetReference(TkPlotReferenceType Value);
    TkPlotReferenceIndividual ReferencePositionX() const { return FReferencePositionX; }
    void SetReferencePositionX(TkPlotReferenceIndividual Value);
    TkPlotReferenceIndividual ReferencePositionY() const { return FReferencePositionY; }
    void SetReferencePositionY(TkPlotReferenceIndividual Value);
    TkPlotReferenceIndividual ReferenceSizeX() const { return FReferenceSizeX; }
    void SetReferenceSizeX(TkPlotReferenceIndividual Value);
    TkPlotReferenceIndividual ReferenceSizeY() const { return FReferenceSizeY; }
    void SetReferenceSizeY(TkPlotReferenceIndividual Value);
    // A change repaints and fires the plot's coordinates-change event.
    Double X() const { return FX; }
    void SetX(Double Value);
    Double Y() const { return FY; }
    void SetY(Double Value);
    Double X2() const { return FX2; }
    void SetX2(Double Value);
    Double Y2() const { return FY2; }
    void SetY2(Double Value);
    Double Width() const { return FWidth; }
    void SetWidth(Double Value);
    Double Height() const { return FHeight; }
    void SetHeight(Double Value);
    TColor PenColor() const { return FPenColor; }
    void SetPenColor(TColor Value);
    // Clamped to 0 .. MaxPenWidth.
    Integer PenWidth() const { return FPenWidth; }
    void SetPenWidth(Integer Value);
    TPenStyle PenStyle() const { return FPenStyle; }
    void SetPenStyle(TPenStyle Value);
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor Value);
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle Value);
    const String& Text() const { return FText; }
    void SetText(const String& Value);
    TFont* Font() const { return FFont.get(); }
    // Copies the font's settings.
    void SetFont(TFont* Value);
    // The annotation keeps to its channel when it is renamed.
    const String& ChannelName() const { return FChannel.Name(); }
    void SetChannelName(const String& Value);
    TkRotationAngle TextRotation() const { return FTextRotation; }
    void SetTextRotation(TkRotationAngle Value);
    bool UserCanMove() const { return FUserCanMove; }
    void SetUserCanMove(bool Value);
    bool UserCanSize() const { return FUserCanSize; }
    void SetUserCanSize(bool Value);
    // Stored without a repaint: it changes only what the mouse does.
    bool SelectModeOnlyInteraction() const { return FSelectModeOnlyInteraction; }
    void SetSelectModeOnlyInteraction(bool Value) { FSelectModeOnlyInteraction = Value; }
    bool ClipToAxes() const { return FClipToAxes; }
    void SetClipToAxes(bool Value);
    // 0, 1 or 2 picks the plot's image list; any other value draws nothing.
    Integer ImageListIndex() const { return FImageListIndex; }
    void SetImageListIndex(Integer Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);
    TkAlignmentHorizontal TextHorzAlignment() const { return FTextHorzAlignment; }
    void SetTextHorzAlignment(TkAlignmentHorizontal Value);
    TkAlignmentVertical TextVertAlignment() const { return FTextVertAlignment; }
    void SetTextVertAlignment(TkAlignmentVertical Value);
    TkAlignmentHorizontal TextLineAlignment() const { return FTextLineAlignment; }
    void SetTextLineAlignment(TkAlignmentHorizontal Value);
    // In widths (horizontal) and heights (vertical) of a character.
    Double TextHorzMargin() const { return FTextHorzMargin; }
    void SetTextHorzMargin(Double Value);
    Double TextVertMargin() const { return FTextVertMargin; }
    void SetTextVertMargin(Double Value);
    bool ShowFocusRect() const { return FShowFocusRect; }
    void SetShowFocusRect(bool Value);
    // Pixels between a text box's frame and its text.
    Integer OuterMargin() const { return FOuterMargin; }
    void SetOuterMargin(Integer Value);

    // --- polygon points ----------------------------------------------------------
    // Appends a vertex without a repaint.
    void PolyPointAdd(Double AX, Double AY);
    void PolyPointsClear();
    const std::vector<TkPlotAnnotationPoint>& PolyPoints() const { return FPolyPoints; }

    // --- the loaded picture ---------------------------------------------------------
    TBitmap* Image() const { return FImage.Image(); }
    // A bitmap file; when it cannot be read the error passes on and the
    // picture stays as it was.
    void ImageLoadFromFile(const String& FileName);
    void ImageClear();

    // --- the annotation file's extra lines -----------------------------------------
    // "<Prefix>.PolyPoint<K> = X;Y" for every vertex (K from 0), and, when a
    // picture was loaded, "<Prefix>.ImageData = " its bitmap file in
    // hexadecimal. Older readers skip lines they do not know.
    void SaveExtraLines(const String& Prefix, TStrings& Lines) const;
    // Takes those lines of Prefix out of Lines, in one pass over them, and
    // applies them: the points replace the polygon, the picture the loaded
    // one. Raises
    // EConvertError for a point or a picture that cannot be read; nothing
    // changes then.
    void LoadExtraLines(const String& Prefix, TStrings& Lines);

    // --- conversions (0 while the reference cannot convert) --------------------------
    // On the channel's axes (found by their names) or the data view.
    Integer PositionXToPixels(Double Value);
    Integer PositionYToPixels(Double Value);
    Double PixelsXToPosition(Integer Pixel);
    Double PixelsYToPosition(Integer Pixel);

    // --- set by the plot before each paint -----------------------------------------
    TkPlotDataView* DataView() const { return FDataView.Get(); }
    void SetDataView(TkPlotDataView* Value);
    // The channel of ChannelName; nullptr while the plot has none.
    TkPlotChannelCustom* Channel() const;

    // --- what the last paint drew ------------------------------------------------------
    bool Showing() const { return FShowing; }
    TRect DrawRectPixels() const { return FDrawRect; }
    TRect ClickRect() const { return FClickRect; }
    TkPlotAnnotationSelectStyle SelectStyle() const { return FSelectStyle; }
    // Top-left, top-right, bottom-left, bottom-right; empty when the style
    // has none.
    const std::array<TRect, 4>& Handles() const { return FHandles; }
    // Styles the mouse can resize.
    bool IsResizableStyle() const;

    // --- overrides ------------------------------------------------------------------
    void NotificationSetFocus(TkPlotObject* AObject) override;
    // The channel's axes, when the channel and both its axes are there.
    TkPlotScalePair BoundScales() override;
    // On the axes of the paint context and on the data view.
    void Draw(const TkPlotPaintContext& Context) override;
    // Inside the click rectangle or a handle of the last drawing; never
    // while SelectModeOnlyInteraction holds and the plot is not in select
    // mode.
    bool kMouseHitTest(const TkPlotMouseData& MouseData) override;
    TCursor GetMouseCursor(TPoint P) override;
    void DoMouseLeft(const TkPlotMouseData& MouseData) override;
    void DoMouseMove(const TkPlotMouseData& MouseData) override;
    void DoMouseUp(const TkPlotMouseData& MouseData) override;
    void BuildPopupMenu(TPopupMenu* PopupMenu) override;

private:
    enum TCoordinate { kcPositionX, kcPositionY, kcSizeX, kcSizeY };
    // Pixels of the coordinates along the axes (X along the X axis even
    // when the axes are exchanged on screen).
    struct TGeometry {
        Integer PX = 0;
        Integer PY = 0;
        Integer PX2 = 0;
        Integer PY2 = 0;
        Integer HalfX = 0;
        Integer HalfY = 0;
    };
    // What a press keeps for the drag that follows.
    struct TPress {
        TPoint Screen;
        TPoint Axes;
        TPoint PositionPixels;
        TRect Rect;
        Double X = 0, Y = 0, X2 = 0, Y2 = 0;
        std::vector<TkPlotAnnotationPoint> Points;
        bool RectChange = false;
    };

    // --- references and conversions (kPlotAnnotation.cpp) -----------------------------
    // Channel coordinates convert on the axes of Context (the channel's
    // axes), the others on the data view.
    bool OnChannel(TCoordinate Coordinate) const;
    static bool Vertical(const TkPlotPaintContext& Context, TCoordinate Coordinate);
    // The axis of Context along the coordinate's direction, when Context
    // has both.
    static const TkPlotAxisScale* ScaleOf(const TkPlotPaintContext& Context, TCoordinate Coordinate);
    bool CanConvert(const TkPlotPaintContext& Context) const;
    Integer ToPixels(const TkPlotPaintContext& Context, TCoordinate Coordinate, Double Value) const;
    Double ToValue(const TkPlotPaintContext& Context, TCoordinate Coordinate, Integer Pixel) const;
    Integer SizeToPixels(const TkPlotPaintContext& Context, TCoordinate Coordinate, Double Size) const;
    void SetCoordinate(Double& Field, Double Value);
    void FireEvent(TkPlotAnnotationEvent Event);

    // --- drawing (kPlotAnnotationDraw.cpp) -------------------------------------------
    bool MakeGeometry(const TkPlotPaintContext& Context, TGeometry& Geometry) const;
    TRect ViewRect() const;
    static TRect CentreRect(const TkPlotPaintContext& Context, const TGeometry& G);
    static TRect CornerRect(const TkPlotPaintContext& Context, const TGeometry& G);
    static TPoint Anchor(const TkPlotPaintContext& Context, const TGeometry& G);
    void ClipToChannelAxes(const TkPlotPaintContext& Context) const;
    void SelectTools(TCanvas* Canvas, TColor BackGroundColor) const;
    bool DrawStyle(const TkPlotPaintContext& Context, const TGeometry& G);
    bool DrawText(const TkPlotPaintContext& Context, const TGeometry& G, bool Boxed);
    void DrawLine(const TkPlotPaintContext& Context, const TGeometry& G) const;
    bool DrawCrossLine(const TkPlotPaintContext& Context, Integer Pixel, bool AlongY);
    bool DrawShape(const TkPlotPaintContext& Context, const TRect& Shape);
    bool DrawPolygon(const TkPlotPaintContext& Context);
    bool DrawImage(const TkPlotPaintContext& Context, const TGeometry& G);
    void DrawShapeText(TCanvas* Canvas, const TRect& Shape, TColor BackGroundColor);
    // Width, height and margins of Text in Font, turned with TextRotation.
    struct TTextSize {
        Integer W = 0;
        Integer H = 0;
        Integer MX = 0;
        Integer MY = 0;
    };
    TTextSize TextExtent(TCanvas* Canvas, const char* MarginLetter) const;
    TRect AlignedBox(TPoint Anchor, Integer W, Integer H, const TTextSize& Size) const;
    void TakeShape(const TRect& Shape);
    void InvertHandles(TCanvas* Canvas) const;

    // --- mouse (kPlotAnnotationInput.cpp) ----------------------------------------------
    bool CanResize() const;
    TkPlotAnnotationSelectStyle HandleAt(TPoint P) const;
    void MoveTo(const TkPlotMouseData& MouseData);
    void ResizeTo(const TkPlotMouseData& MouseData);
    void SetFromPixelRect(const TRect& Rect);

    TkPlotAnnotationStyle FStyle = kpasText;
    TkPlotReferenceType FReference = kprtDataView;
    TkPlotReferenceIndividual FReferencePositionX = kpriAuto;
    TkPlotReferenceIndividual FReferencePositionY = kpriAuto;
    TkPlotReferenceIndividual FReferenceSizeX = kpriAuto;
    TkPlotReferenceIndividual FReferenceSizeY = kpriAuto;
    TkPlotAnnotationSelectStyle FSelectStyle = kpassNone;
    std::array<TRect, 4> FHandles{};
    std::vector<TkPlotAnnotationPoint> FPolyPoints;
    Double FX = 0;
    Double FY = 0;
    Double FY2 = 0;
    Double FX2 = 0;
    Double FWidth = 0;
    Double FHeight = 0;
    TColor FPenColor = clWhite;
    Integer FPenWidth = 1;
    TPenStyle FPenStyle = psSolid;
    TColor FBrushColor = clWhite;
    TBrushStyle FBrushStyle = bsSolid;
    String FText;
    TOwned<TFont> FFont;
    TWeakRef<TkPlotDataView> FDataView;
    TkPlotObjectRef<TkPlotChannelCustom> FChannel{*this, kpokChannel};
    TkRotationAngle FTextRotation = kra000;
    bool FShowing = false;
    TRect FDrawRect{};
    TRect FClickRect{};
    bool FUserCanMove = false;
    bool FUserCanSize = false;
    bool FSelectModeOnlyInteraction = true;
    bool FClipToAxes = false;
    std::optional<TPress> FPress;
    TkPlotPicture FImage;
    Integer FImageListIndex = 0;
    Integer FImageIndex = 0;
    TkAlignmentHorizontal FTextHorzAlignment = kahCenter;
    TkAlignmentVertical FTextVertAlignment = kavCenter;
    TkAlignmentHorizontal FTextLineAlignment = kahCenter;
    Double FTextHorzMargin = 1.0;
    Double FTextVertMargin = 1.0;
    bool FShowFocusRect = true;
    Integer FOuterMargin = 0;
};
