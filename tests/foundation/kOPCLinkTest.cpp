// The OPC link against the simulated server of tests/support/opc: values
// follow the server into a switch's properties and back, and the library's
// failures surface as the link's messages.

#include <gtest/gtest.h>

#include "components/foundation/kOPCItem.h"
#include "components/foundation/kSwitchLed.h"
#include "platform/FormStream.h"
#include "support/ExceptionCatcher.h"
#include "support/FakeOPC.h"
#include "support/MessageOf.h"

namespace {

class OPCLink : public testing::Test {
protected:
    // An item of the switch bound to Property and the server's Item.
    TkOPCItem* Bind(const char* Property, const char* Item, const char* Group = "")
    {
        TkOPCItem* item = Switch->OPCItemManager()->GetItem(Switch->OPCAddItem());
        item->SetPropertyName(Property);
        item->SetServerName("Sim.Server");
        item->SetGroupName(Group);
        item->SetItemName(Item);
        item->Activate();
        return item;
    }

    FakeOPC::Server Server;
    TOwned<TkSwitchLed> Switch{Create<TkSwitchLed>(nullptr)};
};

TEST_F(OPCLink, SwitchFollowsTheServerAndSendsUserChangesButNoEcho)
{
    TkOPCItem* item = Bind("Active", "Plant.Pump");
    ASSERT_NE(item->SignalHandle(), 0);
    EXPECT_TRUE(item->GetSignalActive());

    Server.Publish("Plant.Pump", FakeOPC::Flag(true));
    Server.Deliver();
    EXPECT_TRUE(Switch->Active());
    EXPECT_FALSE(Switch->OPCIncomingActive());
    EXPECT_TRUE(VarIsEmpty(Server.Sent("Plant.Pump")));  // the incoming value is not echoed

    Switch->SetActive(false);
    int32_t count = 0;
    const Variant sent = Server.Sent("Plant.Pump", &count);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(VarToStr(sent), "False");

    // Texts: any case of TRUE, and any number but 0 for a Boolean.
    Server.Publish("Plant.Pump", FakeOPC::Text("tRuE"));
    Server.Deliver();
    EXPECT_TRUE(Switch->Active());
    Server.Publish("Plant.Pump", FakeOPC::Text("0"));
    Server.Publish("Plant.Pump", FakeOPC::IntValue(varInteger, 2));
    Server.Deliver();
    EXPECT_TRUE(Switch->Active());
}

TEST_F(OPCLink, AnIncomingValueEqualToTheCurrentOneLeavesTheNextChangeToBeSent)
{
    Bind("Active", "Plant.Pump");
    Server.Publish("Plant.Pump", FakeOPC::Flag(false));  // no change: no setter runs
    Server.Deliver();
    Switch->SetActive(true);
    int32_t count = 0;
    Server.Sent("Plant.Pump", &count);
    EXPECT_EQ(count, 1);
}

TEST_F(OPCLink, ConversionErrorsReachTheApplicationAndLeaveThePropertyAndTheEchoFlag)
{
    TkOPCItem* item = Bind("BorderSize", "Plant.Size");
    item->SetAutoError(true);
    const Integer before = Switch->BorderSize();
    ExceptionCatcher caught;
    Server.Publish("Plant.Size", FakeOPC::Text("wide"));
    Server.Deliver();
    EXPECT_EQ(caught.Messages, std::vector<String>{"'wide' n'est pas une valeur entière correcte"});
    EXPECT_EQ(Switch->BorderSize(), before);
    EXPECT_FALSE(Switch->OPCIncomingActive());
    EXPECT_TRUE(Switch->ErrorActive());
}

TEST_F(OPCLink, QualityScalingAndOffsetFollowTheDataType)
{
    ExceptionCatcher caught;
    TkOPCItem* item = Bind("Tag", "Plant.Level");
    item->Scalar = 2.5;
    Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, 3));
    Server.Deliver();
    EXPECT_EQ(VarToStr(item->Data()), "8");  // 7.5 to even
    EXPECT_EQ(Switch->Tag(), 8);
    Server.Publish("Plant.Level", FakeOPC::Value(3.0));
    Server.Deliver();
    EXPECT_EQ(VarToStr(item->Data()), "7.5");
    EXPECT_EQ(caught.Messages, std::vector<String>{"'7.5' n'est pas une valeur entière correcte"});

    item->Scalar = 0.0;
    item->Offset = 0.5;
    Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, 2));
    Server.Deliver();
    EXPECT_EQ(VarToStr(item->Data()), "2");
    Server.Publish("Plant.Level", FakeOPC::Text("3"));
    Server.Deliver();
    EXPECT_EQ(VarToStr(item->Data()), "3");  // text is not scaled

    // Scaling that leaves the type drops the value; bad quality keeps the
    // data but writes nothing.
    item->Offset = 0.0;
    item->Scalar = 1000.0;
    item->SetAutoError(true);
    Server.Publish("Plant.Level", FakeOPC::IntValue(varSmallint, 100));
    Server.Deliver();
    EXPECT_EQ(Switch->Tag(), 3);
    EXPECT_TRUE(Switch->ErrorActive());
    item->Scalar = 0.0;
    Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, 42), FakeOPC::Uncertain);
    Server.Deliver();
    EXPECT_EQ(VarToStr(item->Data()), "42");
    EXPECT_EQ(Switch->Tag(), 3);
    EXPECT_TRUE(Switch->ErrorActive());
    Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, 5), 0xD8);
    Server.Deliver();
    EXPECT_EQ(Switch->Tag(), 5);
    EXPECT_FALSE(Switch->ErrorActive());
}

