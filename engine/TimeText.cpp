#include "engine/TimeText.h"

#include "base/TextUtil.h"

#include <QLocale>

#include <cmath>

namespace melorit::engine {

QString LongToTime(int seconds)
{
    if (seconds < 0) {
        return QStringLiteral("--:--");
    }
    return QStringLiteral("%1:%2")
        .arg(seconds / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString SecondsToText(double seconds, const QString &decimalPoint)
{
    if (!std::isfinite(seconds)) {
        seconds = 0;
    }
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    // Far beyond any song; keeps the conversion to an integer defined.
    constexpr double kLongest = 1e12;
    const auto millis = std::llround(std::fmin(std::fabs(seconds), kLongest) * 1000.0);
    const long long minutes = millis / 60000;
    const long long rest = millis % 60000;
    return sign + QString::number(minutes) + u':' +
           QStringLiteral("%1").arg(rest / 1000, 2, 10, QLatin1Char('0')) + decimalPoint +
           QStringLiteral("%1").arg(rest % 1000, 3, 10, QLatin1Char('0'));
}

QString SecondsToText(double seconds)
{
    return SecondsToText(seconds, userDecimalPoint());
}

double TextToSeconds(const QString &text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        return text::ValDecimal(text);
    }
    const double minutes = text::ValDecimal(QStringView(text).left(colon));
    const double seconds = text::ValDecimal(QStringView(text).mid(colon + 1));
    return minutes * 60.0 + seconds;
}

QString userDecimalPoint()
{
    return QLocale::system().decimalPoint();
}

} // namespace melorit::engine
