#pragma once

#include <QString>
#include <QStringView>

namespace melorit::text {

// The leading number of a text, 0 when there is none: "12abc" -> 12,
// " -3.5x" -> -3.5. Blanks, tabs and line feeds inside the number are
// skipped; "." is the only decimal separator; "1e3", "&HFF" and "&O17" are
// read as numbers too. Settings files store every number this way.
double Val(QStringView text);

// Val after turning every "," into ".", for fields where people type either.
double ValDecimal(QStringView text);

// Banker's rounding (half to even), the rule of integer conversions.
double roundHalfEven(double value);
int toInt(double value);

// Number formatting with picture patterns: "0" is a digit always shown, "#" a
// digit shown only when significant, "." the decimal point; other characters
// are copied. Up to three sections "positive;negative;zero" as in "+0;-0;=0";
// with one section a negative number gets a leading "-". Rounds half away
// from zero.
QString formatNumber(double value, QStringView pattern);

// Trims the text, then removes one leading and one trailing double quote.
QString StripQuotes(const QString &text);

// The path up to and including its last separator ("" when it has none).
QString FolderOf(const QString &path);

// The path without the extension of its file name: the text from the last
// "." of the last path element on. A dot in a folder name is not an
// extension, so "/a.b/c" stays as it is.
QString StripExtension(const QString &path);

// The file name part of a path: the text after the last separator.
QString FileNameOf(const QString &path);

// Replaces "%1" to "%4" by the given texts, in one pass, so a replacement that
// itself contains "%2" is not replaced again.
QString fillPlaceholders(const QString &templ, const QString &a1 = {}, const QString &a2 = {},
                         const QString &a3 = {}, const QString &a4 = {});

// Language texts write a line break as "|".
QString barsToLineBreaks(const QString &text);

} // namespace melorit::text
