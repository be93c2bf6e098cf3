#pragma once
// The printer: the system's printers plus a virtual "PDF" printer that is
// always there. A document is drawn page by page on the printer's canvas,
// 600 pixels per inch, between BeginDoc and EndDoc.
//
// A document goes to the PDF file the user chose (FileName) when there is
// one. Otherwise, when the environment variable PL_PRINT_TO_DIR names a
// folder, every printer writes its documents there as PDF files; the "PDF"
// printer otherwise writes into the user's documents folder.

#include <memory>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TPrinter;
struct TPrintJob;  // platform/src: an open document
struct TPrintOutput;  // platform/src: where a document goes

enum TPrinterOrientation { poPortrait, poLandscape };
PL_ENUM_NAMES(TPrinterOrientation, "poPortrait", "poLandscape")

// The system's orientation and paper codes.
constexpr SmallInt DMORIENT_PORTRAIT = 1;
constexpr SmallInt DMORIENT_LANDSCAPE = 2;
constexpr SmallInt DMPAPER_LETTER = 1;
constexpr SmallInt DMPAPER_LEGAL = 5;
constexpr SmallInt DMPAPER_A3 = 8;
constexpr SmallInt DMPAPER_A4 = 9;
constexpr SmallInt DMPAPER_A5 = 11;

// The settings of the chosen printer. Changes apply from the next
// document on; a paper code the layer does not know prints on letter.
struct TDeviceMode {
    String dmDeviceName;
    SmallInt dmOrientation = DMORIENT_PORTRAIT;
    SmallInt dmPaperSize = DMPAPER_LETTER;
};

// The canvas of a printer: a page image between BeginDoc and EndDoc;
// before that it only measures text.
class TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter* Printer) : FPrinter(Printer) {}
    TPrinter* Printer() const { return FPrinter; }

private:
    TPrinter* FPrinter;
};

class TPrinter : public TObject {
public:
    TPrinter();
    // An unfinished document is thrown away.
    ~TPrinter() override;

    // The printers' names: the system's, then "PDF".
    TStrings* Printers() const;
    // The chosen printer; before any choice, the default one (the system's
    // default printer, else "PDF").
    Integer PrinterIndex() const;
    // -1 chooses the default printer. Choosing another printer takes its
    // settings; choosing the same one again keeps them. Raises EPrinter
    // for an unknown index or while printing.
    void SetPrinterIndex(Integer Value);
    // nullptr until a printer has been chosen (by SetPrinterIndex or by
    // any use that needs one).
    TDeviceMode* DeviceMode();

    // Kept in the device mode; setting it raises EPrinter while printing.
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation Value);
    // The document's name; it also names the PDF file of a document that
    // goes to a folder.
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    // The PDF file the next documents go to, whatever the printer, replacing
    // what it held; empty: the printer's own output. Setting it raises
    // EPrinter while printing.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value);

    // Raises EPrinter while printing, or when the output cannot be opened.
    void BeginDoc();
    // These raise EPrinter unless printing.
    void NewPage();
    // Sends the document; the pages count in PagesPrinted.
    void EndDoc();
    // Throws the document away; none of its pages count.
    void Abort();
    bool Printing() const;
    bool Aborted() const { return FAborted; }
    // The page being drawn, from 1.
    Integer PageNumber() const { return FPageNumber; }

    TPrinterCanvas* Canvas() const { return FCanvas.get(); }
    // Printable size in device pixels (HORZRES, VERTRES).
    Integer PageWidth();
    Integer PageHeight();
    // GetDeviceCaps of the printer: the open document's page, else the
    // page that the settings describe.
    Integer DeviceCaps(Integer Index);

    // The PDF file of the last document ended; empty when it went to a
    // system printer.
    const String& OutputFile() const { return FOutputFile; }

private:
    void RequirePrinting() const;
    void RequireIdle() const;
    void EnsureSelected();
    void DiscardJob() noexcept;
    TPrintOutput Output() const;

    mutable TOwned<TStringList> FPrinters;
    Integer FPrinterIndex = -1;
    std::unique_ptr<TDeviceMode> FDeviceMode;
    String FTitle;
    String FFileName;
    bool FAborted = false;
    Integer FPageNumber = 0;
    String FOutputFile;
    TOwned<TPrinterCanvas> FCanvas;
    std::unique_ptr<TPrintJob> FJob;
};

// The printer object, made on first use.
TPrinter* Printer();
// Puts NewPrinter in place of the printer object and returns the former
// one, which the caller then owns (it may be nullptr).
TPrinter* SetPrinter(TPrinter* NewPrinter);
// Pages of every document ended since the process started.
Integer PagesPrinted();

// The printer's device capabilities for its canvas (LOGPIXELSX 600,
// PHYSICALWIDTH, PHYSICALOFFSETX...); other canvases answer through the
// GetDeviceCaps of platform/SysApi.h.
Integer GetDeviceCaps(TPrinterCanvas* DC, Integer Index);
