#pragma once
// Groups of the plot's plain settings, each with a meaning of its own; the
// plot publishes every field as a property of its own.

#include "components/foundation/kTypes.h"
#include "platform/Printers.h"

// How PrintChart and PreviewChart print: margins in inches.
struct TkPlotPrintSettings {
    TPrinterOrientation Orientation = poLandscape;
    Double MarginLeft = 1.0;
    Double MarginTop = 1.0;
    Double MarginRight = 1.0;
    Double MarginBottom = 1.0;
    bool ShowDialog = true;
    String DocumentName = "Untitled";
    String PrinterName;
};

// Where the dialogs of the plot's files start.
struct TkPlotFileDefaults {
    String SaveImageDirectory;
    TkPlotImageFormat SaveImageFormat = kpifBitmap;
    String PropertyDirectory;
    String DataDirectory;
    String AnnotationDirectory;
};

// The background drawn in place of the plain background colour.
struct TkPlotBackGroundGradient {
    bool Enabled = false;
    TkFillDirection Direction = kfdTopBottom;
    TColor StartColor = clBlue;
    TColor StopColor = clBlack;
};
