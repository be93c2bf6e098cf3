#include "widgets/WidgetUnits.h"

#include "platform/Forms.h"
#include "widgets/QdControls.h"
#include "widgets/QdEdit.h"

void RegisterWidgetUnits()
{
    RegisterUnitInitialization("QdControls", QdControlsInitialization, QdControlsFinalization);
    RegisterUnitInitialization("QdEdit", QdEditInitialization, nullptr);
}
