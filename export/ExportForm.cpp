#include "export/ExportForm.h"

#include "base/Ini.h"
#include "base/Language.h"
#include "base/TextUtil.h"
#include "export/ExportKeys.h"
#include "export/LyricsFormats.h"

#include <QDir>

#include <algorithm>
#include <utility>

namespace melorit::exporting {

namespace {

void writeConfig(QLatin1StringView section, QLatin1StringView key, const QString &value,
                 const QString &file)
{
    WriteIni(QString(section), QString(key), value, file);
}

} // namespace

QString normalizedFolder(const QString &folder)
{
    QString result = folder.trimmed();
    if (!result.isEmpty() && !result.endsWith(QDir::separator())) {
        result += QDir::separator();
    }
    return result;
}

int keptMaxLength(const QString &typed)
{
    const double value = text::roundHalfEven(text::Val(typed));
    if (!(value >= 0 && value <= config::kMaxLengthLimit)) {
        return 0;
    }
    return static_cast<int>(value);
}

ExportForm::ExportForm(QString songSettingsFile, QString configFile, QString languageFile)
    : m_songSettingsFile(std::move(songSettingsFile)), m_configFile(std::move(configFile)),
      m_languageFile(std::move(languageFile))
{
}

void ExportForm::Form_Load(const QString &tagArtist, const QString &tagTitle)
{
    const ExportSettings settings = ReadExportSettings(m_configFile);
    RecFolder = settings.SaveFolder;
    GenericName = settings.SaveScheme;
    Encoding = settings.Encoding;
    CheckLoudness = settings.Normalize;
    Loudness = settings.Loudness;
    const QString rate = settings.Rate.isEmpty() ? QString(config::kRateDefault) : settings.Rate;
    RateIndex = static_cast<int>(bitRates().indexOf(rate));
    LyricsMax =
        ReadIni(QString(config::kLyricsSection), QString(config::kMaxLengthKey), m_configFile)
            .trimmed();
    CheckKOK = settings.MakeFile;
    const std::vector<LyricsFormat> formats = formatsToWrite(settings.Formats);
    const auto has = [&formats](LyricsFormat f) {
        return std::find(formats.begin(), formats.end(), f) != formats.end();
    };
    CheckFormatKok = has(LyricsFormat::Kok);
    CheckFormatLrc = has(LyricsFormat::Lrc);
    CheckFormatAss = has(LyricsFormat::Ass);
    VideoColour = settings.Video.Colour;
    VideoImage = settings.Video.Image;
    Tags = ReadTags(m_songSettingsFile);
    if (!tagArtist.isEmpty() && Tags.Artist.isEmpty()) {
        Tags.Artist = tagArtist;
    }
    if (!tagTitle.isEmpty() && Tags.Title.isEmpty()) {
        Tags.Title = tagTitle;
    }
}

QString ExportForm::rateText() const
{
    return RateIndex >= 0 && RateIndex < bitRates().size() ? bitRates().at(RateIndex) : QString();
}

ExportSettings ExportForm::settings() const
{
    ExportSettings s;
    s.SaveFolder = normalizedFolder(RecFolder);
    s.SaveScheme = GenericName.trimmed();
    s.Encoding = Encoding >= 1 && Encoding <= 3 ? Encoding : 0;
    s.Rate = rateText();
    s.Normalize = CheckLoudness;
    s.Loudness = parseLoudness(QString::number(Loudness)).value_or(config::kLoudnessDefault);
    s.MakeFile = CheckKOK;
    std::vector<LyricsFormat> formats;
    if (CheckFormatKok) {
        formats.push_back(LyricsFormat::Kok);
    }
    if (CheckFormatLrc) {
        formats.push_back(LyricsFormat::Lrc);
    }
    if (CheckFormatAss) {
        formats.push_back(LyricsFormat::Ass);
    }
    const QString formatList = lyricsFormatsText(formats);
    s.Formats = formatList.isEmpty() ? QString(config::kFormatsDefault) : formatList;
    s.MaxLength = keptMaxLength(LyricsMax);
    // A colour that is not one keeps the stored colour (it is not saved).
    s.Video = ReadVideoSettings(m_configFile);
    if (isVideoColour(VideoColour)) {
        s.Video.Colour = VideoColour;
    }
    s.Video.Image = VideoImage.trimmed();
    return s;
}

void ExportForm::MemoParam()
{
    const ExportSettings s = settings();
    writeConfig(config::kWaveSection, config::kSaveFolderKey, s.SaveFolder, m_configFile);
    writeConfig(config::kWaveSection, config::kSaveSchemeKey, s.SaveScheme, m_configFile);
    writeConfig(config::kWaveSection, config::kEncodingKey, QString::number(s.Encoding),
                m_configFile);
    writeConfig(config::kWaveSection, config::kRateKey, s.Rate, m_configFile);
    writeConfig(config::kLyricsSection, config::kMakeFileKey,
                s.MakeFile ? QStringLiteral("1") : QStringLiteral("0"), m_configFile);
    writeConfig(config::kLyricsSection, config::kFormatsKey, s.Formats, m_configFile);
    LyricsMax = QString::number(s.MaxLength);
    writeConfig(config::kLyricsSection, config::kMaxLengthKey, LyricsMax, m_configFile);
    saveLoudness(s);
    saveVideoBackground();
    WriteTags(m_songSettingsFile, Tags);
}

// Only what the person changed: the settings of those who never normalize
// keep no loudness keys.
void ExportForm::saveLoudness(const ExportSettings &s)
{
    const ExportSettings stored = ReadExportSettings(m_configFile);
    if (s.Normalize != stored.Normalize) {
        writeConfig(config::kWaveSection, config::kNormalizeKey,
                    s.Normalize ? QStringLiteral("1") : QStringLiteral("0"), m_configFile);
    }
    if (s.Loudness != stored.Loudness) {
        writeConfig(config::kWaveSection, config::kLoudnessKey, QString::number(s.Loudness),
                    m_configFile);
    }
}

// Only what the person changed: the settings of those who never make a
// video keep no "Video" section.
void ExportForm::saveVideoBackground()
{
    const VideoSettings stored = ReadVideoSettings(m_configFile);
    if (isVideoColour(VideoColour) && VideoColour != stored.Colour) {
        writeConfig(config::kVideoSection, config::kVideoColourKey, VideoColour, m_configFile);
    }
    if (VideoImage.trimmed() != stored.Image) {
        writeConfig(config::kVideoSection, config::kVideoImageKey, VideoImage.trimmed(),
                    m_configFile);
    }
}

ExportOutcome ExportForm::Btn_Validation_Click()
{
    MemoParam();
    return ExportOutcome::Validated;
}

ExportOutcome ExportForm::Btn_Tous_Click(ExportQuestions &questions)
{
    const QString text = text::barsToLineBreaks(languageOr(QStringLiteral("ConfirmAll"), {}));
    // The title is the button's caption, its design text without a language.
    const QString title =
        languageOr(QStringLiteral("Tous"), QStringLiteral("Jusqu'\u00e0 la fin de la liste"));
    if (!questions.confirmBatch(text, title)) {
        return ExportOutcome::Open;
    }
    MemoParam();
    return ExportOutcome::BatchAll;
}

QString ExportForm::languageOr(const QString &key, const QString &fallback) const
{
    // File "" would be the configuration file, which holds no window texts.
    const QString value = m_languageFile.isEmpty()
                              ? QString()
                              : languageText(m_languageFile, QStringLiteral("Tags"), key);
    return value.isEmpty() ? fallback : value;
}

ExportOutcome ExportForm::Btn_Abandon_Click()
{
    return ExportOutcome::Cancelled;
}

ExportOutcome ExportForm::Timer1_Timer(bool batchEncode)
{
    if (!batchEncode) {
        return ExportOutcome::Open;
    }
    MemoParam();
    return ExportOutcome::BatchAll;
}

void ExportForm::RecFolder_Validate()
{
    RecFolder = normalizedFolder(RecFolder);
}

} // namespace melorit::exporting
