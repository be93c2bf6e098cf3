#include "components/foundation/kOPCItem.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "components/foundation/kComponent.h"
#include "platform/Consts.h"
#include "platform/FormStream.h"

TClass TkOPCItem::StaticClassInfo()
{
    using C = TkOPCItem;
    static const TClassInfo info =
        TClassBuilder<C, TPersistent>("TkOPCItem")
            .String("PropertyName", &C::PropertyName, &C::SetPropertyName)
            .String("GroupName", &C::GroupName, &C::SetGroupName)
            .String("ComputerName", &C::ComputerName, &C::SetComputerName)
            .String("ServerName", &C::ServerName, &C::SetServerName)
            .String("ItemName", &C::ItemName, &C::SetItemName)
            .Float("Scalar", &C::Scalar).Default(0.0)
            .Float("Offset", &C::Offset).Default(0.0)
            .Integer("UpdateRate", &C::UpdateRate, &C::SetUpdateRate).Default(500)
            .Bool("UpdateSuspended", [](C& item) { return item.UpdateSuspended(); })
            .Bool("AutoConnect", &C::AutoConnect, &C::SetAutoConnect).Default(true)
            .Bool("AutoError", &C::AutoError, &C::SetAutoError).Default(false)
            .Build();
    return &info;
}

namespace {

bool IsIntegerData(Word Type)
{
    return Type == varSmallint || Type == varInteger || (Type >= varShortInt && Type <= varInt64);
}

// The range a value of an integer variant type can take, in doubles.
std::pair<double, double> IntegerRange(Word Type)
{
    switch (Type) {
    case varSmallint: return {-32768.0, 32767.0};
    case varInteger: return {-2147483648.0, 2147483647.0};
    case varShortInt: return {-128.0, 127.0};
    case varByte: return {0.0, 255.0};
    case varWord: return {0.0, 65535.0};
    case varLongWord: return {0.0, 4294967295.0};
    // 2^63 itself is out of range; doubles below it convert exactly.
    default: return {-9223372036854775808.0, 9223372036854774784.0};
    }
}

// One scaling step of integer data, rounded half to even; false when the
// result leaves the type.
bool StepInteger(Variant& Data, double Result)
{
    const double rounded = std::nearbyint(Result);
    const auto [low, high] = IntegerRange(Data.VarType());
    if (!(rounded >= low && rounded <= high)) return false;
    const Word type = Data.VarType();
    const Int64 value = static_cast<Int64>(rounded);
    switch (type) {
    case varSmallint: Data = Variant(static_cast<int16_t>(value)); break;
    case varInteger: Data = Variant(static_cast<int32_t>(value)); break;
    case varShortInt: Data = Variant(static_cast<int8_t>(value)); break;
    case varByte: Data = Variant(static_cast<uint8_t>(value)); break;
    case varWord: Data = Variant(static_cast<uint16_t>(value)); break;
    case varLongWord: Data = Variant(static_cast<uint32_t>(value)); break;
    default: Data = Variant(value); break;
    }
    return true;
}

bool ScaleStep(Variant& Data, double Factor, bool Multiply)
{
    const Word type = Data.VarType();
    if (IsIntegerData(type)) {
        const double value = static_cast<double>(Data.IntegerValue());
        return StepInteger(Data, Multiply ? value * Factor : value + Factor);
    }
    if (type == varSingle || type == varDouble) {
        const double value = Data.FloatValue();
        const double result = Multiply ? value * Factor : value + Factor;
        if (type == varDouble) Data = Variant(result);
        else if (std::fabs(result) <= std::numeric_limits<Single>::max() || !std::isfinite(result))
            Data = Variant(static_cast<Single>(result));
        else return false;
    }
    return true;
}

}  // namespace

TkOPCItem::TkOPCItem(TkOPCItemManager* AOwner) : FOwner(AOwner) {}

// A destructor must not raise: the library's complaint about the removal
// has nobody to go to.
TkOPCItem::~TkOPCItem()
{
    try {
        Deactivate();
    } catch (...) {
    }
}

