#include "components/foundation/kCustomComponent.h"

TClass TkCustomComponent::StaticClassInfo()
{
    static const TClassInfo info = TClassBuilder<TkCustomComponent, TkVCLComponent>("TkCustomComponent").Build();
    return &info;
}
