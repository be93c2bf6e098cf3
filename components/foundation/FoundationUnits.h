#pragma once

// Registers the foundation's unit initialisations with the program entry,
// in the order the units are linked.
void RegisterFoundationUnits();
