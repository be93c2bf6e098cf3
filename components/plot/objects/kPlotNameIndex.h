#pragma once
// A manager's objects by name, ignoring case, so that finding an object by
// its name costs no walk over every object: each channel finds its axes,
// and each axis the axis it refers to, at every layout.

#include <string_view>
#include <unordered_map>
#include <vector>

#include "components/foundation/kTypes.h"

class TkPlotObject;

class TkPlotNameIndex {
public:
    // Files Object under Name, replacing where it was filed. Of objects of
    // one name, the one of the lowest Order is found.
    void Record(TkPlotObject* Object, std::string_view Name, Int64 Order);
    void Forget(const TkPlotObject* Object);
    // The object of that name (ignoring case) that Record gave the lowest
    // Order; nullptr when none.
    TkPlotObject* Find(std::string_view Name) const;

private:
    struct TEntry {
        Int64 Order;
        TkPlotObject* Object;
    };
    // Each list ordered by Order; most hold one object.
    std::unordered_map<String, std::vector<TEntry>> FByName;
    // The key each object is filed under.
    std::unordered_map<const TkPlotObject*, String> FKeys;
};
