// TPicture: one graphic of a registered class, chosen by file extension
// or by the class name stored in form data.

#include <algorithm>
#include <vector>

#include "platform/Consts.h"
#include "platform/FormStream.h"
#include "platform/Jpeg.h"
#include "platform/Metafile.h"
#include "platform/PngImage.h"

namespace {

struct TFileFormat {
    String Extension;  // lower case, without the dot
    String ClassName;
    TGraphicFactory Factory;
};

std::vector<TFileFormat>& FileFormats()
{
    static std::vector<TFileFormat> formats = [] {
        const TGraphicFactory bitmap = []() -> TGraphic* { return Create<TBitmap>(); };
        const TGraphicFactory jpeg = []() -> TGraphic* { return Create<TJPEGImage>(); };
        const TGraphicFactory png = []() -> TGraphic* { return Create<TPngImage>(); };
        const TGraphicFactory metafile = []() -> TGraphic* { return Create<TMetafile>(); };
        return std::vector<TFileFormat>{{"bmp", "TBitmap", bitmap},
                                        {"jpg", "TJPEGImage", jpeg},
                                        {"jpeg", "TJPEGImage", jpeg},
                                        {"jpe", "TJPEGImage", jpeg},
                                        {"jfif", "TJPEGImage", jpeg},
                                        {"png", "TPngImage", png},
                                        {"emf", "TMetafile", metafile}};
    }();
    return formats;
}

String LowerAscii(String s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return s;
}

TOwned<TGraphic> CreateByClassName(const String& className)
{
    for (const TFileFormat& f : FileFormats())
        if (SameText(f.ClassName, className)) return TOwned<TGraphic>(f.Factory());
    throw EInvalidGraphic(SUnknownGraphicClass + className);
}

TOwned<TGraphic> CreateByExtension(const String& fileName)
{
    const std::size_t dot = fileName.find_last_of('.');
    const std::size_t slash = fileName.find_last_of('/');
    const String ext = dot == String::npos || (slash != String::npos && dot < slash) ? String()
                                                                                      : LowerAscii(fileName.substr(dot + 1));
    for (const TFileFormat& f : FileFormats())
        if (f.Extension == ext) return TOwned<TGraphic>(f.Factory());
    throw EInvalidGraphic(SUnknownExtension + ext);
}

}  // namespace

void TPicture::RegisterFileFormat(const String& Extension, const String& ClassName, TGraphicFactory Factory)
{
    FileFormats().push_back({LowerAscii(Extension), ClassName, Factory});
}

TClass TPicture::StaticClassInfo()
{
    static const TClassInfo info("TPicture", TPersistent::StaticClassInfo());
    return &info;
}

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed()
{
    if (OnChange) OnChange(this);
}

void TPicture::Take(TGraphic* Graphic)
{
    FGraphic.reset(Graphic);
    if (Graphic) Graphic->OnChange = [this](TObject*) { Changed(); };
    Changed();
}

void TPicture::SetGraphic(TGraphic* Value)
{
    if (!Value) {
        Take(nullptr);
        return;
    }
    TOwned<TGraphic> copy = CreateByClassName(Value->ClassName());
    copy->Assign(Value);
    Take(copy.release());
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get())) Take(Create<TBitmap>());
    return static_cast<TBitmap*>(FGraphic.get());
}

Integer TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
Integer TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::Assign(TPersistent* Source)
{
    if (!Source) SetGraphic(nullptr);
    else if (auto* picture = dynamic_cast<TPicture*>(Source)) SetGraphic(picture->Graphic());
    else if (auto* graphic = dynamic_cast<TGraphic*>(Source)) SetGraphic(graphic);
    else TPersistent::Assign(Source);
}

void TPicture::AssignTo(TPersistent* Dest)
{
    auto* graphic = dynamic_cast<TGraphic*>(Dest);
    if (graphic && FGraphic) graphic->Assign(FGraphic.get());
    else TPersistent::AssignTo(Dest);
}

void TPicture::LoadFromFile(const String& FileName)
{
    TOwned<TGraphic> graphic = CreateByExtension(FileName);
    graphic->LoadFromFile(FileName);
    Take(graphic.release());
}

void TPicture::SaveToFile(const String& FileName)
{
    if (FGraphic) FGraphic->SaveToFile(FileName);
}

void TPicture::ReadData(TStream& Stream)
{
    Byte length = 0;
    Stream.ReadBuffer(&length, 1);
    String className(length, '\0');
    Stream.ReadBuffer(className.data(), length);
    if (className.empty()) {
        Take(nullptr);
        return;
    }
    TOwned<TGraphic> graphic = CreateByClassName(className);
    const Cardinal size = Stream.ReadLE<Cardinal>();
    if (Int64(size) > Stream.Size() - Stream.Position()) throw EInvalidGraphic(SInvalidPictureData);
    TMemoryStream data;
    if (size > 0) data.CopyFrom(Stream, size);  // 0 would mean the whole stream
    data.SetPosition(0);
    graphic->LoadFromStream(data);
    Take(graphic.release());
}

void TPicture::WriteData(TStream& Stream)
{
    const String className = FGraphic ? FGraphic->ClassName() : String();
    const Byte length = static_cast<Byte>(std::min<std::size_t>(className.size(), 255));
    Stream.WriteBuffer(&length, 1);
    Stream.WriteBuffer(className.data(), length);
    if (!FGraphic) return;
    TMemoryStream data;
    FGraphic->SaveToStream(data);
    Stream.WriteLE<Cardinal>(static_cast<Cardinal>(data.Size()));
    Stream.WriteBuffer(data.Memory(), data.Size());
}

void TPicture::DefineProperties(TFiler& Filer)
{
    Filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
        FGraphic && !FGraphic->Empty());
}
