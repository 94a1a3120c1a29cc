#include <gtest/gtest.h>

#include <QProcess>
#include <csignal>

#include <SDL.h>

#include "platform/Sound.h"
#include "support/MediaFiles.h"
#include "support/TempDir.h"

using namespace landora;
using landora::test::TempDir;

namespace {

// Records what the players ask of the sound system. Files whose name contains
// "missing" fail to load; a channel plays until the test says it finished.
class FakeDevice final : public IAudioDevice {
public:
    struct Log {
        std::vector<std::string> opened;          // "wave0:<path>", "midi:<path>"
        std::vector<std::string> played;          // "wave0", "midi@<position>"
        std::array<bool, 2> playing = {false, false};
    };

    explicit FakeDevice(Log &log) : log_(log) {}

    bool OpenWave(int channel, const std::string &path) override
    {
        log_.opened.push_back("wave" + std::to_string(channel) + ":" + path);
        log_.playing[static_cast<std::size_t>(channel)] = false;
        return path.find("missing") == std::string::npos;
    }
    bool IsPlaying(int channel) override { return log_.playing[static_cast<std::size_t>(channel)]; }
    void PlayWave(int channel) override
    {
        log_.played.push_back("wave" + std::to_string(channel));
        log_.playing[static_cast<std::size_t>(channel)] = true;
    }
    bool OpenMidi(const std::string &path) override
    {
        log_.opened.push_back("midi:" + path);
        return path.find("missing") == std::string::npos;
    }
    void PlayMidi(int position) override { log_.played.push_back("midi@" + std::to_string(position)); }
    void StopWave(int channel) override
    {
        log_.played.push_back("stop wave" + std::to_string(channel));
        log_.playing[static_cast<std::size_t>(channel)] = false;
    }
    void StopMidi() override { log_.played.push_back("stop midi"); }

private:
    Log &log_;
};

struct Players {
    Settings settings;
    FakeDevice::Log log;
    CSound sound{settings, std::make_unique<FakeDevice>(log), "/prog"};

    void Finish(int channel) { log.playing[static_cast<std::size_t>(channel)] = false; }
};

using Strings = std::vector<std::string>;

} // namespace

TEST(Sound, WithSoundEffectsOffNothingIsOpenedOrPlayed)
{
    Players p;
    p.settings.SoundOn = false;
    p.sound.PlayWave("Plopp4.WAV", 1);
    p.sound.PlayWave("Rassel11.WAV", 2);
    EXPECT_TRUE(p.log.opened.empty());
    EXPECT_TRUE(p.log.played.empty());

    // Music is gated by its own setting.
    p.sound.PlayMidi("good.mid", 0);
    EXPECT_EQ(p.log.played, Strings{"midi@0"});
}

TEST(Sound, TheSameFileTwiceOnAChannelIsOpenedOnce)
{
    Players p;
    p.sound.PlayWave("Plopp4.WAV", 1);
    p.Finish(0);
    p.sound.PlayWave("Plopp4.WAV", 1);
    EXPECT_EQ(p.log.opened, Strings{"wave0:/prog/Plopp4.WAV"});
    EXPECT_EQ(p.log.played, (Strings{"wave0", "wave0"})) << "a finished sound starts again";
}

TEST(Sound, ASoundStillPlayingGoesOn)
{
    Players p;
    p.sound.PlayWave("Plopp4.WAV", 1);
    p.sound.PlayWave("Plopp4.WAV", 1);
    EXPECT_EQ(p.log.played, Strings{"wave0"});
}

TEST(Sound, ANewNameReopensTheChannelEvenWhilePlaying)
{
    Players p;
    p.sound.PlayWave("Plopp4.WAV", 2);
    p.sound.PlayWave("Plopp.WAV", 2);
    p.Finish(1);
    p.sound.PlayWave("Plopp4.WAV", 2);
    EXPECT_EQ(p.log.opened, (Strings{"wave1:/prog/Plopp4.WAV", "wave1:/prog/Plopp.WAV", "wave1:/prog/Plopp4.WAV"}));
    EXPECT_EQ(p.log.played, (Strings{"wave1", "wave1", "wave1"}));
}

TEST(Sound, ChannelOneIsOnlyNumberOneAndTheChannelsAreIndependent)
{
    Players p;
    p.sound.PlayWave("Plopp4.WAV", 1);
    p.sound.PlayWave("Rassel11.WAV", 2); // right then wrong: both sound together
    p.sound.PlayWave("Rassel11.WAV", 0);
    p.sound.PlayWave("Rassel11.WAV", 3);
    p.sound.PlayWave("Rassel11.WAV", -1);
    EXPECT_EQ(p.log.opened, (Strings{"wave0:/prog/Plopp4.WAV", "wave1:/prog/Rassel11.WAV"}));
    EXPECT_EQ(p.log.played, (Strings{"wave0", "wave1"}));
    EXPECT_TRUE(p.log.playing[0] && p.log.playing[1]);
}

TEST(Sound, AFileThatDoesNotLoadStaysSilentUntilAnotherIsAskedFor)
{
    Players p;
    p.sound.PlayWave("missing.WAV", 1);
    p.sound.PlayWave("missing.WAV", 1);
    EXPECT_EQ(p.log.opened, Strings{"wave0:/prog/missing.WAV"});
    EXPECT_TRUE(p.log.played.empty());
    p.sound.PlayWave("Plopp4.WAV", 1);
    EXPECT_EQ(p.log.played, Strings{"wave0"});
}

