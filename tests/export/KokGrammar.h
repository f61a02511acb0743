#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace melorit::testing {

// One syllable entry of a ".kok" file: its text (which may hold line breaks)
// and its time field.
struct KokEntry {
    QByteArray text;
    QByteArray time; // as written: digits, a comma, four decimals
    double seconds = 0;
};

struct KokParse {
    bool ok = false;
    QString error; // what broke the grammar, and where
    std::vector<KokEntry> entries;
    // The visible lines: the file without its time fields, split at CR LF.
    std::vector<QByteArray> visibleLines;
};

// Checks a whole ".kok" file against the format: a text of syllable entries
// ("text;time;", the text without ";", the time with at least one digit, a
// comma and exactly four decimals) and CR LF line breaks, whose last entry
// may be followed by line and paragraph breaks (a line holding one space),
// then one final CR LF. No CR or LF stands alone.
KokParse parseKok(const QByteArray &file);

} // namespace melorit::testing
