#pragma once
// Setting a published property, found by its dotted path, from the text of
// a value: the typed value setter shared by OPC items and property schemes.

#include "platform/TypInfo.h"
#include "platform/Variants.h"

// A writable published property reached by a path, and the object holding
// it; Prop is nullptr when the path names none.
struct TkPropertyTarget {
    TObject* Instance = nullptr;
    PPropInfo Prop = nullptr;
    // Set when the path names a property that cannot be written.
    bool ReadOnly = false;
};

// Walks Instance's published properties (paths under Prefix) and the
// persistent sub-objects whose path leads towards PropertyName, each object
// once, ignoring case.
TkPropertyTarget FindPropertyTarget(TObject* Instance, const String& Prefix, const String& PropertyName);

// The property value Text stands for: integers, characters and sets as
// integers; enumerations as ordinals after "True"/"False" become 1/0, and
// for a two-valued enumeration any text but "0" as 1; floats in the
// user's notation or with "."; strings as they are. EConvertError when the
// text is no such value or the ordinal lies outside the type.
TValue PropertyValueFromText(PPropInfo Prop, const String& Text);

// Sets the property at PropertyName (a path under Prefix) of Instance from
// the text of Value; a path naming no writable property sets nothing.
// Raises the conversion error, the property unchanged then.
void SetPropertyFromOPCValue(TObject* Root, TObject* Instance, const String& Prefix, const Variant& Value,
                             const String& PropertyName);