TEST(Sound, SwitchingSoundOffAndOnTakesEffectWithTheNextSound)
{
    Players p;
    p.sound.PlayWave("Plopp4.WAV", 1);
    p.settings.SoundOn = false;
    p.Finish(0);
    p.sound.PlayWave("Plopp4.WAV", 1);
    p.settings.SoundOn = true;
    p.sound.PlayWave("Plopp4.WAV", 1);
    EXPECT_EQ(p.log.opened.size(), 1u);
    EXPECT_EQ(p.log.played, (Strings{"wave0", "wave0"}));
}

// Switched off in the settings window, sound and music fall silent at once;
// what is still switched on plays on.
TEST(Sound, WhatIsSwitchedOffStopsAtOnce)
{
    Players p;
    p.sound.StopSwitchedOff();
    p.settings.MusicOn = false;
    p.sound.StopSwitchedOff();
    EXPECT_EQ(p.log.played, Strings{"stop midi"});
    p.sound.PlayWave("Plopp4.WAV", 1);
    p.settings.SoundOn = false;
    p.sound.StopSwitchedOff();
    EXPECT_EQ(p.log.played, (Strings{"stop midi", "wave0", "stop wave0", "stop wave1", "stop midi"}));
    EXPECT_FALSE(p.log.playing[0]);
}

TEST(Sound, MusicIsGatedAndReopenedEveryTime)
{
    Players p;
    p.settings.MusicOn = false;
    p.sound.PlayMidi("good.mid", 0);
    EXPECT_TRUE(p.log.opened.empty());

    p.settings.MusicOn = true;
    p.sound.PlayMidi("good.mid", 0);
    p.sound.PlayMidi("good.mid", 0);
    p.sound.PlayMidi("missing.mid", 0);
    EXPECT_EQ(p.log.opened, (Strings{"midi:/prog/good.mid", "midi:/prog/good.mid", "midi:/prog/missing.mid"}));
    EXPECT_EQ(p.log.played, (Strings{"midi@0", "midi@0"}));
}

// The real sound system, on SDL's dummy driver (set by the test main): valid
// files play, missing and broken ones are silence, never a crash.
TEST(SdlSound, PlaysValidFilesAndIgnoresBrokenOnes)
{
    TempDir dir;
    dir.Write("tone.wav", landora::test::TinyWav(11025));
    dir.Write("broken.wav", "RIFF\x10\x00\x00\x00WAVEfmt garbage");
    dir.Write("good.mid", landora::test::TinyMidi());
    dir.Write("broken.mid", "MThd\x00\x00\x00\x06 nothing more");

    std::unique_ptr<IAudioDevice> device = CreateSdlAudioDevice();
    ASSERT_TRUE(device->OpenWave(0, dir.File("tone.wav"))) << SDL_GetError();
    device->PlayWave(0);
    EXPECT_TRUE(device->IsPlaying(0));
    EXPECT_FALSE(device->IsPlaying(1));
    EXPECT_FALSE(device->OpenWave(1, dir.File("broken.wav")));
    EXPECT_FALSE(device->OpenWave(1, dir.File("nothing-here.wav")));
    device->PlayWave(1); // nothing loaded: nothing happens
    // The synthesiser reads a MIDI file lazily, so a broken one may "load";
    // playing it must still be safe.
    if (device->OpenMidi(dir.File("broken.mid")))
        device->PlayMidi(0);
    EXPECT_FALSE(device->OpenMidi(dir.File("nothing-here.mid")));
    // Whether MIDI loads depends on the synthesiser being installed; either
    // way playing must be safe.
    if (device->OpenMidi(dir.File("good.mid")))
        device->PlayMidi(0);

    Settings settings;
    CSound sound(settings, std::move(device), dir.Path());
    sound.PlayWave("tone.wav", 2);
    sound.PlayWave("broken.wav", 1);
    sound.PlayMidi("good.mid", 0);
    sound.PlayMidi("missing.mid", 0);
}

// SDL would turn Ctrl+C and kill into quit events that nobody reads.
TEST(SdlSound, StartingLeavesTheTerminationSignalsAlone)
{
    TempDir dir;
    dir.Write("tone.wav", landora::test::TinyWav(100));
    ASSERT_TRUE(CreateSdlAudioDevice()->OpenWave(0, dir.File("tone.wav")));
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        ::sigaction(signal, nullptr, &action);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << signal;
    }
}

TEST(SdlSound, TheShippedSoundsAndMusicLoad)
{
    std::unique_ptr<IAudioDevice> device = CreateSdlAudioDevice();
    const std::string dataset = LANDORA_DATASET_DIR;
    for (const char *name : {"Plopp4.WAV", "Rassel11.WAV", "Plopp.WAV"})
        EXPECT_TRUE(device->OpenWave(0, dataset + "/" + name)) << name << ": " << SDL_GetError();
    EXPECT_TRUE(device->OpenMidi(dataset + "/good.mid")) << SDL_GetError();
}

// Ctrl+C and kill end the program's event loop, also once the sound system
// runs (a child process, since ending the loop is for good).
TEST(TerminationSignals, EndTheEventLoopAfterASoundPlayed)
{
    for (const char *signal : {"TERM", "INT"}) {
        QProcess child;
        child.start(QStringLiteral(LANDORA_SIGNAL_CHILD),
                    {QStringLiteral(LANDORA_DATASET_DIR "/Plopp4.WAV"), QString::fromLatin1(signal)});
        ASSERT_TRUE(child.waitForFinished(30000)) << signal;
        EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << signal;
        EXPECT_EQ(child.exitCode(), 0) << signal << ": " << child.readAllStandardError().toStdString();
    }
}
