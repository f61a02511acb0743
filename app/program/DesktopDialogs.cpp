#include "app/program/DesktopDialogs.h"

#include "base/Language.h"

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
    if (file.isEmpty()) {
        return std::nullopt;
    }
    return file;
}

void DesktopDialogs::message(const UserMessage &message)
{
    showMessage(message.text, message.title, message.icon);
}

std::optional<exporting::RenderDialogs::Choice>
PlayerExportDialogs::exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                  const QString &tagTitle)
{
    m_dialogs.setBatchEncode(m_player.BatchEncode());
    return m_dialogs.exportDialog(songSettingsFile, tagArtist, tagTitle);
}

bool PlayerExportDialogs::confirmOverwrite(const QString &text, const QString &title)
{
    return m_dialogs.confirmOverwrite(text, title);
}

} // namespace melorit::program
