// The one main of every test program: no display, no sound device and no
// user settings are touched, whatever the machine has.
#include <QApplication>
#include <QSettings>
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
    // Test mode alone would put the settings store in ~/.qttest, shared by
    // every run; each test program gets a store of its own instead.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsHome.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsHome.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
