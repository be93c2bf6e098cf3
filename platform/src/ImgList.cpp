#include "platform/ImgList.h"

#include <algorithm>
#include <cstring>

#include "platform/SysUtils.h"

namespace {

constexpr char ListMagic[4] = {'P', 'L', 'I', 'L'};
constexpr Integer ListVersion = 1;
// Sides of a list beyond this come only from damaged data.
constexpr Integer MaxSide = 32767;

// Pixels darker than half intensity form the relief of a disabled image.
bool IsDark(TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    const Integer sum = (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF);
    return sum < 3 * 128;
}

}  // namespace

TClass TImageList::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TImageList, TComponent>("TImageList").Build();
    return &info;
}

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TImageList::SetSize(Integer AWidth, Integer AHeight)
{
    AWidth = std::clamp(AWidth, 1, MaxSide);
    AHeight = std::clamp(AHeight, 1, MaxSide);
    if (AWidth == FWidth && AHeight == FHeight) return;
    FWidth = AWidth;
    FHeight = AHeight;
    FImages.clear();
    Changed();
}

TOwned<TBitmap> TImageList::Fitted(TBitmap* Image, TColor MaskColor) const
{
    TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
    bitmap->SetSize(FWidth, FHeight);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(MaskColor);
    canvas->FillRect(Rect(0, 0, FWidth, FHeight));
    if (Image && !Image->Empty()) {
        const Integer width = std::min(FWidth, Image->Width());
        const Integer height = std::min(FHeight, Image->Height());
        canvas->CopyRect(Rect(0, 0, width, height), Image->Canvas(), Rect(0, 0, width, height));
    }
    bitmap->SetTransparentColor(MaskColor);
    bitmap->SetTransparent(true);
    return bitmap;
}

Integer TImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    FImages.push_back({Fitted(Image, MaskColor), MaskColor});
    Changed();
    return Count() - 1;
}

void TImageList::Clear()
{
    if (FImages.empty()) return;
    FImages.clear();
    Changed();
}

void TImageList::Changed()
{
    if (OnChange) OnChange(this);
}

void TImageList::Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled) const
{
    if (!Canvas || Index < 0 || Index >= Count()) return;
    const TImage& image = FImages[static_cast<std::size_t>(Index)];
    if (Enabled) return Canvas->Draw(X, Y, image.Bitmap.get());

    // The dark pixels, once in each relief colour over a black key.
    TOwned<TBitmap> relief = CreateOwned<TBitmap>();
    relief->SetSize(FWidth, FHeight);
    TCanvas* source = image.Bitmap->Canvas();
    const TColor mask = ColorToRGB(image.MaskColor);
    for (TColor color : {ColorToRGB(clBtnHighlight), ColorToRGB(clBtnShadow)}) {
        TCanvas* target = relief->Canvas();
        for (Integer y = 0; y < FHeight; ++y)
            for (Integer x = 0; x < FWidth; ++x) {
                const TColor pixel = source->Pixels(x, y);
                target->SetPixels(x, y, pixel != mask && IsDark(pixel) ? color : clBlack);
            }
        relief->SetTransparentColor(clBlack);
        relief->SetTransparent(true);
        const Integer offset = color == ColorToRGB(clBtnHighlight) ? 1 : 0;
        Canvas->Draw(X + offset, Y + offset, relief.get());
    }
}

// --- stream ---------------------------------------------------------------------

void TImageList::WriteData(TStream& Stream) const
{
    Stream.WriteBuffer(ListMagic, sizeof(ListMagic));
    Stream.WriteLE<Integer>(ListVersion);
    Stream.WriteLE<Integer>(FWidth);
    Stream.WriteLE<Integer>(FHeight);
    Stream.WriteLE<Integer>(Count());
    for (const TImage& image : FImages) {
        Stream.WriteLE<TColor>(image.MaskColor);
        image.Bitmap->SaveToStream(Stream);
    }
}

void TImageList::ReadData(TStream& Stream)
{
    std::vector<TImage> images;
    Integer width = 0;
    Integer height = 0;
    try {
        char magic[sizeof(ListMagic)];
        Stream.ReadBuffer(magic, sizeof(magic));
        if (std::memcmp(magic, ListMagic, sizeof(magic)) != 0 || Stream.ReadLE<Integer>() != ListVersion)
            throw EReadError("Not an image list");
        width = Stream.ReadLE<Integer>();
        height = Stream.ReadLE<Integer>();
        const Integer count = Stream.ReadLE<Integer>();
        if (width < 1 || width > MaxSide || height < 1 || height > MaxSide || count < 0)
            throw EReadError("Bad image list size");
        for (Integer i = 0; i < count; ++i) {
            const TColor mask = Stream.ReadLE<TColor>();
            TOwned<TBitmap> bitmap = CreateOwned<TBitmap>();
            bitmap->LoadFromStream(Stream);
            if (bitmap->Width() != width || bitmap->Height() != height) throw EReadError("Bad image size");
            bitmap->SetTransparentColor(mask);
            bitmap->SetTransparent(true);
            images.push_back({std::move(bitmap), mask});
        }
    } catch (const EReadError&) {
        throw;
    } catch (const Exception& e) {
        throw EReadError(e.Message());
    }
    FWidth = width;
    FHeight = height;
    FImages = std::move(images);
    Changed();
}
