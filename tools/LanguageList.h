#pragma once

#include <QList>
#include <QString>

#include <array>
#include <functional>

// The language files the options dialog offers, and the order in which the
// windows take up a new language.
namespace melorit::tools {

// The list holds at most this many languages.
inline constexpr int kMaxLanguages = 100;

struct LanguageEntry {
    QString name;  // the file's own code, "MELORIT"/"Lng"
    QString file;  // full path
    QString title; // what the list shows: "MELORIT"/"Name", else the code
};

// The "*.lng" files of a folder (any case of the extension), by file name,
// each named by its "MELORIT"/"Lng" key and titled by its "MELORIT"/"Name". A file without that key
// is not a language file and is skipped; the first `limit` named files are listed.
QList<LanguageEntry> listLanguageFiles(const QString &folder, int limit = kMaxLanguages);

// The position of the entry named `name` (any case), -1 when none is.
int languageEntryIndex(const QList<LanguageEntry> &entries, const QString &name);

// What is stored as the configured language: the file name without its
// folder and its extension ("fr" for ".../fr.lng").
QString languageBaseName(const QString &file);

// The windows whose texts come from the language file.
enum class TextWindow {
    About,
    Main,
    Options,
    Lyrics,
    Playlist,
    ChannelPanel,
    EffectsPanel,
    ExportDialog,
    TimeEntry,
};

// After a language change every window reloads its texts in this order.
inline constexpr std::array kLanguageReloadOrder{
    TextWindow::About,        TextWindow::Main,         TextWindow::Options,
    TextWindow::Lyrics,       TextWindow::Playlist,     TextWindow::ChannelPanel,
    TextWindow::EffectsPanel, TextWindow::ExportDialog, TextWindow::TimeEntry,
};

// Each window's LoadLanguage, run in the reload order. The main window keeps
// one; a window it has not created yet gets a loader that creates it hidden.
class LanguageReloaders {
public:
    void set(TextWindow window, std::function<void()> load);
    // Runs every loader that is set, in kLanguageReloadOrder.
    void reloadAll() const;

private:
    std::array<std::function<void()>, kLanguageReloadOrder.size()> m_loaders;
};

} // namespace melorit::tools
