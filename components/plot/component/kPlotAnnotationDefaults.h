#pragma once
// What AddAnnotation gives a new annotation: the plot's defaults rather
// than its class's.

#include <array>

#include "components/plot/annotation/kPlotAnnotation.h"

struct TkPlotAnnotationDefaults {
    TkPlotAnnotationDefaults();
    // Every default set on Annotation.
    void ApplyTo(TkPlotAnnotation& Annotation) const;

    TOwned<TFont> Font;
    TBrushStyle BrushStyle = bsSolid;
    TColor BrushColor = clWhite;
    TPenStyle PenStyle = psSolid;
    TColor PenColor = clWhite;
    Integer PenWidth = 1;
    TkPlotReferenceType Reference = kprtDataView;
    // Position X, position Y, size X, size Y.
    std::array<TkPlotReferenceIndividual, 4> References{kpriAuto, kpriAuto, kpriAuto, kpriAuto};
};
