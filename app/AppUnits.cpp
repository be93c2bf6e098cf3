#include "app/AppUnits.h"

#include "app/JOV.h"
#include "app/StandIns.h"
#include "components/foundation/FoundationUnits.h"
#include "platform/Forms.h"
#include "widgets/WidgetUnits.h"

// Generated from the files of resources/.
void RegisterResources_APP();

namespace {

void InitializeAppUnit()
{
    RegisterClasses({TForm1::StaticClassInfo(), TkXYPlot::StaticClassInfo()});
}

}  // namespace

void RegisterProgramUnits()
{
    // The compiled-in files come first: the libraries' units load their
    // cursors and bitmaps from them.
    RegisterResources_APP();
    RegisterFoundationUnits();
    RegisterWidgetUnits();
    RegisterUnitInitialization("app", InitializeAppUnit, nullptr);
}
