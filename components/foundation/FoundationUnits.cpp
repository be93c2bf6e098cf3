#include "components/foundation/FoundationUnits.h"

#include "components/foundation/kCheckBox.h"
#include "components/foundation/kClasses.h"
#include "components/foundation/kDialogs.h"
#include "components/foundation/kOPC2.h"
#include "components/foundation/kOPCManager.h"
#include "components/foundation/kRadioGroup.h"
#include "components/foundation/kSwitchLed.h"
#include "platform/Forms.h"

void RegisterFoundationUnits()
{
    RegisterUnitInitialization("kClasses", kClassesInitialization, kClassesFinalization);
    RegisterUnitInitialization("kOPC2", kOPC2Initialization, kOPC2Finalization);
    RegisterUnitInitialization("kOPCManager", kOPCManagerInitialization, nullptr);
    RegisterUnitInitialization("kSwitchLed", kSwitchLedInitialization, nullptr);
    RegisterUnitInitialization("kCheckBox", kCheckBoxInitialization, nullptr);
    RegisterUnitInitialization("kRadioGroup", kRadioGroupInitialization, nullptr);
    RegisterUnitInitialization("kDialogs", kDialogsInitialization, nullptr);
}
