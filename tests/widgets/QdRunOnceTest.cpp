#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/Forms.h"
#include "platform/Testing.h"
#include "widgets/QdSystem.h"

using namespace Testing;

namespace {

// The variable that makes this test program act as a second instance of
// the program named by its value.
constexpr const char* kSecondInstance = "QD_RUN_ONCE_SECOND";

class TRecordingRunOnce : public TQdRunOnce {
public:
    using TQdRunOnce::TQdRunOnce;
    Integer BroughtForward = 0;

protected:
    void BringForward() override { ++BroughtForward; }
};

class QdRunOnceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SavedTitle = Application->Title;
        Application->Title = "qd run once/" + std::to_string(::getpid()) + "/" +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
        First = Create<TRecordingRunOnce>(nullptr);
        First->Loaded();
    }
    void TearDown() override
    {
        Free(First);
        Application->Title = SavedTitle;
    }
    // Lets the first instance take the requests that reached it, for up
    // to Rounds rounds of 2 ms.
    bool WaitBroughtForward(Integer Count, Integer Rounds = 500)
    {
        for (Integer i = 0; i < Rounds && First->BroughtForward < Count; ++i) {
            Application->ProcessMessages();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return First->BroughtForward == Count;
    }

    String SavedTitle;
    TRecordingRunOnce* First = nullptr;
};

}  // namespace

TEST_F(QdRunOnceTest, ALaterInstanceFindsTheFirstAndAsksItForward)
{
    ASSERT_TRUE(First->Initialized());
    TOwned<TQdRunOnce> second = CreateOwned<TQdRunOnce>(nullptr);
    Integer exists = 0;
    second->OnExists = [&](TObject* Sender) { exists += Sender == second.get(); };
    second->SetTerminate(false);  // this test program goes on
    second->Loaded();
    second->Loaded();  // once only
    EXPECT_EQ(exists, 1);
    EXPECT_TRUE(WaitBroughtForward(1));
    EXPECT_FALSE(Application->Terminated());

    second = CreateOwned<TQdRunOnce>(nullptr);
    second->SetTerminate(false);
    second->SetRestorePrevInst(false);
    second->Loaded();
    EXPECT_FALSE(WaitBroughtForward(2, 50));

    // Gone, the first instance leaves the place to the next one.
    FreeAndNil(First);
    First = Create<TRecordingRunOnce>(nullptr);
    First->Loaded();
    second = CreateOwned<TQdRunOnce>(nullptr);
    second->SetTerminate(false);
    second->Loaded();
    EXPECT_TRUE(WaitBroughtForward(1));
}

TEST_F(QdRunOnceTest, ASecondProgramShowsItsMessageAndEnds)
{
    const String command = String(kSecondInstance) + "='" + Application->Title + "' /proc/" +
                           std::to_string(::getpid()) + "/exe --gtest_filter=QdRunOnceSecond.* >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(WaitBroughtForward(1));
}

// Runs only as the second program started by the test above.
TEST(QdRunOnceSecond, EndsWithItsMessageAfterAskingTheFirstForward)
{
    const char* title = std::getenv(kSecondInstance);
    if (!title) GTEST_SKIP() << "only as a second instance";
    Application->Title = title;
    TOwned<TQdRunOnce> second = CreateOwned<TQdRunOnce>(nullptr);
    second->SetShowMessage(true);
    second->SetMessageText("Already running");
    Answers::Message(mrOk);
    second->Loaded();
    EXPECT_EQ(Answers::MessageTexts(), (std::vector<String>{"Already running"}));
    EXPECT_TRUE(Application->Terminated());
}
