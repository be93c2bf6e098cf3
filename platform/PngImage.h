#pragma once
// PNG images over the system's PNG codec: a bitmap, and the deflate level
// of its next encoding.

#include "platform/Graphics.h"

class TPngImage : public TGraphic {
    PL_CLASSINFO()
public:
    TPngImage();
    ~TPngImage() override;

    // From another PNG image or from a bitmap.
    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;

    // The deflate level, 0 (stored) to 9 (smallest); other values raise
    // ERangeError.
    Integer CompressionLevel() const { return FCompressionLevel; }
    void SetCompressionLevel(Integer Value);

    // The rest of the stream; bad data raises EInvalidGraphic and keeps the
    // image.
    void LoadFromStream(TStream& Stream) override;
    // An empty (0 x 0) image raises EInvalidGraphic and writes nothing.
    void SaveToStream(TStream& Stream) override;
    void Draw(TCanvas* ACanvas, const TRect& R) override;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    TOwned<TBitmap> FBitmap;
    Integer FCompressionLevel = 6;
};
