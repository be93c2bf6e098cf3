#pragma once
// The print preview is a form of the editor library, which builds on the
// plot; it installs itself here when its unit starts, and the plot's
// PreviewChart runs it.

#include <functional>

class TkPlotComponent;

using TkPlotPreviewRunner = std::function<void(TkPlotComponent& Plot)>;

void kSetPlotPreviewRunner(TkPlotPreviewRunner Runner);
const TkPlotPreviewRunner& kPlotPreviewRunner();
