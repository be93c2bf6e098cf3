#pragma once
// The kit edit a small control sits beside (spin buttons, the value
// converter's "..." button): the control moves to the edit's right edge,
// with the edit's top and height, and forgets the edit when it goes away.

#include "components/editor/kEditorEdit.h"

class TkEditAssociate {
public:
    explicit TkEditAssociate(TControl& Beside) : FBeside(Beside) {}
    TkEditAssociate(const TkEditAssociate&) = delete;
    TkEditAssociate& operator=(const TkEditAssociate&) = delete;

    TkComponentEditorEdit* Edit() const { return FEdit; }
    void SetEdit(TkComponentEditorEdit* Value);
    // Called from the control's Notification.
    void Removed(const TComponent* AComponent)
    {
        if (AComponent == FEdit) FEdit = nullptr;
    }

private:
    TControl& FBeside;
    TkComponentEditorEdit* FEdit = nullptr;
};
