#include "components/editor/kValueConverterPicker.h"

#include "components/editor/kValueConverterEditForm.h"

TClass TkComponentEditorValueConverterPicker::StaticClassInfo()
{
    using C = TkComponentEditorValueConverterPicker;
    static const TClassInfo info = TClassBuilder<C, TkComponentEditorButton>("TkComponentEditorValueConverterPicker")
                                       .Reference("Associate", &C::Associate, &C::SetAssociate)
                                       .Float("DateTime", &C::DateTime, &C::SetDateTime)
                                       .Enum("DefaultPage", &C::DefaultPage, &C::SetDefaultPage).Default(kvcptInterval)
                                       .Event("TranslationMethod", &C::TranslationMethod, &C::TranslationMethod)
                                       .Event("OnChange", &C::OnChange, &C::OnChange)
                                       .Build();
    return &info;
}

TkComponentEditorValueConverterPicker::TkComponentEditorValueConverterPicker(TComponent* AOwner)
    : TkComponentEditorButton(AOwner)
{
    SetCaption("...");
    SetBounds(0, 0, 21, 21);
    SetTabStop(true);
}

void TkComponentEditorValueConverterPicker::Click()
{
    TkComponentEditorButton::Click();
    Double value = Associate() ? Associate()->AsFloat() : FDateTime;
    std::function<void(TkValueConverterEditForm*)> translate;
    if (TranslationMethod) translate = [this](TkValueConverterEditForm* Form) { TranslationMethod(Form); };
    if (!TkValueConverterEditForm::Execute(this, FDefaultPage, value, translate)) return;
    FDateTime = value;
    if (Associate()) Associate()->SetDoubleWithEvent(value);
    if (OnChange) OnChange(this);
}

void TkComponentEditorValueConverterPicker::Notification(TComponent* AComponent, TOperation Operation)
{
    TkComponentEditorButton::Notification(AComponent, Operation);
    if (Operation == opRemove) FAssociate.Removed(AComponent);
}

void kValueConverterPickerInitialization()
{
    RegisterClasses({TkComponentEditorValueConverterPicker::StaticClassInfo()});
}
