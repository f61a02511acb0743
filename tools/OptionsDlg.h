#pragma once

#include "tools/LanguageList.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;

namespace melorit::party {
class PartyPage;
} // namespace melorit::party

namespace melorit::tools {

class OptionsHost;
class SingingPage;

// The options dialog: the interface language, the automatic muting of the
// melody channel, the SoundFont, the scoring of the singer and the party
// screen (the full-screen lyrics and their look), on five tabs. Modeless; every change
// takes effect and is stored at once, there is no OK or cancel step. UI
// thread.
class OptionsDlg : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDlg(OptionsHost &host, QWidget *parent = nullptr);

    // Texts of section "Options" of the language file.
    void LoadLanguage();
    // The language list from the program folder, the current language
    // selected, the check box from the flag. Runs when the dialog is created
    // and each time it is shown again.
    void Form_Load();
    // The SoundFont status text; the main window's clock refreshes it.
    void setSoundFontStatus(const QString &text);

    // The user's actions.
    void ComboLng_Click(int position);
    void chkAutoMute_Click();
    void btnReplace_Click();
    void SfInfo_Click();

    QTabWidget *SSTab1() const { return m_tabs; }
    QComboBox *ComboLng() const { return m_languages; }
    QCheckBox *chkAutoMute() const { return m_autoMute; }
    QPushButton *btnReplace() const { return m_replace; }
    QPushButton *SfInfo() const { return m_sfInfo; }
    QPushButton *closeButton() const { return m_close; }
    QLabel *soundFontLabel() const { return m_fontStatus; }
    SingingPage *singingPage() const { return m_singing; }
    party::PartyPage *partyPage() const { return m_party; }
    const QList<LanguageEntry> &LanguageFiles() const { return m_languageFiles; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildLanguagePage();
    QWidget *buildPlaybackPage();
    QWidget *buildInstrumentsPage();

    OptionsHost &m_host;
    QTabWidget *m_tabs = nullptr;
    QLabel *m_languageLabel = nullptr;
    QComboBox *m_languages = nullptr;
    QCheckBox *m_autoMute = nullptr;
    QLabel *m_fontStatus = nullptr;
    QPushButton *m_replace = nullptr;
    QPushButton *m_sfInfo = nullptr;
    QPushButton *m_close = nullptr;
    SingingPage *m_singing = nullptr;
    party::PartyPage *m_party = nullptr;
    QList<LanguageEntry> m_languageFiles;
};

} // namespace melorit::tools
