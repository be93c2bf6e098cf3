#pragma once
// Tracking: how an axis' scale follows newly arriving data, and how it fits
// itself to the channels bound to it (from the extents the plot gathers, so
// that nothing here knows channels).
//
// The scale keeps the settings (TrackingEnabled, TrackingStyle, ...) and the
// flag that tells whether the first value has lined it up; the axis is the
// entry point (TkPlotAxis::NewTrackingData, ZoomToFit). A move that someone
// may see goes through the axis' SetMinSpan, step by step, so that its
// clamps and events apply to each step. A handler of those events may add
// data and so come back here: nothing is held across a SetMinSpan. The moves
// nobody can see are the scale's own: a move held back while the plot's
// repaint is pending (TkPlotAxisScale::KeepTrackedMove) and the replay of
// waiting points (TakeWaitingValues), both worked out on a scale held apart
// and taken unreported.

#include "platform/Types.h"

class TkPlotAxis;

class TkPlotAxisTracking {
public:
    // One new finite value in the axis' units, while tracking is on. The
    // first value after the first alignment was reset lines the scale up by
    // TrackingAlignFirstStyle; later ones move it by TrackingStyle, then
    // keep the span minimum and the margins.
    static void AlignFirst(TkPlotAxis& Axis, Double Value);
    static void FollowLater(TkPlotAxis& Axis, Double Value);

    // The scale spans the visible data of the channels bound to the axis,
    // widened to TrackingSpanMinimum and by the margins. Unchanged when no
    // channel has data or all of it is one value.
    static void ZoomToFit(TkPlotAxis& Axis);
    // The same from the channels' running extremes (everything they were
    // given), and without the span minimum.
    static void ZoomToFitFast(TkPlotAxis& Axis);
};
