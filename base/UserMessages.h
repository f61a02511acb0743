#pragma once

#include <QString>

namespace melorit {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

struct UserMessage {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
};

// Where messages meant for the user go. The windows show them in message
// boxes, the command line prints them, the tests record them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void show(const UserMessage &message) = 0;
};

// Installs the sink for the whole program; nullptr restores the default,
// which writes the message to standard error. The caller keeps ownership.
void setMessageSink(MessageSink *sink);
MessageSink *messageSink();

void showMessage(const QString &text, const QString &title, MessageIcon icon);

} // namespace melorit
