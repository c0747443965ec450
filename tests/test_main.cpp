#include <gtest/gtest.h>

#ifdef PCVIMO_TEST_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

// One main for every test program. The program's logic needs no more than Qt Core; the
// suites of the Qt layer get a widget application on the offscreen platform, free of any display.
int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
#ifdef PCVIMO_TEST_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
