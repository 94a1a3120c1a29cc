#pragma once
// Doubles for the score tests: a sound that records what it was asked to
// play, information boxes answered in advance and recorded, and a limit that
// makes writes fail part-way as a full disk would.
#include "app/MessageBox.h"
#include "exercises/Services.h"

#include <QString>
#include <QStringList>
#include <csignal>
#include <string>
#include <sys/resource.h>
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
        previous_ = SetMessageBoxHandler([this](const MessageBoxRequest &box) {
            texts.append(box.text);
            icons.push_back(box.icon);
        });
    }
    ~AnsweredBoxes() { SetMessageBoxHandler(previous_); }
    AnsweredBoxes(const AnsweredBoxes &) = delete;
    AnsweredBoxes &operator=(const AnsweredBoxes &) = delete;

    QStringList texts;
    std::vector<MessageIcon> icons;

private:
    MessageBoxHandler previous_;
};

// Makes every write of this process beyond `bytes` fail, as a full disk
// would, for as long as it lives. Works for root too, unlike permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit old_ {};
    void (*oldHandler_)(int) = nullptr;
};

} // namespace landora::test
