#include "core/Delays.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test runs with a QApplication on the offscreen platform and with the application's
// delays a hundred times shorter.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    Delays::setTimeScale(0.01);
    return RUN_ALL_TESTS();
}
