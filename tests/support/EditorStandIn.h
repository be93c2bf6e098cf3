#pragma once
// A plot editor dialog without controls: the page logic and the editor
// session's link as the real dialog has them, over stand-in fields and
// lists that record what was done to them. Made by the editor session like
// the real dialog once MakeStandInEditors is set up.

#include <array>
#include <map>
#include <vector>

#include "components/editor/kPlotEditorLinkedForm.h"
#include "support/EditorFieldsStandIn.h"

namespace EditorTest {

class TStandInList : public TkPlotEditorObjectList {
public:
    Integer ItemIndex() const override { return FIndex; }
    void SetItemIndex(Integer Value) override { FIndex = Value >= 0 && Value < Count() ? Value : -1; }
    Integer Count() const override { return static_cast<Integer>(Rows.size()); }
    TkPlotObject* Object(Integer Index) const override { return Rows.at(static_cast<std::size_t>(Index)); }
    // Rows keep their objects only; the dialog's list boxes show the names.
    void AddObject(const String&, TkPlotObject* AObject) override { Rows.push_back(AObject); }
    void SetName(Integer, const String&) override {}
    void Clear() override
    {
        Rows.clear();
        FIndex = -1;
    }
    void DeleteObjectIndex(TkPlotObject* AObject) override
    {
        const Integer row = IndexOfObject(AObject);
        if (row < 0) return;
        Rows.erase(Rows.begin() + row);
        KeepSelection(row);
    }
    void DeleteSelectedObject() override
    {
        const Integer row = FIndex;
        if (row < 0) return;
        TkPlotObject* object = Rows[static_cast<std::size_t>(row)];
        Rows.erase(Rows.begin() + row);
        KeepSelection(row);
        Free(object);
    }
    void Repaint() override { ++Repaints; }

    std::vector<TkPlotObject*> Rows;
    Integer Repaints = 0;

private:
    void KeepSelection(Integer Row) { FIndex = Count() == 0 ? -1 : std::min(Row, Count() - 1); }
    Integer FIndex = -1;
};

class TStandInEditor : public TkPlotEditorLinkedForm<TForm> {
public:
    using TkPlotEditorLinkedForm::TkPlotEditorLinkedForm;

    // --- the fields ----------------------------------------------------------------------
    TStandInFields Store;
    TStandInField& Field(const String& Name) { return Store.Field(Name); }
    std::vector<String> ItemsOf(const String& Name) { return Store.ItemsOf(Name); }
    TkPlotEditorTextField& TextField(const String& Name) override { return Store.TextField(Name); }
    TkPlotEditorCheckField& CheckField(const String& Name) override { return Store.CheckField(Name); }
    TkPlotEditorChoiceField& ChoiceField(const String& Name) override { return Store.ChoiceField(Name); }
    TkPlotEditorColorField& ColorField(const String& Name) override { return Store.ColorField(Name); }
    TkPlotEditorFontField& FontField(const String& Name) override { return Store.FontField(Name); }

    // --- what was done to the dialog -----------------------------------------------------
    std::array<TStandInList, PlotObjectKindCount> Lists;
    std::map<String, bool> PrefixEnabled;
    std::map<String, bool> ControlEnabled;
    std::map<String, bool> ControlVisible;
    std::map<String, String> Captions;
    std::map<String, String> FileNames;
    TkPlotObjectKind ShownPage = kpokNone;

    TkPlotEditorObjectList& List(TkPlotObjectKind Kind) override { return Lists.at(Kind); }
    void EnableControls(const String& Prefix, bool Enable) override { PrefixEnabled[Prefix] = Enable; }
    void SetControlEnabled(const String& Name, bool Enable) override { ControlEnabled[Name] = Enable; }
    void SetControlVisible(const String& Name, bool Visible) override { ControlVisible[Name] = Visible; }
    void SetCaption(const String& Name, const String& Text) override { Captions[Name] = Text; }
    void SetFileName(const String& Picker, const String& FileName) override { FileNames[Picker] = FileName; }
    void ShowKindPage(TkPlotObjectKind Kind) override { ShownPage = Kind; }
    TkPlotEditorPageIndexes PageIndexes() const override { return {}; }
    void SetPageIndexes(const TkPlotEditorPageIndexes&) override {}
};

// The editor sessions make stand-in editors; Last is the latest one.
struct TStandInEditors {
    TStandInEditors()
    {
        SetPlotEditorFormMaker([this](TComponent* Plot, TkPlotMasterManagerCustom*) -> TkPlotEditorFormLink* {
            Last = Create<TStandInEditor>(Plot, dynamic_cast<TkPlotComponent&>(*Plot));
            return Last;
        });
    }
    ~TStandInEditors() { SetPlotEditorFormMaker(nullptr); }
    TStandInEditors(const TStandInEditors&) = delete;
    TStandInEditors& operator=(const TStandInEditors&) = delete;

    TStandInEditor* Last = nullptr;
};

}  // namespace EditorTest
