#include "app/AppUnits.h"
#include "app/ProgramEntry.h"
#include "platform/Forms.h"

int main(int argc, char** argv)
{
    RegisterProgramUnits();
    return ProgramMain(argc, argv, [] { WinMain(); });
}
