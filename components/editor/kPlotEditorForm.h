#pragma once
// The property dialog of one plot: a page per kind of plot object, each
// with the list of that kind's objects and the controls of the selected
// one, and the general pages of the plot itself. Its form data lives in
// the program's resources; the plot's editor session makes, shows and
// frees it.

#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

#include "components/editor/kEditorForm.h"
#include "components/editor/kPlotEditorKitFields.h"
#include "components/editor/kPlotEditorLinkedForm.h"
#include "components/editor/kValueConverterPicker.h"

class TkComponentEditorListBox;
class TPageControl;

class TkPlotEditorForm : public TkPlotEditorLinkedForm<TkCustomEditorForm> {
    PL_CLASSINFO()
public:
    TkPlotEditorForm(TComponent* AOwner, TkPlotComponent& APlot);
    ~TkPlotEditorForm() override;
    // Reads the form data, indexes the controls, binds their events and
    // translates the captions (never what the controls hold).
    void AfterConstruction() override;

    // The owned component of that name (ignoring case), or nullptr.
    TComponent* Component(const String& Name) const;
    // Hands Method to every value converter picker of the form, so that the
    // converter dialogs they open are translated as the form is.
    void SetFormTranslationMethod(const TFormTranslationMethod& Method);

    // --- TkPlotEditorFields ----------------------------------------------------------------
    TkPlotEditorTextField& TextField(const String& Name) override;
    TkPlotEditorCheckField& CheckField(const String& Name) override;
    TkPlotEditorChoiceField& ChoiceField(const String& Name) override;
    TkPlotEditorColorField& ColorField(const String& Name) override;
    TkPlotEditorFontField& FontField(const String& Name) override;

    // --- TkPlotEditorSurface ---------------------------------------------------------------
    TkPlotEditorObjectList& List(TkPlotObjectKind Kind) override;
    void EnableControls(const String& Prefix, bool Enable) override;
    void SetControlEnabled(const String& Name, bool Enable) override;
    void SetControlVisible(const String& Name, bool Visible) override;
    void SetCaption(const String& Name, const String& Text) override;
    void SetFileName(const String& Picker, const String& FileName) override;
    void ShowKindPage(TkPlotObjectKind Kind) override;

    // --- TkPlotEditorFormLink ----------------------------------------------------------------
    TkPlotEditorPageIndexes PageIndexes() const override;
    void SetPageIndexes(const TkPlotEditorPageIndexes& Value) override;

private:
    class TListAdapter;
    using TMaker = std::unique_ptr<TkPlotEditorKitField> (*)(TComponent*);

    template <class Field>
    Field& FieldOf(const String& Name, TMaker Make);
    TComponent& Require(const String& Name) const;
    template <class T>
    T& Require(const String& Name) const;
    void IndexComponents();
    void BindPages();
    void BindButtons();
    void BindLayoutViewer();
    void BindLayoutMenu();
    // The components EnableControls(Prefix) switches, in component order.
    const std::vector<TComponent*>& PrefixedControls(const String& Prefix);

    std::unordered_map<String, TComponent*> FComponents;
    std::unordered_map<String, std::unique_ptr<TkPlotEditorKitField>> FFields;
    std::unordered_map<String, std::vector<TComponent*>> FPrefixed;
    std::array<std::unique_ptr<TListAdapter>, PlotObjectKindCount> FLists;
};

void kPlotEditorFormInitialization();
