#pragma once
// Loads the controls of an editor page from an object's published
// properties and writes them back, row by row as the page's table says.
//
// Rows whose property the object does not publish are passed over both
// ways: a page serves every class of its kind (the fill and bar rows of the
// channel page belong to the full channel class only).
//
// Writing is all or nothing as far as the controls go: every row is read
// and checked before the first property is set, so a number outside its
// property's range raises EConvertError naming the property and leaves the
// object as it was. A number field that holds no number (emptied, or
// letters, or a fraction where a whole number goes) writes 0.

#include <unordered_map>

#include "components/editor/kPlotEditorFields.h"
#include "components/editor/kPlotEditorPages.h"

class TkPlotMasterManagerCustom;

class TkPlotEditorBinder {
public:
    // The special items of name combo boxes are shown through Master's
    // translation table; their names come from Master's objects.
    TkPlotEditorBinder(TkPlotEditorFields& Fields, const TkPlotMasterManagerCustom& Master);

    // Refills the page's name combo boxes with the plot's names in manager
    // order, each keeping its chosen text (none when it is gone); a combo
    // that chose Renamed's old name chooses its new one.
    void RefillNameChoices(const TkPlotEditorPage& Page, const TkPlotObject* Renamed = nullptr);
    // An object on its way out, whose name is offered no more (nullptr for
    // none).
    void SetLeavingObject(const TkPlotObject* AObject) { FLeaving = AObject; }
    // Refills the name combos, then sets every control from Object.
    void Load(const TkPlotEditorPage& Page, TObject* Object);
    // Writes every row whose control holds a value, in row order. Skipped:
    // a float edit whose text is still the text it was loaded with (the
    // text rounds the value, and the object may have moved on since), a
    // style combo or radio group with no item chosen (or one past the
    // enumeration), and a name combo with neither a choice nor text.
    void Write(const TkPlotEditorPage& Page, TObject* Object);

private:
    void LoadRow(const TkPlotEditorRow& Row, PPropInfo Prop, TObject* Object);
    // The value a row's control holds for Prop; empty when the row is to be
    // left alone. Raises EConvertError for a number that Prop cannot hold.
    TValue RowValue(const TkPlotEditorRow& Row, PPropInfo Prop);
    TValue EditValue(const TkPlotEditorRow& Row, PPropInfo Prop);
    TValue ChoiceValue(const TkPlotEditorRow& Row, PPropInfo Prop);
    TValue NameValue(const TkPlotEditorRow& Row);
    void RefillNames(const TkPlotEditorRow& Row, const TkPlotObject* Renamed);
    Integer NameIndex(const TkPlotEditorRow& Row, const String& Name);
    String Translated(const String& Canonical) const;

    TkPlotEditorFields& FFields;
    const TkPlotMasterManagerCustom& FMaster;
    const TkPlotObject* FLeaving = nullptr;
    // The text each float edit was last loaded with.
    std::unordered_map<String, String> FLoadedFloats;
};