bool TkOPCItem::IsDesigning() const { return FOwner && FOwner->GetIsDesigning(); }

bool TkOPCItem::LinkUsable() { return OPCDLLLoaded() && FOwner && !IsDesigning(); }

void TkOPCItem::Activate() { Register(false); }

void TkOPCItem::ActivateSuspend() { Register(true); }

void TkOPCItem::Register(bool Suspended)
{
    if (!LinkUsable()) return;
    if (FAutoError) UpdateOwnerError();
    Deactivate();
    if (Trim(FPropertyName).empty()) return;
    if (Trim(FGroupName).empty() && Trim(FServerName).empty()) return;
    if (Trim(FItemName).empty()) return;
    // A fresh number per registration: callbacks of the previous one are
    // late and go nowhere.
    TkOPCCookie cookie = OPCRegisterTarget(this);
    const TScopeExit refused([&cookie] { OPCUnregisterTarget(cookie); });
    FSignalHandle = OPCSignalAdd(FComputerName, FServerName, FItemName, FGroupName, FUpdateRate, Suspended,
                                 FPropertyType == tkString ? varOleStr : varEmpty, OPCSignalCallbackFor(cookie));
    FCookie = std::exchange(cookie, 0);
}

void TkOPCItem::Deactivate()
{
    OPCUnregisterTarget(std::exchange(FCookie, 0));
    if (FSignalHandle == 0) return;
    OPCSignalRemove(std::exchange(FSignalHandle, 0));
}

void TkOPCItem::Loaded()
{
    if (FAutoError) UpdateOwnerError();
    if (FAutoConnect && !IsDesigning()) Activate();
}

bool TkOPCItem::GetSignalActive()
{
    if (!FOwner || IsDesigning() || !OPCDLLLoaded() || FSignalHandle == 0) return false;
    return OPCSignalGetActive(FSignalHandle);
}

void TkOPCItem::UpdateResume()
{
    if (OPCDLLLoaded() && FSignalHandle != 0) OPCSignalResume(FSignalHandle);
}

void TkOPCItem::UpdateSuspend()
{
    if (OPCDLLLoaded() && FSignalHandle != 0) OPCSignalSuspend(FSignalHandle);
}

bool TkOPCItem::UpdateSuspended()
{
    if (!OPCDLLLoaded() || FSignalHandle == 0) return false;
    return OPCSignalGetUpdateSuspended(FSignalHandle);
}

void TkOPCItem::SendData(const Variant& Value)
{
    if (OPCDLLLoaded()) OPCSignalSendData(FSignalHandle, Value);
}

void TkOPCItem::GetDataNow(Word& Quality, Variant& Data)
{
    OPCSignalGetDataNow(FSignalHandle);
    FData = OPCSignalGetData(FSignalHandle);
    FTimeStamp = OPCSignalGetTimeStamp(FSignalHandle);
    FQuality = OPCSignalGetQuality(FSignalHandle);
    Quality = FQuality;
    Data = FData;
}

void TkOPCItem::UpdateOwnerError()
{
    TkComponent* owner = FOwner ? FOwner->Owner() : nullptr;
    if (owner && GetSignalActive()) owner->SetErrorActive(!QualityGood());
}

bool TkOPCItem::ScaleData()
{
    if (Scalar != 0.0 && !ScaleStep(FData, Scalar, true)) return false;
    return Offset == 0.0 || ScaleStep(FData, Offset, false);
}

void TkOPCItem::DataArrived(const TkOPCSample& Sample)
{
    FData = Sample.Data;
    FTimeStamp = Sample.TimeStamp;
    FQuality = Sample.Quality;
    if (QualityGood() && !ScaleData()) {
        // A value the property's type cannot hold is dropped, as the owner
        // is told when it shows errors.
        FData = Sample.Data;
        MarkOwnerError();
        return;
    }
    if (FAutoError) UpdateOwnerError();
    if (FOwner && FOwner->OnNewData) FOwner->OnNewData(*this);
}

