#include "FontDialogForm.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "ControlHost.h"
#include "GraphicsFonts.h"
#include "QtGraphics.h"
#include "platform/CommonDialogs.h"
#include "platform/Dialogs.h"
#include "platform/ExtCtrls.h"
#include "platform/ListBox.h"
#include "platform/Math.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

namespace {

// Perceived brightness, 0 (black) to 255 (white).
Integer Brightness(TColor Color)
{
    const TColor rgb = ColorToRGB(Color);
    return (299 * (rgb & 0xFF) + 587 * ((rgb >> 8) & 0xFF) + 114 * ((rgb >> 16) & 0xFF)) / 1000;
}

// The largest size the layer draws, in points.
constexpr Double kMaxPoints = kMaxFontPixels * 72.0 / TFont::PixelsPerInch;

struct TNamedColor {
    TColor Color;
    const char* Name;
};

constexpr TNamedColor kNamedColors[] = {
    {clBlack, "Noir"},       {clMaroon, "Bordeaux"},   {clGreen, "Vert"},
    {clOlive, "Olive"},      {clNavy, "Bleu marine"},  {clPurple, "Violet"},
    {clTeal, "Sarcelle"},    {clGray, "Gris"},         {clSilver, "Argent"},
    {clRed, "Rouge"},        {clLime, "Vert vif"},     {clYellow, "Jaune"},
    {clBlue, "Bleu"},        {clFuchsia, "Fuchsia"},   {clAqua, "Cyan"},
    {clWhite, "Blanc"},      {clWindowText, "Texte de fenêtre"},
};
constexpr char kCustomColor[] = "Personnalisée";
constexpr char kOtherColor[] = "Autre couleur…";

// The first row that begins with Text, ignoring case; -1 for none.
Integer PrefixRow(TStrings* Items, const String& Text)
{
    if (Text.empty()) return -1;
    const String folded = AnsiCaseFold(Text);
    for (Integer i = 0; i < Items->Count(); ++i)
        if (AnsiCaseFold(Items->Strings(i)).starts_with(folded)) return i;
    return -1;
}

// The row that reads Text, ignoring case; -1 for none.
Integer ExactRow(TStrings* Items, const String& Text)
{
    const String trimmed = Trim(Text);
    for (Integer i = 0; i < Items->Count(); ++i)
        if (AnsiSameText(Items->Strings(i), trimmed)) return i;
    return -1;
}

// The edit above a list follows what is typed into it: the list shows the
// first row that begins with the text.
void FollowEdit(TEdit* Edit, TListBox* List)
{
    const Integer row = PrefixRow(List->Items(), Trim(Edit->Text()));
    if (row >= 0) List->SetItemIndex(row);
}

// A row chosen in the list goes into the edit above it, which applies it.
void ShowChosenRow(TListBox* List, TEdit* Edit)
{
    if (List->ItemIndex() >= 0) Edit->SetText(List->Items()->Strings(List->ItemIndex()));
}

// Up, Down, Page Up and Page Down in the edit move through its list, as
// though the list had the focus.
void StepFromEdit(TEdit* Edit, TListBox* List, Word& Key)
{
    const Integer page = Max(List->ClientHeight() / List->ItemHeight() - 1, 1);
    Integer step = 0;
    switch (Key) {
        case VK_UP: step = -1; break;
        case VK_DOWN: step = 1; break;
        case VK_PRIOR: step = -page; break;
        case VK_NEXT: step = page; break;
        default: return;
    }
    Key = 0;
    if (List->Count() == 0) return;
    const Integer row = EnsureRange(List->ItemIndex() + step, 0, List->Count() - 1);
    List->SetItemIndex(row);
    Edit->SetText(List->Items()->Strings(row));
    Edit->SelectAll();
}

enum class TSizeText { Valid, NotANumber, OutOfRange };

// The pixel height of a size typed in points ("10", "10.5" or "10,5").
TSizeText ReadSize(const String& Text, Integer& Pixels)
{
    String number = Trim(Text);
    std::replace(number.begin(), number.end(), ',', '.');
    TFormatSettings settings = FormatSettings;
    settings.DecimalSeparator = '.';
    Double points = 0;
    if (!TryStrToFloat(number, points, settings)) return TSizeText::NotANumber;
    if (!(points >= 1 && points <= kMaxPoints)) return TSizeText::OutOfRange;
    Pixels = static_cast<Integer>(Round(points * TFont::PixelsPerInch / 72));
    return TSizeText::Valid;
}

// Points as the font's own size shows them; a cell height is first turned
// into the character height it gives. A height the layer cannot draw shows
// as no size.
String SizeTextOf(const TFont& Font)
{
    const Int64 pixels = CharacterPixels(Font);
    if (pixels < 1 || pixels > kMaxFontPixels) return String();
    return IntToStr(MulDiv(static_cast<Integer>(pixels), 72, TFont::PixelsPerInch));
}

// Symbol faces carry their own character set; a text face keeps the one
// given unless that was a symbol set.
TFontCharset CharsetForFace(const String& Face, TFontCharset Given)
{
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(QString::fromStdString(Face));
    if (systems.contains(QFontDatabase::Symbol) && !systems.contains(QFontDatabase::Latin)) return SYMBOL_CHARSET;
    return Given == SYMBOL_CHARSET ? DEFAULT_CHARSET : Given;
}

TFontStyles StyleOfRow(Integer Row, TFontStyles Effects)
{
    TFontStyles style = Effects * TFontStyles{fsUnderline, fsStrikeOut};
    if (Row >= 2) style.Include(fsBold);
    if (Row % 2 == 1) style.Include(fsItalic);
    return style;
}

Integer RowOfStyle(TFontStyles Style) { return (Style.Contains(fsBold) ? 2 : 0) + (Style.Contains(fsItalic) ? 1 : 0); }

QComboBox* ComboWidget(TComboBox* Combo) { return qobject_cast<QComboBox*>(Combo->Host().Widget.data()); }

}  // namespace

