#include "playlist/FileChooser.h"

#include <QFileDialog>
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

QString DialogFileChooser::chooseFileToSave(const FileDialogRequest &request)
{
    QFileDialog dialog(m_parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // A name typed without an extension gets the chosen list type's, so the
    // list shows up in the load dialog's filter; the dialog asks before an
    // existing file is replaced, with the extension included.
    dialog.setDefaultSuffix(defaultSuffixOf(dialog.selectedNameFilter()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString &filter) { dialog.setDefaultSuffix(defaultSuffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles().value(0);
}

} // namespace melorit::playlist
