#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// Widget tests run headless; the environment from CTest already says so, but a
// binary started by hand should behave the same.
int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (!std::getenv("QT_FONT_DPI"))
        setenv("QT_FONT_DPI", "96", 1);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
