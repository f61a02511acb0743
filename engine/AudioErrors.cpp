#include "engine/AudioErrors.h"

#include "audio/Error.h"

namespace melorit::engine {

QString AudioErrorName(int code)
{
    const std::string_view name = audio::errorName(code);
    if (name.empty()) {
        return QStringLiteral("Erreur %1 ?").arg(code);
    }
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

UserMessage bassErrorMessage(const QString &context, int code)
{
    UserMessage message;
    message.text = context + QStringLiteral("\n\nBASS error code: ") + QString::number(code) +
                   u'\n' + AudioErrorName(code);
    message.title = QStringLiteral("Error");
    message.icon = MessageIcon::Exclamation;
    return message;
}

} // namespace melorit::engine
