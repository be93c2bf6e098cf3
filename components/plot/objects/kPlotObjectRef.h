#pragma once
// A reference from one plot object to another by name (a channel's axes, a
// limit's, a data view's grid axes, an axis' reference axes, the channel of
// an annotation or a data cursor), and the index of names that resolves it.
//
// The reference keeps the name exactly as it was given (files and property
// text show it so, also when it names nothing) and the object it names: the
// first object of its kind in the order of their manager whose name equals
// it ignoring case. The index of that kind keeps the answer current as
// objects come, go and change names, touching only the references of the
// names concerned; nothing is looked up while the plot draws or follows the
// mouse. A reference whose object is renamed takes the new name; one whose
// object goes names nothing, or the next object of that name. An empty name
// names no object. A holder may hear when its reference comes to name
// another object, or none, through such a change.

#include <functional>
#include <span>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "components/plot/objects/kPlotObjects.h"

class TkPlotObjectRefCore;

// The objects of one kind by name, in the order of their manager, and the
// references that name them. Its owner reports every object listed, taken
// out or renamed.
class TkPlotNameIndex {
public:
    TkPlotNameIndex() = default;
    TkPlotNameIndex(const TkPlotNameIndex&) = delete;
    TkPlotNameIndex& operator=(const TkPlotNameIndex&) = delete;
    // The references left name nothing from then on.
    ~TkPlotNameIndex();

    // Object comes last in order; nothing when it is indexed already.
    void Insert(TkPlotObject* Object);
    // Nothing for an object not indexed.
    void Remove(const TkPlotObject* Object);
    // Object bears a new name; the references that named it take that name.
    // Nothing for an object not indexed.
    void Rename(TkPlotObject* Object);
    // The first object of that name, ignoring case; nullptr when none.
    TkPlotObject* Find(const String& Name) const;
    // Unlinks the references that Holders hold, which then hear nothing of
    // the objects that come, go or change names; Relink takes them back.
    std::vector<TkPlotObjectRefCore*> TakeReferences(const std::unordered_set<const TkPlotObject*>& Holders);
    // Links references again by the names they keep, as if they were set.
    void Relink(std::span<TkPlotObjectRefCore* const> Refs);

private:
    friend class TkPlotObjectRefCore;

    // The objects and the references of one name (its case fold).
    struct TEntry {
        // The entry's key in the index.
        const String* Key = nullptr;
        // By order of insertion.
        std::vector<std::pair<UInt64, TkPlotObject*>> Objects;
        // The first of a list linked through the references.
        TkPlotObjectRefCore* Refs = nullptr;
        TkPlotObject* First() const { return Objects.empty() ? nullptr : Objects.front().second; }
    };
    using TEntries = std::unordered_map<String, TEntry>;
    // Actions of references, each with its holder: a holder's action may
    // end other holders, whose actions are then skipped.
    using THeard = std::vector<std::pair<TWeakRef<const TkPlotObject>, const std::function<void()>*>>;
    // The Action of every reference of Entry that has one.
    static void Hear(const TEntry& Entry, std::function<void()> TkPlotObjectRefCore::*Action, THeard& Heard);
    static void Tell(const THeard& Heard);
    // Where an indexed object stands: its order and the key of its name.
    struct TPlace {
        UInt64 Order = 0;
        String Key;
    };

    // The entry of a key (a case fold), made when missing; nullptr for the
    // empty key.
    TEntry* EntryFor(const String& Key);
    // Takes Object out of the entry of Key; its entry when it was the
    // first there.
    TEntry* TakeObject(const String& Key, const TkPlotObject* Object);
    void DropIfUnused(TEntry& Entry);

    TEntries FEntries;
    std::unordered_map<const TkPlotObject*, TPlace> FPlaces;
    UInt64 FNextOrder = 0;
};

// What a typed reference shares: the name, the link into an index, and
// what the holder does when the object named is renamed or goes.
class TkPlotObjectRefCore {
public:
    TkPlotObjectRefCore(const TkPlotObjectRefCore&) = delete;
    TkPlotObjectRefCore& operator=(const TkPlotObjectRefCore&) = delete;

    // The name as it was given, or as the object named was renamed to.
    const String& Name() const { return FName; }
    // The object named; nullptr for none and while the holder has no plot.
    TkPlotObject* Object() const { return FEntry ? FEntry->First() : nullptr; }
    // Sets the name and resolves it among the plot's objects of Kind (none
    // for kpokNone); false when Value is the name already.
    bool SetName(const String& Value, TkPlotObjectKind Kind);

    // After the reference took the new name of the object it named.
    void SetOnTargetRenamed(std::function<void()> Value) { FOnTargetRenamed = std::move(Value); }
    // After the object it named was taken out of the plot.
    void SetOnTargetRemoved(std::function<void()> Value) { FOnTargetRemoved = std::move(Value); }
    // After it came to name another object, or none, as objects came, were
    // renamed or went (after the removal above): not after SetName, whose
    // caller knows.
    void SetOnTargetChanged(std::function<void()> Value) { FOnTargetChanged = std::move(Value); }

protected:
    TkPlotObjectRefCore(const TkPlotObject& Holder, String Name) : FHolder(Holder), FName(std::move(Name)) {}
    ~TkPlotObjectRefCore() { Unlink(); }

private:
    friend class TkPlotNameIndex;

    void Link(TkPlotNameIndex& Index, TkPlotNameIndex::TEntry& Entry);
    // Out of its entry's list, dropping the entry when nothing else holds it.
    void Unlink();
    // Drops the links alone (the index is going, or relinks it at once).
    void Forget();

    const TkPlotObject& FHolder;
    String FName;
    TkPlotNameIndex* FIndex = nullptr;
    TkPlotNameIndex::TEntry* FEntry = nullptr;
    TkPlotObjectRefCore* FPrev = nullptr;
    TkPlotObjectRefCore* FNext = nullptr;
    std::function<void()> FOnTargetRenamed;
    std::function<void()> FOnTargetRemoved;
    std::function<void()> FOnTargetChanged;
};

// A reference to an object of class T (declared, not necessarily defined
// here: Get needs T's definition where it is used).
template <class T>
class TkPlotObjectRef : public TkPlotObjectRefCore {
public:
    // Names objects of Kind; Name is kept, resolved only once set.
    TkPlotObjectRef(const TkPlotObject& Holder, TkPlotObjectKind Kind, String Name = {})
        : TkPlotObjectRefCore(Holder, std::move(Name)), FKind(Kind)
    {
    }

    T* Get() const { return static_cast<T*>(Object()); }
    using TkPlotObjectRefCore::SetName;
    bool SetName(const String& Value) { return SetName(Value, FKind); }

private:
    TkPlotObjectKind FKind;
};
