// OPC groups: registration with the simulated library, group update events
// by name, form data, and the manager's own life.

#include <gtest/gtest.h>

#include "components/foundation/kOPCExplorer.h"
#include "components/foundation/kOPCManager.h"
#include "platform/FormStream.h"
#include "platform/Testing.h"
#include "platform/TreeView.h"
#include "support/FakeOPC.h"
#include "support/LayoutCheck.h"

// Generated from the files of resources/.
void RegisterResources_APP();

namespace {

TEST(OPCManager, GroupsRegisterAndFireTheirUpdateEventsByName)
{
    FakeOPC::Server server;
    TOwned<TkOPCManager> manager(Create<TkOPCManager>(nullptr));
    EXPECT_TRUE(manager->FirstInstance());
    manager->SetBounds(5, 6, 100, 50);
    EXPECT_TRUE(manager->Left() == 5 && manager->Width() == 28 && manager->Height() == 28);
    EXPECT_FALSE(manager->Visible());

    manager->GroupAdd("Fast", "Local", "Sim.Server", 100);
    EXPECT_EQ(manager->GetGroupIndex("fAST"), 0);
    EXPECT_EQ(manager->GetGroupIndex("Slow"), -1);
    EXPECT_NE(manager->GetGroup(0)->Handle(), 0);
    manager->GetGroup(0)->SetUpdateRate(40);
    EXPECT_EQ(server.GroupRate("Fast"), 40);

    std::vector<String> log;
    manager->OnBeforeGroupUpdate = [&](TObject*, const String& Name) { log.push_back("before " + Name); };
    manager->OnAfterGroupUpdate = [&](TObject*, const String& Name) { log.push_back("after " + Name); };
    TOwned<TkOPCManager> second(Create<TkOPCManager>(nullptr));
    EXPECT_FALSE(second->FirstInstance());
    manager->OPCGroupUpdate(999, true);  // unknown handles give an empty name
    EXPECT_EQ(log, std::vector<String>{"after "});

    // The manager's group with an item in it, through the worker.
    log.clear();
    const Integer signal = OPCSignalAdd("Local", "Sim.Server", "Plant.X", "Fast", 100, false, 0,
                                        kOPCSignalCallback{nullptr, [](void*, int32_t) {}});
    server.Publish("Plant.X", FakeOPC::Value(1.0));
    server.Deliver();
    EXPECT_EQ(log, (std::vector<String>{"before Fast", "after Fast"}));
    OPCSignalRemove(signal);

    second.reset();
    EXPECT_EQ(server.ManagersDestroyed(), 0);
    manager.reset();
    EXPECT_EQ(server.ManagersDestroyed(), 1);
}

TEST(OPCManager, ARefusedGroupStaysListedAndTheDestructorSwallowsLibraryErrors)
{
    FakeOPC::Server server;
    TOwned<TkOPCManager> manager(Create<TkOPCManager>(nullptr));
    server.FailNext("GroupAdd", "No such server");
    EXPECT_THROW(manager->GroupAdd("G", "Local", "Nowhere", 100), Exception);
    ASSERT_EQ(manager->GetGroupCount(), 1);
    EXPECT_EQ(manager->GetGroup(0)->Handle(), 0);
    manager->GroupAdd("H", "Local", "Sim.Server", 100);
    server.FailNext("GroupDelete", "Busy");
    EXPECT_THROW(manager->GroupDelete(1), Exception);
    EXPECT_EQ(manager->GetGroupCount(), 1);  // removed all the same
    manager->GroupAdd("H", "Local", "Sim.Server", 100);
    server.FailNext("GroupDelete", "Busy");
    EXPECT_NO_THROW(manager.reset());
}

TEST(OPCManager, GroupsStreamWithTheFormAndARefusedOneDoesNotFailTheLoad)
{
    FakeOPC::Server server;
    TOwned<TkOPCManager> manager(Create<TkOPCManager>(nullptr));
    manager->GroupAdd("Fast", "Local", "Sim.Server", 100);
    manager->GroupAdd("Slow", "Far", "Sim.Server", 2000);
    const String text = WriteComponent(manager.get());
    EXPECT_NE(text.find("Groups = <"), String::npos);
    EXPECT_EQ(text.find("Visible"), String::npos);  // invisible by default

    TOwned<TkOPCManager> copy(Create<TkOPCManager>(nullptr));
    copy->GroupAdd("Old", "Local", "S", 1);
    server.FailNext("GroupAdd", "No such server");
    ReadComponent(text, copy.get());
    ASSERT_EQ(copy->GetGroupCount(), 2);
    EXPECT_EQ(copy->GetGroup(0)->Handle(), 0);  // refused, still listed
    EXPECT_NE(copy->GetGroup(1)->Handle(), 0);
    EXPECT_EQ(copy->GetGroup(1)->ComputerName(), "Far");
    EXPECT_EQ(copy->GetGroup(1)->UpdateRate(), 2000);
    EXPECT_EQ(server.GroupRate("Slow"), 2000);
}

TEST(OPCManager, WithoutTheLibraryGroupsAreOnlyListed)
{
    FakeOPC::ReloadLibrary("/nonexistent/libkOPC2.so");
    TOwned<TkOPCManager> manager(Create<TkOPCManager>(nullptr));
    EXPECT_FALSE(manager->FirstInstance());
    manager->GroupAdd("G", "Local", "S", 100);
    EXPECT_EQ(manager->GetGroup(0)->Handle(), 0);
    manager->GetGroup(0)->Suspend();
    manager->GroupDelete(0);
    EXPECT_EQ(manager->GetGroupCount(), 0);
    EXPECT_EQ(OPCServerConnectionGetCount(), 0);
}

TEST(OPCManager, PaintsItsFrameAndTheGlyphOfTheProgramsResources)
{
    RegisterResources_APP();
    TOwned<TkOPCManager> manager(Create<TkOPCManager>(nullptr));
    manager->SetVisible(true);  // to be seen at all
    TOwned<TBitmap> image = Testing::Grab(manager.get());
    TCanvas* canvas = image->Canvas();
    EXPECT_EQ(canvas->Pixels(0, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(canvas->Pixels(10, 0), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(canvas->Pixels(27, 10), ColorToRGB(clBtnShadow));
    EXPECT_EQ(canvas->Pixels(10, 27), ColorToRGB(clBtnShadow));
    EXPECT_EQ(canvas->Pixels(2 + 3, 2 + 10), clBlack);  // the glyph's frame, at (2, 2)
    EXPECT_EQ(canvas->Pixels(2 + 8, 2 + 8), 0x808000);  // teal inside
}

TEST(OPCExplorer, ListsTheOpenConnectionsUnderASortedTree)
{
    RegisterResources_APP();
    FakeOPC::Server server;
    server.AddConnection("Sim.Server on Local");
    server.AddConnection("Alarm.Server on Far");
    TOwned<TkOPCManager> manager(Create<TkOPCManager>(nullptr));
    manager->ExplorerShow();
    TkOPCExplorerForm* explorer = ShowOPCExplorer();  // the same shared window
    ASSERT_TRUE(explorer && explorer->TreeView);
    EXPECT_EQ(explorer->Caption(), "Kelvane OPC Explorer");
    EXPECT_EQ(explorer->FormStyle(), fsStayOnTop);
    EXPECT_TRUE(explorer->Visible());
    EXPECT_TRUE(explorer->TreeView->ReadOnly());
    EXPECT_EQ(LayoutCheck::Faults(explorer), std::vector<String>{});

    const TTreeNodes& nodes = *explorer->TreeView->Items();
    ASSERT_EQ(nodes.TopCount(), 2);
    EXPECT_EQ(nodes.TopItem(0)->Text(), "Groups");
    EXPECT_EQ(nodes.TopItem(0)->ImageIndex(), 1);
    EXPECT_EQ(nodes.TopItem(0)->Count(), 0);
    const TTreeNode& connections = *nodes.TopItem(1);
    EXPECT_EQ(connections.Text(), "Servers Connections");
    ASSERT_EQ(connections.Count(), 2);
    EXPECT_EQ(connections.Item(0)->Text(), "Alarm.Server on Far");
    EXPECT_EQ(connections.Item(1)->ImageIndex(), 2);

    manager->CloseAllServerConnections();
    manager->ExplorerShow();
    EXPECT_EQ(nodes.Count(), 2);
    explorer->Hide();
}

}  // namespace
