#include "platform/CommonDialogs.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

#include "FontDialogForm.h"
#include "QtGraphics.h"
#include "TestHooks.h"
#include "platform/Controls.h"
#include "platform/Printers.h"
#include "platform/SysUtils.h"

namespace {

// The queued test answer, if any, runs in place of the dialog, or reads
// and ends Qt's dialog once Show has it up. Outside tests Show runs; while
// answering is on, an unanswered dialog raises.
template <class F>
bool AnswerOrShow(TObject* Dialog, const char* Kind, F&& Show)
{
    std::function<bool(TObject*)> answer;
    if (pl::TakeDialogAnswer(answer)) return answer(Dialog);
    if (pl::TestAnswering() && !pl::AnswerToolkitDialogOnceShown()) pl::RaiseUnanswered(Kind);
    ReleaseCapture();
    return Show();
}

QString ToQString(const String& Text) { return QString::fromStdString(Text); }
String FromQString(const QString& Text) { return Text.toStdString(); }

// Room beside the widest place name in the file dialog's list of places.
constexpr int PlacesMargin = 8;

// "d1|p1|d2|p2" as labels: the patterns are the even-numbered parts, so a
// description beginning with "*" stays a description; a trailing
// description without a pattern is left out.
QStringList NameFilters(const String& Filter)
{
    const QStringList parts = ToQString(Filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << ToQString(FileFilterLabel(FromQString(parts[i]), FromQString(parts[i + 1])));
    return filters;
}

// Qt lays its file dialog out for English words: the French names of the
// places ("Ordinateur") and of the columns ("Dernière modification") need
// more room than it gives them.
void MakeRoomForFrench(QFileDialog& Dialog)
{
    const QSize hint = Dialog.sizeHint();
    Dialog.resize(hint.width() * 5 / 4, hint.height());
    if (auto* files = Dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = files->header();
        // The first column, the names, takes what the others leave.
        for (int i = 1; i < header->count(); ++i)
            header->resizeSection(i, std::max(header->sectionSize(i), header->sectionSizeHint(i)));
    }
    auto* splitter = Dialog.findChild<QSplitter*>(QStringLiteral("splitter"));
    auto* places = Dialog.findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
    if (!splitter || !places || splitter->count() != 2) return;
    const int needed = places->sizeHintForColumn(0) + 2 * places->frameWidth() + PlacesMargin;
    const QList<int> sizes = splitter->sizes();
    if (sizes[0] < needed) splitter->setSizes({needed, std::max(sizes[0] + sizes[1] - needed, 0)});
}

}  // namespace

String FileFilterLabel(const String& Description, const String& Patterns)
{
    // The dialog reads the patterns from the label's last parentheses.
    QString patterns = ToQString(Patterns);
    patterns.replace(';', ' ');
    const QString shown = "(" + patterns.simplified() + ")";
    QString described = ToQString(Description);
    described.replace(';', ' ');
    if (described.simplified().endsWith(shown)) return Description;
    return FromQString(ToQString(Description) + " " + shown);
}

TClass TCommonDialog::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TCommonDialog, TComponent>("TCommonDialog").Build();
    return &info;
}

// ---------------------------------------------------------------------------
// Colour and font
// ---------------------------------------------------------------------------

TClass TColorDialog::StaticClassInfo()
{
    using C = TColorDialog;
    static const TClassInfo info = TClassBuilder<C, TCommonDialog>("TColorDialog")
                                       .Color("Color", &C::Color, &C::SetColor)
                                       .Default(clBlack)
                                       .Build();
    return &info;
}

bool TColorDialog::Execute()
{
    return AnswerOrShow(this, "colour dialog", [this] {
        for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, ToQColor(CustomColors[size_t(i)]));
        const QColor chosen = QColorDialog::getColor(ToQColor(FColor));
        if (!chosen.isValid()) return false;
        FColor = FromQRgb(chosen.rgb());
        return true;
    });
}

TClass TFontDialog::StaticClassInfo()
{
    using C = TFontDialog;
    static const TClassInfo info =
        TClassBuilder<C, TCommonDialog>("TFontDialog").Object("Font", &C::Font, &C::SetFont).Build();
    return &info;
}

TFontDialog::TFontDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFont(CreateOwned<TFont>()) {}

