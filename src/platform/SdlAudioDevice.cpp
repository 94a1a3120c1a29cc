// The SDL2_mixer side of the players. Kept apart from CSound so that the
// decisions about when to load and when to play are tested without a sound
// card.
#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <filesystem>

#include "platform/Sound.h"

namespace landora {

namespace {

// SDL audio for the whole process: started on first use, once, and closed at
// exit. When it cannot start (no device, no driver) it stays off for good.
class CAudioSystem {
public:
    static bool Ready()
    {
        static CAudioSystem system;
        return system.running_;
    }

private:
    CAudioSystem()
    {
        // Left alone, SDL turns SIGINT and SIGTERM into quit events of its
        // own, which nobody reads: Ctrl+C and kill would no longer end us.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return;
        Mix_Init(MIX_INIT_MID);
        if (std::filesystem::exists(SoundFontPath))
            Mix_SetSoundFonts(SoundFontPath);
        if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 2048) != 0 || Mix_AllocateChannels(2) < 2) {
            Mix_CloseAudio();
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return;
        }
        running_ = true;
    }
    ~CAudioSystem()
    {
        if (!running_)
            return;
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    CAudioSystem(const CAudioSystem &) = delete;
    CAudioSystem &operator=(const CAudioSystem &) = delete;

    bool running_ = false;
};

class CSdlAudioDevice final : public IAudioDevice {
public:
    CSdlAudioDevice() = default;
    ~CSdlAudioDevice() override;
    CSdlAudioDevice(const CSdlAudioDevice &) = delete;
    CSdlAudioDevice &operator=(const CSdlAudioDevice &) = delete;

    bool OpenWave(int channel, const std::string &path) override;
    bool IsPlaying(int channel) override;
    void PlayWave(int channel) override;
    bool OpenMidi(const std::string &path) override;
    void PlayMidi(int position) override;
    void StopWave(int channel) override;
    void StopMidi() override;

private:
    static bool Ready() { return CAudioSystem::Ready(); }
    void FreeWave(int channel);
    void FreeMusic();

    std::array<Mix_Chunk *, 2> chunks_ = {nullptr, nullptr};
    Mix_Music *music_ = nullptr;
};

CSdlAudioDevice::~CSdlAudioDevice()
{
    FreeWave(0);
    FreeWave(1);
    FreeMusic();
}

void CSdlAudioDevice::FreeMusic()
{
    if (music_ != nullptr) {
        // Freeing music that plays halts it first.
        Mix_FreeMusic(music_);
        music_ = nullptr;
    }
}

void CSdlAudioDevice::FreeWave(int channel)
{
    Mix_Chunk *&chunk = chunks_[static_cast<std::size_t>(channel)];
    if (chunk != nullptr) {
        // Freeing a chunk halts the channel that plays it.
        Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
}

bool CSdlAudioDevice::OpenWave(int channel, const std::string &path)
{
    if (!Ready())
        return false;
    FreeWave(channel);
    chunks_[static_cast<std::size_t>(channel)] = Mix_LoadWAV(path.c_str());
    return chunks_[static_cast<std::size_t>(channel)] != nullptr;
}

bool CSdlAudioDevice::IsPlaying(int channel)
{
    return Ready() && Mix_Playing(channel) != 0;
}

void CSdlAudioDevice::PlayWave(int channel)
{
    Mix_Chunk *chunk = chunks_[static_cast<std::size_t>(channel)];
    if (Ready() && chunk != nullptr)
        Mix_PlayChannel(channel, chunk, 0);
}

bool CSdlAudioDevice::OpenMidi(const std::string &path)
{
    if (!Ready())
        return false;
    FreeMusic();
    music_ = Mix_LoadMUS(path.c_str());
    return music_ != nullptr;
}

void CSdlAudioDevice::PlayMidi(int position)
{
    if (!Ready() || music_ == nullptr)
        return;
    if (Mix_PlayMusic(music_, 0) != 0)
        return;
    // Not every decoder can seek; a failed seek plays from the start.
    if (position > 0)
        Mix_SetMusicPosition(position / 1000.0);
}

void CSdlAudioDevice::StopWave(int channel)
{
    if (Ready())
        Mix_HaltChannel(channel);
}

void CSdlAudioDevice::StopMidi()
{
    if (Ready())
        Mix_HaltMusic();
}

} // namespace

std::unique_ptr<IAudioDevice> CreateSdlAudioDevice()
{
    return std::make_unique<CSdlAudioDevice>();
}

} // namespace landora
