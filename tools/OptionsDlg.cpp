#include "tools/OptionsDlg.h"

#include "base/Ini.h"
#include "base/Language.h"
#include "base/ProgramPaths.h"
#include "party/PartyPage.h"
#include "skins/SkinPalette.h"
#include "skins/WindowPalette.h"
#include "tools/OptionsHost.h"
#include "tools/OptionsKeys.h"
#include "tools/SingingPage.h"
#include "tools/SoundFontInfo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace melorit::tools {
namespace {

constexpr int kTabCount = 5;
constexpr int kPageMargin = 16;
constexpr int kDialogWidth = 440;
constexpr int kDialogHeight = 210;
constexpr QSize kButtonSize{120, 28};

QVBoxLayout *pageLayout(QWidget *page)
{
    auto *box = new QVBoxLayout(page);
    box->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    box->setSpacing(10);
    return box;
}

} // namespace

OptionsDlg::OptionsDlg(OptionsHost &host, QWidget *parent) : QDialog(parent), m_host(host)
{
    setPalette(skins::windowPalette());
    setModal(false);
    m_tabs = new QTabWidget(this);
    m_tabs->addTab(buildLanguagePage(), QString());
    m_tabs->addTab(buildPlaybackPage(), QString());
    m_tabs->addTab(buildInstrumentsPage(), QString());
    m_singing = new SingingPage;
    m_tabs->addTab(m_singing, QString());
    connect(m_singing, &SingingPage::changed, this, [this] { m_host.scoringChanged(); });
    m_party = new party::PartyPage;
    m_tabs->addTab(m_party, QString());
    connect(m_party, &party::PartyPage::changed, this, [this] { m_host.partyChanged(); });
    // Every change is kept at once: the one button closes the dialog.
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    m_close = buttons->button(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(10, 10, 10, 10);
    box->addWidget(m_tabs);
    box->addWidget(buttons);
    resize(kDialogWidth, kDialogHeight);
    LoadLanguage();
    Form_Load();
}

QWidget *OptionsDlg::buildLanguagePage()
{
    auto *page = new QWidget;
    auto *box = pageLayout(page);
    m_languageLabel = new QLabel(page);
    m_languages = new QComboBox(page);
    m_languages->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_languages->setMinimumWidth(160);
    m_languageLabel->setBuddy(m_languages);
    auto *row = new QHBoxLayout;
    row->addWidget(m_languageLabel);
    row->addWidget(m_languages);
    row->addStretch();
    box->addLayout(row);
    box->addStretch();
    // The user's choice only: filling and selecting from code changes nothing.
    connect(m_languages, &QComboBox::activated, this, &OptionsDlg::ComboLng_Click);
    return page;
}

QWidget *OptionsDlg::buildPlaybackPage()
{
    auto *page = new QWidget;
    auto *box = pageLayout(page);
    m_autoMute = new QCheckBox(QStringLiteral("Automatically mutes melody channel"), page);
    box->addWidget(m_autoMute);
    box->addStretch();
    connect(m_autoMute, &QCheckBox::clicked, this, &OptionsDlg::chkAutoMute_Click);
    return page;
}

QWidget *OptionsDlg::buildInstrumentsPage()
{
    auto *page = new QWidget;
    auto *box = pageLayout(page);
    m_fontStatus = new QLabel(page);
    m_fontStatus->setWordWrap(true);
    m_fontStatus->setTextFormat(Qt::PlainText);
    m_fontStatus->setMinimumHeight(56);
    m_fontStatus->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_fontStatus->setMargin(8);
    m_fontStatus->setAutoFillBackground(true);
    QPalette display = m_fontStatus->palette();
    display.setColor(QPalette::Window, QColor(skins::palette::kDisplay));
    display.setColor(QPalette::WindowText, QColor(skins::palette::kSong));
    m_fontStatus->setPalette(display);
    m_replace = new QPushButton(QStringLiteral("Charger Instruments"), page);
    m_sfInfo = new QPushButton(QStringLiteral("SF Info"), page);
    m_replace->setMinimumSize(kButtonSize);
    m_sfInfo->setMinimumSize(kButtonSize);
    auto *row = new QHBoxLayout;
    row->addWidget(m_replace);
    row->addWidget(m_sfInfo);
    row->addStretch();
    box->addWidget(m_fontStatus);
    box->addLayout(row);
    box->addStretch();
    connect(m_replace, &QPushButton::clicked, this, &OptionsDlg::btnReplace_Click);
    connect(m_sfInfo, &QPushButton::clicked, this, &OptionsDlg::SfInfo_Click);
    return page;
}

void OptionsDlg::LoadLanguage()
{
    const QString file = m_host.languageFile();
    const auto text = [&file](const QString &key) {
        return languageText(file, options::kTextSection, key);
    };
    setWindowTitle(text(options::kCaptionKey));
    for (int tab = 0; tab < kTabCount; ++tab) {
        m_tabs->setTabText(tab, text(indexedKey(options::kTabStem, tab)));
    }
    m_sfInfo->setText(text(options::kSfInfoKey));
    m_replace->setText(text(options::kReplaceKey));
    m_languageLabel->setText(text(options::kLanguageLabelKey));
    m_autoMute->setText(text(options::kAutoMuteTextKey));
    m_close->setText(text(options::kCloseKey));
    m_singing->LoadLanguage(file);
    m_party->LoadLanguage(file);
}

void OptionsDlg::Form_Load()
{
    m_languageFiles = listLanguageFiles(paths::programFolder());
    m_languages->clear();
    for (const LanguageEntry &entry : m_languageFiles) {
        m_languages->addItem(entry.title);
    }
    m_languages->setCurrentIndex(languageEntryIndex(m_languageFiles, m_host.languageCode()));
    m_autoMute->setChecked(m_host.autoMute());
    m_singing->Form_Load();
    m_party->Form_Load();
}

void OptionsDlg::setSoundFontStatus(const QString &text)
{
    m_fontStatus->setText(text);
}

void OptionsDlg::ComboLng_Click(int position)
{
    if (position < 0 || position >= m_languageFiles.size()) {
        return;
    }
    const QString file = m_languageFiles[position].file;
    WriteIni(kConfigLanguageSection, kLanguageCodeKey, languageBaseName(file));
    m_host.reloadAllLanguages(file);
}

void OptionsDlg::chkAutoMute_Click()
{
    const bool on = m_autoMute->isChecked();
    m_host.setAutoMute(on);
    WriteIni(options::kSection, options::kAutoMuteKey,
             on ? QStringLiteral("1") : QStringLiteral("0"));
}

void OptionsDlg::btnReplace_Click()
{
    m_host.ChangeSF2();
}

void OptionsDlg::SfInfo_Click()
{
    ShowSoundFontInfo(m_host.loadedFont(), m_host.languageFile());
}

void OptionsDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Shown again after being closed: files may have come or gone.
    if (!event->spontaneous()) {
        Form_Load();
    }
}

} // namespace melorit::tools