TClass TFontDialogForm::StaticClassInfo()
{
    using C = TFontDialogForm;
    static const TClassInfo info = TClassBuilder<C, TForm>("TFontDialogForm")
                                       .Field("FaceEdit", &C::FaceEdit)
                                       .Field("FaceList", &C::FaceList)
                                       .Field("StyleEdit", &C::StyleEdit)
                                       .Field("StyleList", &C::StyleList)
                                       .Field("SizeEdit", &C::SizeEdit)
                                       .Field("SizeList", &C::SizeList)
                                       .Field("StrikeOutCheckBox", &C::StrikeOutCheckBox)
                                       .Field("UnderlineCheckBox", &C::UnderlineCheckBox)
                                       .Field("ColorComboBox", &C::ColorComboBox)
                                       .Field("SamplePanel", &C::SamplePanel)
                                       .Field("OkButton", &C::OkButton)
                                       .Field("CancelButton", &C::CancelButton)
                                       .Method<TNotifyEvent>("FaceEditChange", &C::FaceEditChange)
                                       .Method<TNotifyEvent>("FaceListClick", &C::FaceListClick)
                                       .Method<TNotifyEvent>("StyleEditChange", &C::StyleEditChange)
                                       .Method<TNotifyEvent>("StyleListClick", &C::StyleListClick)
                                       .Method<TNotifyEvent>("SizeEditChange", &C::SizeEditChange)
                                       .Method<TNotifyEvent>("SizeListClick", &C::SizeListClick)
                                       .Method<TNotifyEvent>("EffectClick", &C::EffectClick)
                                       .Method<TNotifyEvent>("ColorComboBoxChange", &C::ColorComboBoxChange)
                                       .Method<TNotifyEvent>("OkButtonClick", &C::OkButtonClick)
                                       .Build();
    return &info;
}

TFontDialogForm::TFontDialogForm(TComponent* AOwner)
    : TForm(AOwner), FGiven(CreateOwned<TFont>()), FChosen(CreateOwned<TFont>())
{
}

void TFontDialogForm::AfterConstruction()
{
    TForm::AfterConstruction();
    // Each edit works its list as though the two were one control: the
    // arrow and page keys move through the rows, and the wheel (which goes
    // to the focused control) scrolls them.
    for (const auto& pair : {std::pair{FaceEdit, FaceList}, std::pair{StyleEdit, StyleList},
                             std::pair{SizeEdit, SizeList}}) {
        TEdit* edit = pair.first;
        TListBox* list = pair.second;
        edit->OnKeyDown = [edit, list](TObject*, Word& Key, TShiftState) { StepFromEdit(edit, list, Key); };
        edit->OnMouseWheel = [list](TObject*, TShiftState Shift, Integer Delta, TPoint Pos, bool& Handled) {
            Handled = list->DoMouseWheel(Shift, Delta, Pos);
        };
    }
}

