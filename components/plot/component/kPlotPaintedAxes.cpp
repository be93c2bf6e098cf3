#include "components/plot/component/kPlotPaintedAxes.h"

#include <algorithm>
#include <functional>

namespace {

// Entries are ordered by the object's address: nothing else tells objects
// apart.
bool Before(const TkPlotObject* A, const TkPlotObject* B) { return std::less<const TkPlotObject*>()(A, B); }

}  // namespace

void TkPlotPaintedAxes::Reset(TStamp Stamp)
{
    FEntries.clear();
    FSorted = true;
    FStamp = Stamp;
}

TkPlotScalePair TkPlotPaintedAxes::Find(TkPlotObject& Object)
{
    const TkPlotScalePair scales = Object.BoundScales();
    // Objects drawn against no axis are found again at no cost.
    if (scales.X || scales.Y) {
        FSorted = FSorted && (FEntries.empty() || Before(FEntries.back().Object, &Object));
        FEntries.push_back({&Object, Object.LookVersion(), scales});
    }
    return scales;
}

TkPlotScalePair TkPlotPaintedAxes::Kept(TkPlotObject& Object, TStamp Stamp)
{
    if (Stamp != FStamp) Reset(Stamp);
    if (!FSorted) {
        std::sort(FEntries.begin(), FEntries.end(),
                  [](const TEntry& A, const TEntry& B) { return Before(A.Object, B.Object); });
        FSorted = true;
    }
    const auto entry = std::lower_bound(FEntries.begin(), FEntries.end(), &Object,
                                        [](const TEntry& E, const TkPlotObject* O) { return Before(E.Object, O); });
    if (entry != FEntries.end() && entry->Object == &Object && entry->LookVersion == Object.LookVersion())
        return entry->Scales;
    return Object.BoundScales();
}
