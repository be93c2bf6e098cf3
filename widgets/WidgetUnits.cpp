#include "widgets/WidgetUnits.h"

#include "platform/Forms.h"
#include "widgets/QdControls.h"
#include "widgets/QdEdit.h"
#include "widgets/QdJogMeter.h"
#include "widgets/QdColumnBars.h"
#include "widgets/QdSystem.h"
#include "widgets/QdThreads.h"
#include "widgets/QdUpDown.h"

void RegisterWidgetUnits()
{
    RegisterResources_WIDGETS();
    RegisterUnitInitialization("QdControls", QdControlsInitialization, QdControlsFinalization);
    RegisterUnitInitialization("QdEdit", QdEditInitialization, nullptr);
    RegisterUnitInitialization("QdThreads", QdThreadsInitialization, nullptr);
    RegisterUnitInitialization("QdSystem", QdSystemInitialization, nullptr);
    RegisterUnitInitialization("QdJogMeter", QdJogMeterInitialization, nullptr);
    RegisterUnitInitialization("QdSpectrum", QdSpectrumInitialization, nullptr);
    RegisterUnitInitialization("QdUpDown", QdUpDownInitialization, nullptr);
}
