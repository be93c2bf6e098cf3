#include "platform/Printers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "QtGraphics.h"
#include "StreamDevice.h"
#include "platform/Consts.h"
#include "platform/Math.h"
#include "platform/SysApi.h"

namespace {

constexpr Integer kDeviceDpi = 600;
constexpr char kPdfPrinterName[] = "PDF";
constexpr qsizetype kMaxFileTitle = 100;

Integer g_pagesPrinted = 0;
TPrinter* g_printer = nullptr;

String FromQt(const QString& s) { return s.toStdString(); }

// ---- Where documents go ----

// PL_PRINT_TO_DIR; empty when unset.
QString PrintFolder()
{
    const char* folder = std::getenv("PL_PRINT_TO_DIR");
    return folder && *folder ? QString::fromLocal8Bit(folder) : QString();
}

QString PdfFolder()
{
    QString folder = PrintFolder();
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

// The title as a file name: no path separators or control characters.
QString FileTitle(const String& Title)
{
    QString name = QString::fromStdString(Title).trimmed().left(kMaxFileTitle);
    for (QChar& c : name)
        if (c < QChar(' ') || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QChar('_');
    const bool onlyDots = name.count(QChar('.')) == name.size();
    return onlyDots ? QStringLiteral("Document") : name;
}

// A file that does not exist yet: an earlier document is never replaced.
QString FreePdfName(const QString& Folder, const String& Title)
{
    const QDir dir(Folder);
    const QString base = FileTitle(Title);
    QString name = dir.filePath(base + ".pdf");
    for (int n = 2; QFile::exists(name); ++n) name = dir.filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    return name;
}

}  // namespace

// Where a document goes: a PDF file (the one chosen, or a new one in the
// print folder), else a system printer.
struct TPrintOutput {
    String PrinterName;
    String FileName;  // chosen by the user; empty: the printer decides

    bool WritesPdf() const
    {
        return !FileName.empty() || !PrintFolder().isEmpty() || PrinterName == kPdfPrinterName;
    }
    // The PDF's path; the print folder is made when a new file goes there.
    QString PdfPath(const String& Title) const
    {
        if (!FileName.empty()) return QString::fromStdString(FileName);
        const QString folder = PdfFolder();
        QDir().mkpath(folder);
        return FreePdfName(folder, Title);
    }
};

namespace {

// ---- Page geometry ----

// The page as the device sees it, in device pixels.
struct TPageGeometry {
    QPageSize Size;
    QPageLayout::Orientation Orientation = QPageLayout::Portrait;
    Integer PaperWidth = 0;
    Integer PaperHeight = 0;
    Integer OffsetX = 0;
    Integer OffsetY = 0;
    Integer Width = 0;   // printable
    Integer Height = 0;
};

QPageSize PageSizeOf(SmallInt PaperCode)
{
    const QPageSize::PageSizeId id = QPageSize::id(PaperCode);
    return QPageSize(id == QPageSize::Custom ? QPageSize::Letter : id);
}

QSizeF SizeInInches(const QPageSize& Size)
{
    const QSizeF defined = Size.definitionSize();
    switch (Size.definitionUnits()) {
        case QPageSize::Millimeter: return defined / 25.4;
        case QPageSize::Inch: return defined;
        default: return Size.size(QPageSize::Inch);
    }
}

Integer InchesToPixels(qreal Inches) { return static_cast<Integer>(Round(Extended(Inches) * kDeviceDpi)); }

// The margins a system printer cannot print on, in inches.
QMarginsF UnprintableInches(const String& PrinterName, const QPageLayout& Layout)
{
    QPrinter printer(QPrinterInfo::printerInfo(QString::fromStdString(PrinterName)), QPrinter::HighResolution);
    printer.setPageLayout(Layout);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Inch);
    return layout.minimumMargins();
}

// The whole sheet: the page image is placed at the printable offset.
QPageLayout LayoutOf(const TPageGeometry& Geometry)
{
    QPageLayout layout(Geometry.Size, Geometry.Orientation, QMarginsF());
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

TPageGeometry PageGeometry(const TDeviceMode& Mode, const TPrintOutput& Output)
{
    TPageGeometry g;
    g.Size = PageSizeOf(Mode.dmPaperSize);
    g.Orientation = Mode.dmOrientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape : QPageLayout::Portrait;
    QSizeF inches = SizeInInches(g.Size);
    if (g.Orientation == QPageLayout::Landscape) inches.transpose();
    g.PaperWidth = InchesToPixels(inches.width());
    g.PaperHeight = InchesToPixels(inches.height());
    // A PDF page is printable to its edges.
    const QMarginsF margins =
        Output.WritesPdf() ? QMarginsF() : UnprintableInches(Mode.dmDeviceName, LayoutOf(g));
    g.OffsetX = InchesToPixels(margins.left());
    g.OffsetY = InchesToPixels(margins.top());
    g.Width = std::max(g.PaperWidth - g.OffsetX - InchesToPixels(margins.right()), 1);
    g.Height = std::max(g.PaperHeight - g.OffsetY - InchesToPixels(margins.bottom()), 1);
    return g;
}

TDeviceMode DefaultDeviceMode(const String& PrinterName)
{
    TDeviceMode mode;
    mode.dmDeviceName = PrinterName;
    if (PrinterName == kPdfPrinterName) return mode;
    const int code = QPrinterInfo::printerInfo(QString::fromStdString(PrinterName)).defaultPageSize().windowsId();
    if (code > 0) mode.dmPaperSize = static_cast<SmallInt>(code);
    return mode;
}

// Rows of the page with anything drawn on them; empty for a blank page.
QRect InkedRows(const QImage& Page)
{
    const std::vector<QRgb> white(static_cast<std::size_t>(Page.width()), 0xFFFFFFFFu);
    const std::size_t rowBytes = white.size() * sizeof(QRgb);
    auto blank = [&](int y) { return std::memcmp(Page.constScanLine(y), white.data(), rowBytes) == 0; };
    int top = 0;
    while (top < Page.height() && blank(top)) ++top;
    int bottom = Page.height();
    while (bottom > top && blank(bottom - 1)) --bottom;
    return QRect(0, top, Page.width(), bottom - top);
}

}  // namespace

// ---------------------------------------------------------------------------
// An open document
// ---------------------------------------------------------------------------

struct TPrintJob {
    TPageGeometry Geometry;
    // A PDF is written beside FileName and takes that name only once whole:
    // a document that fails or is thrown away leaves no file.
    std::unique_ptr<TSafeFileStream> Pdf;
    std::unique_ptr<TStreamDevice> PdfDevice;
    std::unique_ptr<QPagedPaintDevice> Device;  // a QPdfWriter or a QPrinter
    QPrinter* SystemPrinter = nullptr;          // Device, when it is a printer
    QString FileName;                           // the PDF, when it is a file
    QPainter Painter;
    QImage Page;  // the page being drawn, printable area only

    TPrintJob(const TDeviceMode& Mode, const TPrintOutput& Output, const String& Title);
    // The page so far goes to the device.
    void EmitPage();
    void StartPage(TCanvas& Canvas);
    // Ends the device; false when the document could not be completed.
    bool Finish();
    void Discard() noexcept;
};

TPrintJob::TPrintJob(const TDeviceMode& Mode, const TPrintOutput& Output, const String& Title)
    : Geometry(PageGeometry(Mode, Output))
{
    const QString title = QString::fromStdString(Title);
    if (Output.WritesPdf()) {
        FileName = Output.PdfPath(Title);
        try {
            Pdf = std::make_unique<TSafeFileStream>(FromQt(FileName));
        } catch (const EStreamError&) {
            throw EPrinter(SPrintOutputError + TextExcerpt(FromQt(FileName)));
        }
        PdfDevice = std::make_unique<TStreamDevice>(*Pdf);
        auto pdf = std::make_unique<QPdfWriter>(PdfDevice.get());
        pdf->setResolution(kDeviceDpi);
        pdf->setTitle(title);
        Device = std::move(pdf);
    } else {
        auto printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(QString::fromStdString(Mode.dmDeviceName)),
                                                  QPrinter::HighResolution);
        printer->setFullPage(true);
        printer->setResolution(kDeviceDpi);
        printer->setDocName(title);
        SystemPrinter = printer.get();
        Device = std::move(printer);
    }
    Device->setPageLayout(LayoutOf(Geometry));
    Page = QImage(Geometry.Width, Geometry.Height, QImage::Format_RGB32);
    if (Page.isNull()) throw EOutOfResources(SPageTooLarge);
    if (!Painter.begin(Device.get()))
        throw EPrinter(SPrintOutputError + TextExcerpt(FileName.isEmpty() ? Mode.dmDeviceName : FromQt(FileName)));
    // Exact pixels: no lossy compression of the page.
    Painter.setRenderHint(QPainter::LosslessImageRendering);
    // Page pixels are device pixels at 600 per inch, whatever the device's
    // own resolution.
    Painter.scale(qreal(Device->logicalDpiX()) / kDeviceDpi, qreal(Device->logicalDpiY()) / kDeviceDpi);
}

void TPrintJob::StartPage(TCanvas& Canvas)
{
    Page.fill(Qt::white);
    BindCanvas(Canvas, Page, Page.rect());
}

void TPrintJob::EmitPage()
{
    const QRect inked = InkedRows(Page);
    if (!inked.isEmpty()) Painter.drawImage(QPoint(Geometry.OffsetX, Geometry.OffsetY) + inked.topLeft(), Page, inked);
}

bool TPrintJob::Finish()
{
    EmitPage();
    const bool ended = Painter.end();
    Device.reset();
    if (!Pdf) return ended;
    // The PDF engine writes on after a failed write and ends as if whole.
    if (!ended || PdfDevice->Failed()) return false;
    try {
        Pdf->Commit();
    } catch (const EStreamError&) {
        return false;
    }
    return true;
}

void TPrintJob::Discard() noexcept
{
    if (SystemPrinter) SystemPrinter->abort();
    if (Painter.isActive()) Painter.end();
    Device.reset();
}

// ---------------------------------------------------------------------------
// TPrinter
// ---------------------------------------------------------------------------

TPrinter::TPrinter() : FCanvas(CreateOwned<TPrinterCanvas>(this)) {}

TPrinter::~TPrinter() { DiscardJob(); }

void TPrinter::DiscardJob() noexcept
{
    if (!FJob) return;
    UnbindCanvas(*FCanvas);
    FJob->Discard();
    FJob.reset();
}

bool TPrinter::Printing() const { return FJob != nullptr; }

void TPrinter::RequirePrinting() const
{
    if (!FJob) throw EPrinter(SNotPrinting);
}

void TPrinter::RequireIdle() const
{
    if (FJob) throw EPrinter(SPrinting);
}

TStrings* TPrinter::Printers() const
{
    if (!FPrinters) {
        FPrinters = CreateOwned<TStringList>();
        for (const QString& name : QPrinterInfo::availablePrinterNames())
            if (name != kPdfPrinterName) FPrinters->Add(FromQt(name));
        FPrinters->Add(kPdfPrinterName);
    }
    return FPrinters.get();
}

Integer TPrinter::PrinterIndex() const
{
    if (FPrinterIndex >= 0) return FPrinterIndex;
    const Integer systemDefault = Printers()->IndexOf(FromQt(QPrinterInfo::defaultPrinterName()));
    return systemDefault >= 0 ? systemDefault : Printers()->IndexOf(kPdfPrinterName);
}

void TPrinter::SetPrinterIndex(Integer Value)
{
    RequireIdle();
    if (Value == -1) {
        FPrinterIndex = -1;
        Value = PrinterIndex();
    }
    if (Value < 0 || Value >= Printers()->Count()) throw EPrinter(SPrinterIndexError);
    if (Value == FPrinterIndex && FDeviceMode) return;
    FPrinterIndex = Value;
    FDeviceMode = std::make_unique<TDeviceMode>(DefaultDeviceMode(Printers()->Strings(Value)));
}

TDeviceMode* TPrinter::DeviceMode() { return FDeviceMode.get(); }

void TPrinter::EnsureSelected()
{
    if (!FDeviceMode) SetPrinterIndex(PrinterIndex());
}

TPrinterOrientation TPrinter::Orientation()
{
    EnsureSelected();
    return FDeviceMode->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    RequireIdle();
    EnsureSelected();
    FDeviceMode->dmOrientation = Value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

void TPrinter::SetFileName(const String& Value)
{
    RequireIdle();
    FFileName = Value;
}

TPrintOutput TPrinter::Output() const
{
    return TPrintOutput{FDeviceMode ? FDeviceMode->dmDeviceName : String(), FFileName};
}

void TPrinter::BeginDoc()
{
    RequireIdle();
    EnsureSelected();
    auto job = std::make_unique<TPrintJob>(*FDeviceMode, Output(), FTitle);
    job->StartPage(*FCanvas);
    FJob = std::move(job);
    FAborted = false;
    FPageNumber = 1;
}

void TPrinter::NewPage()
{
    RequirePrinting();
    FJob->EmitPage();
    if (!FJob->Device->newPage()) throw EPrinter(SPrintPageError + TextExcerpt(FTitle));
    FJob->StartPage(*FCanvas);
    ++FPageNumber;
}

void TPrinter::EndDoc()
{
    RequirePrinting();
    UnbindCanvas(*FCanvas);
    std::unique_ptr<TPrintJob> job = std::move(FJob);
    const bool ended = job->Finish();
    if (!ended) throw EPrinter(SPrintEndError + TextExcerpt(FTitle));
    g_pagesPrinted += FPageNumber;
    FOutputFile = FromQt(job->FileName);
}

void TPrinter::Abort()
{
    RequirePrinting();
    DiscardJob();
    FAborted = true;
}

Integer TPrinter::PageWidth() { return DeviceCaps(HORZRES); }

Integer TPrinter::PageHeight() { return DeviceCaps(VERTRES); }

Integer TPrinter::DeviceCaps(Integer Index)
{
    if (!FJob) EnsureSelected();
    const TPageGeometry g = FJob ? FJob->Geometry : PageGeometry(*FDeviceMode, Output());
    switch (Index) {
        case LOGPIXELSX:
        case LOGPIXELSY: return kDeviceDpi;
        case PHYSICALWIDTH: return g.PaperWidth;
        case PHYSICALHEIGHT: return g.PaperHeight;
        case PHYSICALOFFSETX: return g.OffsetX;
        case PHYSICALOFFSETY: return g.OffsetY;
        case HORZRES: return g.Width;
        case VERTRES: return g.Height;
        default: return GetDeviceCaps(static_cast<TCanvas*>(FCanvas.get()), Index);
    }
}

// ---------------------------------------------------------------------------
// The printer object
// ---------------------------------------------------------------------------

TPrinter* Printer()
{
    if (!g_printer) g_printer = Create<TPrinter>();
    return g_printer;
}

TPrinter* SetPrinter(TPrinter* NewPrinter)
{
    TPrinter* former = g_printer;
    g_printer = NewPrinter;
    return former;
}

Integer PagesPrinted() { return g_pagesPrinted; }

Integer GetDeviceCaps(TPrinterCanvas* DC, Integer Index) { return DC->Printer()->DeviceCaps(Index); }
