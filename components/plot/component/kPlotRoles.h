#pragma once
// The plot's roles, each in its file pair, and the settings groups they keep
// for the plot: what the plot's published face (kPlotComponent.h) holds
// behind its one private pointer, so that a unit that includes the face
// includes none of them. Each role reaches its plot, and the roles it works
// with, by reference; they are made in the order below and end in the
// reverse one.

#include "components/plot/component/kPlotAnnotationDefaults.h"
#include "components/plot/component/kPlotCommands.h"
#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotHint.h"
#include "components/plot/component/kPlotImageLists.h"
#include "components/plot/component/kPlotInputRouter.h"
#include "components/plot/component/kPlotLog.h"
#include "components/plot/component/kPlotObjectServices.h"
#include "components/plot/component/kPlotOutput.h"
#include "components/plot/component/kPlotPainter.h"
#include "components/plot/component/kPlotSettings.h"
#include "platform/Menus.h"


struct TkPlotRoles {
    explicit TkPlotRoles(TkPlotComponent& Plot)
        : PopupMenu(CreateOwned<TPopupMenu>(nullptr)),
          Services(Plot),
          Images(Plot),
          Output(Plot),
          Log(Plot, Services),
          Hint(Plot),
          Painter(Plot, Services, Hint, Images),
          Input(Plot, Painter, Hint, *PopupMenu),
          Commands(Plot)
    {
    }
    TkPlotRoles(const TkPlotRoles&) = delete;
    TkPlotRoles& operator=(const TkPlotRoles&) = delete;

    // The parts of the plot's seam that the roles offer its objects; Events
    // publishes their events, Reports (the master manager) hears what they
    // report of themselves.
    TkPlotHost Host(TkPlotEventHost& Events, TkPlotReportHost* Reports)
    {
        return {&Events, &Services, &Input, &Commands, &Painter, &Services, &Services, Reports};
    }

    // The one popup menu that objects fill when they open theirs.
    TOwned<TPopupMenu> PopupMenu;
    TkPlotObjectServices Services;
    TkPlotImageLists Images;
    TkPlotOutput Output;
    TkPlotLog Log;
    TkPlotHint Hint;
    TkPlotPainter Painter;
    TkPlotInputRouter Input;
    TkPlotCommands Commands;

    // Where the dialogs of the plot's files start, what a new annotation
    // takes, and the background drawn in place of the plain colour.
    TkPlotFileDefaults FileDefaults;
    TkPlotAnnotationDefaults AnnotationDefaults;
    TkPlotBackGroundGradient Gradient;
};
