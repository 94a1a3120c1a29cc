#pragma once
// Answers the program's message boxes during a test and remembers them.
// Only for tests that link landora_ui.
#include <QString>
#include <vector>

#include "platform/MessageBox.h"

namespace landora::test {

class MessageCatcher {
public:
    MessageCatcher()
    {
        previous_ = SetMessageBoxHandler([this](const MessageBoxRequest &request) { boxes.push_back(request); });
    }
    ~MessageCatcher() { SetMessageBoxHandler(std::move(previous_)); }
    MessageCatcher(const MessageCatcher &) = delete;
    MessageCatcher &operator=(const MessageCatcher &) = delete;

    std::vector<QString> Texts() const
    {
        std::vector<QString> texts;
        for (const MessageBoxRequest &box : boxes)
            texts.push_back(box.text);
        return texts;
    }

    std::vector<MessageBoxRequest> boxes;

private:
    MessageBoxHandler previous_;
};

} // namespace landora::test
