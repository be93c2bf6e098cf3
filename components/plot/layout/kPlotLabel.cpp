#include "components/plot/layout/kPlotLabel.h"

#include "components/foundation/kCommonRoutines.h"
#include "components/plot/objects/kPlotHostServices.h"
#include "platform/Math.h"

namespace {

// Sums of pixel coordinates in 64 bits, saturated back: a rectangle near
// the ends of the range must not wrap.
Integer Add(Integer A, Int64 B) { return SatInt32(A + B); }
Integer Middle(Integer A, Integer B) { return SatInt32((Int64{A} + B) / 2); }

}  // namespace

TClass TkPlotLabel::StaticClassInfo()
{
    using C = TkPlotLabel;
    static const TClassInfo info = TClassBuilder<C, TkPlotLayoutObject>("TkPlotLabel")
                                       .Float("MarginLeft", &C::MarginLeft, &C::SetMarginLeft)
                                       .Float("MarginTop", &C::MarginTop, &C::SetMarginTop)
                                       .Float("MarginRight", &C::MarginRight, &C::SetMarginRight)
                                       .Float("MarginBottom", &C::MarginBottom, &C::SetMarginBottom)
                                       .String("Caption", &C::Caption, &C::SetCaption)
                                       .Enum("Alignment", &C::Alignment, &C::SetAlignment).Default(kahCenter)
                                       .Object("Font", &C::Font, &C::SetFont)
                                       .Integer("ImageListIndex", &C::ImageListIndex, &C::SetImageListIndex)
                                       .Default(-1)
                                       .Integer("ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(0)
                                       .Build();
    return &info;
}

TkPlotLabel::TkPlotLabel(TkPlotObjectOwner* AOwner)
    : TkPlotLayoutObject(AOwner),
      FFont(CreateOwned<TFont>())
{
    SetHorizontal(true);
    FFont->SetName("Arial");
    FFont->SetSize(14);
    FFont->SetStyle(TFontStyles{fsBold});
    FFont->SetColor(clWhite);
    // Only changes after construction are the label's own.
    FFont->OnChange = [this](TObject*) { DoChange(); };
}

// --- published setters ---------------------------------------------------------

void TkPlotLabel::SetMarginLeft(Double Value) { SetProperty(FMarginLeft, Value, &TkPlotLabel::DoChange); }

void TkPlotLabel::SetMarginTop(Double Value) { SetProperty(FMarginTop, Value, &TkPlotLabel::DoChange); }

void TkPlotLabel::SetMarginRight(Double Value) { SetProperty(FMarginRight, Value, &TkPlotLabel::DoChange); }

void TkPlotLabel::SetMarginBottom(Double Value) { SetProperty(FMarginBottom, Value, &TkPlotLabel::DoChange); }

void TkPlotLabel::SetCaption(const String& Value) { SetProperty(FCaption, Value, &TkPlotLabel::DoChange); }

void TkPlotLabel::SetAlignment(TkAlignmentHorizontal Value)
{
    SetProperty(FAlignment, Value, &TkPlotLabel::DoChange);
}

void TkPlotLabel::SetFont(TFont* Value)
{
    if (Value) FFont->Assign(Value);
}

void TkPlotLabel::SetImageListIndex(Integer Value)
{
    SetProperty(FImageListIndex, Value, &TkPlotLabel::DoChange);
}

void TkPlotLabel::SetImageIndex(Integer Value) { SetProperty(FImageIndex, Value, &TkPlotLabel::DoChange); }

// --- the owned picture -------------------------------------------------------------

void TkPlotLabel::SetImage(TBitmap* Bitmap)
{
    FImage.Assign(Bitmap);
    DoChange();
}

void TkPlotLabel::ImageClear()
{
    if (FImage.Clear()) DoChange();
}

void TkPlotLabel::ImageLoadFromFile(const String& FileName)
{
    FImage.LoadFromFile(FileName);
    DoChange();
}

// --- measuring and drawing ------------------------------------------------------------

TkPlotLabel::TMarginPixels TkPlotLabel::Measure(TCanvas* Canvas) const
{
    Canvas->SetFont(FFont.get());
    const Integer w0 = MultiLineTextWidth(Canvas, "0");
    const Integer h0 = MeasureText(Canvas, "0");
    // RoundPix saturates: an absurd margin cannot overflow the sums below.
    const auto pixels = [](Integer Unit, Double Margin) { return RoundPix(static_cast<Extended>(Unit) * Margin); };
    return {pixels(w0, FMarginLeft), pixels(h0, FMarginTop), pixels(w0, FMarginRight), pixels(h0, FMarginBottom)};
}

Integer TkPlotLabel::GetRequiredSize(TCanvas* Canvas)
{
    const TMarginPixels margins = Measure(Canvas);
    return MeasureText(Canvas, FCaption) + margins.Top + margins.Bottom;
}

void TkPlotLabel::Draw(const TkPlotPaintContext& Context)
{
    TCanvas* canvas = Context.Canvas;
    if (!Visible()) return;
    const TMarginPixels margins = Measure(canvas);
    const Integer top = Add(DrawRect().Top, margins.Top);
    if (TBitmap* image = FImage.Image()) {
        canvas->Draw(PictureLeft(margins, image->Width()), top, image);
    } else if (TkPlotPaintHost* lists = ShownImageList()) {
        const Integer left = PictureLeft(margins, lists->PlotImageWidth(FImageListIndex));
        lists->PlotDrawImage(canvas, FImageListIndex, FImageIndex, left, top, Enabled());
    } else {
        DrawCaption(canvas, margins, Context.BackGroundColor);
    }
}

Integer TkPlotLabel::PictureLeft(const TMarginPixels& Margins, Integer PictureWidth) const
{
    const TRect r = DrawRect();
    switch (FAlignment) {
    case kahLeft:
        return Add(r.Left, Margins.Left);
    case kahRight:
        return Add(r.Right, -Int64{Margins.Right} - PictureWidth);
    case kahCenter:
        break;
    }
    return Add(Middle(r.Left, r.Right), -(PictureWidth / 2));
}

TkPlotPaintHost* TkPlotLabel::ShownImageList() const
{
    TkPlotPaintHost* lists = Host().Paint;
    return PlotImageShows(lists, FImageListIndex, FImageIndex) ? lists : nullptr;
}

// A horizontal caption fills the band less its margins; a vertical one is
// turned and centred on a box across the band (the top and bottom margins
// offset it across, the left and right ones along it).
void TkPlotLabel::DrawCaption(TCanvas* Canvas, const TMarginPixels& Margins, TColor BackGroundColor) const
{
    const TRect r = DrawRect();
    Canvas->Brush()->SetStyle(bsClear);
    TRect box;
    TkRotationAngle rotation = kra000;
    if (Horizontal()) {
        box = Rect(Add(r.Left, Margins.Left), Add(r.Top, Margins.Top), Add(r.Right, -Int64{Margins.Right}),
                   Add(r.Bottom, -Int64{Margins.Bottom}));
    } else {
        const Integer centre = VerticalTextCentre(Canvas, Margins);
        box = Rect(Add(r.Left, Margins.Top), centre, Add(r.Right, -Int64{Margins.Bottom}), centre);
        rotation = kra090;
    }
    TRect textRect;
    DrawRotatedText(Canvas, FCaption, box, rotation, FAlignment, Enabled(), BackGroundColor, textRect);
}

Integer TkPlotLabel::VerticalTextCentre(TCanvas* Canvas, const TMarginPixels& Margins) const
{
    const TRect r = DrawRect();
    const Integer halfText = MultiLineTextWidth(Canvas, FCaption) / 2;
    switch (FAlignment) {
    case kahLeft:  // the text starts at the bottom
        return Add(r.Bottom, -Int64{Margins.Left} - halfText);
    case kahRight:
        return Add(r.Top, Int64{Margins.Right} + halfText);
    case kahCenter:
        break;
    }
    return Middle(r.Top, r.Bottom);
}
