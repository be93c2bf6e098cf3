#pragma once
// The editor forms' protocol. A form fills its controls from an object
// through event-free setters, so that a reload writes nothing back; every
// edit the user makes goes both to the control's own event and to the
// owning editor form's UserChange.

#include <utility>

#include "platform/Forms.h"

class TkCustomEditorForm : public TForm {
    PL_CLASSINFO()
public:
    using TForm::TForm;
    // A kit control on this form was changed by the user.
    virtual void UserChange() {}
};

// Calls UserChange of Control's owner when the owner is an editor form.
void kEditorUserChange(const TComponent* Control);

// Tab and Shift+Tab pressed on a kit control: the focus moves from the
// form's active control to the next or previous one. True when Key was a
// Tab (it is then cleared).
bool kEditorTabKey(TWinControl* Control, Char& Key);

// Runs Change with the handlers detached and Blocking raised, then gives
// both back, also when Change raises. The kit's event-free setters.
template <class F>
void kWithoutEvents(bool& Blocking, F&& Change)
{
    TFlagScope blocking(Blocking);
    std::forward<F>(Change)();
}

template <class F, class H, class... Others>
void kWithoutEvents(bool& Blocking, F&& Change, H& Handler, Others&... Rest)
{
    TRestoreScope<H> saved(Handler);
    Handler = nullptr;
    kWithoutEvents(Blocking, std::forward<F>(Change), Rest...);
}

void kEditorFormInitialization();
