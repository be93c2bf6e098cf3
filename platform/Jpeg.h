#pragma once
// JPEG images: the compressed bytes, the settings of the next compression,
// and the bitmap decoded from them on demand.

#include "platform/Graphics.h"

enum TJPEGPerformance { jpBestQuality, jpBestSpeed };
enum TJPEGPixelFormat { jf24Bit, jf8Bit };

PL_ENUM_NAMES(TJPEGPerformance, "jpBestQuality", "jpBestSpeed")
PL_ENUM_NAMES(TJPEGPixelFormat, "jf24Bit", "jf8Bit")

class TJPEGImage : public TGraphic {
    PL_CLASSINFO()
public:
    TJPEGImage();
    ~TJPEGImage() override;

    // From another JPEG image (shares the bytes) or from a bitmap (to be
    // compressed with the settings in force then).
    void Assign(TPersistent* Source) override;

    bool Empty() const override;
    Integer Width() const override;
    Integer Height() const override;
    // A JPEG image has the size of its data: raises EInvalidGraphic.
    void SetWidth(Integer Value) override;
    void SetHeight(Integer Value) override;

    // 1 to 100; other values raise ERangeError.
    Integer CompressionQuality() const { return FQuality; }
    void SetCompressionQuality(Integer Value);
    // jpBestQuality uses the exact DCT, jpBestSpeed the fast one (both ways).
    TJPEGPerformance Performance() const { return FPerformance; }
    void SetPerformance(TJPEGPerformance Value) { FPerformance = Value; }
    bool ProgressiveEncoding() const { return FProgressive; }
    void SetProgressiveEncoding(bool Value) { FProgressive = Value; }
    // jf8Bit compresses in grey levels.
    TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TJPEGPixelFormat Value) { FPixelFormat = Value; }

    // Compresses the bitmap when there are no bytes yet; raises
    // EInvalidGraphic for an empty (0 x 0) image.
    void Compress();
    void JPEGNeeded() { Compress(); }
    // Decodes the bytes when there is no bitmap yet.
    void DIBNeeded();

    // The rest of the stream; bad data raises EInvalidGraphic.
    void LoadFromStream(TStream& Stream) override;
    void SaveToStream(TStream& Stream) override;
    void Draw(TCanvas* ACanvas, const TRect& R) override;

protected:
    void AssignTo(TPersistent* Dest) override;

private:
    void SetData(std::shared_ptr<const std::vector<Byte>> Data);

    std::shared_ptr<const std::vector<Byte>> FData;  // empty: not compressed yet
    TOwned<TBitmap> FBitmap;                         // null: not decoded yet
    Integer FQuality = 90;
    TJPEGPerformance FPerformance = jpBestQuality;
    bool FProgressive = false;
    TJPEGPixelFormat FPixelFormat = jf24Bit;
};
