#pragma once
// The common dialogs: colour, font, open and save. Execute shows the
// dialog modally and returns true when the user confirmed; the results are
// then in the properties, which a cancelled dialog leaves as they were.
// Each dialog asks the test answerer first (platform/Testing.h): the answer
// gets the dialog object, may set its results and returns whether it
// confirmed.

#include <array>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TCommonDialog : public TComponent {
    PL_CLASSINFO()
public:
    using TComponent::TComponent;
    virtual bool Execute() = 0;
};

class TColorDialog : public TCommonDialog {
    PL_CLASSINFO()
public:
    using TCommonDialog::TCommonDialog;
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    // The dialog's sixteen custom colours, as RGB values: white until the
    // user or the caller fills them, as the system's dialog starts.
    std::array<TColor, 16> CustomColors = [] {
        std::array<TColor, 16> white;
        white.fill(TColor(0xFFFFFF));
        return white;
    }();
    bool Execute() override;

private:
    TColor FColor = clBlack;
};

// The layer's own dialog: face, style, size, effects and colour, with a
// sample, started on Font. On OK Font takes what the user chose (a new size
// as a negative Height at 96 dpi, a new face with the character set it
// needs) and keeps the value of everything left alone. Without a queued
// dialog answer a test drives the dialog's form through a modal answer.
class TFontDialog : public TCommonDialog {
    PL_CLASSINFO()
public:
    explicit TFontDialog(TComponent* AOwner);
    // The setter copies.
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    bool Execute() override;

private:
    TOwned<TFont> FFont;
};

// The open and save dialogs. Filter takes "description|pattern" pairs
// ("Text files|*.txt;*.log|All|*"); FilterIndex counts its pairs from 1.
class TFileDialog : public TCommonDialog {
    PL_CLASSINFO()
public:
    explicit TFileDialog(TComponent* AOwner);
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& Value) { FFilter = Value; }
    Integer FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
    // The folder the dialog starts in; empty: the current folder.
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& Value) { FInitialDir = Value; }
    // Every chosen file, full paths; FileName is the first.
    TStrings* Files() const;

protected:
    // Shows the dialog; Saving asks before overwriting, MustExist and
    // MultiSelect shape an open dialog.
    bool Run(bool Saving, bool MustExist, bool MultiSelect);

private:
    String FFileName;
    String FFilter;
    Integer FFilterIndex = 1;
    String FDefaultExt;
    String FInitialDir;
    TOwned<TStringList> FFiles;
};

// The label a file dialog shows for one filter: the description with its
// patterns in parentheses after it, unless the description already ends
// with them ("Bitmap (*.bmp)" and "*.bmp" stay "Bitmap (*.bmp)").
String FileFilterLabel(const String& Description, const String& Patterns);

class TOpenDialog : public TFileDialog {
    PL_CLASSINFO()
public:
    using TFileDialog::TFileDialog;
    bool FileMustExist = false;
    bool AllowMultiSelect = false;
    bool Execute() override { return Run(false, FileMustExist, AllowMultiSelect); }
};

class TSaveDialog : public TFileDialog {
    PL_CLASSINFO()
public:
    using TFileDialog::TFileDialog;
    bool Execute() override { return Run(true, false, false); }
};


// The print dialog: the user chooses a printer, or a PDF file to print to,
// and confirms. Execute starts from the printer object's choice (Printer())
// and, when confirmed, makes the one in the properties its choice.
class TPrintDialog : public TCommonDialog {
    PL_CLASSINFO()
public:
    using TCommonDialog::TCommonDialog;
    // The chosen printer, an index into Printer()->Printers().
    Integer PrinterIndex() const { return FPrinterIndex; }
    void SetPrinterIndex(Integer Value) { FPrinterIndex = Value; }
    // The PDF file chosen in place of the printer; empty: the printer.
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& Value) { FFileName = Value; }
    bool Execute() override;

private:
    bool ShowDialog();

    Integer FPrinterIndex = -1;
    String FFileName;
};
