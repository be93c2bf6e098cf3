// The bitmap's own form-stream property, which glyphs and pictures held by
// components need to survive a round trip through form text.

#include "platform/Consts.h"
#include "platform/FormStream.h"
#include "platform/Graphics.h"

void TBitmap::DefineProperties(TFiler& Filer)
{
    Filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !Empty());
}

void TBitmap::ReadData(TStream& Stream)
{
    const Cardinal size = Stream.ReadLE<Cardinal>();
    if (size == 0 || Int64(size) > Stream.Size() - Stream.Position()) throw EInvalidGraphic(SInvalidPictureData);
    TMemoryStream data;
    data.CopyFrom(Stream, size);
    data.SetPosition(0);
    // Decoded aside: a bad image must not leave this one half replaced.
    TOwned<TBitmap> decoded = CreateOwned<TBitmap>();
    decoded->LoadFromStream(data);
    Assign(decoded.get());
}

void TBitmap::WriteData(TStream& Stream)
{
    TMemoryStream data;
    SaveToStream(data);
    Stream.WriteLE<Cardinal>(static_cast<Cardinal>(data.Size()));
    Stream.WriteBuffer(data.Memory(), data.Size());
}
