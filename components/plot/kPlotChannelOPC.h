#pragma once
// A channel's OPC binding: a private group manager and two items whose
// values become the channel's points. On an XY channel item 0 gives X and
// item 1 gives Y, after each update of the channel's group. On a time
// channel item 0 gives Y, stamped as OPCXValueSource says, except with
// kopcxvsOPCItem, where the two items give X and Y as on an XY channel.

#include <memory>

#include "components/foundation/kOPCItem.h"
#include "components/foundation/kOPCManager.h"
#include "components/foundation/kTypes.h"

class TkPlotChannelCustom;

class TkPlotChannelOPC {
public:
    explicit TkPlotChannelOPC(TkPlotChannelCustom& Channel);
    ~TkPlotChannelOPC();
    TkPlotChannelOPC(const TkPlotChannelOPC&) = delete;
    TkPlotChannelOPC& operator=(const TkPlotChannelOPC&) = delete;

    // Set by the time channel at construction.
    void SetTimeChannel(bool Value);

    void OPCActivate();
    void OPCActivateSuspend();
    void OPCDeactivate();
    void OPCUpdateSuspend();
    void OPCUpdateResume();
    // After the channel's insertion: connects when item 0 auto-connects.
    void Inserted();

    bool OPCSignalActive() { return Item(0)->GetSignalActive(); }
    bool OPCQualityGood() { return Item(0)->QualityGood(); }

    // Forwarders to the items (names, rate and auto-connect through the
    // items' setters, which register an active item again).
    TkOPCItem* Item(Integer Index) const { return FItems->GetItem(Index); }
    TkOPCManager* Manager() const { return FManager.get(); }
    TkOPCXValueSourceStyle OPCXValueSource = kopcxvsOPCServerTimeStamp;

private:
    bool Designing() const;
    // The channel's own group, on item 0's server; its name is the group's.
    String AddChannelGroup();
    void ActivateXY();
    void ActivateTime();
    void GroupUpdated();
    void NewData(TObject* Sender);

    TkPlotChannelCustom& FChannel;
    bool FTimeChannel = false;
    std::unique_ptr<TkOPCItemManager> FItems;
    TOwned<TkOPCManager> FManager;
    String FGroupName;
};
