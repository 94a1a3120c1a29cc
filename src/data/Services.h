#pragma once
// The platform services the question engine needs, behind small interfaces so
// that a whole run can be played in a test with seeded draws and no sound.
#include <string>

namespace landora {

struct ProgramState;

class ISound {
public:
    virtual ~ISound() = default;
    // Plays a WAV file of the program folder on channel 1, or on channel 2 for
    // any other channel number. Silent when sound effects are off or fail.
    virtual void PlayWave(const std::string &name, int channel) = 0;
    // Plays a MIDI file of the program folder from a position (0 = start).
    virtual void PlayMidi(const std::string &name, int position) = 0;
};

class IRandom {
public:
    virtual ~IRandom() = default;
    // Reseeds from the clock; a seeded test double ignores it.
    virtual void Reseed() = 0;
    // A uniform real in [0, 1).
    virtual double Next() = 0;

    // A draw over n: 0..n-1.
    int Draw(int n) { return static_cast<int>(Next() * n); }
    // A draw over 1..n.
    int Draw1(int n) { return Draw(n) + 1; }
};

// "Let pending window events run": the screen updates and clicks or timer
// ticks may be handled before the call returns.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    virtual void ProcessEvents() = 0;
    // The same, but when nothing is pending it first waits for an event (a
    // timer tick, a click): a handler that waits for a tick does not spin.
    virtual void WaitForEvents() { ProcessEvents(); }
};

// Everything an exercise run reaches outside itself and its window: the three
// services and the program-wide values (texts, language, colours). A missing
// sound or pump is simply skipped; draws and state are required.
struct ExerciseContext {
    ISound *Sound = nullptr;
    IRandom *Random = nullptr;
    IEventPump *Events = nullptr;
    const ProgramState *State = nullptr;
};

} // namespace landora