TEST_F(OPCLink, ActivateNeedsAPropertyAnItemAndAGroupOrServer)
{
    TkOPCItem* item = Switch->OPCItemManager()->GetItem(Switch->OPCAddItem());
    item->SetPropertyName("Active");
    item->SetItemName("Plant.Pump");
    item->Activate();
    EXPECT_EQ(item->SignalHandle(), 0);  // group and server empty
    item->SetGroupName(" G ");
    item->SetItemName(" ");
    item->Activate();
    EXPECT_EQ(item->SignalHandle(), 0);
    item->SetItemName("Plant.Pump");
    item->Activate();
    EXPECT_NE(item->SignalHandle(), 0);
    EXPECT_EQ(Server.SignalCount(), 1);

    // A connection field changed on an active item registers it again.
    const Integer first = item->SignalHandle();
    item->SetUpdateRate(250);
    EXPECT_NE(item->SignalHandle(), first);
    EXPECT_EQ(Server.SignalCount(), 1);
}

TEST_F(OPCLink, SuspendAndResumeStopAndRestartTheValues)
{
    TkOPCItem* item = Bind("Tag", "Plant.Level");
    Switch->OPCItemUpdateSuspend(0);
    EXPECT_TRUE(item->UpdateSuspended());
    Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, 9));
    Server.Deliver();
    EXPECT_EQ(Switch->Tag(), 0);
    Switch->OPCItemUpdateResume(0);
    EXPECT_FALSE(item->UpdateSuspended());
    Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, 9));
    Server.Deliver();
    EXPECT_EQ(Switch->Tag(), 9);

    item->Deactivate();
    item->ActivateSuspend();
    EXPECT_TRUE(item->UpdateSuspended());
}

TEST_F(OPCLink, RemovingAnItemWithCallbacksInFlightLosesNoOtherValue)
{
    TkOPCItem* doomed = Bind("Tag", "Plant.Level");
    TkOPCItem* kept = Bind("BorderSize", "Plant.Border");
    Integer arrivals = 0;
    Switch->OnNewOPCData = [&](TObject*, Integer) { ++arrivals; };
    for (int i = 0; i < 200; ++i) {
        Server.Publish("Plant.Level", FakeOPC::IntValue(varInteger, i));
        Server.Publish("Plant.Border", FakeOPC::IntValue(varInteger, 2 + i % 5));
        if (i == 100) Switch->OPCDeleteItem(Switch->OPCItemManager()->FindIndex(doomed));
    }
    Server.Deliver();
    EXPECT_EQ(Switch->OPCItemCount(), 1);
    EXPECT_EQ(VarToStr(kept->Data()), "6");
    EXPECT_GE(arrivals, 200);  // every value of the kept item, some of the removed one
    EXPECT_LT(arrivals, 400);
    EXPECT_EQ(Server.SignalCount(), 1);
}

