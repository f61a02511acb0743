#include "app/program/DesktopDialogs.h"

#include "app/core/Language.h"
#include "export/ExportForm.h"
#include "export/ExportSettings.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace melorit::program {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxSink::show(const UserMessage &message)
{
    QMessageBox box(boxIcon(message.icon), message.title, message.text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<QString> DesktopDialogs::chooseFile(const QString &startFolder, const QString &filter,
                                                  const QString &title)
{
    const QString file = QFileDialog::getOpenFileName(QApplication::activeWindow(), title,
                                                      startFolder, fileDialogFilter(filter));
    if (file.isEmpty())
        return std::nullopt;
    return file;
}

void DesktopDialogs::message(const UserMessage &message)
{
    showMessage(message.text, message.title, message.icon);
}

std::optional<exporting::RenderDialogs::Choice>
StoredRenderDialogs::exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                  const QString &tagTitle)
{
    exporting::ExportForm form(songSettingsFile, {}, m_languageFile());
    form.Form_Load(tagArtist, tagTitle);
    Choice choice;
    choice.settings = exporting::ReadExportSettings();
    choice.tags = form.Tags;
    return choice;
}

bool StoredRenderDialogs::confirmOverwrite(const QString &text, const QString &title)
{
    return QMessageBox::question(QApplication::activeWindow(), title, text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

} // namespace melorit::program
