#include "components/plot/objects/kPlotObjectRef.h"

#include <algorithm>
#include <utility>

#include "components/plot/objects/kPlotHostServices.h"
#include "platform/SysUtils.h"

// ===========================================================================
// TkPlotNameIndex
// ===========================================================================

void TkPlotNameIndex::Hear(const TEntry& Entry, std::function<void()> TkPlotObjectRefCore::*Action, THeard& Heard)
{
    for (const TkPlotObjectRefCore* ref = Entry.Refs; ref; ref = ref->FNext)
        if (ref->*Action) Heard.emplace_back(&ref->FHolder, &(ref->*Action));
}

void TkPlotNameIndex::Tell(const THeard& Heard)
{
    for (const auto& [holder, action] : Heard)
        if (holder) (*action)();
}

TkPlotNameIndex::~TkPlotNameIndex()
{
    for (auto& [key, entry] : FEntries)
        while (TkPlotObjectRefCore* ref = entry.Refs) {
            entry.Refs = ref->FNext;
            ref->Forget();
        }
}

TkPlotNameIndex::TEntry* TkPlotNameIndex::EntryFor(const String& Key)
{
    if (Key.empty()) return nullptr;
    const auto [at, made] = FEntries.try_emplace(Key);
    if (made) at->second.Key = &at->first;
    return &at->second;
}

void TkPlotNameIndex::DropIfUnused(TEntry& Entry)
{
    if (Entry.Objects.empty() && !Entry.Refs) FEntries.erase(FEntries.find(*Entry.Key));
}

TkPlotNameIndex::TEntry* TkPlotNameIndex::TakeObject(const String& Key, const TkPlotObject* Object)
{
    const auto at = FEntries.find(Key);
    if (at == FEntries.end()) return nullptr;
    auto& objects = at->second.Objects;
    const auto held = std::find_if(objects.begin(), objects.end(), [Object](const auto& Each) {
        return Each.second == Object;
    });
    const bool first = held == objects.begin();
    objects.erase(held);
    return first ? &at->second : nullptr;
}

void TkPlotNameIndex::Insert(TkPlotObject* Object)
{
    const UInt64 order = FNextOrder;
    const auto [place, added] = FPlaces.try_emplace(Object, TPlace{order, AnsiCaseFold(Object->Name())});
    if (!added) return;
    ++FNextOrder;
    TEntry* entry = EntryFor(place->second.Key);
    if (!entry) return;
    // The references of a name that named nothing now name the object.
    THeard heard;
    if (entry->Objects.empty()) Hear(*entry, &TkPlotObjectRefCore::FOnTargetChanged, heard);
    entry->Objects.emplace_back(order, Object);
    Tell(heard);
}

void TkPlotNameIndex::Remove(const TkPlotObject* Object)
{
    const auto place = FPlaces.find(Object);
    if (place == FPlaces.end()) return;
    const String key = std::move(place->second.Key);
    FPlaces.erase(place);
    TEntry* named = TakeObject(key, Object);
    if (!named) {
        if (const auto at = FEntries.find(key); at != FEntries.end()) DropIfUnused(at->second);
        return;
    }
    THeard heard;
    Hear(*named, &TkPlotObjectRefCore::FOnTargetRemoved, heard);
    Hear(*named, &TkPlotObjectRefCore::FOnTargetChanged, heard);
    DropIfUnused(*named);
    Tell(heard);
}

void TkPlotNameIndex::Rename(TkPlotObject* Object)
{
    const auto place = FPlaces.find(Object);
    if (place == FPlaces.end()) return;
    TEntry* named = TakeObject(place->second.Key, Object);
    place->second.Key = AnsiCaseFold(Object->Name());
    TEntry* entry = EntryFor(place->second.Key);
    THeard heard;
    if (entry) {
        // Into its place by order: renamed, it may come before others of
        // its new name, and then their references name it.
        const UInt64 order = place->second.Order;
        auto& objects = entry->Objects;
        const auto at = std::upper_bound(objects.begin(), objects.end(), order, [](UInt64 Order, const auto& Each) {
            return Order < Each.first;
        });
        if (at == objects.begin() && entry != named) Hear(*entry, &TkPlotObjectRefCore::FOnTargetChanged, heard);
        objects.emplace(at, order, Object);
    }
    if (!named) {
        Tell(heard);
        return;
    }
    // The references that named it follow it to its new name.
    for (TkPlotObjectRefCore* ref = named->Refs; ref; ref = ref->FNext) {
        ref->FName = Object->Name();
        if (ref->FOnTargetRenamed) heard.emplace_back(&ref->FHolder, &ref->FOnTargetRenamed);
    }
    if (named != entry) {
        for (TkPlotObjectRefCore* ref = std::exchange(named->Refs, nullptr); ref;) {
            TkPlotObjectRefCore* next = ref->FNext;
            ref->Forget();
            if (entry) ref->Link(*this, *entry);
            ref = next;
        }
        DropIfUnused(*named);
    }
    Tell(heard);
}

TkPlotObject* TkPlotNameIndex::Find(const String& Name) const
{
    const auto at = FEntries.find(AnsiCaseFold(Name));
    return at == FEntries.end() ? nullptr : at->second.First();
}

std::vector<TkPlotObjectRefCore*> TkPlotNameIndex::TakeReferences(
    const std::unordered_set<const TkPlotObject*>& Holders)
{
    std::vector<TkPlotObjectRefCore*> taken;
    for (auto& [key, entry] : FEntries)
        for (TkPlotObjectRefCore* ref = entry.Refs; ref; ref = ref->FNext)
            if (Holders.contains(&ref->FHolder)) taken.push_back(ref);
    // Unlinked once found: unlinking may drop the entry that was walked.
    for (TkPlotObjectRefCore* ref : taken) ref->Unlink();
    return taken;
}

void TkPlotNameIndex::Relink(std::span<TkPlotObjectRefCore* const> Refs)
{
    for (TkPlotObjectRefCore* ref : Refs)
        if (TEntry* entry = EntryFor(AnsiCaseFold(ref->FName))) ref->Link(*this, *entry);
}

// ===========================================================================
// TkPlotObjectRefCore
// ===========================================================================

bool TkPlotObjectRefCore::SetName(const String& Value, TkPlotObjectKind Kind)
{
    if (Value == FName) return false;
    FName = Value;
    Unlink();
    TkPlotObjectsHost* plot = FHolder.Host().Objects;
    if (TkPlotNameIndex* index = plot ? plot->NameIndex(Kind) : nullptr)
        if (TkPlotNameIndex::TEntry* entry = index->EntryFor(AnsiCaseFold(Value))) Link(*index, *entry);
    return true;
}

void TkPlotObjectRefCore::Link(TkPlotNameIndex& Index, TkPlotNameIndex::TEntry& Entry)
{
    FIndex = &Index;
    FEntry = &Entry;
    FPrev = nullptr;
    FNext = Entry.Refs;
    if (FNext) FNext->FPrev = this;
    Entry.Refs = this;
}

void TkPlotObjectRefCore::Unlink()
{
    if (!FEntry) return;
    (FPrev ? FPrev->FNext : FEntry->Refs) = FNext;
    if (FNext) FNext->FPrev = FPrev;
    TkPlotNameIndex::TEntry& entry = *FEntry;
    TkPlotNameIndex& index = *FIndex;
    Forget();
    index.DropIfUnused(entry);
}

void TkPlotObjectRefCore::Forget()
{
    FIndex = nullptr;
    FEntry = nullptr;
    FPrev = FNext = nullptr;
}
