#include "export/LyricsFormats.h"

#include "base/TextUtil.h"
#include "export/AssWriter.h"
#include "export/LrcWriter.h"
#include "export/LyricsFileWriter.h"

#include <QList>
#include <QStringList>

#include <algorithm>

namespace melorit::exporting {

QString lyricsFormatName(LyricsFormat format)
{
    switch (format) {
    case LyricsFormat::Kok:
        return QStringLiteral("kok");
    case LyricsFormat::Lrc:
        return QStringLiteral("lrc");
    case LyricsFormat::Ass:
        return QStringLiteral("ass");
    }
    return {};
}

QString lyricsFormatExtension(LyricsFormat format)
{
    return u'.' + lyricsFormatName(format);
}

std::vector<LyricsFormat> parseLyricsFormats(QStringView list)
{
    std::vector<LyricsFormat> formats;
    const auto names = list.split(u',');
    for (const LyricsFormat format : kLyricsFormats) {
        const QString name = lyricsFormatName(format);
        const bool listed = std::any_of(names.begin(), names.end(), [&name](QStringView n) {
            return n.trimmed().compare(name, Qt::CaseInsensitive) == 0;
        });
        if (listed) {
            formats.push_back(format);
        }
    }
    return formats;
}

QString lyricsFormatsText(const std::vector<LyricsFormat> &formats)
{
    QStringList names;
    for (const LyricsFormat format : kLyricsFormats) {
        if (std::find(formats.begin(), formats.end(), format) != formats.end()) {
            names << lyricsFormatName(format);
        }
    }
    return names.join(u',');
}

std::vector<LyricsFormat> formatsToWrite(QStringView storedList)
{
    std::vector<LyricsFormat> formats = parseLyricsFormats(storedList);
    if (formats.empty()) {
        formats.push_back(LyricsFormat::Kok);
    }
    return formats;
}

QString lyricsFilePath(const QString &kokPath, LyricsFormat format)
{
    return text::StripExtension(kokPath) + lyricsFormatExtension(format);
}

QByteArray renderLyricsFile(const LyricsTimeline &timeline, LyricsFormat format,
                            const LyricsTitle &title)
{
    switch (format) {
    case LyricsFormat::Kok:
        return RenderKok(timeline) + "\r\n";
    case LyricsFormat::Lrc:
        return RenderLrc(timeline, title.title, title.artist);
    case LyricsFormat::Ass:
        return RenderAss(timeline, title.title, title.artist);
    }
    return {};
}

bool WriteLyricsFiles(const audio::MidiFile &song, const lyrics::LyricsModel &lyrics,
                      const QString &kokPath, const std::vector<LyricsFormat> &formats,
                      const LyricsFileOptions &options, const LyricsTitle &title)
{
    const LyricsTimeline timeline = BuildLyricsTimeline(song, lyrics, options);
    bool all = true;
    for (const LyricsFormat format : formats) {
        all = WriteTextFile(lyricsFilePath(kokPath, format),
                            renderLyricsFile(timeline, format, title)) &&
              all;
    }
    return all;
}

} // namespace melorit::exporting
