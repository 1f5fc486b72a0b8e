// Test entry point: a QApplication on the offscreen platform, then GoogleTest.
#include "OffscreenApplication.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    rv::test::prepareOffscreenApplication();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravelto"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
