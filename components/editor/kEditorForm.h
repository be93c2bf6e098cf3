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

// A kit control that shows one value of the object a dialog edits. The
// dialog switches it off while it has no object (greyed and blanked,
// without events) and on again, and hears every change the user makes to
// it through one handler, set on the control's own event for such changes.
class TkEditorValueControl {
public:
    virtual void Enable() = 0;
    virtual void Disable() = 0;
    virtual void SetOnUserChange(TNotifyEvent Handler) = 0;

protected:
    ~TkEditorValueControl() = default;
};

// Calls UserChange of Control's owner when the owner is an editor form.
void kEditorUserChange(const TComponent* Control);

// Tab and Shift+Tab pressed on a kit control: the focus moves from the
// active control of the form the control is on to the next or previous
// one. True when Key was a Tab (it is then cleared).
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
