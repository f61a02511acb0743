#pragma once

#include "export/SongRenderer.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace melorit::exporting {

// What a conversion asks the person, answered with the program's windows:
// the export dialog `ExportDialog` and the overwrite question. UI thread.
class ExportDialogs final : public RenderDialogs {
public:
    // languageFile: the language file in use when a dialog opens; configFile
    // "" is "Melorit.ini"; parent: the window the dialogs belong to.
    explicit ExportDialogs(std::function<QString()> languageFile, QWidget *parent = nullptr,
                           QString configFile = {});

    // True while a batch conversion runs: the dialog then validates itself.
    void setBatchEncode(bool batchEncode) { m_batchEncode = batchEncode; }
    bool batchEncode() const { return m_batchEncode; }

    // The settings as saved by the dialog; `batch` is set when the person
    // chose the batch or the dialog validated itself during one.
    std::optional<Choice> exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                       const QString &tagTitle) override;
    // Yes or No with a question icon, No being the default.
    bool confirmOverwrite(const QString &text, const QString &title) override;

private:
    std::function<QString()> m_languageFile;
    QPointer<QWidget> m_parent;
    QString m_configFile;
    bool m_batchEncode = false;
};

} // namespace melorit::exporting
