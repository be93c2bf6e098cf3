#include "widgets/QdStringList.h"

#include "platform/TypInfo.h"

TClass TQdStringList::StaticClassInfo()
{
    using L = TQdStringList;
    static const TClassInfo info = TClassBuilder<L, TQdComponent>("TQdStringList")
                                       .Object("Strings", &L::Strings, &L::SetStrings)
                                       .Bool("Sorted", &L::Sorted, &L::SetSorted).Default(false)
                                       .Event("OnChange", &L::OnChange)
                                       .Event("OnChanging", &L::OnChanging)
                                       .Build();
    return &info;
}

TQdStringList::TQdStringList(TComponent* AOwner) : TQdComponent(AOwner), FItems(CreateOwned<TStringList>())
{
    FItems->OnChange = [this](TObject*) {
        if (OnChange) OnChange(this);
    };
    FItems->OnChanging = [this](TObject*) {
        if (OnChanging) OnChanging(this);
    };
}

TQdStringList::~TQdStringList() = default;
