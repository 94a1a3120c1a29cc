// The one main of every test program: no display, no sound device and no
// user settings are touched, whatever the machine has.
#include <QApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    QTemporaryDir settingsHome;
    ::setenv("XDG_CONFIG_HOME", settingsHome.path().toLocal8Bit().constData(), 1);
    ::setenv("XDG_DATA_HOME", settingsHome.path().toLocal8Bit().constData(), 1);
    QStandardPaths::setTestModeEnabled(true);

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
