#include "components/plot/objects/kPlotNameIndex.h"

#include <algorithm>

#include "platform/SysUtils.h"

void TkPlotNameIndex::Record(TkPlotObject* Object, std::string_view Name, Int64 Order)
{
    Forget(Object);
    String key = AnsiCaseFold(Name);
    std::vector<TEntry>& named = FByName[key];
    const auto at = std::upper_bound(named.begin(), named.end(), Order,
                                     [](Int64 Value, const TEntry& Entry) { return Value < Entry.Order; });
    named.insert(at, {Order, Object});
    FKeys.emplace(Object, std::move(key));
}

void TkPlotNameIndex::Forget(const TkPlotObject* Object)
{
    const auto key = FKeys.find(Object);
    if (key == FKeys.end()) return;
    const auto named = FByName.find(key->second);
    std::erase_if(named->second, [Object](const TEntry& Entry) { return Entry.Object == Object; });
    if (named->second.empty()) FByName.erase(named);
    FKeys.erase(key);
}

TkPlotObject* TkPlotNameIndex::Find(std::string_view Name) const
{
    const auto named = FByName.find(AnsiCaseFold(Name));
    return named == FByName.end() ? nullptr : named->second.front().Object;
}
