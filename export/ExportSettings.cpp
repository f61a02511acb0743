#include "export/ExportSettings.h"

#include "base/Ini.h"
#include "base/TextUtil.h"
#include "export/ExportKeys.h"

#include <cmath>

namespace melorit::exporting {

namespace {

QString readConfig(QLatin1StringView section, QLatin1StringView key, const QString &file)
{
    return ReadIni(QString(section), QString(key), file);
}

QString readTag(const QString &file, QStringView key)
{
    return ReadIni(QString(tags::kSection), key.toString(), file);
}

} // namespace

ExportSettings ReadExportSettings(const QString &configFile)
{
    ExportSettings settings;
    settings.Encoding =
        text::toInt(text::Val(readConfig(config::kWaveSection, config::kEncodingKey, configFile)));
    settings.Rate = readConfig(config::kWaveSection, config::kRateKey, configFile);
    settings.SaveFolder = readConfig(config::kWaveSection, config::kSaveFolderKey, configFile);
    settings.SaveScheme = readConfig(config::kWaveSection, config::kSaveSchemeKey, configFile);
    settings.Normalize =
        readConfig(config::kWaveSection, config::kNormalizeKey, configFile).trimmed() ==
        QStringLiteral("1");
    settings.Loudness =
        parseLoudness(readConfig(config::kWaveSection, config::kLoudnessKey, configFile))
            .value_or(config::kLoudnessDefault);
    settings.MakeFile =
        readConfig(config::kLyricsSection, config::kMakeFileKey, configFile).trimmed() !=
        QStringLiteral("0");
    settings.MaxLength = text::toInt(
        text::Val(readConfig(config::kLyricsSection, config::kMaxLengthKey, configFile)));
    settings.Formats = readConfig(config::kLyricsSection, config::kFormatsKey, configFile);
    if (settings.Formats.trimmed().isEmpty()) {
        settings.Formats = QString(config::kFormatsDefault);
    }
    settings.Video = ReadVideoSettings(configFile);
    return settings;
}

std::optional<double> parseLoudness(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !(value >= config::kLoudnessLowest && value <= config::kLoudnessHighest)) {
        return std::nullopt;
    }
    return std::round(value * 10.0) / 10.0;
}

QString effectiveRate(const QString &storedRate)
{
    const QString rate = storedRate.trimmed();
    bool ok = false;
    const int value = rate.toInt(&ok);
    if (!ok || value <= 0) {
        return QString(config::kRateDefault);
    }
    return rate;
}

SongTags ReadTags(const QString &songSettingsFile)
{
    SongTags result;
    if (songSettingsFile.isEmpty()) {
        return result;
    }
    result.Artist = readTag(songSettingsFile, tags::kArtist);
    result.Title = readTag(songSettingsFile, tags::kTitle);
    result.Album = readTag(songSettingsFile, tags::kAlbum);
    result.Year = readTag(songSettingsFile, tags::kYear);
    result.Track = readTag(songSettingsFile, tags::kTrack);
    result.Genre = readTag(songSettingsFile, tags::kGenre);
    result.Comment = readTag(songSettingsFile, tags::kComment);
    return result;
}

void WriteTags(const QString &songSettingsFile, const SongTags &values)
{
    if (songSettingsFile.isEmpty()) {
        return;
    }
    const QString section(tags::kSection);
    WriteIni(section, tags::kArtist.toString(), values.Artist, songSettingsFile);
    WriteIni(section, tags::kTitle.toString(), values.Title, songSettingsFile);
    WriteIni(section, tags::kAlbum.toString(), values.Album, songSettingsFile);
    WriteIni(section, tags::kYear.toString(), values.Year, songSettingsFile);
    WriteIni(section, tags::kTrack.toString(), values.Track, songSettingsFile);
    WriteIni(section, tags::kGenre.toString(), values.Genre, songSettingsFile);
    WriteIni(section, tags::kComment.toString(), values.Comment, songSettingsFile);
}

const QStringList &bitRates()
{
    static const QStringList rates{
        QStringLiteral("32"),  QStringLiteral("40"),  QStringLiteral("48"),  QStringLiteral("56"),
        QStringLiteral("64"),  QStringLiteral("80"),  QStringLiteral("96"),  QStringLiteral("112"),
        QStringLiteral("128"), QStringLiteral("160"), QStringLiteral("192"), QStringLiteral("224"),
        QStringLiteral("256"), QStringLiteral("320")};
    return rates;
}

