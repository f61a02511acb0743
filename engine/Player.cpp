#include "engine/Player.h"

#include "audio/Error.h"
#include "base/CodePages.h"
#include "base/Ini.h"
#include "base/Language.h"
#include "base/TextUtil.h"
#include "engine/AudioErrors.h"
#include "engine/PlayerDialogs.h"
#include "engine/PlayerView.h"
#include "engine/SettingsKeys.h"
#include "engine/SongSettings.h"
#include "engine/SoundSettings.h"
#include "songlist/ListFile.h"

#include <QDir>
#include <QFileInfo>

namespace melorit::engine {

namespace {

constexpr int kBankCount = audio::SoundFont::kDrumBank + 1;
constexpr int kPresetCount = 128;

const QString kMainSection = QStringLiteral("Main");

} // namespace

QStringList PlayerSettings::defaultSystemFonts()
{
    // Debian's General MIDI font link first, then the fonts it may point to.
    const QString dir = QStringLiteral("/usr/share/sounds/sf2/");
    return {dir + QStringLiteral("default-GM.sf2"), dir + QStringLiteral("FluidR3_GM.sf2"),
            dir + QStringLiteral("TimGM6mb.sf2"), dir + QStringLiteral("GeneralUser-GS.sf2")};
}

Player::Player(PlayerSettings settings, PlayerView *view, PlayerDialogs *dialogs)
    : m_settings(std::move(settings)), m_audio(m_settings.output), m_view(view), m_dialogs(dialogs),
      m_presetNames(static_cast<std::size_t>(kBankCount * kPresetCount))
{
    m_mixer.setTarget(&m_target);
    m_mixer.setLanguageFile(m_settings.languageFile);
    m_mixer.setAutoMute(ReadSoundSettings(m_settings.configFile).AutoMute);
}

Player::~Player()
{
    releaseStream();
}

QString Player::languageText(const QString &key) const
{
    return melorit::languageText(m_settings.languageFile, kMainSection, key);
}

// --- SoundFont ------------------------------------------------------------

bool Player::ReplaceFont(const QString &path)
{
    // The song being converted keeps the font it started with.
    if (refuseDuringConversion()) {
        return false;
    }
    std::shared_ptr<audio::SoundFont> font = audio::SoundFont::load(path.toStdString());
    if (!font || font == m_font) {
        return false;
    }
    m_fontPath = path;
    m_soundFontFolder = text::FolderOf(path);
    WriteIni(config::kFontSection, config::kFontFolderKey, m_soundFontFolder,
             m_settings.configFile);
    WriteIni(config::kFontSection, config::kFontFileKey, path, m_settings.configFile);
    // New streams take the player's font; the open one is given it too.
    if (m_stream) {
        m_audio.setFont(*m_stream, font);
    }
    m_font = std::move(font); // the old font goes once nothing plays with it
    // The gain is the song stream's volume: it stays; the caption is redrawn.
    m_mixer.ApplyVolume(m_mixer.state().MasterGain);
    readPresetNames();
    if (m_view) {
        m_view->presetNamesChanged();
    }
    return true;
}

void Player::readPresetNames()
{
    for (int bank = 0; bank < kBankCount; ++bank) {
        for (int preset = 0; preset < kPresetCount; ++preset) {
            const std::optional<std::string_view> raw = m_font->presetName(bank, preset);
            QString name;
            if (raw) {
                // Names are zero-terminated ANSI text in a fixed field.
                std::string_view bytes = *raw;
                bytes = bytes.substr(0, bytes.find('\0'));
                name = codepages::decodeWindows1252(
                    QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
            }
            if (!name.isEmpty() && bank < audio::SoundFont::kDrumBank) {
                m_maxBank = bank;
            }
            m_presetNames[static_cast<std::size_t>(bank * kPresetCount + preset)] = name;
        }
    }
}

QString Player::PresetName(int bank, int preset) const
{
    if (bank < 0 || bank >= kBankCount || preset < 0 || preset >= kPresetCount) {
        return {};
    }
    return m_presetNames[static_cast<std::size_t>(bank * kPresetCount + preset)];
}

void Player::ChangeSF2()
{
    if (!m_dialogs || refuseDuringConversion()) {
        return;
    }
    const std::optional<QString> chosen =
        m_dialogs->chooseFile(m_soundFontFolder, languageText(QStringLiteral("SF2CMD.Filter")),
                              languageText(QStringLiteral("SF2CMD.DialogTitle")));
    if (chosen) {
        ReplaceFont(*chosen);
    }
}

void Player::loadStartFont()
{
    // Where the chooser opens when no SoundFont below can be loaded.
    m_soundFontFolder =
        ReadIni(config::kFontSection, config::kFontFolderKey, m_settings.configFile);
    QStringList candidates;
    const QString base = ReadSoundSettings(m_settings.configFile).SoundFont;
    if (!base.isEmpty()) {
        candidates << base;
    }
    candidates << QDir(m_settings.programFolder).filePath(QStringLiteral("Chorium.SF2"));
    candidates << m_settings.systemFonts;
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile() && ReplaceFont(path)) {
            return;
        }
    }
    ChangeSF2();
}