// The callback's end on the GUI thread: a value the owner cannot take is
// shown as its error and reported to the application, never to the library.
void TkOPCItem::OPCDataArrived(const TkOPCSample& Sample)
{
    try {
        DataArrived(Sample);
    } catch (...) {
        MarkOwnerError();
        throw;
    }
}

void TkOPCItem::MarkOwnerError()
{
    TkComponent* owner = FOwner ? FOwner->Owner() : nullptr;
    if (FAutoError && owner) owner->SetErrorActive(true);
}

void TkOPCItem::SetPropertyName(const String& Value)
{
    FPropertyName = Value;
    FPropertyType = tkUnknown;
    if (FOwner && FOwner->OnGetType) FOwner->OnGetType(FPropertyName, FPropertyType);
}

template <class V>
void TkOPCItem::SetConnectionField(V& Field, const V& Value)
{
    Field = Value;
    if (GetSignalActive()) Activate();
}

void TkOPCItem::SetGroupName(const String& Value) { SetConnectionField(FGroupName, Value); }
void TkOPCItem::SetComputerName(const String& Value) { SetConnectionField(FComputerName, Value); }
void TkOPCItem::SetServerName(const String& Value) { SetConnectionField(FServerName, Value); }
void TkOPCItem::SetItemName(const String& Value) { SetConnectionField(FItemName, Value); }
void TkOPCItem::SetUpdateRate(Integer Value) { SetConnectionField(FUpdateRate, Value); }

void TkOPCItem::SetAutoConnect(bool Value)
{
    FAutoConnect = Value;
    TkComponent* owner = FOwner ? FOwner->Owner() : nullptr;
    if (Value && OPCDLLLoaded() && owner && !owner->IsLoading()) Activate();
}

void TkOPCItem::SetAutoError(bool Value)
{
    FAutoError = Value;
    if (Value) UpdateOwnerError();
}

// ---------------------------------------------------------------------------
// Item manager
// ---------------------------------------------------------------------------

TkOPCItemManager::~TkOPCItemManager() { Clear(); }

Integer TkOPCItemManager::Add()
{
    FList.reserve(FList.size() + 1);
    FList.push_back(new TkOPCItem(this));
    return GetCount() - 1;
}

TkOPCItem* TkOPCItemManager::GetItem(Integer Index) const
{
    if (Index < 0 || Index >= GetCount()) throw EListError(Format(SListIndexError, Index));
    return FList[static_cast<std::size_t>(Index)];
}

void TkOPCItemManager::Delete(Integer Index)
{
    TkOPCItem* item = GetItem(Index);
    FList.erase(FList.begin() + Index);
    delete item;
}

void TkOPCItemManager::Clear()
{
    while (!FList.empty()) Delete(GetCount() - 1);
}

Integer TkOPCItemManager::FindIndex(const TkOPCItem* Item) const
{
    const auto found = std::find(FList.begin(), FList.end(), Item);
    return found == FList.end() ? -1 : static_cast<Integer>(found - FList.begin());
}

void TkOPCItemManager::WriteToStream(TWriter& Writer) const
{
    Writer.WriteValue(vaCollection);
    for (TkOPCItem* item : FList) {
        Writer.WriteListBegin();
        Writer.WriteProperties(item);
        Writer.WriteListEnd();
    }
    Writer.WriteListEnd();
}

void TkOPCItemManager::ReadFromStream(TReader& Reader)
{
    if (Reader.NextValue() != vaCollection) return Reader.SkipValue();
    Reader.ReadValue();
    std::vector<std::unique_ptr<TkOPCItem>> read;
    while (!Reader.EndOfList()) {
        read.push_back(std::make_unique<TkOPCItem>(this));
        Reader.ReadListBegin();
        while (!Reader.EndOfList()) Reader.ReadProperty(read.back().get());
        Reader.ReadListEnd();
    }
    Reader.ReadListEnd();
    Clear();
    FList.reserve(read.size());
    for (auto& item : read) FList.push_back(item.release());
    for (TkOPCItem* item : FList) item->Loaded();
}
