#pragma once
// Doubles for the score windows' tests: a sound that records what it was
// asked to play, and information boxes answered in advance and recorded.
#include "exercises/Services.h"
#include "scores/MessageBoxes.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace landora::test {

class RecordingSound : public ISound {
public:
    void PlayWave(const std::string &name, int) override { waves.push_back(name); }
    void PlayMidi(const std::string &name, int position) override
    {
        midis.push_back(name);
        positions.push_back(position);
    }

    std::vector<std::string> waves;
    std::vector<std::string> midis;
    std::vector<int> positions;
};

// While it lives, every information box is recorded instead of shown.
class AnsweredBoxes {
public:
    AnsweredBoxes()
    {
        previous_ = MessageBoxes::SetAnswerer([this](QWidget *, const QString &text) { texts.append(text); });
    }
    ~AnsweredBoxes() { MessageBoxes::SetAnswerer(previous_); }
    AnsweredBoxes(const AnsweredBoxes &) = delete;
    AnsweredBoxes &operator=(const AnsweredBoxes &) = delete;

    QStringList texts;

private:
    MessageBoxes::Answerer previous_;
};

} // namespace landora::test
