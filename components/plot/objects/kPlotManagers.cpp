#include "components/plot/objects/kPlotManagers.h"

#include <algorithm>

#include "components/plot/objects/kPlotHostServices.h"
#include "platform/FormStream.h"

// ===========================================================================
// TkPlotObjectManagerCustom
// ===========================================================================

TkPlotObjectManagerCustom::TkPlotObjectManagerCustom(TkPlotObjectOwner* AOwner) : FOwner(AOwner)
{
    if (!FOwner) throw Exception("Owner must be Assigned");
}

void TkPlotObjectManagerCustom::BeforeDestruction()
{
    Clear();
    TObject::BeforeDestruction();
}

TkPlotObject* TkPlotObjectManagerCustom::CreateObject()
{
    throw Exception("Object Manager does not support creation of objects");
}

void TkPlotObjectManagerCustom::NotificationRemove(TkPlotObject* AObject)
{
    const Integer index = GetIndex(AObject);
    if (index < 0) return;
    DeleteEntry(index);
    DoObjectRemoved(AObject);
    DoChange();
}

void TkPlotObjectManagerCustom::NotificationRename(TkPlotObject* AObject)
{
    if (!Lists(AObject)) return;
    FNameNumbers.Record(AObject, AObject->Name(), GetBaseName());
    if (FNames) FNames->Rename(AObject);
}

void TkPlotObjectManagerCustom::NotificationSetFocus(TkPlotObject* AObject)
{
    ForEachObject([AObject](TkPlotObject* object) { object->NotificationSetFocus(AObject); });
}

void TkPlotObjectManagerCustom::Clear() {}

void TkPlotObjectManagerCustom::Delete(Integer Index) { DeleteEntry(Index); }

void TkPlotObjectManagerCustom::DeleteEntry(Integer Index)
{
    TkPlotObject* object = GetItem(Index);
    FList.erase(FList.begin() + Index);
    FMembers.erase(object);
    FNameNumbers.Forget(object);
    if (FNames) FNames->Remove(object);
}

void TkPlotObjectManagerCustom::RemoveFromList(TkPlotObject* AObject)
{
    if (const Integer index = GetIndex(AObject); index >= 0) DeleteEntry(index);
}

void TkPlotObjectManagerCustom::DoObjectRemoved(TkPlotObject*) {}

TkPlotObject* TkPlotObjectManagerCustom::GetItem(Integer Index) const
{
    if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
    return FList[static_cast<std::size_t>(Index)];
}

Integer TkPlotObjectManagerCustom::GetIndex(const TkPlotObject* AObject) const
{
    if (!Lists(AObject)) return -1;
    // From both ends: objects cleared go from the front of their run, a
    // new one, whose index its maker asks for, stands last.
    for (std::size_t front = 0, back = FList.size() - 1;; ++front, --back) {
        if (FList[front] == AObject) return static_cast<Integer>(front);
        if (FList[back] == AObject) return static_cast<Integer>(back);
    }
}

TkPlotObject* TkPlotObjectManagerCustom::GetObjectByName(const String& Name) const
{
    if (FNames) return FNames->Find(Name);
    const auto named = std::find_if(FList.begin(), FList.end(), [&](const TkPlotObject* Object) {
        return SameObjectName(Object->Name(), Name);
    });
    return named == FList.end() ? nullptr : *named;
}

Integer TkPlotObjectManagerCustom::GetIndexByName(const String& Name) const
{
    const TkPlotObject* object = GetObjectByName(Name);
    return object ? GetIndex(object) : -1;
}

String TkPlotObjectManagerCustom::GetNextName() const
{
    // 64 bits: one more than the largest 32-bit number still fits.
    return GetBaseName() + " " + IntToStr(FNameNumbers.Highest() + 1);
}

void TkPlotObjectManagerCustom::InsertObject(TkPlotObject* AObject)
{
    if (!FMembers.insert(AObject).second) return;
    FList.push_back(AObject);
    FNameNumbers.Record(AObject, AObject->Name(), GetBaseName());
    if (FNames) FNames->Insert(AObject);
}

void TkPlotObjectManagerCustom::ListInOrder(std::span<TkPlotObject* const> Order)
{
    std::deque<TkPlotObject*> ordered;
    for (TkPlotObject* object : Order)
        if (Lists(object)) ordered.push_back(object);
    if (ordered.size() == FList.size()) FList = std::move(ordered);
}

void TkPlotObjectManagerCustom::DoChange()
{
    if (TkPlotReportHost* reports = FOwner->Host().Reports) reports->Changed();
}

// --- form stream -------------------------------------------------------------

