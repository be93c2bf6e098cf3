#pragma once
// The numbers that follow a manager's base name in its objects' names
// ("Channel 7" gives 7), kept as the names come and go, so that the next
// generated name needs no walk over every name.

#include <map>
#include <unordered_map>

#include "components/foundation/kTypes.h"

class TkPlotObject;

class TkPlotNameNumbers {
public:
    // Records the number that Name holds behind Base (the base compared
    // ignoring case, leading blanks allowed before the number); a name
    // without one, or with one below 1, records nothing. Replaces what was
    // recorded for the object.
    void Record(const TkPlotObject* Object, std::string_view Name, std::string_view Base);
    void Forget(const TkPlotObject* Object);
    // The highest recorded number; 0 when none.
    Int64 Highest() const { return FUses.empty() ? 0 : FUses.rbegin()->first; }

private:
    std::unordered_map<const TkPlotObject*, Int64> FNumbers;
    // How many objects hold each number.
    std::map<Int64, Integer> FUses;
};
