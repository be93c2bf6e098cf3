#include "app/AppUnits.h"

#include "app/JOV.h"
#include "app/StandIns.h"
#include "components/foundation/FoundationUnits.h"
#include "platform/Forms.h"

// Generated from the files of resources/.
void RegisterResources_APP();

namespace {

void InitializeAppUnit()
{
    RegisterResources_APP();
    RegisterClasses({TForm1::StaticClassInfo(), TkXYPlot::StaticClassInfo(), TQdStrEdit::StaticClassInfo()});
}

}  // namespace

void RegisterProgramUnits()
{
    RegisterFoundationUnits();
    RegisterUnitInitialization("app", InitializeAppUnit, nullptr);
}
