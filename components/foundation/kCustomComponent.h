#pragma once
// The direct base of the library's concrete controls.

#include "components/foundation/kVCLComponent.h"

class TkCustomComponent : public TkVCLComponent {
    PL_CLASSINFO()
public:
    using TkVCLComponent::TkVCLComponent;
};
