#include "components/foundation/kDialogs.h"

#include "components/foundation/kCommonRoutines.h"
#include "platform/CommonDialogs.h"
#include "platform/SysUtils.h"

// ---------------------------------------------------------------------------
// Filters
// ---------------------------------------------------------------------------

std::vector<String> kFilterPatterns(const String& Filter)
{
    std::vector<String> patterns;
    size_t start = 0;
    for (size_t part = 0;; ++part) {
        const size_t bar = Filter.find('|', start);
        const bool last = bar == String::npos;
        if (part % 2 == 1) patterns.push_back(Filter.substr(start, last ? String::npos : bar - start));
        if (last) return patterns;
        start = bar + 1;
    }
}

String kFilterExtension(const String& Filter, Integer Index)
{
    const std::vector<String> patterns = kFilterPatterns(Filter);
    if (Index < 1 || static_cast<size_t>(Index) > patterns.size()) return String();
    const String first = Trim(patterns[size_t(Index) - 1].substr(0, patterns[size_t(Index) - 1].find(';')));
    if (first.size() < 3 || first.compare(0, 2, "*.") != 0) return String();
    if (first.find_first_of("*?", 2) != String::npos && first != "*.*") return String();
    return first.substr(1);
}

String kApplyFilterExtension(const String& Name, const String& Ext)
{
    if (Ext.empty() || Ext == ".*") return Name;
    if (Name.size() >= Ext.size() && SameText(std::string_view(Name).substr(Name.size() - Ext.size()), Ext))
        return Name;
    return Name + Ext;
}

// ---------------------------------------------------------------------------
// Colour and font
// ---------------------------------------------------------------------------

TClass TkColorDialog::StaticClassInfo()
{
    using C = TkColorDialog;
    static const TClassInfo info =
        TClassBuilder<C, TComponent>("TkColorDialog").Color("Color", &C::Color, &C::SetColor).Default(clBlack).Build();
    return &info;
}

bool TkColorDialog::Execute()
{
    TOwned<TColorDialog> dialog(Create<TColorDialog>(nullptr));
    dialog->SetColor(ColorToRGB(FColor));
    dialog->CustomColors.fill(TColor(0xFFFFFF));
    if (!dialog->Execute()) return false;
    FColor = dialog->Color();
    return true;
}

TClass TkFontDialog::StaticClassInfo()
{
    using C = TkFontDialog;
    static const TClassInfo info =
        TClassBuilder<C, TComponent>("TkFontDialog").Object("Font", &C::Font, &C::SetFont).Build();
    return &info;
}

TkFontDialog::TkFontDialog(TComponent* AOwner) : TComponent(AOwner), FFont(CreateOwned<TFont>()) {}

bool TkFontDialog::Execute()
{
    TOwned<TFontDialog> dialog(Create<TFontDialog>(nullptr));
    dialog->SetFont(FFont.get());
    if (!dialog->Execute()) return false;
    const TFont* chosen = dialog->Font();
    if (!SameText(chosen->Name(), FFont->Name())) FFont->SetCharset(chosen->Charset());
    FFont->SetColor(chosen->Color());
    FFont->SetName(chosen->Name());
    FFont->SetHeight(chosen->Height());
    FFont->SetStyle(chosen->Style());
    return true;
}

// ---------------------------------------------------------------------------
// Files
// ---------------------------------------------------------------------------

namespace {

String StartFolder(const String& DefaultDir) { return DefaultDir.empty() ? String(".") : DefaultDir; }

void SetUp(TFileDialog& Dialog, const TkFileDialogBase& From)
{
    Dialog.SetFileName(From.FileName());
    Dialog.SetFilter(From.Filter());
    Dialog.SetDefaultExt(From.DefaultExt());
    Dialog.SetInitialDir(StartFolder(From.DefaultDir()));
}

}  // namespace

TClass TkFileDialogBase::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkFileDialogBase, TComponent>("TkFileDialogBase").Build();
    return &info;
}

TClass TkOpenDialog::StaticClassInfo()
{
    using C = TkOpenDialog;
    static const TClassInfo info = TClassBuilder<C, TkFileDialogBase>("TkOpenDialog")
                                       .String("FileName", &C::FileName, &C::SetFileName).Default(String())
                                       .String("Filter", &C::Filter, &C::SetFilter).Default(String())
                                       .String("DefaultExt", &C::DefaultExt, &C::SetDefaultExt).Default(String())
                                       .String("DefaultDir", &C::DefaultDir, &C::SetDefaultDir).Default(String())
                                       .Bool("FileMustExist", &C::FileMustExist, &C::SetFileMustExist)
                                       .Default(false)
                                       .Build();
    return &info;
}

TkOpenDialog::TkOpenDialog(TComponent* AOwner) : TkFileDialogBase(AOwner), FFiles(CreateOwned<TStringList>()) {}

TStrings* TkOpenDialog::Files() const { return FFiles.get(); }

bool TkOpenDialog::Execute()
{
    FFiles->Clear();
    if (!FindOwnerForm(this)) return false;
    TOwned<TOpenDialog> dialog(Create<TOpenDialog>(nullptr));
    SetUp(*dialog, *this);
    dialog->FileMustExist = FFileMustExist;
    dialog->AllowMultiSelect = AllowMultiSelect;
    if (!dialog->Execute()) return false;
    FFiles->Assign(dialog->Files());
    if (FFiles->Count() == 0) FFiles->Add(dialog->FileName());
    FFileName = FFiles->Strings(0);
    return true;
}

TClass TkSaveDialog::StaticClassInfo()
{
    using C = TkSaveDialog;
    static const TClassInfo info = TClassBuilder<C, TkFileDialogBase>("TkSaveDialog")
                                       .String("FileName", &C::FileName, &C::SetFileName).Default(String())
                                       .String("Filter", &C::Filter, &C::SetFilter).Default(String())
                                       .Integer("FilterIndex", &C::FilterIndex, &C::SetFilterIndex).Default(1)
                                       .String("DefaultExt", &C::DefaultExt, &C::SetDefaultExt).Default(String())
                                       .String("ReturnExt", &C::ReturnExt)
                                       .String("DefaultDir", &C::DefaultDir, &C::SetDefaultDir).Default(String())
                                       .Build();
    return &info;
}

bool TkSaveDialog::Execute()
{
    if (!FindOwnerForm(this)) return false;
    TOwned<TSaveDialog> dialog(Create<TSaveDialog>(nullptr));
    SetUp(*dialog, *this);
    dialog->SetFilterIndex(FFilterIndex);
    if (!dialog->Execute()) return false;
    FFilterIndex = dialog->FilterIndex();
    FReturnExt = kFilterExtension(FFilter, FFilterIndex);
    FFileName = kApplyFilterExtension(dialog->FileName(), FReturnExt);
    return true;
}

void kDialogsInitialization()
{
    RegisterClasses({TkColorDialog::StaticClassInfo(), TkFontDialog::StaticClassInfo(),
                     TkOpenDialog::StaticClassInfo(), TkSaveDialog::StaticClassInfo()});
}
