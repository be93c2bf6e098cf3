#pragma once
// OPC items: each binds one published property of a control, by its dotted
// path, to one item of an OPC server; the item manager holds the items of
// one owner and streams them with the form.

#include <functional>
#include <vector>

#include "components/foundation/kOPCCallbacks.h"
#include "platform/Classes.h"
#include "platform/TypInfo.h"

class TkComponent;
class TkOPCItemManager;
class TReader;
class TWriter;

class TkOPCItem : public TPersistent, public IkOPCSignalTarget {
    PL_CLASSINFO()
public:
    explicit TkOPCItem(TkOPCItemManager* AOwner = nullptr);
    ~TkOPCItem() override;

    // Registers the signal with the library (see Activate's checks).
    void Activate();
    void ActivateSuspend();
    // Removes the registration; library errors are raised, the handle is
    // dropped all the same.
    void Deactivate();
    // After streaming: owner error state, then the connection.
    void Loaded();

    bool GetSignalActive();
    void UpdateResume();
    void UpdateSuspend();
    bool UpdateSuspended();
    void SendData(const Variant& Value);
    void GetDataNow(Word& Quality, Variant& Data);
    void UpdateOwnerError();

    // A value from the library: stored, scaled when good, then the
    // manager's OnNewData.
    void DataArrived(const TkOPCSample& Sample);
    void OPCDataArrived(const TkOPCSample& Sample) override;

    bool QualityGood() const { return (FQuality & 0xC0) == 0xC0; }
    const Variant& Data() const { return FData; }
    TDateTime TimeStamp() const { return FTimeStamp; }
    Word Quality() const { return FQuality; }
    Integer SignalHandle() const { return FSignalHandle; }
    TkOPCItemManager* Owner() const { return FOwner; }
    void SetOwner(TkOPCItemManager* Value) { FOwner = Value; }
    TTypeKind PropertyType() const { return FPropertyType; }

    // ---- Published ----
    const String& PropertyName() const { return FPropertyName; }
    void SetPropertyName(const String& Value);
    const String& GroupName() const { return FGroupName; }
    void SetGroupName(const String& Value);
    const String& ComputerName() const { return FComputerName; }
    void SetComputerName(const String& Value);
    const String& ServerName() const { return FServerName; }
    void SetServerName(const String& Value);
    const String& ItemName() const { return FItemName; }
    void SetItemName(const String& Value);
    Double Scalar = 0.0;
    Double Offset = 0.0;
    Integer UpdateRate() const { return FUpdateRate; }
    void SetUpdateRate(Integer Value);
    bool AutoConnect() const { return FAutoConnect; }
    void SetAutoConnect(bool Value);
    bool AutoError() const { return FAutoError; }
    void SetAutoError(bool Value);

private:
    bool LinkUsable();
    bool IsDesigning() const;
    void Register(bool Suspended);
    template <class V>
    void SetConnectionField(V& Field, const V& Value);
    // Scale and offset of good numeric data; false when the result leaves
    // the data's type.
    bool ScaleData();
    // The owner shows an error, when the item is to tell it.
    void MarkOwnerError();

    TkOPCItemManager* FOwner = nullptr;
    String FPropertyName;
    String FGroupName;
    String FComputerName = "Local";
    String FServerName;
    String FItemName;
    Integer FUpdateRate = 500;
    bool FAutoConnect = true;
    bool FAutoError = false;
    TTypeKind FPropertyType = tkUnknown;
    Integer FSignalHandle = 0;
    TkOPCCookie FCookie = 0;
    Variant FData;
    TDateTime FTimeStamp = 0.0;
    Word FQuality = 0;
};

// The items of one control; an item shows its errors on that control and
// connects once the control's form data is read.
class TkOPCItemManager : public TObject {
public:
    explicit TkOPCItemManager(TkComponent* AOwner = nullptr) : FOwner(AOwner) {}
    ~TkOPCItemManager() override;

    Integer Add();
    void Delete(Integer Index);
    void Clear();
    Integer GetCount() const { return static_cast<Integer>(FList.size()); }
    // EListError outside 0 .. Count - 1.
    TkOPCItem* GetItem(Integer Index) const;
    Integer FindIndex(const TkOPCItem* Item) const;

    bool DoWriteToStream() const { return !FList.empty(); }
    void WriteToStream(TWriter& Writer) const;
    // Clears, then one item per entry; on a reader error the items read so
    // far are freed and the manager keeps its old items.
    void ReadFromStream(TReader& Reader);

    bool GetIsDesigning() const { return OnGetDesigning && OnGetDesigning(); }
    TkComponent* Owner() const { return FOwner; }

    std::function<bool()> OnGetDesigning;
    std::function<void(TkOPCItem& Item)> OnNewData;
    std::function<void(const String& PropertyName, TTypeKind& Kind)> OnGetType;

private:
    TkComponent* FOwner;
    std::vector<TkOPCItem*> FList;
};
