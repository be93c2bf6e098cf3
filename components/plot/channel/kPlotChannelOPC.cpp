#include "components/plot/channel/kPlotChannelOPC.h"

#include <atomic>

#include "components/foundation/kComponent.h"
#include "components/plot/channel/kPlotChannelCustom.h"

namespace {

// A value that is no number, or of bad quality, adds no point.
bool PointValue(const TkOPCItem& Item, Double& Value)
{
    if (!Item.QualityGood()) return false;
    try {
        Value = VarToDouble(Item.Data());
        return true;
    } catch (const Exception&) {
        return false;
    }
}

// Unique within the process and always eight hexadecimal digits.
String NewGroupName()
{
    static std::atomic<Cardinal> last{0};
    return IntToHex(++last, 8);
}

}  // namespace

TkPlotChannelOPC::TkPlotChannelOPC(TkPlotChannelCustom& Channel)
    : FChannel(Channel), FItems(std::make_unique<TkOPCItemManager>()), FManager(CreateOwned<TkOPCManager>(nullptr))
{
    FManager->OnAfterGroupUpdate = [this](TObject*, const String&) { GroupUpdated(); };
    FItems->OnGetDesigning = [this] { return Designing(); };
    for (Integer i = 0; i < 2; ++i) Item(FItems->Add())->SetPropertyName("Data");
}

// The items go before the groups they are registered in.
TkPlotChannelOPC::~TkPlotChannelOPC()
{
    FItems.reset();
    FManager.reset();
}

void TkPlotChannelOPC::SetTimeChannel(TElapsedAdder AddElapsed)
{
    FTimeChannel = bool(AddElapsed);
    FAddElapsed = std::move(AddElapsed);
    // An XY channel takes its values at its group's update instead.
    if (FTimeChannel) FItems->OnNewData = [this](TkOPCItem& Item) { NewData(Item); };
    else FItems->OnNewData = nullptr;
}

bool TkPlotChannelOPC::Designing() const
{
    TkPlotEditorHost* editor = FChannel.Host().Editor;
    TkComponent* component = editor ? editor->PlotComponent() : nullptr;
    return component && component->IsDesigning();
}

String TkPlotChannelOPC::AddChannelGroup()
{
    const TkOPCItem& first = *Item(0);
    const String name = NewGroupName();
    FManager->GroupAdd(name, first.ComputerName(), first.ServerName(), first.UpdateRate());
    return name;
}

void TkPlotChannelOPC::OPCActivate()
{
    if (Designing()) return;
    if (FTimeChannel) ActivateTime();
    else ActivateXY();
}

// Nothing configured, nothing registered: a channel of a loaded form must
// not register an empty group with the library.
void TkPlotChannelOPC::ActivateXY()
{
    Item(0)->Deactivate();
    Item(1)->Deactivate();
    FManager->GroupClear();
    if (Trim(Item(0)->ServerName()).empty()) return;
    const String group = AddChannelGroup();
    Item(0)->SetGroupName(group);
    Item(1)->SetGroupName(group);
    Item(0)->Activate();
    Item(1)->Activate();
}

void TkPlotChannelOPC::ActivateTime()
{
    Item(0)->Deactivate();
    Item(1)->Deactivate();
    if (OPCXValueSource != kopcxvsOPCItem) {
        Item(0)->Activate();
        return;
    }
    FManager->GroupClear();
    if (FManager->GetGroupIndex(Item(0)->GroupName()) < 0 && !Trim(Item(0)->ServerName()).empty())
        Item(0)->SetGroupName(AddChannelGroup());
    Item(1)->SetGroupName(Item(0)->GroupName());
    Item(0)->Activate();
    Item(1)->Activate();
}

void TkPlotChannelOPC::OPCActivateSuspend()
{
    if (!FTimeChannel) {
        OPCActivate();
        OPCUpdateSuspend();
    } else if (!Designing()) {
        Item(0)->ActivateSuspend();
    }
}

void TkPlotChannelOPC::OPCDeactivate()
{
    Item(0)->Deactivate();
    if (!FTimeChannel) Item(1)->Deactivate();
}

void TkPlotChannelOPC::OPCUpdateSuspend()
{
    if (FTimeChannel) Item(0)->UpdateSuspend();
    else if (FManager->GetGroupCount() > 0) FManager->GetGroup(0)->Suspend();
}

void TkPlotChannelOPC::OPCUpdateResume()
{
    if (FTimeChannel) Item(0)->UpdateResume();
    else if (FManager->GetGroupCount() > 0) FManager->GetGroup(0)->Resume();
}

void TkPlotChannelOPC::Inserted()
{
    if (Item(0)->AutoConnect()) OPCActivate();
}

void TkPlotChannelOPC::GroupUpdated()
{
    Double x = 0;
    Double y = 0;
    if (PointValue(*Item(0), x) && PointValue(*Item(1), y)) FChannel.AddXY(x, y);
}

void TkPlotChannelOPC::NewData(const TkOPCItem& Source)
{
    Double y = 0;
    if (&Source != Item(0) || !PointValue(Source, y)) return;
    switch (OPCXValueSource) {
    case kopcxvsOPCServerTimeStamp: FChannel.AddPoint(false, false, Source.TimeStamp(), y); break;
    case kopcxvsSystemTimeStamp: FChannel.AddPoint(false, false, Now(), y); break;
    case kopcxvsElapsedTime: FAddElapsed(false, y); break;
    case kopcxvsElapsedSeconds: FAddElapsed(true, y); break;
    case kopcxvsOPCItem: break;  // the group update adds the point
    }
}
