#pragma once
// The OPC groups of an application: named groups on a computer and server
// with an update rate, registered with the library and streamed with the
// form. A control only to be placed at design time: invisible at run time,
// always 28 x 28.

#include <functional>
#include <vector>

#include "components/foundation/kOPCCallbacks.h"
#include "platform/Controls.h"

class TImageList;

class TkOPCGroupObject : public TPersistent {
    PL_CLASSINFO()
public:
    TkOPCGroupObject(const String& AName, const String& AComputerName, const String& AServerName,
                     Integer AUpdateRate)
        : FName(AName), FComputerName(AComputerName), FOPCServerName(AServerName), FUpdateRate(AUpdateRate)
    {
    }

    const String& Name() const { return FName; }
    const String& ComputerName() const { return FComputerName; }
    const String& OPCServerName() const { return FOPCServerName; }
    Integer UpdateRate() const { return FUpdateRate; }
    // A registered group tells the library a changed rate.
    void SetUpdateRate(Integer Value);
    Integer Handle() const { return FHandle; }
    void SetHandle(Integer Value) { FHandle = Value; }
    // The library's calls; nothing for a group it does not know.
    void Resume();
    void Suspend();

private:
    String FName;
    String FComputerName;
    String FOPCServerName;
    Integer FUpdateRate;
    Integer FHandle = 0;
};

// The published face of a group in form data.
class TkOPCGroupStream : public TPersistent {
    PL_CLASSINFO()
public:
    String Name;
    String ComputerName;
    String OPCServerName;
    Integer UpdateRate = 0;
};

using TGroupUpdateEvent = std::function<void(TObject* Sender, const String& GroupName)>;

class TkOPCManager : public TCustomControl, public IkOPCGroupTarget {
    PL_CLASSINFO()
public:
    explicit TkOPCManager(TComponent* AOwner);
    ~TkOPCManager() override;

    void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

    // Appends the group, then registers it when the library is there; a
    // registration error passes on with the group listed unregistered.
    Integer GroupAdd(const String& Name, const String& ComputerName, const String& OPCServerName,
                     Integer UpdateRate);
    void GroupDelete(Integer Index);
    void GroupClear();
    // EListError outside 0 .. Count - 1.
    TkOPCGroupObject* GetGroup(Integer Index) const;
    Integer GetGroupCount() const { return static_cast<Integer>(FGroups.size()); }
    // The first group of that name, ignoring case; -1 when none.
    Integer GetGroupIndex(const String& Name) const;
    TkOPCGroupObject* FindGroupByHandle(Integer Handle) const;
    void CloseAllServerConnections();
    // Shows the shared explorer of the open connections.
    void ExplorerShow();
    bool FirstInstance() const { return FFirstInstance != 0; }

    void OPCGroupUpdate(Integer GroupHandle, bool After) override;
    void DefineProperties(TFiler& Filer) override;

    TGroupUpdateEvent OnBeforeGroupUpdate;
    TGroupUpdateEvent OnAfterGroupUpdate;

protected:
    void Paint() override;

private:
    void WriteGroups(TWriter& Writer) const;
    void ReadGroups(TReader& Reader);

    std::vector<std::unique_ptr<TkOPCGroupObject>> FGroups;
    Integer FFirstInstance = 0;
    TkOPCCookie FCookie = 0;
    // The design glyph, from the "OPCMANAGER" bitmap when the program has it.
    TOwned<TImageList> FImageList;
};

// The unit's initialisation: form data may name the manager.
void kOPCManagerInitialization();