void TFontDialogForm::Start(TFont* Font)
{
    TFlagScope filling(FFilling);
    FGiven->Assign(Font);
    FChosen->Assign(Font);
    FillFaces(Font->Name());
    FaceEdit->SetText(Font->Name());
    FaceList->SetItemIndex(ExactRow(FaceList->Items(), Font->Name()));
    const Integer styleRow = RowOfStyle(Font->Style());
    StyleEdit->SetText(StyleList->Items()->Strings(styleRow));
    StyleList->SetItemIndex(styleRow);
    FGivenSize = SizeTextOf(*Font);
    SizeEdit->SetText(FGivenSize);
    SizeList->SetItemIndex(ExactRow(SizeList->Items(), FGivenSize));
    StrikeOutCheckBox->SetChecked(Font->Style().Contains(fsStrikeOut));
    UnderlineCheckBox->SetChecked(Font->Style().Contains(fsUnderline));
    FillColors(Font->Color());
    UpdateSample();
}

// ---- Lists ----

void TFontDialogForm::FillFaces(const String& Given)
{
    // The faces the system has and those the layer draws with another
    // (Arial); a face it does not know at all is still the font's face,
    // listed so that it can be chosen back.
    QStringList families = QFontDatabase::families();
    families.removeIf([](const QString& Family) { return QFontDatabase::isPrivateFamily(Family); });
    // Qt keeps the names it substitutes in lower case.
    for (QString substituted : QFont::substitutions()) {
        for (qsizetype i = 0; i < substituted.size(); ++i)
            if (i == 0 || substituted[i - 1] == ' ') substituted[i] = substituted[i].toUpper();
        if (!families.contains(substituted, Qt::CaseInsensitive)) families << substituted;
    }
    // A family that several foundries make comes once, by the name a
    // configuration file can carry to another machine.
    std::vector<String> faces;
    for (const QString& family : families) faces.push_back(PlainFamilyName(family.toStdString()));
    if (!Given.empty()) faces.push_back(Given);
    std::sort(faces.begin(), faces.end(), [](const String& A, const String& B) { return AnsiCompareText(A, B) < 0; });
    faces.erase(std::unique(faces.begin(), faces.end(), AnsiSameText), faces.end());
    TStrings* items = FaceList->Items();
    items->BeginUpdate();
    items->Clear();
    for (const String& face : faces) items->Add(face);
    items->EndUpdate();
}

void TFontDialogForm::FillColors(TColor Given)
{
    FColors.clear();
    TStrings* items = ColorComboBox->Items();
    items->BeginUpdate();
    items->Clear();
    for (const TNamedColor& named : kNamedColors) {
        FColors.push_back(named.Color);
        items->Add(named.Name);
    }
    items->Add(kOtherColor);
    items->EndUpdate();
    const auto known = std::find(FColors.begin(), FColors.end(), Given);
    if (known == FColors.end()) {
        ChooseCustomColor(Given);
        return;
    }
    FColorRow = static_cast<Integer>(known - FColors.begin());
    ColorComboBox->SetItemIndex(FColorRow);
    ShowSwatches();
}

void TFontDialogForm::ChooseCustomColor(TColor Color)
{
    TStrings* items = ColorComboBox->Items();
    const Integer named = static_cast<Integer>(std::size(kNamedColors));
    if (static_cast<Integer>(FColors.size()) > named) {
        FColors[size_t(named)] = Color;
    } else {
        FColors.push_back(Color);
        items->Insert(named, kCustomColor);
    }
    FColorRow = named;
    ColorComboBox->SetItemIndex(FColorRow);
    ShowSwatches();
}

void TFontDialogForm::ShowSwatches()
{
    QComboBox* combo = ComboWidget(ColorComboBox);
    if (!combo) return;
    const QSize size = combo->iconSize();
    for (int i = 0; i < combo->count(); ++i) {
        QPixmap swatch(size);
        swatch.fill(Qt::transparent);
        // The last row has an empty place, so that its text lines up.
        if (size_t(i) < FColors.size()) {
            QPainter painter(&swatch);
            const QRect box(0, 2, size.width() - 1, size.height() - 5);
            painter.fillRect(box, ToQColor(FColors[size_t(i)]));
            painter.setPen(QColor(Qt::darkGray));
            painter.drawRect(box);
        }
        combo->setItemIcon(i, QIcon(swatch));
    }
}

// ---- Choices ----

void TFontDialogForm::FaceEditChange(TObject*)
{
    if (FFilling) return;
    FollowEdit(FaceEdit, FaceList);
    if (const Integer row = ExactRow(FaceList->Items(), FaceEdit->Text()); row >= 0)
        ApplyFace(FaceList->Items()->Strings(row));
}

void TFontDialogForm::FaceListClick(TObject*) { ShowChosenRow(FaceList, FaceEdit); }

void TFontDialogForm::ApplyFace(const String& Face)
{
    // Back on the face given, the font is as given: spelling and set.
    const bool given = AnsiSameText(Face, FGiven->Name());
    FChosen->SetName(given ? FGiven->Name() : Face);
    FChosen->SetCharset(given ? FGiven->Charset() : CharsetForFace(Face, FGiven->Charset()));
    UpdateSample();
}