bool TFontDialog::Execute()
{
    // A queued dialog answer stands for the whole dialog. Without one the
    // form shows; a test drives it through a modal answer, and raises
    // there when none is queued.
    std::function<bool(TObject*)> answer;
    if (pl::TakeDialogAnswer(answer)) return answer(this);
    ReleaseCapture();
    return RunFontDialogForm(FFont.get());
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

TClass TFileDialog::StaticClassInfo()
{
    using C = TFileDialog;
    static const TClassInfo info = TClassBuilder<C, TCommonDialog>("TFileDialog")
                                       .String("DefaultExt", &C::DefaultExt, &C::SetDefaultExt).Default(String())
                                       .String("FileName", &C::FileName, &C::SetFileName).Default(String())
                                       .String("Filter", &C::Filter, &C::SetFilter).Default(String())
                                       .Integer("FilterIndex", &C::FilterIndex, &C::SetFilterIndex).Default(1)
                                       .String("InitialDir", &C::InitialDir, &C::SetInitialDir).Default(String())
                                       .Build();
    return &info;
}

TClass TOpenDialog::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TOpenDialog, TFileDialog>("TOpenDialog").Build();
    return &info;
}

TClass TSaveDialog::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TSaveDialog, TFileDialog>("TSaveDialog").Build();
    return &info;
}

TFileDialog::TFileDialog(TComponent* AOwner) : TCommonDialog(AOwner), FFiles(CreateOwned<TStringList>()) {}

TStrings* TFileDialog::Files() const { return FFiles.get(); }

bool TFileDialog::Run(bool Saving, bool MustExist, bool MultiSelect)
{
    return AnswerOrShow(this, Saving ? "save dialog" : "open dialog", [&] {
        // Non-native: the system's dialogs ignore several of these settings.
        QFileDialog dialog(nullptr, QString(), ToQString(FInitialDir.empty() ? String(".") : FInitialDir));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(Saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(Saving ? QFileDialog::AnyFile
                                  : MultiSelect ? QFileDialog::ExistingFiles
                                                : MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        const QStringList filters = NameFilters(FFilter);
        dialog.setNameFilters(filters);
        if (FFilterIndex >= 1 && FFilterIndex <= filters.size()) dialog.selectNameFilter(filters[FFilterIndex - 1]);
        dialog.setDefaultSuffix(ToQString(FDefaultExt));
        if (!FFileName.empty()) dialog.selectFile(ToQString(FFileName));
        MakeRoomForFrench(dialog);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
        FFiles->Clear();
        for (const QString& file : dialog.selectedFiles()) FFiles->Add(FromQString(file));
        FFileName = FFiles->Strings(0);
        if (const auto chosen = filters.indexOf(dialog.selectedNameFilter()); chosen >= 0)
            FFilterIndex = static_cast<Integer>(chosen) + 1;
        return true;
    });
}

// ---------------------------------------------------------------------------
// Printing
// ---------------------------------------------------------------------------

TClass TPrintDialog::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TPrintDialog, TCommonDialog>("TPrintDialog").Build();
    return &info;
}

bool TPrintDialog::Execute()
{
    TPrinter* printer = Printer();
    FPrinterIndex = printer->PrinterIndex();
    FFileName = printer->FileName();
    if (!AnswerOrShow(this, "print dialog", [this] { return ShowDialog(); })) return false;
    // Another printer comes with its own settings; the orientation the
    // document asked for stays.
    const TPrinterOrientation orientation = printer->Orientation();
    printer->SetPrinterIndex(FPrinterIndex);
    printer->SetOrientation(orientation);
    printer->SetFileName(FFileName);
    return true;
}

bool TPrintDialog::ShowDialog()
{
    TPrinter* printer = Printer();
    QPrinter chosen(QPrinterInfo::printerInfo(ToQString(printer->Printers()->Strings(FPrinterIndex))));
    if (!FFileName.empty()) {
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setOutputFileName(ToQString(FFileName));
    }
    QPrintDialog dialog(&chosen);
    if (dialog.exec() != QDialog::Accepted) return false;
    // Qt's own "print to file" entry names the file; a printer leaves it empty.
    FFileName = chosen.outputFormat() == QPrinter::PdfFormat ? FromQString(chosen.outputFileName()) : String();
    if (const Integer index = printer->Printers()->IndexOf(FromQString(chosen.printerName())); index >= 0)
        FPrinterIndex = index;
    return true;
}
