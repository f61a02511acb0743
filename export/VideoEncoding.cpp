#include "export/VideoEncoding.h"

#include "audio/Error.h"
#include "audio/MidiStream.h"
#include "base/AtomicFile.h"
#include "base/TextUtil.h"
#include "engine/Player.h"
#include "export/EncoderArguments.h"
#include "export/VideoArguments.h"
#include "export/VideoLyrics.h"

#include <QDir>
#include <QFileInfo>

namespace melorit::exporting {

QString encoderNotStarted(int encoding)
{
    const QString name = encoderProgramName(encoding);
    return name +
           QStringLiteral(": not found in the program folder or on PATH, or it cannot "
                          "be started (Debian package: ") +
           encoderPackageName(encoding) + u')';
}

audio::EncoderHandle VideoEncoding::start(engine::Player &player, const ExportSettings &settings,
                                          const SongTags &tags, const LyricsFileOptions &options,
                                          const QString &outputPath)
{
    m_problem.clear();
    const QString &image = settings.Video.Image;
    if (!image.isEmpty() && !(QFileInfo(image).isFile() && QFileInfo(image).isReadable())) {
        m_problem = image + QStringLiteral(": the background image cannot be read");
        return nullptr;
    }
    if (!writeLyrics(player, settings, tags, options)) {
        return nullptr;
    }
    const VideoJob job{effectiveRate(settings.Rate), tags, settings.Video, m_lyricsPath,
                       outputPath};
    const int encoding = static_cast<int>(Encoding::Mp4);
    audio::EncoderHandle encoder =
        audio::EncodeStartCommand(*player.stream(), encoderCommand(encoding, ffmpegArguments(job)),
                                  player.settings().programFolder.toStdString());
    if (!encoder && audio::lastError() == audio::Error::FileOpen) {
        m_problem = encoderNotStarted(encoding);
    }
    return encoder;
}

bool VideoEncoding::writeLyrics(engine::Player &player, const ExportSettings &settings,
                                const SongTags &tags, const LyricsFileOptions &options)
{
    m_scratch =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/melorit-video-XXXXXX"));
    m_lyricsPath = m_scratch->filePath(QStringLiteral("lyrics.ass"));
    const LyricsTimeline timeline =
        BuildLyricsTimeline(player.stream()->file(), player.lyrics(), options);
    // A song without tags is announced by its file name.
    LyricsTitle card{tags.Title, tags.Artist};
    if (card.title.trimmed().isEmpty() && card.artist.trimmed().isEmpty()) {
        card.title = text::StripExtension(text::FileNameOf(player.SongPath()));
    }
    const QByteArray ass = RenderVideoAss(timeline, card, effectiveVideoSize(settings.Video.Size));
    if (!m_scratch->isValid() || !writeFileAtomically(m_lyricsPath, ass)) {
        m_problem = QStringLiteral("cannot write the video's lyrics in ") + QDir::tempPath();
        return false;
    }
    return true;
}

} // namespace melorit::exporting
