#pragma once

#include <QString>

namespace melorit {

// The language file in use and its code. Language files are INI-format files
// in the program folder named after their code ("fr.lng"); "melorit.dll" is
// the French file that serves at the first run and as the last fall-back.
struct LanguageChoice {
    QString file; // full path; the failing path when !found
    QString code; // "MELORIT"/"Lng" of the file
    bool firstRun = false;
    bool found = false;
};

// The start-up choice: the configured code's file, else "fr.lng", else
// "melorit.dll". A file counts only when its "Melorit"/"Lng" key is set.
LanguageChoice chooseLanguageFile(const QString &configuredCode);

// True when the file is a language file (it names its own code).
bool isLanguageFile(const QString &file);

// One text of a language file. Missing keys give "".
QString languageText(const QString &file, const QString &section, const QString &key);

// Key of an element of a control array: stem "SM" and index 3 give "SM(3)".
QString indexedKey(const QString &stem, int index);

} // namespace melorit
