#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/Testing.h"
#include "widgets/QdSystem.h"

using namespace Testing;

namespace {

class QdKeyStatusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GetKeyboardState(Saved);
        SetLocks(0, 0, 0);
        Status = Create<TQdKeyStatus>(nullptr);
        Status->OnChange = [this](TObject* Sender) { Changes.push_back(Sender == Status ? Status->Keys() : TQdKeyStateTypes{}); };
    }
    void TearDown() override
    {
        Free(Status);
        SetKeyboardState(Saved);
    }
    static void SetLocks(Byte Num, Byte Caps, Byte Scroll)
    {
        std::array<Byte, 256> table;
        GetKeyboardState(table);
        table[VK_NUMLOCK] = Num;
        table[VK_CAPITAL] = Caps;
        table[VK_SCROLL] = Scroll;
        SetKeyboardState(table);
    }

    std::array<Byte, 256> Saved{};
    TQdKeyStatus* Status = nullptr;
    std::vector<TQdKeyStateTypes> Changes;
};

}  // namespace

TEST_F(QdKeyStatusTest, SettingKeysSwitchesTheProgramsLocks)
{
    Status->SetKeys({ksCAPS});
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 0);
    EXPECT_EQ(Changes, (std::vector<TQdKeyStateTypes>{{ksCAPS}}));
    Status->SetKeys({ksCAPS});  // unchanged: nothing
    EXPECT_EQ(Changes.size(), 1u);
    Status->SetKeys({ksNUM, ksSCROLL});
    EXPECT_EQ(GetKeyState(VK_CAPITAL), 0);
    EXPECT_EQ(GetKeyState(VK_NUMLOCK), 1);
    EXPECT_EQ(GetKeyState(VK_SCROLL), 1);
}

TEST_F(QdKeyStatusTest, MonitoringReportsLockChangesEveryTenthOfASecondAndStops)
{
    Status->SetMonitorEvents(true);
    SetLocks(1, 0, 0);
    VirtualClock::Advance(99);
    EXPECT_TRUE(Changes.empty());
    VirtualClock::Advance(1);
    EXPECT_EQ(Changes, (std::vector<TQdKeyStateTypes>{{ksNUM}}));
    // A lock key held down counts as on; a press toggles its lock.
    SetLocks(1, 0x80, 0);
    VirtualClock::Advance(100);
    EXPECT_EQ(Changes.back(), (TQdKeyStateTypes{ksNUM, ksCAPS}));
    VirtualClock::Advance(300);
    EXPECT_EQ(Changes.size(), 2u);

    Status->SetMonitorEvents(false);
    SetLocks(0, 0, 0);
    VirtualClock::Advance(500);
    EXPECT_EQ(Changes.size(), 2u);
    // Freed while monitoring: the poll ends with it.
    Status->SetMonitorEvents(true);
    FreeAndNil(Status);
    VirtualClock::Advance(500);
}