void TkPlotObjectManagerCustom::WriteToStream(TWriter& Writer) const
{
    Writer.WriteValue(vaCollection);
    for (TkPlotObject* object : FList) {
        Writer.WriteListBegin();
        Writer.WriteProperties(object);
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void TkPlotObjectManagerCustom::ReadFromStream(TReader& Reader)
{
    if (Reader.NextValue() != vaCollection) return Reader.SkipValue();
    Reader.ReadValue();
    std::vector<TkPlotObject*> read;
    try {
        while (!Reader.EndOfList()) {
            read.push_back(nullptr);
            read.back() = CreateObject();
            Reader.ReadListBegin();
            while (!Reader.EndOfList()) Reader.ReadProperty(read.back());
            Reader.ReadListEnd();
        }
        Reader.ReadListEnd();
    } catch (...) {
        for (TkPlotObject* object : read) {
            if (!object) continue;
            object->StopReporting();
            object->Free();
        }
        throw;
    }
    Clear();
    // The names were read: the managers keep them.
    for (TkPlotObject* object : read) object->DoInsert();
}

// --- helpers ---------------------------------------------------------------------

bool FirstObjectName(const TkPlotObjectManagerCustom* Manager, String& Name)
{
    if (!Manager || Manager->Count() == 0) return false;
    Name = Manager->GetItem(0)->Name();
    return true;
}

// ===========================================================================
// TkPlotObjectOwnedManager
// ===========================================================================

TkPlotObjectOwnedManager::TkPlotObjectOwnedManager(TkPlotObjectOwner* AOwner) : TkPlotObjectManagerCustom(AOwner)
{
    IndexNames();
}

void TkPlotObjectOwnedManager::Clear()
{
    // Each object takes itself out of the list when it is freed, and a
    // handler may free others meanwhile: the walk skips what is gone, so
    // nothing is freed twice. Objects that no longer report (after
    // ShutDownSetup) are taken out here.
    ForEachObject([this](TkPlotObject* object) {
        object->Free();
        RemoveFromList(object);
    });
}

// ===========================================================================
// TkPlotObjectManager
// ===========================================================================

void TkPlotObjectManager::NotificationInsert(TkPlotObject* AObject)
{
    if (AObject) InsertObject(AObject);
}

void TkPlotObjectManager::ClearAllUserSelections()
{
    ForEachObject([](TkPlotObject* object) { object->SetUserSelected(false); });
}

void TkPlotObjectManager::SetShiftState(TShiftState Shift)
{
    ForEachObject([Shift](TkPlotObject* object) { object->SetShiftState(Shift); });
}

void TkPlotObjectManager::MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, Integer X, Integer Y)
{
    ForEachSelected([&](TkPlotObject* object) { object->kMouseDown(Button, Shift, X, Y); });
}

void TkPlotObjectManager::MouseMoveFocusObjects(TkPlotHintData& HintData, TShiftState Shift, Integer X, Integer Y,
                                                bool DblClickActive)
{
    ForEachSelected([&](TkPlotObject* object) { object->kMouseMove(HintData, Shift, X, Y, DblClickActive); });
}

void TkPlotObjectManager::MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, Integer X, Integer Y,
                                              Integer ScreenX, Integer ScreenY, bool DblClickActive,
                                              TPopupMenu* PopupMenu)
{
    ForEachSelected([&](TkPlotObject* object) {
        object->kMouseUp(Button, Shift, X, Y, ScreenX, ScreenY, DblClickActive, PopupMenu);
    });
}

void TkPlotObjectManager::KeyDownFocusObjects(Word& Key, TShiftState Shift, TPopupMenu* PopupMenu)
{
    ForEachSelected([&](TkPlotObject* object) { object->kKeyDown(Key, Shift, PopupMenu); });
}

bool TkPlotObjectManager::MouseWheelFocusObjects(Integer WheelDelta, TShiftState Shift, TPoint MousePos)
{
    bool handled = false;
    ForEachSelected([&](TkPlotObject* object) {
        if (object->kMouseWheel(WheelDelta, Shift, MousePos)) handled = true;
    });
    return handled;
}

void TkPlotObjectManager::ShutDownSetup()
{
    ForEachObject([](TkPlotObject* object) { object->StopReporting(); });
}

// ===========================================================================
// Channel colours
// ===========================================================================

const std::array<TColor, 30> ChannelColorPalette = {
    0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080, 0x008000, 0x008080,
    0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000,
    0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF, 0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80};

std::array<TkColorCountObject, ChannelColorPalette.size()> CountChannelColors(std::span<const TColor> ChannelColors)
{
    std::array<TkColorCountObject, ChannelColorPalette.size()> palette;
    for (std::size_t i = 0; i < palette.size(); ++i) palette[i].Color = ChannelColorPalette[i];
    for (TColor color : ChannelColors)
        for (TkColorCountObject& entry : palette)
            if (entry.Color == color) ++entry.Count;
    return palette;
}

TColor NextChannelColor(std::span<const TColor> ChannelColors)
{
    constexpr TColor red = 0x0000FF;
    if (ChannelColors.size() < 2) return red;
    const auto palette = CountChannelColors(ChannelColors);
    const auto least = std::min_element(palette.begin(), palette.end(), [](const auto& a, const auto& b) {
        return a.Count < b.Count;
    });
    return least->Color;
}
