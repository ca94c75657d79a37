// main() of every test program: either a registered child run (see
// ZX_TEST_CHILD) or the GoogleTest run.

#include <gtest/gtest.h>

#include "TestProcess.h"

int main(int argc, char** argv)
{
    int childResult = zxtest::RunRegisteredChild(argc, argv);
    if (childResult >= 0)
        return childResult;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