// --- the current song -----------------------------------------------------

void Player::AffTitre(const QString &suffix)
{
    const int n = m_playlist.count();
    int entry = 0;
    QString title;
    if (n == 0) {
        title = languageText(QStringLiteral("Titre(0)"));
    } else if (n == 1) {
        m_playlist.setCurrentSong(1);
        m_playlist.selectCurrent();
        title = languageText(QStringLiteral("Titre(1)"));
        entry = 1;
    } else if (const int i = m_playlist.CurrentSong(); i >= 1 && i <= n) {
        title = text::fillPlaceholders(languageText(QStringLiteral("Titre(n)")), QString::number(i),
                                       QString::number(n));
        entry = i;
    } else {
        title = languageText(QStringLiteral("Titre(z)"));
    }
    if (entry > 0) {
        m_songPath = m_playlist.song(entry);
        m_songSettingsFile = mst::SongSettingsFile(m_songPath);
        m_songName = songlist::SongDisplayName(m_songPath);
        title += m_songName;
        if (!suffix.isEmpty()) {
            title += u' ' + suffix;
        }
    } else {
        m_songPath.clear();
        m_songName.clear();
        m_songSettingsFile.clear();
    }
    m_mixer.setSongSettingsFile(m_songSettingsFile);
    if (m_view) {
        m_view->captionChanged(
            text::fillPlaceholders(languageText(QStringLiteral("Main.Caption")), title));
    }
}

std::unique_ptr<audio::MidiStream> Player::OpenSongStream(const QString &path, bool decode) const
{
    return m_audio.openSongStream(path, decode, m_font);
}

void Player::ShowAudioError(const QString &context)
{
    const UserMessage message = bassErrorMessage(context, static_cast<int>(audio::lastError()));
    if (m_dialogs) {
        m_dialogs->message(message);
    } else {
        showMessage(message.text, message.title, message.icon);
    }
}

// --- clock and position slider --------------------------------------------

QString Player::ShowTime() const
{
    if (!m_stream) {
        return engine::ShowTime(-1.0, m_songLength * m_mixer.TempoRatio());
    }
    // The stream's length follows the tempo it was actually played at, a
    // change of the factor in the middle of the song included.
    return engine::ShowTime(
        m_audio.positionSeconds(*m_stream),
        audio::MidiStream::bytesToSeconds(m_stream->length(audio::PosUnit::Bytes)));
}

ClockReading Player::clockTick(int sliderMax)
{
    ClockReading reading;
    const bool fontStatusDue = m_clock.tick();
    const std::int64_t ticks =
        m_stream ? static_cast<std::int64_t>(m_audio.positionTicks(*m_stream)) : -1;
    reading.sliderValue = sliderValue(ticks, m_songTicks, sliderMax);
    reading.timeText = ShowTime();
    if (fontStatusDue) {
        std::optional<FontStatus> status;
        if (m_font) {
            status = FontStatus{codepages::decodeWindows1252(QByteArrayView(m_font->name())),
                                m_font->loadedSampleDataSize(), m_font->sampleDataSize()};
        }
        reading.fontStatus = soundFontStatusText(m_settings.languageFile, status);
    }
    return reading;
}

void Player::sldPosition_MouseUp(int value, int sliderMax)
{
    const std::optional<std::int64_t> tick = seekTick(value, sliderMax, m_songTicks);
    if (tick && m_stream) {
        m_audio.seekTicks(*m_stream, static_cast<std::uint64_t>(std::max<std::int64_t>(*tick, 0)));
    }
    if (m_view) {
        m_view->lyricsCleared();
        if (tick && m_stream) {
            m_view->songJumped();
        }
    }
    m_mixer.afterSeek();
}

} // namespace melorit::engine
