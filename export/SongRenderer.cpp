// The rendering road: export settings, output paths, the decoding stream
// with the listening set-up, punch-in and punch-out, the encoder, the
// conversion loop and the lyrics file.
#include "export/SongRenderer.h"

#include "audio/Encoder.h"
#include "audio/Error.h"
#include "engine/Player.h"
#include "engine/PlayerDialogs.h"
#include "export/EncoderArguments.h"
#include "export/LyricsFileWriter.h"
#include "export/Punch.h"
#include "lyrics/StreamLyricsSource.h"

#include <QFileInfo>

#include <array>
#include <memory>

namespace melorit::exporting {

namespace {

constexpr std::size_t kBlockBytes = 1024;
const QString kEncodingContext = QStringLiteral("Problème d'encodage");

std::vector<std::string> toArgv(const QString &program, const QStringList &arguments)
{
    std::vector<std::string> argv{program.toStdString()};
    for (const QString &argument : arguments)
        argv.push_back(argument.toStdString());
    return argv;
}

audio::EncoderHandle startEncoder(engine::Player &player, const ExportSettings &settings,
                                  const SongTags &tags, const QString &outputPath)
{
    audio::MidiStream &stream = *player.stream();
    const QString rate = effectiveRate(settings.Rate);
    const std::string folder = player.settings().programFolder.toStdString();
    switch (settings.Encoding) {
    case static_cast<int>(Encoding::Wav):
        return audio::EncodeStartWav(stream, outputPath.toStdString());
    case static_cast<int>(Encoding::Mp3):
        return audio::EncodeStartCommand(
            stream, toArgv(encoderProgramName(1), lameArguments(rate, tags, outputPath)), folder);
    case static_cast<int>(Encoding::Ogg):
        return audio::EncodeStartCommand(
            stream, toArgv(encoderProgramName(2), oggencArguments(rate, tags, outputPath)), folder);
    default:
        audio::detail::setLastError(audio::Error::NotAvail);
        return nullptr;
    }
}

// The start at the punch-in and the fade before the punch-out; the stream
// stops through SongEnd at the end of the section.
struct PunchRun {
    PunchPlan plan;
    FadeDsp fade;
};

void setUpPunch(engine::Player &player, PunchRun &punch, bool &ended)
{
    audio::MidiStream &stream = *player.stream();
    punch.plan = planPunch(player.markers(), player.SongLength());
    if (punch.plan.Seek) {
        stream.setPosition(audio::MidiStream::secondsToBytes(punch.plan.StartSeconds),
                           audio::PosUnit::Bytes);
        // The seek rebuilt the song's own controllers: the mix goes on top.
        player.mixer().RefreshControllers();
        player.mixer().ApplyLevels();
    }
    if (!punch.plan.FadeOut)
        return;
    stream.addDsp([&punch](std::span<std::int16_t> samples) {
        punch.fade.process(samples.data(), samples.size());
    });
    stream.setSync(audio::SyncType::Position,
                   audio::MidiStream::secondsToBytes(punch.plan.FadeSeconds),
                   [&punch](std::uint32_t) { punch.fade.FadeStart(punch.plan.FadeLength); });
    stream.setSync(audio::SyncType::Position,
                   audio::MidiStream::secondsToBytes(punch.plan.EndSeconds),
                   [&player, &ended](std::uint32_t) {
                       ended = true;
                       player.SongEnd();
                   });
}

void reportEncoderDeath(engine::Player &player, const QString &why)
{
    UserMessage message{kEncodingContext + QStringLiteral("\r\n") + why, QStringLiteral("Error"),
                        MessageIcon::Critical};
    if (player.dialogs())
        player.dialogs()->message(message);
    else
        showMessage(message.text, message.title, message.icon);
}

bool writeLyricsFile(engine::Player &player, const ExportSettings &settings, const QString &path)
{
    LyricsFileOptions options;
    options.MaxLength = settings.MaxLength;
    options.PunchActive = player.markers().PunchActive;
    options.PunchIn = player.markers().PunchIn;
    options.PunchOut = player.markers().PunchOut;
    options.TempoRatio = player.mixer().TempoRatio();
    return WriteLyricsFile(player.stream()->file(), player.lyrics(), path, options);
}

} // namespace

void SongRenderer::render(engine::Player &player)
{
    m_report = {};
    QString tagArtist;
    QString tagTitle;
    if (!preRead(player, tagArtist, tagTitle))
        return;
    const std::optional<RenderDialogs::Choice> choice =
        m_dialogs.exportDialog(player.SongSettingsFile(), tagArtist, tagTitle);
    if (!choice) {
        m_report.outcome = RenderOutcome::Cancelled;
        return;
    }
    // "Tous": this song and every following entry, one per batch tick.
    if (choice->batch)
        player.setBatchEncode(true);
    m_report.paths = BuildOutputPaths(player.SongPath(), choice->settings, choice->tags);
    CreateOutputFolder(m_report.paths.Full);
    if (!mayWrite(player))
        return;
    if (!player.openRenderingStream()) {
        m_report.outcome = RenderOutcome::ReadError;
        return;
    }
    convert(player, choice->settings, choice->tags);
}

// The song's artist and title for the dialog, read from a stream opened and
// freed at once.
bool SongRenderer::preRead(engine::Player &player, QString &tagArtist, QString &tagTitle)
{
    std::unique_ptr<audio::MidiStream> stream = player.OpenSongStream(player.SongPath(), true);
    if (!stream) {
        player.BassError(player.languageText(QStringLiteral("MidiReadError")));
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
    if (m_batch || player.BatchEncode() || !QFileInfo::exists(output))
        return true;
    QString text = player.languageText(QStringLiteral("OverWriteText"));
    text.replace(QStringLiteral("%1"), output);
    text.replace(u'|', QStringLiteral("\r\n"));
    if (m_dialogs.confirmOverwrite(text, player.languageText(QStringLiteral("OverWriteTitle"))))
        return true;
    m_report.outcome = RenderOutcome::Kept;
    return false;
}

void SongRenderer::convert(engine::Player &player, const ExportSettings &settings,
                           const SongTags &tags)
{
    bool ended = false;
    PunchRun punch;
    audio::MidiStream &stream = *player.stream();
    stream.setSync(audio::SyncType::End, 0, [&ended](std::uint32_t) { ended = true; });
    setUpPunch(player, punch, ended);

    const audio::EncoderHandle encoder =
        startEncoder(player, settings, tags, m_report.paths.OutputPath);
    if (!encoder) {
        player.BassError(kEncodingContext);
        m_report.outcome = RenderOutcome::EncoderError;
        player.Action_Stop();
        return;
    }
    // The stream, the fade and the syncs live until the stream is released
    // below; a cancel releases it between two blocks.
    while (player.stream() && player.stream()->activeState() == audio::ActiveState::Playing &&
           encoder->isActive()) {
        player.pull(kBlockBytes);
        if (m_betweenBlocks)
            m_betweenBlocks();
    }
    // A cancel released the stream, which stopped its encoder: the file
    // written so far stays, truncated, and no lyrics file goes with it.
    const bool cancelled = player.stream() == nullptr;
    const bool encoderAlive = cancelled || encoder->isActive();
    if (ended && !cancelled && encoderAlive && settings.MakeFile &&
        player.lyrics().LyricsTrack() >= 0)
        m_report.lyricsFileWritten =
            writeLyricsFile(player, settings, m_report.paths.LyricsFilePath);
    encoder->stop();
    m_report.encoderError = QString::fromStdString(encoder->errorText());
    if (!encoderAlive || (!cancelled && !m_report.encoderError.isEmpty())) {
        m_report.outcome = RenderOutcome::EncoderDied;
        reportEncoderDeath(player, m_report.encoderError);
    } else {
        m_report.outcome = ended && !cancelled ? RenderOutcome::Converted : RenderOutcome::Stopped;
    }
    player.Action_Stop();
}

} // namespace melorit::exporting
