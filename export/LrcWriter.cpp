#include "export/LrcWriter.h"

namespace melorit::exporting {
namespace {

// A tag value on one line: line breaks and the closing bracket would end it.
QString tagValue(const QString &text)
{
    QString value = text;
    for (QChar &c : value) {
        if (c == u'\r' || c == u'\n' || c == u']') {
            c = u' ';
        }
    }
    return value.trimmed();
}

void addTag(QString &out, QStringView name, const QString &text)
{
    const QString value = tagValue(text);
    if (!value.isEmpty()) {
        out += QStringLiteral("[%1:%2]\n").arg(name, value);
    }
}

qsizetype leadingSpaces(const QString &text)
{
    qsizetype n = 0;
    while (n < text.size() && text[n] == u' ') {
        ++n;
    }
    return n;
}

// The space before a syllable goes before its time, so that players which
// light each word from its time show the words and not the gaps.
QString lineText(const TimedLine &line)
{
    QString out = QStringLiteral("[%1]").arg(lrcTime(line.syllables.front().start));
    for (std::size_t i = 0; i < line.syllables.size(); ++i) {
        QString text = line.syllables[i].text;
        const qsizetype spaces = leadingSpaces(text);
        if (i > 0) {
            out += text.left(spaces);
        }
        text.remove(0, spaces);
        if (i + 1 == line.syllables.size()) {
            while (text.endsWith(u' ')) {
                text.chop(1);
            }
        }
        out += QStringLiteral("<%1>").arg(lrcTime(line.syllables[i].start)) + text;
    }
    return out + QStringLiteral("<%1>\n").arg(lrcTime(line.end));
}

} // namespace

QString lrcTime(std::int64_t centiseconds)
{
    const std::int64_t minutes = centiseconds / 6000;
    const std::int64_t rest = centiseconds % 6000;
    return QStringLiteral("%1:%2.%3")
        .arg(minutes, 2, 10, QChar(u'0'))
        .arg(rest / 100, 2, 10, QChar(u'0'))
        .arg(rest % 100, 2, 10, QChar(u'0'));
}

QByteArray RenderLrc(const LyricsTimeline &timeline, const QString &title, const QString &artist)
{
    QString out;
    addTag(out, u"ti", title);
    addTag(out, u"ar", artist);
    if (!out.isEmpty()) {
        out += u'\n'; // after the tags
    }
    for (const TimedLine &line : timedLines(timeline)) {
        if (line.paragraphBefore) {
            out += u'\n';
        }
        out += lineText(line);
    }
    return out.toUtf8();
}

} // namespace melorit::exporting
