#pragma once

// Records the messages meant for the user while it lives, instead of showing
// them. Header only: the support library has no Qt.

#include "base/UserMessages.h"

#include <vector>

namespace melorit::testing {

class RecordedMessages final : public MessageSink {
public:
    RecordedMessages() { setMessageSink(this); }
    ~RecordedMessages() override { setMessageSink(nullptr); }
    RecordedMessages(const RecordedMessages &) = delete;
    RecordedMessages &operator=(const RecordedMessages &) = delete;

    void show(const UserMessage &message) override { messages.push_back(message); }

    std::vector<UserMessage> messages;
};

} // namespace melorit::testing
