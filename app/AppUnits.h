#pragma once
// The program's own unit: the main window's form data and the classes that
// the form data names, registered when the units are initialised.

// Queues the unit's initialisation after the units registered before it
// (the layer and the component libraries); call before InitializeUnits.
void RegisterAppUnit();
