#pragma once
// Sound effects and music: two WAV channels and one MIDI player. Every
// failure (no sound device, a missing or broken file) leaves the program
// silent; nothing is reported.
#include <array>
#include <memory>
#include <string>

#include "data/ProgramState.h"
#include "data/Services.h"

namespace landora {

// What the players need of the sound system. The real one is SDL2_mixer; tests
// put a recording fake in its place. Channels are 0 and 1.
class IAudioDevice {
public:
    virtual ~IAudioDevice() = default;
    // Loads a WAV file into a channel, replacing (and stopping) what it held.
    // False when the file cannot be loaded; the channel then holds nothing.
    virtual bool OpenWave(int channel, const std::string &path) = 0;
    virtual bool IsPlaying(int channel) = 0;
    // Plays the channel's sound from its beginning.
    virtual void PlayWave(int channel) = 0;
    // Stops the music and loads a MIDI file; false when it cannot be loaded.
    virtual bool OpenMidi(const std::string &path) = 0;
    // Plays the loaded music from a position in milliseconds (0 = start).
    virtual void PlayMidi(int position) = 0;
    // Stops what a channel plays, or the music; the sound stays loaded.
    virtual void StopWave(int channel) = 0;
    virtual void StopMidi() = 0;
};

// The sound system of this machine, started on first use. When it cannot
// start (no device, no driver) every later call does nothing.
std::unique_ptr<IAudioDevice> CreateSdlAudioDevice();

// The soundfont FluidSynth plays our MIDI music with (Debian's small GM set).
inline constexpr const char *SoundFontPath = "/usr/share/sounds/sf2/TimGM6mb.sf2";

class CSound final : public ISound {
public:
    // `settings` is read at every call, so switching sound or music off takes
    // effect with the next sound. Files are looked up in `folder`.
    CSound(const Settings &settings, std::unique_ptr<IAudioDevice> device, std::string folder);
    // The machine's sound system and the program folder.
    explicit CSound(const Settings &settings);
    ~CSound() override;

    // Channel 1 for channel number 1, channel 2 for any other number. The same
    // file twice on a channel is loaded once: a sound still playing goes on,
    // one that ran to its end starts again from the beginning.
    void PlayWave(const std::string &name, int channel) override;
    // Loads the file anew every time and plays it from `position`.
    void PlayMidi(const std::string &name, int position) override;
    // Stops the sound effects when they are switched off and the music when
    // it is: a player who switches them off in the settings hears nothing
    // more, not even the end of what was playing.
    void StopSwitchedOff();

private:
    const Settings &settings_;
    std::unique_ptr<IAudioDevice> device_;
    std::string folder_;
    // The file each WAV channel was last given, whether or not it loaded.
    std::array<std::string, 2> waveFile_;
    std::array<bool, 2> waveLoaded_ = {false, false};
};

} // namespace landora
