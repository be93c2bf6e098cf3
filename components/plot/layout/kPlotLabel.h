#pragma once
// A caption band that the layout places along one side of the data view:
// one or several lines of text, or instead a picture (an owned bitmap, or
// an image from one of the plot's three image lists). The plot's title is
// its first label. Horizontal labels lie above or below the data view;
// vertical ones draw their text turned a quarter, reading upward.
//
// Margins count in characters of Font: the left and right ones in widths of
// "0", the top and bottom ones in text heights of "0". The band's thickness
// is the caption's height plus the top and bottom margins, for a vertical
// label too (its text is turned). A picture does not count: one taller than
// the caption needs margins to make room.

#include "components/foundation/kTypes.h"
#include "components/plot/objects/kPlotObjects.h"
#include "components/plot/output/kPlotPicture.h"
#include "platform/Graphics.h"

class TkPlotLabel : public TkPlotLayoutObject {
    PL_CLASSINFO()
public:
    explicit TkPlotLabel(TkPlotObjectOwner* AOwner);
    TkPlotObjectKind Kind() const override { return kpokLabel; }

    // --- published properties ---------------------------------------------
    Double MarginLeft() const { return FMarginLeft; }
    void SetMarginLeft(Double Value);
    Double MarginTop() const { return FMarginTop; }
    void SetMarginTop(Double Value);
    Double MarginRight() const { return FMarginRight; }
    void SetMarginRight(Double Value);
    Double MarginBottom() const { return FMarginBottom; }
    void SetMarginBottom(Double Value);
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TkAlignmentHorizontal Alignment() const { return FAlignment; }
    void SetAlignment(TkAlignmentHorizontal Value);
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value);
    // 0, 1 or 2 picks the plot's image list; any other value: none.
    Integer ImageListIndex() const { return FImageListIndex; }
    void SetImageListIndex(Integer Value);
    Integer ImageIndex() const { return FImageIndex; }
    void SetImageIndex(Integer Value);

    // --- the owned picture ----------------------------------------------------
    // A copy of Bitmap, drawn instead of the image-list picture and the
    // caption; nullptr drops it. Its bottom-left pixel is its transparent
    // colour.
    void SetImage(TBitmap* Bitmap);
    TBitmap* Image() const { return FImage.Image(); }
    void ImageClear();
    // A bitmap file; when it cannot be read the error passes on and the
    // picture stays as it was.
    void ImageLoadFromFile(const String& FileName);

    Integer GetRequiredSize(TCanvas* Canvas) override;
    void Draw(const TkPlotPaintContext& Context) override;

private:
    // The margins in pixels for the canvas's font.
    struct TMarginPixels {
        Integer Left = 0;
        Integer Top = 0;
        Integer Right = 0;
        Integer Bottom = 0;
    };
    // Selects Font on the canvas and converts the margins.
    TMarginPixels Measure(TCanvas* Canvas) const;
    // Left edge of a picture PictureWidth wide, placed by Alignment.
    Integer PictureLeft(const TMarginPixels& Margins, Integer PictureWidth) const;
    // The image list that shows, when one does.
    TkPlotPaintHost* ShownImageList() const;
    void DrawCaption(TCanvas* Canvas, const TMarginPixels& Margins, TColor BackGroundColor) const;
    // Centre, along the band, of the turned text of a vertical label.
    Integer VerticalTextCentre(TCanvas* Canvas, const TMarginPixels& Margins) const;

    Double FMarginLeft = 0.0;
    Double FMarginTop = 0.0;
    Double FMarginRight = 0.0;
    Double FMarginBottom = 0.0;
    String FCaption;
    TkAlignmentHorizontal FAlignment = kahCenter;
    TOwned<TFont> FFont;
    Integer FImageListIndex = -1;
    Integer FImageIndex = 0;
    TkPlotPicture FImage;
};
