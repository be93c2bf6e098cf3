// Qt's own windows speak the program's French, as the system's would: its
// colour, file and print dialogs, and the menu a text field offers on a
// right click. Qt's French catalogue comes with qt6-translations-l10n,
// which scripts/install-deps.sh installs.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/CommonDialogs.h"
#include "platform/Memo.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"
#include "platform/Testing.h"
#include "support/ExceptionCatcher.h"
#include "support/ShownForm.h"

using namespace Testing;

namespace {

// Qt's English words for what its dialogs show; none may be left.
const std::vector<String> EnglishTexts = {
    "Cancel", "Open", "Save", "Save As", "Print", "Printer", "Properties", "Name:", "Location:",
    "Output file:", "Basic colors", "Custom colors", "Add to Custom Colors", "Pick Screen Color",
    "Select Color", "Hue:", "Red:", "Look in:", "File name:", "Files of type:", "Name", "Size",
    "Date Modified", "Computer", "Drive", "Folder", "Back", "Forward", "Parent Directory",
    "Create New Folder", "List View", "Detail View", "Print all", "Pages from", "Collate", "Reverse",
    "Color Mode", "Grayscale", "Double Sided Printing", "Off", "Long side binding",
};

struct DialogCase {
    const char* Kind;
    // Runs the dialog; the toolkit answer decides whether it is accepted.
    std::function<bool()> Execute;
    bool Accept;
    // Texts of Qt's French catalogue, and of our own where it has none.
    std::vector<String> French;
};

}  // namespace

TEST(ToolkitDialogTexts, TheColourFileAndPrintDialogsSpeakFrench)
{
    TOwned<TColorDialog> colour(Create<TColorDialog>(nullptr));
    colour->SetColor(0x123456);
    TOwned<TOpenDialog> open(Create<TOpenDialog>(nullptr));
    open->SetFilter("Bitmap|*.bmp");
    TOwned<TSaveDialog> save(Create<TSaveDialog>(nullptr));
    TOwned<TPrintDialog> print(Create<TPrintDialog>(nullptr));
    const DialogCase cases[] = {
        {"colour", [&] { return colour->Execute(); }, true,
         {"Sélectionner une couleur", "Couleurs de base", "Couleurs personnalisées",
          "Ajouter aux couleurs personnalisées", "Sélectionner une couleur à l'écran", "Annuler"}},
        {"open", [&] { return open->Execute(); }, false,
         {"Ouvrir", "Voir dans :", "Nom de fichier :", "Fichiers de type :", "Ordinateur", "Lecteur", "Annuler"}},
        {"save", [&] { return save->Execute(); }, false, {"Enregistrer sous", "Enregistrer", "Nom", "Taille"}},
        {"print", [&] { return print->Execute(); }, false,
         {"Imprimer", "Imprimante", "Propriétés", "Imprimer tout", "Impression recto-verso", "Reliure côté long",
          "Désactivée", "Annuler"}},
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.Kind);
        std::vector<String> shown;
        Answers::ToolkitDialog([&](const std::vector<String>& Texts) {
            for (const String& text : Texts) shown.push_back(StripHotkey(text));
            return c.Accept;
        });
        EXPECT_EQ(c.Execute(), c.Accept);
        ASSERT_FALSE(shown.empty()) << "the dialog never showed";
        auto holds = [&shown](const String& Text) {
            return std::find(shown.begin(), shown.end(), Text) != shown.end();
        };
        for (const String& text : c.French) EXPECT_TRUE(holds(text)) << "missing: " << text;
        for (const String& text : EnglishTexts) EXPECT_FALSE(holds(text)) << "in English: " << text;
    }
    // Accepted at once, the colour dialog gives back the colour it started from.
    EXPECT_EQ(colour->Color(), 0x123456);
    EXPECT_EQ(Answers::Pending(), 0);
}

using TextFieldMenuTest = ShownForm;

TEST_F(TextFieldMenuTest, EditsMemosAndComboBoxFieldsOfferTheirFrenchMenuUnlessTheyHaveTheirOwn)
{
    ExceptionCatcher errors;
    auto* combo = Add<TComboBox>(Form, 10, 100, 120, 21);
    const std::vector<TWinControl*> fields = {Add<TEdit>(Form, 10, 10, 120, 21), Add<TMemo>(Form, 10, 40, 120, 50),
                                             combo};
    for (TWinControl* field : fields) {
        SCOPED_TRACE(field->ClassName());
        field->SetFocus();
        Input::Type("abc");
        ChooseFromMenu(field, "Tout sélectionner");
        ChooseFromMenu(field, "Couper");
        EXPECT_EQ(field->Text(), "");
        ChooseFromMenu(field, "Coller");
        EXPECT_EQ(field->Text(), "abc");
        ChooseFromMenu(field, "Annuler");
        EXPECT_EQ(field->Text(), "");
        EXPECT_EQ(Answers::Pending(), 0);
    }
    // A menu of its own comes instead: a second menu would find no answer.
    auto* own = Create<TPopupMenu>(Form);
    auto* item = Create<TMenuItem>(Form);
    item->SetCaption("Effacer tout");
    own->Items()->Add(item);
    int clicks = 0;
    item->OnClick = [&](TObject*) { ++clicks; };
    combo->SetPopupMenu(own);
    ChooseFromMenu(combo, "Effacer tout");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(errors.Messages, std::vector<String>());
}
