#include "base/UserMessages.h"

#include <cstdio>

namespace melorit {
namespace {

class StderrSink final : public MessageSink {
public:
    void show(const UserMessage &message) override
    {
        const QByteArray line = (message.title + QStringLiteral(": ") + message.text).toUtf8();
        std::fprintf(stderr, "%s\n", line.constData());
    }
};

StderrSink g_defaultSink;
MessageSink *g_sink = nullptr;

} // namespace

void setMessageSink(MessageSink *sink)
{
    g_sink = sink;
}

MessageSink *messageSink()
{
    return g_sink ? g_sink : &g_defaultSink;
}

void showMessage(const QString &text, const QString &title, MessageIcon icon)
{
    messageSink()->show(UserMessage{text, title, icon});
}

} // namespace melorit
