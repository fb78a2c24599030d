// The window needs a QApplication for the whole run; GoogleTest runs the
// cases inside it.

#include "app/skin.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    ::testing::InitGoogleTest(&argc, argv);
    // Listing the cases (as test discovery does at build time) needs no
    // window system.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The window keeps the metal chosen in the user's settings: the users
    // start from the program's own start, never from what a person or an
    // earlier run chose.
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/tarvik"))
        .removeRecursively();
    tarvik::applySkin(app);
    return RUN_ALL_TESTS();
}
