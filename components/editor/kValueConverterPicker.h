#pragma once
// The "..." button beside a number edit that opens the value converter on
// the edit's value, or on DateTime when no edit is associated. A confirmed
// dialog puts its value into DateTime and into the edit as the user's
// change (OnUpdate and the editor form hear of it), then fires OnChange.

#include <functional>

#include "components/editor/kEditAssociate.h"
#include "components/editor/kEditorControls.h"
#include "components/editor/kValueConverter.h"

class TCustomForm;

// Translates the texts of a dialog the editor opens (the plot's table).
using TFormTranslationMethod = std::function<void(TCustomForm*)>;

class TkComponentEditorValueConverterPicker : public TkComponentEditorButton {
    PL_CLASSINFO()
public:
    explicit TkComponentEditorValueConverterPicker(TComponent* AOwner);

    TkComponentEditorEdit* Associate() const { return FAssociate.Edit(); }
    void SetAssociate(TkComponentEditorEdit* Value) { FAssociate.SetEdit(Value); }
    Double DateTime() const { return FDateTime; }
    void SetDateTime(Double Value) { FDateTime = Value; }
    TkValueConverterPageType DefaultPage() const { return FDefaultPage; }
    void SetDefaultPage(TkValueConverterPageType Value) { FDefaultPage = Value; }

    TFormTranslationMethod TranslationMethod;
    TNotifyEvent OnChange;

    // Runs the value converter.
    void Click() override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TkEditAssociate FAssociate{*this};
    Double FDateTime = 0.0;
    TkValueConverterPageType FDefaultPage = kvcptInterval;
};

void kValueConverterPickerInitialization();
