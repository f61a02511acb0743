#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace melorit::playlist {

// One file chooser as the commands ask for it.
struct FileDialogRequest {
    QString title;
    QString folder; // where the chooser opens
    QString filter; // Qt syntax: "Lists (*.m3u *.mpl);;All files (*)"
};

// The file choosers of the playlist commands. The program shows file
// dialogs; the tests answer from a script. An empty answer is a cancel,
// which ends the command silently. UI thread.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Existing files, several at once; full paths.
    virtual QStringList chooseFilesToOpen(const FileDialogRequest &request) = 0;
    // A file to write; the chooser asks before an existing file is replaced.
    virtual QString chooseFileToSave(const FileDialogRequest &request) = 0;
};

// The extension of the first pattern of a Qt name filter ("Lists (*.mpl
// *.m3u)" gives "mpl"); "" when it has none ("All files (*)").
QString defaultSuffixOf(const QString &nameFilter);

// A file name as a list is saved under: unchanged when it ends in one of
// the extensions the filters name (".m3u", ".mpl"), else with the chosen
// filter's extension added ("party" and "vol. 2" with the ".mpl" filter give
// "party.mpl" and "vol. 2.mpl"), so the load dialog shows the list.
QString withListExtension(const QString &file, const QString &chosenFilter, const QString &filters);

// The file dialogs of the desktop, parented to a window. A list saved
// without a list extension gets the one of the chosen filter.
class DialogFileChooser final : public FileChooser {
public:
    explicit DialogFileChooser(QWidget *parent = nullptr) : m_parent(parent) {}
    QStringList chooseFilesToOpen(const FileDialogRequest &request) override;
    QString chooseFileToSave(const FileDialogRequest &request) override;

private:
    QWidget *m_parent;
};

} // namespace melorit::playlist
