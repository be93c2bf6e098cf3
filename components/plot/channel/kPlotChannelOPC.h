#pragma once
// A channel's OPC binding: a private group manager and two items whose
// values become the channel's points. On an XY channel item 0 gives X and
// item 1 gives Y, after each update of the channel's group. On a time
// channel item 0 gives Y, stamped as OPCXValueSource says, except with
// kopcxvsOPCItem, where the two items give X and Y as on an XY channel.

#include <functional>
#include <memory>

#include "components/foundation/kOPCItem.h"
#include "components/foundation/kOPCManager.h"
#include "components/foundation/kTypes.h"
#include "platform/TypInfo.h"

class TkPlotChannelCustom;

class TkPlotChannelOPC {
public:
    explicit TkPlotChannelOPC(TkPlotChannelCustom& Channel);
    ~TkPlotChannelOPC();
    TkPlotChannelOPC(const TkPlotChannelOPC&) = delete;
    TkPlotChannelOPC& operator=(const TkPlotChannelOPC&) = delete;

    // Set by the time channel at construction: its elapsed-time entry,
    // which counts from the channel's own start time.
    using TElapsedAdder = std::function<void(bool InSeconds, Double Y)>;
    void SetTimeChannel(TElapsedAdder AddElapsed);

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
    void NewData(const TkOPCItem& Source);

    TkPlotChannelCustom& FChannel;
    bool FTimeChannel = false;
    TElapsedAdder FAddElapsed;
    std::unique_ptr<TkOPCItemManager> FItems;
    TOwned<TkOPCManager> FManager;
    String FGroupName;
};

// Publishes a channel class's OPC properties, all forwarded to the binding
// and none stored by the channel; the group name and the X source only on
// the time channel.
template <class C, class B>
TClassBuilder<C, B>& PublishChannelOPC(TClassBuilder<C, B>&& Builder, bool TimeChannel)
{
    auto item = [](C& Channel, Integer Index) { return Channel.OPCLink()->Item(Index); };
    if (TimeChannel)
        Builder.String("OPCGroupName", [item](C& c) { return item(c, 0)->GroupName(); },
                       [item](C& c, String v) { item(c, 0)->SetGroupName(v); });
    Builder
        .String("OPCComputerName", [item](C& c) { return item(c, 0)->ComputerName(); },
                [item](C& c, String v) { item(c, 0)->SetComputerName(v); })
        .String("OPCServerName", [item](C& c) { return item(c, 0)->ServerName(); },
                [item](C& c, String v) { item(c, 0)->SetServerName(v); })
        .String("OPCItemName", [item](C& c) { return item(c, 0)->ItemName(); },
                [item](C& c, String v) { item(c, 0)->SetItemName(v); })
        .String("OPCItem2Name", [item](C& c) { return item(c, 1)->ItemName(); },
                [item](C& c, String v) { item(c, 1)->SetItemName(v); })
        .Integer("OPCUpdateRate", [item](C& c) { return item(c, 0)->UpdateRate(); },
                 [item](C& c, Integer v) { item(c, 0)->SetUpdateRate(v); })
        .Default(500)
        .Float("OPCScalar", [item](C& c) { return item(c, 0)->Scalar; },
               [item](C& c, Double v) { item(c, 0)->Scalar = v; })
        .Default(0.0)
        .Float("OPCOffset", [item](C& c) { return item(c, 0)->Offset; },
               [item](C& c, Double v) { item(c, 0)->Offset = v; })
        .Default(0.0)
        .Float("OPCScalar2", [item](C& c) { return item(c, 1)->Scalar; },
               [item](C& c, Double v) { item(c, 1)->Scalar = v; })
        .Default(0.0)
        .Float("OPCOffset2", [item](C& c) { return item(c, 1)->Offset; },
               [item](C& c, Double v) { item(c, 1)->Offset = v; })
        .Default(0.0)
        .Bool("OPCAutoConnect", [item](C& c) { return item(c, 0)->AutoConnect(); },
              [item](C& c, bool v) { item(c, 0)->SetAutoConnect(v); })
        .Default(true);
    if (TimeChannel)
        Builder.Enum("OPCXValueSource", [](C& c) { return c.OPCLink()->OPCXValueSource; },
                     [](C& c, TkOPCXValueSourceStyle v) { c.OPCLink()->OPCXValueSource = v; })
            .Default(kopcxvsOPCServerTimeStamp);
    return Builder;
}
