#include "platform/Sound.h"

#include "platform/ProgramFolder.h"

namespace landora {

CSound::CSound(const Settings &settings, std::unique_ptr<IAudioDevice> device, std::string folder)
    : settings_(settings), device_(std::move(device)), folder_(std::move(folder))
{
}

CSound::CSound(const Settings &settings) : CSound(settings, CreateSdlAudioDevice(), ProgramFolder()) {}

CSound::~CSound() = default;

void CSound::PlayWave(const std::string &name, int channel)
{
    const int index = channel == 1 ? 0 : 1;
    if (!settings_.SoundOn || !device_)
        return;
    const std::string path = folder_ + "/" + name;
    if (waveFile_[index] != path) {
        // The name is taken even when loading fails, so a missing file is
        // tried once and then stays silent until another file is asked for.
        waveFile_[index] = path;
        waveLoaded_[index] = device_->OpenWave(index, path);
    }
    if (waveLoaded_[index] && !device_->IsPlaying(index))
        device_->PlayWave(index);
}

void CSound::PlayMidi(const std::string &name, int position)
{
    if (!settings_.MusicOn || !device_)
        return;
    // MIDI cannot be sought to its start, so the piece is loaded anew and
    // played from the beginning every time.
    if (device_->OpenMidi(folder_ + "/" + name))
        device_->PlayMidi(position);
}

void CSound::StopSwitchedOff()
{
    if (!device_)
        return;
    if (!settings_.SoundOn) {
        device_->StopWave(0);
        device_->StopWave(1);
    }
    if (!settings_.MusicOn)
        device_->StopMidi();
}

} // namespace landora
