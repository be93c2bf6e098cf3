#include "components/editor/kEditAssociate.h"

void TkEditAssociate::SetEdit(TkComponentEditorEdit* Value)
{
    if (Value == FEdit) return;
    if (FEdit) FEdit->RemoveFreeNotification(&FBeside);
    FEdit = Value;
    if (!FEdit) return;
    FEdit->FreeNotification(&FBeside);
    FBeside.SetBounds(FEdit->Left() + FEdit->Width(), FEdit->Top(), FBeside.Width(), FEdit->Height());
}
