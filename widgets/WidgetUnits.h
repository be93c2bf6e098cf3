#pragma once

// Registers the panel widget library's unit initialisations with the
// program entry, in the order the units are linked; its glyphs first.
void RegisterWidgetUnits();
// The library's default glyphs ("UPDOWN_UP", "UPDOWN_DOWN", "QDPIN") as
// compiled-in bitmaps (generated from widgets/glyphs).
void RegisterResources_WIDGETS();
