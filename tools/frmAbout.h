#pragma once

#include "tools/AboutTexts.h"
#include "tools/SoundFontInfo.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace melorit::tools {

// The about box: title, version, description and disclaimer, the credits of
// the program and its components, and the system report. UI thread.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    // `languageFile` gives the language file in use when texts are loaded.
    explicit frmAbout(std::function<QString()> languageFile, QWidget *parent = nullptr);

    // Where the system report learns which SoundFont is loaded.
    void setLoadedFont(std::function<std::optional<LoadedFont>()> loadedFont)
    {
        m_loadedFont = std::move(loadedFont);
    }

    // Texts of section "About" of the language file.
    void LoadLanguage();

    // Shows the credits of the program and its components.
    void btn_copyright_Click();
    // Shows the system report.
    void cmdSysInfo_Click();
    void StartSysInfo();
    void cmdOK_Click();

    QLabel *lblVersion() const { return m_version; }
    QLabel *lblDescription() const { return m_description; }
    QLabel *lblDisclaimer() const { return m_disclaimer; }
    QLabel *titleLabel() const { return m_title; }
    QPushButton *btn_copyright() const { return m_copyright; }
    QPushButton *cmdSysInfo() const { return m_sysInfo; }
    QPushButton *cmdOK() const { return m_ok; }
    // The system report window while it is open.
    QDialog *systemReportWindow() const { return m_report; }

private:
    void buildWindow();

    std::function<QString()> m_languageFile;
    std::function<std::optional<LoadedFont>()> m_loadedFont;
    AboutTexts m_texts;
    QLabel *m_icon = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_version = nullptr;
    QLabel *m_description = nullptr;
    QLabel *m_disclaimer = nullptr;
    QPushButton *m_copyright = nullptr;
    QPushButton *m_sysInfo = nullptr;
    QPushButton *m_ok = nullptr;
    QPointer<QDialog> m_report;
};

// The program's picture: a note inside a lit knob ring, in the skin's colours.
QPixmap programIcon(int size);

} // namespace melorit::tools