void TFontDialogForm::StyleEditChange(TObject*)
{
    if (FFilling) return;
    FollowEdit(StyleEdit, StyleList);
    if (const Integer row = ExactRow(StyleList->Items(), StyleEdit->Text()); row >= 0) {
        FChosen->SetStyle(StyleOfRow(row, FChosen->Style()));
        UpdateSample();
    }
}

void TFontDialogForm::StyleListClick(TObject*) { ShowChosenRow(StyleList, StyleEdit); }

void TFontDialogForm::SizeEditChange(TObject*)
{
    if (FFilling) return;
    SizeList->SetItemIndex(ExactRow(SizeList->Items(), SizeEdit->Text()));
    ApplySize();
}

void TFontDialogForm::SizeListClick(TObject*) { ShowChosenRow(SizeList, SizeEdit); }

void TFontDialogForm::ApplySize()
{
    // The size shown at the start may be a rounding of the height given.
    if (Trim(SizeEdit->Text()) == FGivenSize) {
        FChosen->SetHeight(FGiven->Height());
    } else {
        Integer pixels = 0;
        if (ReadSize(SizeEdit->Text(), pixels) != TSizeText::Valid) return;
        FChosen->SetHeight(-pixels);
    }
    UpdateSample();
}

void TFontDialogForm::EffectClick(TObject*)
{
    if (FFilling) return;
    TFontStyles style = FChosen->Style() - TFontStyles{fsUnderline, fsStrikeOut};
    if (UnderlineCheckBox->Checked()) style.Include(fsUnderline);
    if (StrikeOutCheckBox->Checked()) style.Include(fsStrikeOut);
    FChosen->SetStyle(style);
    UpdateSample();
}

void TFontDialogForm::ColorComboBoxChange(TObject*)
{
    const Integer row = ColorComboBox->ItemIndex();
    if (row < 0) return;
    if (row < static_cast<Integer>(FColors.size())) {
        FColorRow = row;
    } else {
        // The last row asks the colour dialog for a colour of the user's own.
        TOwned<TColorDialog> dialog(Create<TColorDialog>(nullptr));
        dialog->SetColor(ColorToRGB(FChosen->Color()));
        if (dialog->Execute())
            ChooseCustomColor(dialog->Color());
        else
            ColorComboBox->SetItemIndex(FColorRow);
    }
    FChosen->SetColor(FColors[size_t(FColorRow)]);
    UpdateSample();
}

void TFontDialogForm::UpdateSample()
{
    SamplePanel->Font()->Assign(FChosen.get());
    // The sample reads across, whatever way the font turns its text.
    SamplePanel->Font()->SetOrientation(0);
    // A text as light as the dialog (white titles on a dark plot) would
    // vanish on it: such a sample stands on black.
    SamplePanel->SetColor(Brightness(FChosen->Color()) > 160 ? clBlack : clBtnFace);
}

// ---- Confirmation ----

void TFontDialogForm::OkButtonClick(TObject*)
{
    // The face given, even none, stands as it is.
    const bool givenFace = Trim(FaceEdit->Text()) == Trim(FGiven->Name());
    if (!givenFace && ExactRow(FaceList->Items(), FaceEdit->Text()) < 0)
        return Refuse(FaceEdit, "Aucune police ne porte ce nom.\nChoisissez une police de la liste.");
    if (ExactRow(StyleList->Items(), StyleEdit->Text()) < 0)
        return Refuse(StyleEdit, "Aucun style ne porte ce nom.\nChoisissez un style de la liste.");
    Integer pixels = 0;
    if (Trim(SizeEdit->Text()) != FGivenSize) {
        switch (ReadSize(SizeEdit->Text(), pixels)) {
            case TSizeText::NotANumber: return Refuse(SizeEdit, "La taille doit être un nombre.");
            case TSizeText::OutOfRange:
                return Refuse(SizeEdit, Format("La taille doit être comprise entre 1 et %d points.",
                                               static_cast<Integer>(kMaxPoints)));
            case TSizeText::Valid: break;
        }
    }
    SetModalResult(mrOk);
}

void TFontDialogForm::Refuse(TEdit* Edit, const String& Why)
{
    MessageDlg(Why, mtWarning, {mbOK});
    if (Edit->CanFocus()) Edit->SetFocus();
    Edit->SelectAll();
}

bool RunFontDialogForm(TFont* Font)
{
    TOwned<TFontDialogForm> form(Create<TFontDialogForm>(nullptr));
    form->Start(Font);
    if (form->ShowModal() != mrOk) return false;
    Font->Assign(form->Chosen());
    return true;
}
