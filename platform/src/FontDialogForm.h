#pragma once
// The layer's font dialog: the faces the system has, the four styles, the
// size in points, the effects (strike-out, underline, colour) and a sample
// of the result. Its layout is form data
// (platform/resources/TFontDialogForm.txt); tests reach its controls by
// their names through a modal answer (platform/Testing.h).

#include <vector>

#include "platform/Forms.h"

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TListBox;
class TPanel;

class TFontDialogForm : public TForm {
    PL_CLASSINFO()
public:
    explicit TFontDialogForm(TComponent* AOwner);
    void AfterConstruction() override;

    // Shows Font: its face, style, size, effects and colour.
    void Start(TFont* Font);
    // The font given to Start with the user's choices, and nothing else,
    // changed: what the user left alone keeps its exact value (a cell
    // height, a system colour, the character set).
    TFont* Chosen() const { return FChosen.get(); }

    TEdit* FaceEdit = nullptr;
    TListBox* FaceList = nullptr;
    TEdit* StyleEdit = nullptr;
    TListBox* StyleList = nullptr;
    TEdit* SizeEdit = nullptr;
    TListBox* SizeList = nullptr;
    TCheckBox* StrikeOutCheckBox = nullptr;
    TCheckBox* UnderlineCheckBox = nullptr;
    TComboBox* ColorComboBox = nullptr;
    TPanel* SamplePanel = nullptr;
    TButton* OkButton = nullptr;
    TButton* CancelButton = nullptr;

private:
    void FaceEditChange(TObject* Sender);
    void FaceListClick(TObject* Sender);
    void StyleEditChange(TObject* Sender);
    void StyleListClick(TObject* Sender);
    void SizeEditChange(TObject* Sender);
    void SizeListClick(TObject* Sender);
    void EffectClick(TObject* Sender);
    void ColorComboBoxChange(TObject* Sender);
    void OkButtonClick(TObject* Sender);

    void FillFaces(const String& Given);
    void FillColors(TColor Given);
    // Adds or replaces the row of a colour that has no name, and chooses it.
    void ChooseCustomColor(TColor Color);
    void ShowSwatches();
    void ApplyFace(const String& Face);
    void ApplySize();
    void UpdateSample();
    // A choice the font cannot take: says why and puts the focus on it.
    void Refuse(TEdit* Edit, const String& Why);

    TOwned<TFont> FGiven;
    TOwned<TFont> FChosen;
    // The size shown at the start: left as it is, the height stays exact.
    String FGivenSize;
    // The colour of each row of the colour list but the last, which asks
    // for a colour of the user's own.
    std::vector<TColor> FColors;
    Integer FColorRow = -1;
    bool FFilling = false;
};

// Shows the dialog on Font; on OK Font takes the choices and true returns.
bool RunFontDialogForm(TFont* Font);
