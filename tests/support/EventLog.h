#pragma once
// Records the events a control fires, with their arguments, in the order
// they come, so that a test compares the whole sequence at once.

#include <vector>

#include "platform/System.h"
#include "platform/Variants.h"

using TEventLog = std::vector<String>;

// One of the library's clickable controls with every event logged:
// "click", "change", "user" (OnChangeUser), "protected <property>" and each
// value offered to the OPC items, "opc <property>=1" or "=0".
template <class T>
class TLogged : public T {
public:
    explicit TLogged(TComponent* AOwner) : T(AOwner)
    {
        this->OnClick = [this](TObject*) { Log.push_back("click"); };
        this->OnChange = [this](TObject*) { Log.push_back("change"); };
        this->OnChangeUser = [this](TObject*) { Log.push_back("user"); };
        this->OnChangeProtected = [this](TObject*, const String& Name) { Log.push_back("protected " + Name); };
    }
    bool OPCOutputData(const String& PropertyName, const Variant& Value) override
    {
        Log.push_back("opc " + PropertyName + (Value.BooleanValue() ? "=1" : "=0"));
        return false;
    }

    TEventLog Log;
};
