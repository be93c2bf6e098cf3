#include "components/plot/objects/kPlotNameNumbers.h"

#include "components/plot/objects/kPlotObjects.h"

void TkPlotNameNumbers::Record(const TkPlotObject* Object, std::string_view Name, std::string_view Base)
{
    Forget(Object);
    if (Name.size() < Base.size() || !SameObjectName(Name.substr(0, Base.size()), Base)) return;
    // A tail that is no number is passed over.
    Integer number = 0;
    if (!TryStrToInt(Name.substr(Base.size()), number) || number < 1) return;
    FNumbers.emplace(Object, number);
    ++FUses[number];
}

void TkPlotNameNumbers::Forget(const TkPlotObject* Object)
{
    const auto found = FNumbers.find(Object);
    if (found == FNumbers.end()) return;
    const auto use = FUses.find(found->second);
    if (--use->second == 0) FUses.erase(use);
    FNumbers.erase(found);
}
