#pragma once
// Registers the editor library's units for the program's start-up.
void RegisterEditorUnits();
