#include "components/plot/output/kPlotPreviewRunner.h"

#include <utility>

namespace {

TkPlotPreviewRunner& Runner()
{
    static TkPlotPreviewRunner runner;
    return runner;
}

}  // namespace

void kSetPlotPreviewRunner(TkPlotPreviewRunner Value) { Runner() = std::move(Value); }
const TkPlotPreviewRunner& kPlotPreviewRunner() { return Runner(); }
