#include <gtest/gtest.h>

#include "platform/Testing.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    Testing::InitTestProcess(argc, argv);
    const int result = RUN_ALL_TESTS();
    Testing::DoneTestProcess();
    return result;
}
