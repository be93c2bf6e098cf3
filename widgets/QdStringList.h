#pragma once
// A string list as a component, with change events.

#include "widgets/QdControls.h"

class TQdStringList : public TQdComponent {
    PL_CLASSINFO()
public:
    explicit TQdStringList(TComponent* AOwner);
    ~TQdStringList() override;

    TStrings* Strings() const { return FItems.get(); }
    // Copies Value's lines.
    void SetStrings(TStrings* Value) { FItems->Assign(Value); }
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool Value) { FItems->SetSorted(Value); }
    Integer Count() const { return FItems->Count(); }

    // After and before each change of the lines, with the component as
    // sender.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

private:
    TOwned<TStringList> FItems;
};
