#pragma once
// Tracking: how an axis' scale follows newly arriving data, and how it fits
// itself to the channels bound to it (from the extents the plot gathers, so
// that nothing here knows channels).
//
// The axis keeps the settings (TrackingEnabled, TrackingStyle, ...) and is
// the entry point (TkPlotAxis::NewTrackingData, ZoomToFit); it hands in its
// flag that tells whether the first value has lined the scale up. Every scale change goes through the axis' SetMinSpan,
// so its clamps and events apply to each step. A handler of those events may
// add data and so come back here: nothing is held across a SetMinSpan.

#include "platform/Types.h"

class TkPlotAxis;

class TkPlotAxisTracking {
public:
    // One new value in the axis' units. The first value after FirstAlignDone
    // was cleared lines the scale up by TrackingAlignFirstStyle and sets the
    // flag; later ones move it by TrackingStyle, then keep the span minimum
    // and the margins. Ignored while tracking is off, and for NaN and
    // infinities (they would leave the scale nowhere).
    static void NewTrackingData(TkPlotAxis& Axis, bool& FirstAlignDone, Double Value);

    // The scale spans the visible data of the channels bound to the axis,
    // widened to TrackingSpanMinimum and by the margins. Unchanged when no
    // channel has data or all of it is one value.
    static void ZoomToFit(TkPlotAxis& Axis);
    // The same from the channels' running extremes (everything they were
    // given), and without the span minimum.
    static void ZoomToFitFast(TkPlotAxis& Axis);
};
