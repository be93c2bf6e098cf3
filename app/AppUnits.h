#pragma once
// The program's own unit: the main window's form data and the classes that
// the form data names, registered when the units are initialised.

// Queues every unit of the program in link order, the component libraries'
// units before the program's own; call before InitializeUnits.
void RegisterProgramUnits();
