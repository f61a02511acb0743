#include "playlist/FileChooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace melorit::playlist {

QString defaultSuffixOf(const QString &nameFilter)
{
    static const QRegularExpression firstPattern(QStringLiteral(R"(\*\.([^\s;*?()]+))"));
    return firstPattern.match(nameFilter).captured(1);
}

QStringList DialogFileChooser::chooseFilesToOpen(const FileDialogRequest &request)
{
    // The language's descriptions name their extensions already; the
    // patterns Qt needs stay out of sight.
    return QFileDialog::getOpenFileNames(m_parent, request.title, request.folder, request.filter,
                                         nullptr, QFileDialog::HideNameFilterDetails);
}

namespace {

// The filter chosen, with its patterns: a dialog that hides them may report
// it by its description alone.
QString chosenNameFilter(const QFileDialog &dialog)
{
    static const QRegularExpression patterns(QStringLiteral(R"(\s*\([^()]*\)\s*$)"));
    const QString chosen = dialog.selectedNameFilter().trimmed();
    for (const QString &filter : dialog.nameFilters()) {
        if (filter == chosen || QString(filter).remove(patterns) == chosen) {
            return filter;
        }
    }
    return chosen;
}

// The save dialog: a name without a list extension gets the chosen type's
// before the dialog checks it, so the question about replacing a file names
// the file that is really written.
class ListSaveDialog final : public QFileDialog {
public:
    ListSaveDialog(QWidget *parent, const FileDialogRequest &request)
        : QFileDialog(parent, request.title, request.folder, request.filter),
          m_filters(request.filter)
    {
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setOption(QFileDialog::HideNameFilterDetails);
    }

    void accept() override
    {
        const QString typed = selectedFiles().value(0);
        const QString named = withListExtension(typed, chosenNameFilter(*this), m_filters);
        if (!typed.isEmpty() && named != typed) {
            selectFile(named);
        }
        QFileDialog::accept();
    }

private:
    QString m_filters;
};

} // namespace

QString withListExtension(const QString &file, const QString &chosenFilter, const QString &filters)
{
    static const QRegularExpression pattern(QStringLiteral(R"(\*\.([^\s;*?()]+))"));
    const QString suffix = QFileInfo(file).suffix();
    for (const QRegularExpressionMatch &match : pattern.globalMatch(filters)) {
        if (suffix.compare(match.captured(1), Qt::CaseInsensitive) == 0) {
            return file;
        }
    }
    const QString extension = defaultSuffixOf(chosenFilter);
    return extension.isEmpty() || file.isEmpty() ? file : file + u'.' + extension;
}

QString DialogFileChooser::chooseFileToSave(const FileDialogRequest &request)
{
    ListSaveDialog dialog(m_parent, request);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    // A desktop's own dialog may return the name as typed.
    return withListExtension(dialog.selectedFiles().value(0), chosenNameFilter(dialog),
                             request.filter);
}

} // namespace melorit::playlist
