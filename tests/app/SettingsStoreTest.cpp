#include <QFile>
#include <gtest/gtest.h>

#include "platform/SettingsStore.h"
#include "support/TempDir.h"

using namespace landora;
using landora::test::TempDir;

namespace {

// A store on an INI file of the test's own folder, written by hand first.
struct Store {
    TempDir dir;
    QString path = QString::fromStdString(dir.File("Landora.conf"));

    explicit Store(const std::string &ini = {})
    {
        if (!ini.empty())
            dir.Write("Landora.conf", ini);
    }
    Settings Read() const
    {
        Settings settings;
        settings.MusicOn = settings.SoundOn = false; // prove Read sets every value
        CSettingsStore(path).Read(settings);
        return settings;
    }
};

} // namespace

TEST(SettingsStore, FirstStartGivesTheDefaults)
{
    Store store;
    const Settings s = store.Read();
    EXPECT_TRUE(s.MusicOn);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.ShowTimer);
    EXPECT_FALSE(s.BigTimer);
    EXPECT_EQ(s.Language, 2);
    EXPECT_FALSE(QFile::exists(store.path)) << "reading must not create the file";
}

TEST(SettingsStore, OnlyTheNumberOneSwitchesAnOptionOn)
{
    Store store("[Options]\nMusic=yes\nSounds=2\nTimer=0\nYoutube=1\n");
    const Settings s = store.Read();
    EXPECT_TRUE(s.MusicOn) << "not a number: the default";
    EXPECT_FALSE(s.SoundOn) << "2 is a number, and not 1";
    EXPECT_FALSE(s.ShowTimer);
    EXPECT_TRUE(s.BigTimer);

    CSettingsStore raw(store.path);
    EXPECT_EQ(raw.ReadInteger("Options", "Music", 1), 1);
    EXPECT_EQ(raw.ReadInteger("Options", "Sounds", 1), 2);
}

TEST(SettingsStore, NumbersAreReadAsDecimalTextOrGiveTheDefault)
{
    Store store("[Languages]\nFrom=42\n[Test]\nNegative=-3\nHex=0x10\nEmpty=\nList=1,0\nSpaced= 7 \n"
                "Fraction=1.5\nHuge=99999999999\n");
    CSettingsStore raw(store.path);
    EXPECT_EQ(raw.ReadInteger("Languages", "From", 2), 42) << "the language number is kept as stored";
    EXPECT_EQ(raw.ReadInteger("Test", "Negative", 5), -3);
    EXPECT_EQ(raw.ReadInteger("Test", "Hex", 5), 5);
    EXPECT_EQ(raw.ReadInteger("Test", "Empty", 5), 5);
    EXPECT_EQ(raw.ReadInteger("Test", "List", 5), 5);
    EXPECT_EQ(raw.ReadInteger("Test", "Spaced", 5), 7);
    EXPECT_EQ(raw.ReadInteger("Test", "Fraction", 5), 5);
    EXPECT_EQ(raw.ReadInteger("Test", "Huge", 5), 5) << "out of the integer range";
    EXPECT_EQ(raw.ReadInteger("Test", "Missing", 5), 5);
    EXPECT_EQ(raw.ReadInteger("Missing", "From", 5), 5);

    EXPECT_EQ(store.Read().Language, 42);
    EXPECT_EQ(Store("[Languages]\nFrom=Svenska\n").Read().Language, 2);
    EXPECT_EQ(Store("[Languages]\nFrom=0\n").Read().Language, 0);
}

TEST(SettingsStore, WrittenOptionsAndLanguageReadBackAsDecimalText)
{
    Store store;
    Settings s;
    s.MusicOn = false;
    s.SoundOn = true;
    s.ShowTimer = false;
    s.BigTimer = true;
    {
        CSettingsStore writer(store.path);
        writer.WriteOptions(s);
        writer.WriteLanguage(7);
    }
    const Settings back = store.Read();
    EXPECT_FALSE(back.MusicOn);
    EXPECT_TRUE(back.SoundOn);
    EXPECT_FALSE(back.ShowTimer);
    EXPECT_TRUE(back.BigTimer);
    EXPECT_EQ(back.Language, 7);

    const std::string ini = store.dir.Read("Landora.conf");
    EXPECT_NE(ini.find("[Options]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Music=0"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Sounds=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Youtube=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[Languages]\nFrom=7"), std::string::npos) << ini;
}

TEST(SettingsStore, WritingOptionsLeavesTheLanguageAlone)
{
    Store store("[Languages]\nFrom=5\n");
    CSettingsStore(store.path).WriteOptions(Settings{});
    EXPECT_EQ(store.Read().Language, 5);
}

TEST(SettingsStore, AStoreThatCannotBeWrittenFailsWithTheRegistryMessage)
{
    TempDir dir;
    dir.Write("plain-file", "not a folder");
    CSettingsStore store(QString::fromStdString(dir.File("plain-file") + "/Landora.conf"));
    try {
        store.WriteLanguage(3);
        FAIL() << "the write was reported as done";
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), "Could not write to the registry");
    }
    Settings s;
    store.Read(s);
    EXPECT_EQ(s.Language, 2);
}

TEST(SettingsStore, ThePlayersStoreIsAnIniFileNamedForLandoraInTheConfigFolder)
{
    CSettingsStore store;
    const QString location = store.Location();
    EXPECT_TRUE(location.endsWith(QStringLiteral("Landora/Landora.conf"))) << location.toStdString();
    // The test main gives every test program a scratch config folder; the
    // suite never touches the player's own settings.
    EXPECT_TRUE(location.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME") + "/")) << location.toStdString();

    store.WriteLanguage(9);
    Settings back;
    CSettingsStore().Read(back);
    EXPECT_EQ(back.Language, 9);
}
