#include "app/mainwin/TimeEntry.h"

#include <QRegularExpression>

#include <cmath>

namespace melorit::mainwin {

namespace {

std::optional<double> parseSeconds(QString text)
{
    text = text.trimmed();
    text.replace(u',', u'.');
    static const QRegularExpression number(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (!number.match(text).hasMatch()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<double> parseTimeEntry(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        return parseSeconds(text);
    }
    if (text.indexOf(u':', colon + 1) >= 0) {
        return std::nullopt;
    }
    const QString minutesText = text.left(colon).trimmed();
    static const QRegularExpression digits(QStringLiteral("^\\d+$"));
    if (!digits.match(minutesText).hasMatch()) {
        return std::nullopt;
    }
    const std::optional<double> seconds = parseSeconds(text.mid(colon + 1));
    if (!seconds) {
        return std::nullopt;
    }
    const double minutes = minutesText.toDouble();
    const double total = minutes * 60 + *seconds;
    if (!std::isfinite(total)) {
        return std::nullopt;
    }
    return total;
}

double proposedMarkerTime(std::optional<double> streamSeconds, double storedSeconds,
                          double tempoRatio)
{
    const double seconds = streamSeconds ? *streamSeconds : storedSeconds;
    if (tempoRatio <= 0 || !std::isfinite(tempoRatio)) {
        return seconds;
    }
    return seconds / tempoRatio;
}

double storedMarkerTime(double typedSeconds, double tempoRatio)
{
    return typedSeconds * tempoRatio;
}

QString picSMTipKey(int index)
{
    int k = index;
    if (index >= 0 && index < 16) {
        k = 0;
    } else if (index >= 16 && index < 32) {
        k = 16;
    }
    return QStringLiteral("SM(%1)").arg(k);
}

} // namespace melorit::mainwin
