#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

// One main for every test program. Widget smoke tests need an application object; the
// offscreen platform keeps the suites free of any display.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
