#include "toolkit/window/controls.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    tk::registerControlClasses();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
