#include "widgets/WidgetUnits.h"

#include "platform/Forms.h"
#include "widgets/QdControls.h"
#include "widgets/QdEdit.h"
#include "widgets/QdSpectrum.h"
#include "widgets/QdSystem.h"
#include "widgets/QdThreads.h"

void RegisterWidgetUnits()
{
    RegisterUnitInitialization("QdControls", QdControlsInitialization, QdControlsFinalization);
    RegisterUnitInitialization("QdEdit", QdEditInitialization, nullptr);
    RegisterUnitInitialization("QdThreads", QdThreadsInitialization, nullptr);
    RegisterUnitInitialization("QdSystem", QdSystemInitialization, nullptr);
    RegisterUnitInitialization("QdSpectrum", QdSpectrumInitialization, nullptr);
}
