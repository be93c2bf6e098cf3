#pragma once
// The controls of an editor page without a window: every field the binder
// asks for is made on first use and keeps what it was last given, as a
// control would, so that tests can read what a page load showed and type
// into it before a write.

#include <map>
#include <memory>
#include <vector>

#include "components/editor/kPlotEditorFields.h"
#include "platform/Classes.h"
#include "platform/SysUtils.h"

namespace EditorTest {

class TStandInField : public TkPlotEditorChoiceField,
                      public TkPlotEditorCheckField,
                      public TkPlotEditorColorField,
                      public TkPlotEditorFontField {
public:
    String Text() const override { return FText; }
    void SetText(const String& Value) override { FText = Value; }
    // Like a combo box: choosing an item shows its text.
    Integer ItemIndex() const override { return FItemIndex; }
    void SetItemIndex(Integer Value) override
    {
        FItemIndex = Value >= 0 && Value < FItems.Count() ? Value : -1;
        FText = FItemIndex >= 0 ? FItems.Strings(FItemIndex) : String();
    }
    TStrings& Items() override { return FItems; }
    bool Checked() const override { return FChecked; }
    void SetChecked(bool Value) override { FChecked = Value; }
    TColor Color() const override { return FColor; }
    void SetColor(TColor Value) override { FColor = Value; }
    TFont& Font() override { return *FFont; }

private:
    String FText;
    Integer FItemIndex = -1;
    TStringList FItems;
    bool FChecked = false;
    TColor FColor = clBlack;
    TOwned<TFont> FFont = CreateOwned<TFont>();
};

class TStandInFields : public TkPlotEditorFields {
public:
    TkPlotEditorTextField& TextField(const String& Name) override { return Field(Name); }
    TkPlotEditorCheckField& CheckField(const String& Name) override { return Field(Name); }
    // A new radio group or style combo box lists enough items for every
    // ordinal, as the form data does.
    TkPlotEditorChoiceField& ChoiceField(const String& Name) override
    {
        TStandInField& field = Field(Name);
        if (field.Items().Count() == 0)
            for (Integer i = 0; i < StyleItemCount; ++i) field.Items().Add("Item " + IntToStr(i));
        return field;
    }

    std::vector<String> ItemsOf(const String& Name)
    {
        TStrings& items = Field(Name).Items();
        std::vector<String> result;
        for (Integer i = 0; i < items.Count(); ++i) result.push_back(items.Strings(i));
        return result;
    }
    TkPlotEditorColorField& ColorField(const String& Name) override { return Field(Name); }
    TkPlotEditorFontField& FontField(const String& Name) override { return Field(Name); }

    TStandInField& Field(const String& Name)
    {
        std::unique_ptr<TStandInField>& field = FFields[UpperCase(Name)];
        if (!field) field = std::make_unique<TStandInField>();
        return *field;
    }

    // Items a new choice field starts with, enough for every enumeration.
    Integer StyleItemCount = 64;

private:
    std::map<String, std::unique_ptr<TStandInField>> FFields;
};

}  // namespace EditorTest
