#include "components/editor/kPlotEditorKitFields.h"

#include "components/editor/kEditorControls.h"
#include "components/editor/kEditorEdit.h"
#include "components/editor/kEditorPickers.h"

namespace {

template <class Control, class Field>
class TAdapter : public TkPlotEditorKitField, public Field {
public:
    explicit TAdapter(Control& AControl) : FControl(AControl) {}

protected:
    Control& FControl;
};

class TEditField final : public TAdapter<TkComponentEditorEdit, TkPlotEditorTextField> {
public:
    using TAdapter::TAdapter;
    String Text() const override { return FControl.AsString(); }
    void SetText(const String& Value) override { FControl.SetAsString(Value); }
};

class TCheckField final : public TAdapter<TkComponentEditorCheckBox, TkPlotEditorCheckField> {
public:
    using TAdapter::TAdapter;
    bool Checked() const override { return FControl.AsBoolean(); }
    void SetChecked(bool Value) override { FControl.SetAsBoolean(Value); }
};

class TComboField final : public TAdapter<TkComponentEditorComboBox, TkPlotEditorChoiceField> {
public:
    using TAdapter::TAdapter;
    String Text() const override { return FControl.AsString(); }
    void SetText(const String& Value) override { FControl.SetAsString(Value); }
    Integer ItemIndex() const override { return FControl.AsInteger(); }
    void SetItemIndex(Integer Value) override { FControl.SetAsInteger(Value); }
    TStrings& Items() override { return *FControl.Items(); }
};

// A radio group's text is its chosen item's.
class TRadioField final : public TAdapter<TkComponentEditorRadioGroup, TkPlotEditorChoiceField> {
public:
    using TAdapter::TAdapter;
    String Text() const override
    {
        const Integer index = FControl.AsInteger();
        return index >= 0 && index < FControl.Items()->Count() ? FControl.Items()->Strings(index) : String();
    }
    void SetText(const String& Value) override { FControl.SetAsInteger(FControl.Items()->IndexOf(Value)); }
    Integer ItemIndex() const override { return FControl.AsInteger(); }
    void SetItemIndex(Integer Value) override { FControl.SetAsInteger(Value); }
    TStrings& Items() override { return *FControl.Items(); }
};

class TColorField final : public TAdapter<TkComponentEditorColorPicker, TkPlotEditorColorField> {
public:
    using TAdapter::TAdapter;
    TColor Color() const override { return FControl.Color(); }
    void SetColor(TColor Value) override { FControl.SetColor(Value); }
};

class TFontField final : public TAdapter<TkComponentEditorFontPicker, TkPlotEditorFontField> {
public:
    using TAdapter::TAdapter;
    TFont& Font() override { return *FControl.Font(); }
};

template <class Adapter, class Control>
std::unique_ptr<TkPlotEditorKitField> Make(TComponent* AControl)
{
    auto* control = dynamic_cast<Control*>(AControl);
    return control ? std::make_unique<Adapter>(*control) : nullptr;
}

}  // namespace

std::unique_ptr<TkPlotEditorKitField> MakeKitTextField(TComponent* Control)
{
    return Make<TEditField, TkComponentEditorEdit>(Control);
}

std::unique_ptr<TkPlotEditorKitField> MakeKitCheckField(TComponent* Control)
{
    return Make<TCheckField, TkComponentEditorCheckBox>(Control);
}

std::unique_ptr<TkPlotEditorKitField> MakeKitChoiceField(TComponent* Control)
{
    if (auto field = Make<TComboField, TkComponentEditorComboBox>(Control)) return field;
    return Make<TRadioField, TkComponentEditorRadioGroup>(Control);
}

std::unique_ptr<TkPlotEditorKitField> MakeKitColorField(TComponent* Control)
{
    return Make<TColorField, TkComponentEditorColorPicker>(Control);
}

std::unique_ptr<TkPlotEditorKitField> MakeKitFontField(TComponent* Control)
{
    return Make<TFontField, TkComponentEditorFontPicker>(Control);
}
