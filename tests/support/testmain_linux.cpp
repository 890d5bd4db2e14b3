#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

// Every test runs headless; the platform is chosen before the application
// exists, so listing tests works on a machine without a display.
int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
