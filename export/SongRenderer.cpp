// The rendering road: export settings, output paths, the decoding stream
// with the listening set-up, punch-in and punch-out, the encoder (a WAV
// file, lame, oggenc or, for the video, ffmpeg), the conversion loop and
// the lyrics file.
#include "export/SongRenderer.h"

#include "audio/Encoder.h"
#include "audio/Error.h"
#include "audio/LoudnessEncoder.h"
#include "base/TextUtil.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/EncoderArguments.h"
#include "export/LyricsFormats.h"
#include "export/StagedOutputs.h"
#include "export/VideoEncoding.h"
#include "lyrics/StreamLyricsSource.h"

#include <QFileInfo>

#include <array>
#include <memory>

namespace melorit::exporting {

namespace {

constexpr std::size_t kBlockBytes = 1024;
const QString kEncodingContext = QStringLiteral("Problème d'encodage");

LyricsFileOptions lyricsOptions(const engine::Player &player, const ExportSettings &settings)
{
    LyricsFileOptions options;
    options.MaxLength = settings.MaxLength;
    options.PunchActive = player.markers().PunchActive;
    options.PunchIn = player.markers().PunchIn;
    options.PunchOut = player.markers().PunchOut;
    options.TempoRatio = player.mixer().TempoRatio();
    return options;
}

// The encoder of the chosen format on the rendering stream; nullptr when it
// cannot start, with a line for the user in `problem` when there is more to
// say than the audio error.
audio::EncoderHandle startEncoder(engine::Player &player, const ExportSettings &settings,
                                  const SongTags &tags, const QString &outputPath,
                                  VideoEncoding &video, QString &problem)
{
    audio::MidiStream &stream = *player.stream();
    const QString rate = effectiveRate(settings.Rate);
    const std::string folder = player.settings().programFolder.toStdString();
    audio::EncoderHandle encoder;
    switch (settings.Encoding) {
    case static_cast<int>(Encoding::Wav):
        return audio::EncodeStartWav(stream, outputPath.toStdString());
    case static_cast<int>(Encoding::Mp3):
        encoder = audio::EncodeStartCommand(
            stream, encoderCommand(1, lameArguments(rate, tags, outputPath)), folder);
        break;
    case static_cast<int>(Encoding::Ogg):
        encoder = audio::EncodeStartCommand(
            stream, encoderCommand(2, oggencArguments(rate, tags, outputPath)), folder);
        break;
    case static_cast<int>(Encoding::Mp4):
        encoder = video.start(player, settings, tags, lyricsOptions(player, settings), outputPath);
        problem = video.problem();
        return encoder;
    default:
        audio::detail::setLastError(audio::Error::NotAvail);
        return nullptr;
    }
    if (!encoder && audio::lastError() == audio::Error::FileOpen) {
        problem = encoderNotStarted(settings.Encoding);
    }
    return encoder;
}

void reportEncoderProblem(engine::Player &player, const QString &why)
{
    UserMessage message{kEncodingContext + QStringLiteral("\r\n") + why, QStringLiteral("Error"),
                        MessageIcon::Critical};
    if (player.dialogs()) {
        player.dialogs()->message(message);
    } else {
        showMessage(message.text, message.title, message.icon);
    }
}

// The lyrics files of the chosen formats beside the audio file, titled with
// the tags of the dialog.
bool writeLyricsFiles(engine::Player &player, const ExportSettings &settings, const SongTags &tags,
                      const QString &kokPath)
{
    return WriteLyricsFiles(player.stream()->file(), player.lyrics(), kokPath,
                            formatsToWrite(settings.Formats), lyricsOptions(player, settings),
                            {tags.Title, tags.Artist});
}

} // namespace

void SongRenderer::render(engine::Player &player)
{
    m_report = {};
    renderSong(player);
    showOutcome(player);
}

// Where the file went, in the status area: the whole file, a truncated one,
// or the one that could not be written. A cancelled dialog, a kept file and
// an empty list say nothing.
void SongRenderer::showOutcome(engine::Player &player) const
{
    QString key;
    QString path = m_report.paths.OutputPath;
    switch (m_report.outcome) {
    case RenderOutcome::Converted:
        // A loudness target the peak ceiling held back is told.
        key = m_report.loudness && m_report.loudness->held ? QStringLiteral("Status(SavedHeld)")
                                                           : QStringLiteral("Status(Saved)");
        break;
    case RenderOutcome::Stopped:
    case RenderOutcome::EncoderDied:
        key = QStringLiteral("Status(Incomplete)");
        break;
    case RenderOutcome::ReadError:
    case RenderOutcome::EncoderError:
        key = QStringLiteral("Status(Failed)");
        if (path.isEmpty()) {
            path = player.SongPath();
        }
        break;
    case RenderOutcome::NoSong:
    case RenderOutcome::Cancelled:
    case RenderOutcome::Kept:
        return;
    }
    const QString templ = player.languageText(key);
    const QString reached =
        m_report.loudness ? QString::number(m_report.loudness->resultLufs(), 'f', 1) : QString();
    player.showStatus(templ.isEmpty() ? path : text::fillPlaceholders(templ, path, reached));
}

void SongRenderer::renderSong(engine::Player &player)
{
    QString tagArtist;
    QString tagTitle;
    if (!preRead(player, tagArtist, tagTitle)) {
        return;
    }
    const std::optional<RenderDialogs::Choice> choice =
        m_dialogs.exportDialog(player.SongSettingsFile(), tagArtist, tagTitle);
    if (!choice) {
        m_report.outcome = RenderOutcome::Cancelled;
        return;
    }
    // "Tous": this song and every following entry, one per batch tick. OK
    // (this song only) during a batch ends the batch after this song.
    player.setBatchEncode(choice->batch);
    m_report.paths = BuildOutputPaths(player.SongPath(), choice->settings, choice->tags);
    CreateOutputFolder(m_report.paths.Full);
    if (!mayWrite(player)) {
        return;
    }
    if (!player.openRenderingStream()) {
        m_report.outcome = RenderOutcome::ReadError;
        return;
    }
    if (m_staged) {
        convertStaged(player, choice->settings, choice->tags);
    } else {
        convert(player, choice->settings, choice->tags, m_report.paths);
    }
}

void SongRenderer::convertStaged(engine::Player &player, const ExportSettings &settings,
                                 const SongTags &tags)
{
    StagedOutputs staged(m_report.paths);
    if (!staged.ok()) {
        reportEncoderProblem(player, QStringLiteral("cannot write in ") +
                                         QFileInfo(m_report.paths.Full).path());
        m_report.outcome = RenderOutcome::EncoderError;
        player.Action_Stop();
        return;
    }
    convert(player, settings, tags, staged.paths());
    if (m_report.outcome != RenderOutcome::Converted) {
        staged.discard();
    } else if (m_beforeCommit && !m_beforeCommit(staged.written())) {
        staged.discard();
        m_report.outcome = RenderOutcome::EncoderError;
    } else if (!staged.commit()) {
        reportEncoderProblem(player,
                             QStringLiteral("cannot rename to ") + m_report.paths.OutputPath);
        m_report.outcome = RenderOutcome::EncoderError;
    }
}

// The song's artist and title for the dialog, read from a stream opened and
// freed at once.
bool SongRenderer::preRead(engine::Player &player, QString &tagArtist, QString &tagTitle)
{
    std::unique_ptr<audio::MidiStream> stream = player.OpenSongStream(player.SongPath(), true);
    if (!stream) {
        player.ShowAudioError(player.languageText(QStringLiteral("MidiReadError")));
        m_report.outcome = RenderOutcome::ReadError;
        return false;
    }
    lyrics::LyricsModel model;
    lyrics::StreamLyricsSource source(*stream);
    model.InitLyrics(source);
    tagArtist = model.ConvertCharset(model.TagArtist());
    tagTitle = model.ConvertCharset(model.TagTitle());
    return true;
}

bool SongRenderer::mayWrite(engine::Player &player)
{
    const QString &output = m_report.paths.OutputPath;
    if (m_batch || player.BatchEncode() || !QFileInfo::exists(output)) {
        return true;
    }
    QString text = player.languageText(QStringLiteral("OverWriteText"));
    text.replace(QStringLiteral("%1"), output);
    text.replace(u'|', QStringLiteral("\r\n"));
    if (m_dialogs.confirmOverwrite(text, player.languageText(QStringLiteral("OverWriteTitle")))) {
        return true;
    }
    m_report.outcome = RenderOutcome::Kept;
    return false;
}

// With loudness matching, the encoder gets the song only once it is all
// rendered and measured; the scratch file sits beside the output.
audio::EncoderHandle SongRenderer::matchLoudness(engine::Player &player,
                                                 const ExportSettings &settings,
                                                 audio::EncoderHandle encoder,
                                                 const QString &outputPath)
{
    if (!settings.Normalize) {
        return encoder;
    }
    m_loudness = audio::MatchLoudness(*player.stream(), std::move(encoder),
                                      audio::LoudnessTarget{settings.Loudness},
                                      QFileInfo(outputPath).absolutePath().toStdString());
    return m_loudness;
}

// Renders until the song (or its punched section) ends, the encoder stops
// or a cancel releases the stream.
void SongRenderer::renderBlocks(engine::Player &player, audio::Encoder &encoder)
{
    std::array<std::uint8_t, kBlockBytes> block{};
    while (player.stream() && player.stream()->activeState() == audio::ActiveState::Playing &&
           encoder.isActive()) {
        player.pull(block.data(), block.size());
        if (m_betweenBlocks) {
            m_betweenBlocks();
        }
    }
}

// The whole song measured: its audio goes to the encoder with the gain, a
// piece at a time; a cancel may still release the stream meanwhile.
void SongRenderer::replayMatched(engine::Player &player)
{
    while (player.stream() && m_loudness->replay()) {
        if (m_betweenBlocks) {
            m_betweenBlocks();
        }
    }
    m_report.loudness = m_loudness->gain();
}

void SongRenderer::convert(engine::Player &player, const ExportSettings &settings,
                           const SongTags &tags, const OutputPaths &target)
{
    // The video's lyrics stay until its encoder has stopped.
    VideoEncoding video;
    QString problem;
    audio::EncoderHandle encoder =
        startEncoder(player, settings, tags, target.OutputPath, video, problem);
    if (encoder) {
        encoder = matchLoudness(player, settings, std::move(encoder), target.OutputPath);
        problem = encoder ? problem
                          : QStringLiteral("cannot write in ") +
                                QFileInfo(target.OutputPath).absolutePath();
    }
    if (!encoder) {
        if (problem.isEmpty()) {
            player.ShowAudioError(kEncodingContext);
        } else {
            reportEncoderProblem(player, problem);
        }
        m_report.outcome = RenderOutcome::EncoderError;
        player.Action_Stop();
        return;
    }
    // The punch-in start and the punch-out fade were set up with the stream;
    // SongEnd stops it at the end of the song or of its section. A cancel
    // releases it between two blocks.
    renderBlocks(player, *encoder);
    if (m_loudness && player.songEnded() && player.stream() && encoder->isActive()) {
        replayMatched(player);
    }
    // A cancel released the stream, which stopped its encoder: the file
    // written so far stays, truncated, and no lyrics file goes with it.
    const bool cancelled = player.stream() == nullptr;
    const bool ended = player.songEnded();
    const bool encoderAlive = cancelled || encoder->isActive();
    if (ended && !cancelled && encoderAlive && settings.MakeFile &&
        player.lyrics().LyricsTrack() >= 0) {
        m_report.lyricsFileWritten =
            writeLyricsFiles(player, settings, tags, target.LyricsFilePath);
        for (const LyricsFormat format : formatsToWrite(settings.Formats)) {
            if (m_report.lyricsFileWritten) {
                m_report.lyricsFilePaths << lyricsFilePath(m_report.paths.LyricsFilePath, format);
            }
        }
    }
    encoder->stop();
    m_loudness.reset();
    m_report.encoderError = QString::fromStdString(encoder->errorText());
    if (!encoderAlive || (!cancelled && !m_report.encoderError.isEmpty())) {
        m_report.outcome = RenderOutcome::EncoderDied;
        reportEncoderProblem(player, m_report.encoderError);
    } else {
        m_report.outcome = ended && !cancelled ? RenderOutcome::Converted : RenderOutcome::Stopped;
    }
    player.Action_Stop();
}

} // namespace melorit::exporting
