#pragma once
// The roles of a plot (kPlotRoles.h), for the checks that look inside it: the
// hint box, the press in progress, the log's buffer, the popup menu; and the
// parts of its seam, for the checks of what its objects hear from it. The
// plot hands its roles to what derives from it; TPlotRolesAccess derives
// from it only to reach them.

#include "components/plot/component/kPlotComponent.h"
#include "components/plot/component/kPlotRoles.h"

namespace PlotTest {

class TPlotRolesAccess : public TkPlotComponent {
public:
    static TkPlotRoles& Of(const TkPlotComponent& Plot) { return (Plot.*&TPlotRolesAccess::Roles)(); }
};

inline TkPlotRoles& RolesOf(const TkPlotComponent& Plot) { return TPlotRolesAccess::Of(Plot); }

// The parts of the plot's seam (kPlotHost.h), as its objects reach them.
inline const TkPlotHost& SeamOf(const TkPlotComponent& Plot) { return static_cast<const TkPlotObjectOwner&>(Plot).Host(); }

}  // namespace PlotTest