TEST_F(OPCLink, ItemsStreamWithTheFormAndConnectWhenLoaded)
{
    TkOPCItem* item = Bind("Active", "Plant.Pump");
    item->Scalar = 1.5;
    item->SetComputerName("Far");
    const String text = WriteComponent(Switch.get());
    EXPECT_NE(text.find("OPCItems = <"), String::npos);
    EXPECT_EQ(text.find("UpdateSuspended"), String::npos);

    TOwned<TkSwitchLed> copy(Create<TkSwitchLed>(nullptr));
    ReadComponent(text, copy.get());
    ASSERT_EQ(copy->OPCItemCount(), 1);
    TkOPCItem* read = copy->OPCItemManager()->GetItem(0);
    EXPECT_EQ(read->ComputerName(), "Far");
    EXPECT_EQ(read->Scalar, 1.5);
    EXPECT_EQ(read->PropertyType(), tkEnumeration);
    EXPECT_NE(read->SignalHandle(), 0);  // AutoConnect

    TOwned<TkSwitchLed> broken(Create<TkSwitchLed>(nullptr));
    String bad = text;
    bad.replace(bad.find("ItemName"), 8, "ItemNom");
    EXPECT_THROW(ReadComponent(bad, broken.get()), EReadError);
    EXPECT_EQ(broken->OPCItemCount(), 0);
}

TEST(OPCLibrary, MissingLibraryAndMissingExportGiveTheirMessages)
{
    {
        FakeOPC::Server partial(FAKE_OPC_PARTIAL);
        TOwned<TkSwitchLed> s(Create<TkSwitchLed>(nullptr));
        TkOPCItem* item = s->OPCItemManager()->GetItem(s->OPCAddItem());
        EXPECT_EQ(MessageOf([&] { OPCSignalSendData(1, Variant(1)); }),
                  "Function \"SignalSendData\" not found in \"kOPC2.dll\".");
        item->SetPropertyName("Active");
        item->SetServerName("S");
        item->SetItemName("I");
        const String longText(20000, 'e');  // the library's texts have any length
        partial.FailNext("SignalAdd", longText.c_str());
        EXPECT_EQ(MessageOf([&] { item->Activate(); }), longText);
        EXPECT_EQ(item->SignalHandle(), 0);
        partial.FailNext("SignalRemove", "Gone");
        item->Activate();
        EXPECT_EQ(MessageOf([&] { item->Deactivate(); }), "Gone");
        EXPECT_EQ(item->SignalHandle(), 0);
        item->Activate();
        partial.FailNext("SignalRemove", "Gone");
        // The item goes without raising despite the library's complaint.
    }
    FakeOPC::ReloadLibrary("/nonexistent/libkOPC2.so");
    EXPECT_FALSE(OPCDLLLoaded());
    EXPECT_EQ(MessageOf([] { OPCSignalGetData(1); }), "Kelvane OPC DLL Not Found.");
    EXPECT_EQ(OPCGroupAdd("Local", "S", "G", 100, kOPCGroupCallback{}), 0);
    EXPECT_EQ(OPCServerConnectionGetCount(), 0);
    EXPECT_NO_THROW(OPCManagerDestroyed());
    TOwned<TkSwitchLed> s(Create<TkSwitchLed>(nullptr));
    TkOPCItem* item = s->OPCItemManager()->GetItem(s->OPCAddItem());
    item->SetServerName("S");
    item->Activate();
    EXPECT_FALSE(item->GetSignalActive());
    EXPECT_NO_THROW(item->SendData(Variant(1)));
}

}  // namespace
