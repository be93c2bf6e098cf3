#include "platform/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

#include "ClipboardText.h"
#include "QtGraphics.h"
#include "platform/Classes.h"
#include "platform/Jpeg.h"
#include "platform/Metafile.h"

namespace {

QByteArray StreamBytes(TGraphic& Graphic)
{
    TMemoryStream stream;
    Graphic.SaveToStream(stream);
    return QByteArray(static_cast<const char*>(stream.Memory()), static_cast<qsizetype>(stream.Size()));
}

void Publish(QMimeData* Data) { QGuiApplication::clipboard()->setMimeData(Data); }

}  // namespace

TClass TClipboard::StaticClassInfo()
{
    static const TClassInfo info("TClipboard", TPersistent::StaticClassInfo());
    return &info;
}

void TClipboard::Assign(TPersistent* Source)
{
    if (auto* picture = dynamic_cast<TPicture*>(Source)) {
        Assign(picture->Graphic());
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(Source)) {
        auto data = std::make_unique<QMimeData>();
        data->setImageData(BitmapImage(*bitmap));
        data->setData("image/bmp", StreamBytes(*bitmap));
        Publish(data.release());
        return;
    }
    if (auto* metafile = dynamic_cast<TMetafile*>(Source)) {
        auto data = std::make_unique<QMimeData>();
        data->setData("image/x-emf", StreamBytes(*metafile));
        TOwned<TBitmap> picture = CreateOwned<TBitmap>();
        picture->Assign(metafile);
        data->setImageData(BitmapImage(*picture));
        Publish(data.release());
        return;
    }
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
        auto data = std::make_unique<QMimeData>();
        const QByteArray bytes = StreamBytes(*jpeg);
        data->setData("image/jpeg", bytes);
        // The class library's registered format number of JPEG pictures.
        data->setData("application/x-qt-windows-mime;value=\"87\"", bytes);
        Publish(data.release());
        return;
    }
    TPersistent::Assign(Source);
}

bool TClipboard::HasFormat(const String& MimeType) const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(QString::fromStdString(MimeType));
}

std::vector<Byte> TClipboard::Data(const String& MimeType) const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return {};
    const QByteArray bytes = data->data(QString::fromStdString(MimeType));
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

void TClipboard::Clear() { QGuiApplication::clipboard()->clear(); }

bool pl::CarriesText(const QMimeData* Data) { return Data && !Data->formats().isEmpty() && Data->hasText(); }

bool pl::PastesNoText(const QKeyEvent* Event)
{
    if (Event->type() != QEvent::KeyPress || !Event->matches(QKeySequence::Paste)) return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Ctrl+Shift+Insert pastes the selection where there is one.
    const bool selection = Event->key() == Qt::Key_Insert &&
                           Event->modifiers() == (Qt::ShiftModifier | Qt::ControlModifier) &&
                           clipboard->supportsSelection();
    return !CarriesText(clipboard->mimeData(selection ? QClipboard::Selection : QClipboard::Clipboard));
}

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
