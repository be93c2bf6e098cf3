#include "app/AppUnits.h"
#include "app/ProgramEntry.h"
#include "components/foundation/FoundationUnits.h"
#include "platform/Forms.h"

int main(int argc, char** argv)
{
    // Libraries first, in link order: their units start before the window's.
    RegisterFoundationUnits();
    RegisterAppUnit();
    return ProgramMain(argc, argv, [] { WinMain(); });
}
