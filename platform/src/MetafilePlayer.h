#pragma once
// Plays a display list back onto any canvas, scaled.

#include <QSize>

#include "CanvasRecorder.h"

// Draws the picture of Size pixels whose operations List holds stretched
// over R of Canvas, leaving the canvas's pen, brush, font, copy mode and
// clip as they were. Pens of width 0 stay one pixel wide; wider pens and
// fonts scale with the picture.
void PlayDisplayList(const TDisplayList& List, QSize Size, TCanvas& Canvas, const TRect& R);
