#include "platform/Metafile.h"

#include <QImage>
#include <QTemporaryFile>
#include <vector>

#include "CanvasImpl.h"
#include "MetafilePlayer.h"
#include "MetafileWriter.h"
#include "QtGraphics.h"
#include "platform/Classes.h"
#include "platform/Consts.h"
#include "platform/Math.h"
#include "platform/SysUtils.h"

// ---------------------------------------------------------------------------
// TMetafile
// ---------------------------------------------------------------------------

TClass TMetafile::StaticClassInfo()
{
    static const TClassInfo info("TMetafile", TGraphic::StaticClassInfo());
    return &info;
}

TMetafile::TMetafile() : FPicture(CreateOwned<TBitmap>()), FList(std::make_shared<TDisplayList>()) {}
TMetafile::~TMetafile() = default;

void TMetafile::Assign(TPersistent* Source)
{
    if (auto* metafile = dynamic_cast<TMetafile*>(Source)) {
        if (metafile == this) return;
        FPicture->Assign(metafile->FPicture.get());
        FList = metafile->FList;
        FCreatedBy = metafile->FCreatedBy;
        FDescription = metafile->FDescription;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TMetafile::AssignTo(TPersistent* Dest)
{
    if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
        bitmap->Assign(FPicture.get());
        return;
    }
    TGraphic::AssignTo(Dest);
}

bool TMetafile::Empty() const { return FPicture->Empty(); }
Integer TMetafile::Width() const { return FPicture->Width(); }
Integer TMetafile::Height() const { return FPicture->Height(); }
void TMetafile::SetWidth(Integer Value) { SetSize(Value, Height()); }
void TMetafile::SetHeight(Integer Value) { SetSize(Width(), Value); }

void TMetafile::SetSize(Integer AWidth, Integer AHeight)
{
    TOwned<TBitmap> picture = CreateOwned<TBitmap>();
    picture->SetSize(AWidth, AHeight);
    FPicture = std::move(picture);
    FList = std::make_shared<TDisplayList>();
    Changed();
}

void TMetafile::LoadFromStream(TStream&) { throw EInvalidGraphic(SMetafileRead); }

void TMetafile::SaveToStream(TStream& Stream)
{
    if (Empty()) throw EInvalidGraphic(SMetafileEmpty);
    QTemporaryFile file;
    if (!file.open()) throw EInvalidGraphic(SMetafileWrite);
    file.close();
    if (!WriteEmf(file.fileName(), *FList, QSize(Width(), Height()), FCreatedBy, FDescription) || !file.open())
        throw EInvalidGraphic(SMetafileWrite);
    const QByteArray bytes = file.readAll();
    Stream.WriteBuffer(bytes.constData(), bytes.size());
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& R)
{
    if (Empty() || !ACanvas) return;
    if (Int64(R.Right) - R.Left == Width() && Int64(R.Bottom) - R.Top == Height()) FPicture->Draw(ACanvas, R);
    else PlayDisplayList(*FList, QSize(Width(), Height()), *ACanvas, R);
}

// ---------------------------------------------------------------------------
// TMetafileCanvas
// ---------------------------------------------------------------------------

// Keeps each call that could write pixels, with the pixels it could write
// when those are not simply the whole picture.
struct TMetafileCanvas::TRecording : TCanvasRecorder {
    QImage Image;
    std::shared_ptr<TDisplayList> List = std::make_shared<TDisplayList>();

    void Record(TDrawOp&& Op, std::span<const QRect> Visible) override
    {
        if (Op.Points.empty() || Visible.empty()) return;
        if (!(Visible.size() == 1 && Visible.front() == Image.rect())) Op.Clip.assign(Visible.begin(), Visible.end());
        List->Ops.push_back(std::move(Op));
    }
};

TMetafileCanvas::TMetafileCanvas(TMetafile* Metafile, const String& CreatedBy, const String& Description)
    : FMetafile(Metafile), FRecording(std::make_unique<TRecording>())
{
    FMetafile->FCreatedBy = CreatedBy;
    FMetafile->FDescription = Description;
    const Integer w = Max(FMetafile->Width(), 0);
    const Integer h = Max(FMetafile->Height(), 0);
    FRecording->Image = QImage(w, h, QImage::Format_RGB32);
    FRecording->Image.fill(Qt::white);
    if (FRecording->Image.isNull()) return;
    BindCanvas(*this, FRecording->Image, FRecording->Image.rect());
    Impl().Recorder = FRecording.get();
}

TMetafileCanvas::~TMetafileCanvas()
{
    Impl().Recorder = nullptr;
    UnbindCanvas(*this);
    if (FRecording->Image.isNull()) return;
    SetBitmapImage(*FMetafile->FPicture, FRecording->Image);
    FMetafile->FList = std::move(FRecording->List);
}
