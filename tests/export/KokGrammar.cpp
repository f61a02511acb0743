#include "tests/export/KokGrammar.h"

#include <QRegularExpression>

namespace melorit::testing {
namespace {

bool breaksArePaired(const QByteArray &bytes, QString &error)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool lf = bytes[i] == '\n';
        const bool cr = bytes[i] == '\r';
        if (cr && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')) {
            error = QStringLiteral("carriage return without line feed at byte %1").arg(i);
            return false;
        }
        if (lf && (i == 0 || bytes[i - 1] != '\r')) {
            error = QStringLiteral("line feed without carriage return at byte %1").arg(i);
            return false;
        }
    }
    return true;
}

double secondsOf(const QByteArray &time)
{
    QByteArray dotted = time;
    dotted.replace(',', '.');
    return dotted.toDouble();
}

} // namespace

KokParse parseKok(const QByteArray &file)
{
    KokParse parse;
    if (!file.endsWith("\r\n")) {
        parse.error = QStringLiteral("the file does not end with CR LF");
        return parse;
    }
    const QByteArray text = file.chopped(2);
    if (!breaksArePaired(file, parse.error)) {
        return parse;
    }

    static const QRegularExpression kTime(QStringLiteral("^[0-9]+,[0-9]{4}$"));
    qsizetype at = 0;
    while (true) {
        const qsizetype open = text.indexOf(';', at);
        if (open < 0) {
            break;
        }
        const qsizetype close = text.indexOf(';', open + 1);
        if (close < 0) {
            parse.error = QStringLiteral("time field opened at byte %1 is not closed").arg(open);
            return parse;
        }
        KokEntry entry{text.mid(at, open - at), text.mid(open + 1, close - open - 1), 0};
        if (!kTime.match(QString::fromLatin1(entry.time)).hasMatch()) {
            parse.error = QStringLiteral("bad time \"%1\" at byte %2")
                              .arg(QString::fromLatin1(entry.time))
                              .arg(open + 1);
            return parse;
        }
        entry.seconds = secondsOf(entry.time);
        parse.entries.push_back(entry);
        at = close + 1;
    }
    // After the last entry: only line breaks and lines holding one space.
    static const QRegularExpression kTail(QStringLiteral("^(\r\n( \r\n)?)*$"));
    const QByteArray tail = text.mid(at);
    if (!kTail.match(QString::fromLatin1(tail)).hasMatch()) {
        parse.error = QStringLiteral("text after the last entry: \"%1\"")
                          .arg(QString::fromLatin1(tail).toHtmlEscaped());
        return parse;
    }
    static const QRegularExpression kTimeField(QStringLiteral(";[0-9]+,[0-9]{4};"));
    const QString visible = QString::fromLatin1(text).remove(kTimeField);
    for (const QString &line : visible.split(QStringLiteral("\r\n"))) {
        parse.visibleLines.push_back(line.toLatin1());
    }
    parse.ok = true;
    return parse;
}

} // namespace melorit::testing
