#pragma once

#include <QLatin1StringView>
#include <QString>

namespace melorit {

// The language code: "Melorit"/"Lng" of "Melorit.ini" names the chosen
// language ("fr" for "fr.lng", "" at the first run); "MELORIT"/"Lng" of a
// language file is that file's own code.
inline constexpr QLatin1StringView kConfigLanguageSection{"Melorit"};
inline constexpr QLatin1StringView kLanguageFileSection{"MELORIT"};
inline constexpr QLatin1StringView kLanguageCodeKey{"Lng"};
// A language file's name for itself ("English", "Français"), shown where the
// user chooses a language.
inline constexpr QLatin1StringView kLanguageNameKey{"Name"};

// The language code configured in a configuration file ("" is "Melorit.ini").
QString configuredLanguageCode(const QString &configFile = {});

// A language file's own code; "" when the file is none.
QString languageFileCode(const QString &file);
// A language file's own name for its language; its code when it has none.
QString languageFileName(const QString &file);

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
// "melorit.dll". A file counts only when its "Melorit"/"Lng" key is set. At
// the first run (empty code) the file of the system's language comes first
// (`localeName` as QLocale names it: "en_GB" tries "en_GB.lng", then
// "en.lng"), then "melorit.dll", then "fr.lng". When no file counts, `file`
// names "melorit.dll", the file the program needs. A code that is not a
// plain file name (it holds a path separator) is not looked up.
LanguageChoice chooseLanguageFile(const QString &configuredCode, const QString &localeName = {});

// True when the file is a language file (it names its own code).
bool isLanguageFile(const QString &file);

// One text of a language file. Missing keys give "".
QString languageText(const QString &file, const QString &section, const QString &key);

// A file-dialog filter of the language files ("MIDI (*.mid)|*.mid;*.kar|All
// files (*.*)|*.*": description and patterns alternate, patterns separated by
// ";") in the form QFileDialog takes: "MIDI (*.mid *.kar);;All files (*)".
// A description that already ends with its patterns in parentheses keeps
// them only once; "*.*" becomes "*" so that names without a dot match too.
QString fileDialogFilter(const QString &languageFilter);

// Key of an element of a control array: stem "SM" and index 3 give "SM(3)".
QString indexedKey(const QString &stem, int index);

} // namespace melorit