const QStringList &genreNames()
{
    static const QStringList names{
        QStringLiteral("A Cappella"),
        QStringLiteral("Acid"),
        QStringLiteral("Acid Jazz"),
        QStringLiteral("Acid Punk"),
        QStringLiteral("Acoustic"),
        QStringLiteral("Alternative"),
        QStringLiteral("Alt. Rock"),
        QStringLiteral("Ambient"),
        QStringLiteral("Anime"),
        QStringLiteral("Avantgarde"),
        QStringLiteral("Ballad"),
        QStringLiteral("Bass"),
        QStringLiteral("Beat"),
        QStringLiteral("Bebob"),
        QStringLiteral("Big Band"),
        QStringLiteral("Black Metal"),
        QStringLiteral("Bluegrass"),
        QStringLiteral("Blues"),
        QStringLiteral("Booty Bass"),
        QStringLiteral("BritPop"),
        QStringLiteral("Cabaret"),
        QStringLiteral("Celtic"),
        QStringLiteral("Chamber Music"),
        QStringLiteral("Chanson"),
        QStringLiteral("Chorus"),
        QStringLiteral("Christian Gangsta Rap"),
        QStringLiteral("Christian Rap"),
        QStringLiteral("Christian Rock"),
        QStringLiteral("Classical"),
        QStringLiteral("Classic Rock"),
        QStringLiteral("Club"),
        QStringLiteral("Club-House"),
        QStringLiteral("Comedy"),
        QStringLiteral("Contemporary Christian"),
        QStringLiteral("Country"),
        QStringLiteral("Crossover"),
        QStringLiteral("Cult"),
        QStringLiteral("Dance"),
        QStringLiteral("Dance Hall"),
        QStringLiteral("Darkwave"),
        QStringLiteral("Death Metal"),
        QStringLiteral("Disco"),
        QStringLiteral("Dream"),
        QStringLiteral("Drum & Bass"),
        QStringLiteral("Drum Solo"),
        QStringLiteral("Duet"),
        QStringLiteral("Easy Listening"),
        QStringLiteral("Electronic"),
        QStringLiteral("Ethnic"),
        QStringLiteral("Eurodance"),
        QStringLiteral("Euro-House"),
        QStringLiteral("Euro-Techno"),
        QStringLiteral("Fast-Fusion"),
        QStringLiteral("Folk"),
        QStringLiteral("Folklore"),
        QStringLiteral("Folk/Rock"),
        QStringLiteral("Freestyle"),
        QStringLiteral("Funk"),
        QStringLiteral("Fusion"),
        QStringLiteral("Game"),
        QStringLiteral("Gangsta Rap"),
        QStringLiteral("Goa"),
        QStringLiteral("Gospel"),
        QStringLiteral("Gothic"),
        QStringLiteral("Gothic Rock"),
        QStringLiteral("Grunge"),
        QStringLiteral("Hardcore"),
        QStringLiteral("Hard Rock"),
        QStringLiteral("Heavy Metal"),
        QStringLiteral("Hip-Hop"),
        QStringLiteral("House"),
        QStringLiteral("Humour"),
        QStringLiteral("Indie"),
        QStringLiteral("Industrial"),
        QStringLiteral("Instrumental"),
        QStringLiteral("Instrumental Pop"),
        QStringLiteral("Instrumental Rock"),
        QStringLiteral("Jazz"),
        QStringLiteral("Jazz Funk"),
        QStringLiteral("JPop"),
        QStringLiteral("Jungle"),
        QStringLiteral("Latin"),
        QStringLiteral("Lo-Fi"),
        QStringLiteral("Meditative"),
        QStringLiteral("Merengue"),
        QStringLiteral("Metal"),
        QStringLiteral("Musical"),
        QStringLiteral("National Folk"),
        QStringLiteral("Native American"),
        QStringLiteral("Negerpunk"),
        QStringLiteral("New Age"),
        QStringLiteral("New Wave"),
        QStringLiteral("Noise"),
        QStringLiteral("Oldies"),
        QStringLiteral("Opera"),
        QStringLiteral("Other"),
        QStringLiteral("Polka"),
        QStringLiteral("Polsk Punk"),
        QStringLiteral("Pop"),
        QStringLiteral("Pop-Folk"),
        QStringLiteral("Pop/Funk"),
        QStringLiteral("Porn Groove"),
        QStringLiteral("Power Ballad"),
        QStringLiteral("Pranks"),
        QStringLiteral("Primus"),
        QStringLiteral("Progressive Rock"),
        QStringLiteral("Psychedelic"),
        QStringLiteral("Psychedelic Rock"),
        QStringLiteral("Punk"),
        QStringLiteral("Punk Rock"),
        QStringLiteral("Rap"),
        QStringLiteral("Rave"),
        QStringLiteral("R&B"),
        QStringLiteral("Reggae"),
        QStringLiteral("Retro"),
        QStringLiteral("Revival"),
        QStringLiteral("Rhythmic Soul"),
        QStringLiteral("Rock"),
        QStringLiteral("Rock & Roll"),
        QStringLiteral("Salsa"),
        QStringLiteral("Samba"),
        QStringLiteral("Satire"),
        QStringLiteral("Showtunes"),
        QStringLiteral("Ska"),
        QStringLiteral("Slow Jam"),
        QStringLiteral("Slow Rock"),
        QStringLiteral("Sonata"),
        QStringLiteral("Soul"),
        QStringLiteral("Sound Clip"),
        QStringLiteral("Soundtrack"),
        QStringLiteral("Southern Rock"),
        QStringLiteral("Space"),
        QStringLiteral("Speech"),
        QStringLiteral("Swing"),
        QStringLiteral("Symphonic Rock"),
        QStringLiteral("Symphony"),
        QStringLiteral("Synthpop"),
        QStringLiteral("Tango"),
        QStringLiteral("Techno"),
        QStringLiteral("Techno-Industrial"),
        QStringLiteral("Terror"),
        QStringLiteral("Thrash Metal"),
        QStringLiteral("top 40"),
        QStringLiteral("Trailer"),
        QStringLiteral("Trance"),
        QStringLiteral("Tribal"),
        QStringLiteral("Trip-Hop"),
        QStringLiteral("Vocal"),
    };
    return names;
}

} // namespace melorit::exporting
