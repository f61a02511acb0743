#pragma once

#include "party/LyricsLook.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace melorit::party {

// The options dialog's party page: the screen the full-screen lyrics go to,
// full screen on or off, the lyrics' font and colours, and a button back to
// the window's own look. Every change is stored at once. UI thread.
class PartyPage : public QWidget {
    Q_OBJECT
public:
    enum ColourRole { kSung, kFlash, kUnsung, kBackground, kColourCount };
    // Asks the user for a colour; nothing when cancelled.
    using ColourChooser =
        std::function<std::optional<QColor>(const QColor &current, const QString &title)>;

    // `configFile` "" is "Melorit.ini".
    explicit PartyPage(const QString &configFile = {}, QWidget *parent = nullptr);

    // Texts of section "Options" of the language file.
    void LoadLanguage(const QString &languageFile);
    // The stored settings and the screens there are now.
    void Form_Load();
    // Instead of the colour dialog (tests).
    void setColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

    QComboBox *ComboScreen() const { return m_screen; }
    QCheckBox *chkFullScreen() const { return m_fullScreen; }
    QFontComboBox *ComboFont() const { return m_font; }
    QPushButton *colourButton(ColourRole role) const { return m_colourButtons[role]; }
    QPushButton *btnDefaultLook() const { return m_defaultLook; }

Q_SIGNALS:
    // The user changed a setting (already stored).
    void changed();

private:
    QWidget *buildColours();
    void chooseColour(ColourRole role);
    void storeLook();
    void showLook();
    std::uint32_t &colour(ColourRole role);

    QString m_configFile;
    LyricsLook m_look;
    QLabel *m_screenLabel = nullptr;
    QComboBox *m_screen = nullptr;
    QCheckBox *m_fullScreen = nullptr;
    QLabel *m_fontLabel = nullptr;
    QFontComboBox *m_font = nullptr;
    std::array<QLabel *, kColourCount> m_colourLabels{};
    std::array<QPushButton *, kColourCount> m_colourButtons{};
    QPushButton *m_defaultLook = nullptr;
    ColourChooser m_chooseColour;
};

} // namespace melorit::party
