#include "app/AppUnits.h"

#include "app/JOV.h"
#include "components/editor/EditorUnits.h"
#include "components/foundation/FoundationUnits.h"
#include "components/plot/component/PlotUnits.h"
#include "platform/Forms.h"
#include "widgets/WidgetUnits.h"

// Generated from the files of resources/.
void RegisterResources_APP();

namespace {

void InitializeAppUnit() { RegisterClass(TForm1::StaticClassInfo()); }

}  // namespace

void RegisterProgramUnits()
{
    // The compiled-in files come first: the libraries' units load their
    // cursors and bitmaps from them.
    RegisterResources_APP();
    RegisterFoundationUnits();
    RegisterPlotUnits();
    RegisterEditorUnits();
    RegisterWidgetUnits();
    RegisterUnitInitialization("app", InitializeAppUnit, nullptr);
}
