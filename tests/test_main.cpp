#include "test_application.h"

#include <gtest/gtest.h>

// One main for every test program; which application it makes is linked in beside it.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const auto app = makeTestApplication(argc, argv);
    return RUN_ALL_TESTS();
}
