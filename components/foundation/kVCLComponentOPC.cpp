// OPC hosting of the windowed component: its item manager, the index-based
// operations on it, incoming values written into properties and changed
// properties sent back.

#include "components/foundation/kOPCItem.h"
#include "components/foundation/kOPCPropertyValue.h"
#include "components/foundation/kVCLComponent.h"
#include "platform/FormStream.h"

void TkVCLComponent::CreateOPCItemManager()
{
    FOPCItemManager = std::make_unique<TkOPCItemManager>(this);
    FOPCItemManager->OnGetDesigning = [this] { return OPCGetDesigning(); };
    FOPCItemManager->OnNewData = [this](TkOPCItem& Item) { DoOPCItemNewData(Item); };
    FOPCItemManager->OnGetType = [this](const String& Name, TTypeKind& Kind) { GetPropertyType(Name, Kind); };
}

void TkVCLComponent::DefineProperties(TFiler& Filer)
{
    TkComponent::DefineProperties(Filer);
    TkOPCItemManager& items = *FOPCItemManager;
    Filer.DefineProperty(
        "OPCItems", [&items](TReader& Reader) { items.ReadFromStream(Reader); },
        [&items](TWriter& Writer) { items.WriteToStream(Writer); }, items.DoWriteToStream());
}

// ---------------------------------------------------------------------------
// Index-based operations
// ---------------------------------------------------------------------------

Integer TkVCLComponent::OPCAddItem() { return FOPCItemManager->Add(); }
Integer TkVCLComponent::OPCItemCount() const { return FOPCItemManager->GetCount(); }
void TkVCLComponent::OPCRemoveAllItems() { FOPCItemManager->Clear(); }
void TkVCLComponent::OPCDeleteItem(Integer Index) { FOPCItemManager->Delete(Index); }
void TkVCLComponent::OPCItemActivate(Integer Index) { FOPCItemManager->GetItem(Index)->Activate(); }
void TkVCLComponent::OPCItemDeactivate(Integer Index) { FOPCItemManager->GetItem(Index)->Deactivate(); }
void TkVCLComponent::OPCItemUpdateResume(Integer Index) { FOPCItemManager->GetItem(Index)->UpdateResume(); }
void TkVCLComponent::OPCItemUpdateSuspend(Integer Index) { FOPCItemManager->GetItem(Index)->UpdateSuspend(); }
void TkVCLComponent::OPCItemLoaded(Integer Index) { FOPCItemManager->GetItem(Index)->Loaded(); }

void TkVCLComponent::SetOPCItemData(Integer Index, const Variant& Value)
{
    FOPCItemManager->GetItem(Index)->SendData(Value);
}

void TkVCLComponent::SetOPCItemComputerName(Integer Index, const String& Value)
{
    FOPCItemManager->GetItem(Index)->SetComputerName(Value);
}

void TkVCLComponent::SetOPCItemServerName(Integer Index, const String& Value)
{
    FOPCItemManager->GetItem(Index)->SetServerName(Value);
}

void TkVCLComponent::SetOPCItemItemName(Integer Index, const String& Value)
{
    FOPCItemManager->GetItem(Index)->SetItemName(Value);
}

void TkVCLComponent::SetOPCItemPropertyName(Integer Index, const String& Value)
{
    FOPCItemManager->GetItem(Index)->SetPropertyName(Value);
}

void TkVCLComponent::SetOPCItemAutoConnect(Integer Index, bool Value)
{
    FOPCItemManager->GetItem(Index)->SetAutoConnect(Value);
}

void TkVCLComponent::SetOPCItemUpdateRate(Integer Index, Integer Value)
{
    FOPCItemManager->GetItem(Index)->SetUpdateRate(Value);
}

String TkVCLComponent::GetOPCItemComputerName(Integer Index) const
{
    return FOPCItemManager->GetItem(Index)->ComputerName();
}

String TkVCLComponent::GetOPCItemServerName(Integer Index) const
{
    return FOPCItemManager->GetItem(Index)->ServerName();
}

String TkVCLComponent::GetOPCItemItemName(Integer Index) const { return FOPCItemManager->GetItem(Index)->ItemName(); }

String TkVCLComponent::GetOPCItemPropertyName(Integer Index) const
{
    return FOPCItemManager->GetItem(Index)->PropertyName();
}

bool TkVCLComponent::GetOPCItemAutoConnect(Integer Index) const
{
    return FOPCItemManager->GetItem(Index)->AutoConnect();
}

Integer TkVCLComponent::GetOPCItemUpdateRate(Integer Index) const
{
    return FOPCItemManager->GetItem(Index)->UpdateRate();
}

Variant TkVCLComponent::GetOPCItemData(Integer Index) const { return FOPCItemManager->GetItem(Index)->Data(); }
Word TkVCLComponent::GetOPCItemQuality(Integer Index) const { return FOPCItemManager->GetItem(Index)->Quality(); }

TDateTime TkVCLComponent::GetOPCItemTimeStamp(Integer Index) const
{
    return FOPCItemManager->GetItem(Index)->TimeStamp();
}

// ---------------------------------------------------------------------------
// Values in and out
// ---------------------------------------------------------------------------

void TkVCLComponent::DoOPCItemNewData(TkOPCItem& Item)
{
    if (Item.PropertyName().empty()) return;
    const Integer index = FOPCItemManager->FindIndex(&Item);
    Variant value = Item.Data();
    if (OnBeforeNewOPCData) OnBeforeNewOPCData(this, index, value);
    {
        // Cleared before OnNewOPCData, and also when applying raises or sets
        // nothing: else the next genuine change would not be sent.
        const TFlagScope incoming(FOPCIncomingActive);
        if (Item.QualityGood() && !OPCNewDataSpecial(Item.PropertyName(), value))
            SetPropertyFromOPCValue(this, this, String(), value, Item.PropertyName());
    }
    if (OnNewOPCData) OnNewOPCData(this, index);
}

bool TkVCLComponent::OPCOutputData(const String& PropertyName, const Variant& Value)
{
    if (FOPCIncomingActive) {
        // The value came from the server: nothing is echoed back. Only the
        // first change is the incoming one.
        FOPCIncomingActive = false;
        return false;
    }
    bool sent = false;
    for (Integer i = 0; i < FOPCItemManager->GetCount(); ++i) {
        TkOPCItem* item = FOPCItemManager->GetItem(i);
        if (!SameText(item->PropertyName(), PropertyName) || !item->GetSignalActive()) continue;
        item->SendData(Value);
        sent = true;
    }
    return sent;
}
