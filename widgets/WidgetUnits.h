#pragma once

// Registers the panel widget library's unit initialisations with the
// program entry, in the order the units are linked.
void RegisterWidgetUnits();
