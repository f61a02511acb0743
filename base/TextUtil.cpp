#include "base/TextUtil.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace melorit::text {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// The text with every blank, tab and line feed removed, as Val sees it.
QString withoutBlanks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!isBlank(c)) {
            out.append(c);
        }
    }
    return out;
}

double radixNumber(QStringView digits, int radix)
{
    qint64 value = 0;
    for (const QChar c : digits) {
        const int d = c.isDigit() ? c.digitValue() : (c.toLower().unicode() - u'a' + 10);
        if (!c.isLetterOrNumber() || d < 0 || d >= radix || c.unicode() > 0x7F) {
            break;
        }
        value = value * radix + d;
        if (value > std::numeric_limits<qint32>::max()) {
            break;
        }
    }
    return static_cast<double>(value);
}

qsizetype scanDigits(QStringView s, qsizetype i)
{
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
        ++i;
    }
    return i;
}

bool isSeparator(QChar c)
{
    return c == QDir::separator();
}

} // namespace

double Val(QStringView text)
{
    const QString s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar kind = s[1].toUpper();
        if (kind == u'H') {
            return radixNumber(QStringView(s).mid(2), 16);
        }
        if (kind == u'O') {
            return radixNumber(QStringView(s).mid(2), 8);
        }
    }
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        ++i;
    }
    const qsizetype intEnd = scanDigits(s, i);
    qsizetype end = intEnd;
    if (end < s.size() && s[end] == u'.') {
        end = scanDigits(s, end + 1);
    }
    if (end == i || (end == i + 1 && s[i] == u'.')) {
        return 0.0;
    }
    if (end < s.size() && (s[end].toUpper() == u'E' || s[end].toUpper() == u'D')) {
        qsizetype e = end + 1;
        if (e < s.size() && (s[e] == u'+' || s[e] == u'-')) {
            ++e;
        }
        const qsizetype expEnd = scanDigits(s, e);
        if (expEnd > e) {
            end = expEnd;
        }
    }
    QString number = s.left(end);
    for (QChar &c : number) {
        if (c.toUpper() == u'D') {
            c = u'E';
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

double ValDecimal(QStringView text)
{
    QString s = text.toString();
    s.replace(u',', u'.');
    return Val(s);
}

double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

int toInt(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    if (r > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(r);
}

namespace {

struct Section {
    QStringView pattern;
    bool signProvided = false; // the section itself writes the sign
};

Section pickSection(double value, QStringView pattern)
{
    QList<QStringView> parts;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= pattern.size(); ++i) {
        if (i == pattern.size() || pattern[i] == u';') {
            parts.append(pattern.mid(from, i - from));
            from = i + 1;
        }
    }
    if (value < 0 && parts.size() >= 2) {
        return {parts[1], true};
    }
    if (value == 0 && parts.size() >= 3) {
        return {parts[2], true};
    }
    return {parts[0], false};
}

bool isPlaceholder(QChar c)
{
    return c == u'0' || c == u'#';
}

QString formatSection(double magnitude, QStringView pattern)
{
    const qsizetype point = pattern.indexOf(u'.');
    const QStringView intPattern = point < 0 ? pattern : pattern.left(point);
    const QStringView fracPattern = point < 0 ? QStringView() : pattern.mid(point + 1);
    int fracPlaces = 0;
    for (const QChar c : fracPattern) {
        fracPlaces += isPlaceholder(c) ? 1 : 0;
    }

    // Round half away from zero on the decimal text to avoid binary noise.
    const double scaled = std::round(magnitude * std::pow(10.0, fracPlaces) * (1 + 1e-15));
    QString digits = QString::number(scaled, 'f', 0);
    while (digits.size() <= fracPlaces) {
        digits.prepend(u'0');
    }
    QString intDigits = digits.left(digits.size() - fracPlaces);
    QString fracDigits = digits.right(fracPlaces);
    if (intDigits == u"0") {
        intDigits.clear();
    }

    int intPlaces = 0;
    for (const QChar c : intPattern) {
        intPlaces += isPlaceholder(c) ? 1 : 0;
    }

    // Integer part, from the right: each placeholder takes one digit; the
    // leftmost placeholder takes every digit that is left.
    QString out;
    qsizetype next = intDigits.size() - 1;
    int placeholdersLeft = intPlaces;
    for (qsizetype k = intPattern.size() - 1; k >= 0; --k) {
        const QChar c = intPattern[k];
        if (!isPlaceholder(c)) {
            out.prepend(c);
            continue;
        }
        --placeholdersLeft;
        if (placeholdersLeft == 0 && next >= 0) {
            out.prepend(intDigits.left(next + 1));
            next = -1;
        } else if (next >= 0) {
            out.prepend(intDigits[next--]);
        } else if (c == u'0') {
            out.prepend(u'0');
        }
    }

    if (point >= 0) {
        QString frac;
        qsizetype used = 0;
        for (const QChar c : fracPattern) {
            if (isPlaceholder(c)) {
                frac.append(fracDigits[used++]);
            } else {
                frac.append(c);
            }
        }
        // "#" places after the point drop trailing zeros.
        qsizetype keep = frac.size();
        for (qsizetype k = fracPattern.size() - 1; k >= 0; --k) {
            if (fracPattern[k] == u'#' && frac[k] == u'0') {
                keep = k;
            } else {
                break;
            }
        }
        frac.truncate(keep);
        out += u'.' + frac;
    }
    return out;
}

} // namespace

QString formatNumber(double value, QStringView pattern)
{
    if (!std::isfinite(value)) {
        value = 0;
    }
    const Section section = pickSection(value, pattern);
    const QString body = formatSection(std::fabs(value), section.pattern);
    bool allZero = true;
    for (const QChar c : body) {
        if (c.isDigit() && c != u'0') {
            allZero = false;
        }
    }
    if (value < 0 && !section.signProvided && !allZero) {
        return u'-' + body;
    }
    return body;
}

QString StripQuotes(const QString &text)
{
    QString s = text.trimmed();
    if (s.startsWith(u'"')) {
        s.remove(0, 1);
    }
    if (s.endsWith(u'"')) {
        s.chop(1);
    }
    return s;
}

QString FolderOf(const QString &path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (isSeparator(path[i])) {
            return path.left(i + 1);
        }
    }
    return {};
}

QString FileNameOf(const QString &path)
{
    return path.mid(FolderOf(path).size());
}

QString StripExtension(const QString &path)
{
    const qsizetype nameStart = FolderOf(path).size();
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < nameStart) {
        return path;
    }
    return path.left(dot);
}

QString fillPlaceholders(const QString &templ, const QString &a1, const QString &a2,
                         const QString &a3, const QString &a4)
{
    const QString *args[] = {&a1, &a2, &a3, &a4};
    QString out;
    out.reserve(templ.size());
    for (qsizetype i = 0; i < templ.size(); ++i) {
        if (templ[i] == u'%' && i + 1 < templ.size() && templ[i + 1] >= u'1' &&
            templ[i + 1] <= u'4') {
            out += *args[templ[i + 1].unicode() - u'1'];
            ++i;
        } else {
            out += templ[i];
        }
    }
    return out;
}

QString barsToLineBreaks(const QString &text)
{
    QString out = text;
    out.replace(u'|', u'\n');
    return out;
}

} // namespace melorit::text
