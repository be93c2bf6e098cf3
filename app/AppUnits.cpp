#include "app/AppUnits.h"

#include "app/JOV.h"
#include "app/StandIns.h"
#include "platform/Forms.h"

// Generated from the files of resources/.
void RegisterResources_APP();

namespace {

void InitializeAppUnit()
{
    RegisterResources_APP();
    RegisterClasses({TForm1::StaticClassInfo(), TkXYPlot::StaticClassInfo(), TkSwitchLed::StaticClassInfo(),
                     TQdStrEdit::StaticClassInfo()});
}

}  // namespace

void RegisterAppUnit() { RegisterUnitInitialization("app", InitializeAppUnit, nullptr); }
