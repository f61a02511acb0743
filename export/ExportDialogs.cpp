#include "export/ExportDialogs.h"

#include "export/ExportDialog.h"

#include <QMessageBox>

#include <utility>

namespace melorit::exporting {

ExportDialogs::ExportDialogs(std::function<QString()> languageFile, QWidget *parent,
                             QString configFile)
    : m_languageFile(std::move(languageFile)), m_parent(parent), m_configFile(std::move(configFile))
{
}

std::optional<RenderDialogs::Choice> ExportDialogs::exportDialog(const QString &songSettingsFile,
                                                                 const QString &tagArtist,
                                                                 const QString &tagTitle)
{
    ExportDialog dialog(songSettingsFile, tagArtist, tagTitle, m_languageFile(), m_configFile,
                        m_parent);
    dialog.setBatchEncode(m_batchEncode);
    dialog.exec();
    if (!dialog.TagsValidated()) {
        return std::nullopt;
    }
    return Choice{dialog.savedSettings(), dialog.savedTags(), dialog.BatchEncode()};
}

bool ExportDialogs::confirmOverwrite(const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    m_parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace melorit::exporting
