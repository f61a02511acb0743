#include "party/PartyPage.h"

#include "base/Ini.h"
#include "base/Language.h"
#include "party/PartyKeys.h"
#include "party/ScreenChoice.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace melorit::party {
namespace {

constexpr int kMargin = 16;
constexpr QSize kSwatch{28, 16};

constexpr std::array<QLatin1StringView, PartyPage::kColourCount> kColourLabelKeys{
    keys::kSungLabelKey, keys::kFlashLabelKey, keys::kUnsungLabelKey, keys::kBackgroundLabelKey};

QColor toQColor(std::uint32_t packed)
{
    return QColor(int(packed & 0xFF), int((packed >> 8) & 0xFF), int((packed >> 16) & 0xFF));
}

std::uint32_t packed(const QColor &colour)
{
    return std::uint32_t(colour.red()) | (std::uint32_t(colour.green()) << 8) |
           (std::uint32_t(colour.blue()) << 16);
}

QList<ScreenInfo> screenInfos()
{
    QList<ScreenInfo> infos;
    for (QScreen *screen : QGuiApplication::screens()) {
        infos.append({screen->name(), screen->geometry().size()});
    }
    return infos;
}

} // namespace

PartyPage::PartyPage(const QString &configFile, QWidget *parent)
    : QWidget(parent), m_configFile(configFile),
      m_chooseColour([this](const QColor &current, const QString &title) -> std::optional<QColor> {
          const QColor chosen = QColorDialog::getColor(current, this, title);
          return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
      })
{
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    auto *form = new QFormLayout;
    m_screenLabel = new QLabel(this);
    m_screen = new QComboBox(this);
    m_screen->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    form->addRow(m_screenLabel, m_screen);
    m_fullScreen = new QCheckBox(this);
    form->addRow(m_fullScreen);
    m_fontLabel = new QLabel(this);
    m_font = new QFontComboBox(this);
    m_font->setFontFilters(QFontComboBox::ScalableFonts);
    form->addRow(m_fontLabel, m_font);
    box->addLayout(form);
    box->addWidget(buildColours());
    box->addStretch();

    // The screens listed are the ones there are, once Qt has counted them.
    const auto relist = [this] { QTimer::singleShot(0, this, &PartyPage::Form_Load); };
    connect(qGuiApp, &QGuiApplication::screenAdded, this, relist);
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, relist);
    connect(m_screen, &QComboBox::activated, this, [this](int index) {
        WriteIni(keys::kSection, keys::kScreenKey, m_screen->itemData(index).toString(),
                 m_configFile);
        Q_EMIT changed();
    });
    connect(m_fullScreen, &QCheckBox::clicked, this, [this](bool on) {
        WriteIni(keys::kSection, keys::kFullScreenKey, on ? keys::kOn : keys::kOff, m_configFile);
        Q_EMIT changed();
    });
    connect(m_font, &QComboBox::activated, this, [this] {
        m_look.fontFace = m_font->currentFont().family();
        storeLook();
    });
    Form_Load();
}

QWidget *PartyPage::buildColours()
{
    auto *colours = new QWidget(this);
    auto *grid = new QGridLayout(colours);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int role = 0; role < kColourCount; ++role) {
        const auto at = static_cast<std::size_t>(role);
        m_colourLabels[at] = new QLabel(colours);
        m_colourButtons[at] = new QPushButton(colours);
        m_colourButtons[at]->setIconSize(kSwatch);
        grid->addWidget(m_colourLabels[at], role / 2, (role % 2) * 2);
        grid->addWidget(m_colourButtons[at], role / 2, (role % 2) * 2 + 1);
        connect(m_colourButtons[at], &QPushButton::clicked, this,
                [this, role] { chooseColour(static_cast<ColourRole>(role)); });
    }
    m_defaultLook = new QPushButton(colours);
    grid->addWidget(m_defaultLook, 2, 0, 1, 2, Qt::AlignLeft);
    connect(m_defaultLook, &QPushButton::clicked, this, [this] {
        m_look = LyricsLook{};
        storeLook();
    });
    return colours;
}

void PartyPage::LoadLanguage(const QString &languageFile)
{
    const auto text = [&languageFile](QLatin1StringView key) {
        return languageText(languageFile, keys::kOptionsSection, key);
    };
    m_screenLabel->setText(text(keys::kScreenLabelKey));
    m_fullScreen->setText(text(keys::kFullScreenTextKey));
    m_fontLabel->setText(text(keys::kFontLabelKey));
    for (std::size_t role = 0; role < kColourLabelKeys.size(); ++role) {
        m_colourLabels[role]->setText(text(kColourLabelKeys[role]));
    }
    m_defaultLook->setText(text(keys::kDefaultLookKey));
    if (m_screen->count() > 0) {
        m_screen->setItemText(0, text(keys::kScreenAutoKey));
    }
}

void PartyPage::Form_Load()
{
    const QString automatic = m_screen->count() > 0 ? m_screen->itemText(0) : QString();
    const QList<ScreenInfo> screens = screenInfos();
    m_screen->clear();
    m_screen->addItem(automatic, QString());
    for (int i = 0; i < screens.size(); ++i) {
        const QSize size = screens[i].size;
        m_screen->addItem(QStringLiteral("%1 (%2\u00d7%3)")
                              .arg(screenKey(screens, i))
                              .arg(size.width())
                              .arg(size.height()),
                          screenKey(screens, i));
    }
    const QString stored = ReadIni(keys::kSection, keys::kScreenKey, m_configFile);
    m_screen->setCurrentIndex(std::max(0, m_screen->findData(stored)));
    m_fullScreen->setChecked(ReadIni(keys::kSection, keys::kFullScreenKey, m_configFile) ==
                             keys::kOn);
    m_look = readLyricsLook(m_configFile);
    showLook();
}

std::uint32_t &PartyPage::colour(ColourRole role)
{
    switch (role) {
    case kSung:
        return m_look.colours.sung;
    case kFlash:
        return m_look.colours.flash;
    case kUnsung:
        return m_look.colours.unsung;
    default:
        return m_look.colours.background;
    }
}

void PartyPage::chooseColour(ColourRole role)
{
    const auto at = static_cast<std::size_t>(role);
    const std::optional<QColor> chosen =
        m_chooseColour ? m_chooseColour(toQColor(colour(role)), m_colourLabels[at]->text())
                       : std::nullopt;
    if (!chosen) {
        return;
    }
    colour(role) = packed(*chosen);
    storeLook();
}

void PartyPage::storeLook()
{
    writeLyricsLook(m_look, m_configFile);
    showLook();
    Q_EMIT changed();
}

void PartyPage::showLook()
{
    for (int role = 0; role < kColourCount; ++role) {
        QPixmap swatch(kSwatch);
        swatch.fill(toQColor(colour(static_cast<ColourRole>(role))));
        m_colourButtons[static_cast<std::size_t>(role)]->setIcon(QIcon(swatch));
    }
    m_font->setCurrentFont(
        QFont(m_look.fontFace.isEmpty() ? QStringLiteral("Comic Sans MS") : m_look.fontFace));
}

} // namespace melorit::party
