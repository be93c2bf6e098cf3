#include <gtest/gtest.h>

#include "platform/Testing.h"

// The main of the programs whose timers run on Qt's own clock.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    Testing::InitTestProcess(argc, argv, Testing::Clock::Real);
    const int result = RUN_ALL_TESTS();
    Testing::DoneTestProcess();
    return result;
}
