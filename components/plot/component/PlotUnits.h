#pragma once

// Registers the plot engine's unit initialisations with the program entry,
// in the order the units are linked.
void RegisterPlotUnits();
