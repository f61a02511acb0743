#include "cli/SongAnalysis.h"

#include "audio/Error.h"
#include "base/TextUtil.h"
#include "lyrics/Charset.h"
#include "lyrics/LyricsSource.h"
#include "lyrics/StreamLyricsSource.h"

#include <QJsonArray>

namespace melorit::cli {
namespace {

using lyrics::CharsetDetector;

QString openError(audio::Error error)
{
    switch (error) {
    case audio::Error::FileOpen:
        return QStringLiteral("the file cannot be opened");
    case audio::Error::FileForm:
        return QStringLiteral("the file is not a MIDI file");
    default:
        return QStringLiteral("the song cannot be opened (%1)")
            .arg(QString::fromUtf8(audio::errorName(static_cast<int>(error))));
    }
}

double lengthSeconds(const audio::MidiStream &stream)
{
    return audio::MidiStream::bytesToSeconds(stream.length(audio::PosUnit::Bytes));
}

QJsonObject syllableJson(const lyrics::LyricsModel &model, int index)
{
    const lyrics::LyricSyllable &s = model.syllable(index);
    return QJsonObject{
        {QStringLiteral("line"), s.Line},
        {QStringLiteral("start"), s.Start},
        {QStringLiteral("length"), s.Length},
        {QStringLiteral("time"), s.Time},
        {QStringLiteral("markIndex"), s.MarkIndex},
        {QStringLiteral("bytePos"), s.BytePos},
        {QStringLiteral("tick"), s.Tick},
        {QStringLiteral("text"), model.ConvertCharset(model.syllableBytes(index))},
    };
}

QJsonObject lineJson(const lyrics::LyricsModel &model, int index)
{
    const lyrics::LyricLine &line = model.line(index);
    return QJsonObject{
        {QStringLiteral("text"), model.ConvertCharset(line.LineText)},
        {QStringLiteral("bytePos"), line.LineBytePos},
        {QStringLiteral("tick"), line.LineTick},
        {QStringLiteral("time"), static_cast<double>(line.LineTime)},
    };
}

QString lyricsTrackText(const lyrics::LyricsModel &model)
{
    if (model.LyricsTrack() < 0) {
        return QStringLiteral("none");
    }
    const bool lyricEvents = model.LyricMarkType() == lyrics::kMarkLyric;
    return QStringLiteral("track %1 (%2 events)")
        .arg(model.LyricsTrack())
        .arg(lyricEvents ? QStringLiteral("lyric") : QStringLiteral("text"));
}

} // namespace

AnalysisResult analyseSong(const QString &path)
{
    AnalysisResult result;
    auto stream = audio::MidiStream::openFile(path.toStdString(), {});
    if (!stream) {
        result.error = openError(audio::lastError());
        return result;
    }
    auto song = std::make_unique<SongAnalysis>();
    song->file = path;
    song->stream = std::move(stream);
    const lyrics::StreamLyricsSource source(*song->stream);
    song->lyrics.resetForNewSong();
    song->lyrics.InitLyrics(source);
    song->lyrics.FindMelodyChannel(source);
    result.song = std::move(song);
    return result;
}

QJsonObject analysisJson(const SongAnalysis &song)
{
    const lyrics::LyricsModel &model = song.lyrics;
    QJsonArray syllables;
    for (int i = 1; i <= model.SyllableCount(); ++i) {
        syllables.append(syllableJson(model, i));
    }
    QJsonArray lines;
    for (int i = 1; i <= model.LineCount(); ++i) {
        lines.append(lineJson(model, i));
    }
    return QJsonObject{
        {QStringLiteral("file"), song.file},
        {QStringLiteral("lengthSeconds"), lengthSeconds(*song.stream)},
        {QStringLiteral("lengthTicks"),
         static_cast<qint64>(song.stream->length(audio::PosUnit::Ticks))},
        {QStringLiteral("lyricsTrack"), model.LyricsTrack()},
        {QStringLiteral("lyricMarkType"), model.LyricMarkType()},
        {QStringLiteral("detectedCharset"), model.charset().DetectedCharset()},
        {QStringLiteral("tagTitle"), model.ConvertCharset(model.TagTitle())},
        {QStringLiteral("tagArtist"), model.ConvertCharset(model.TagArtist())},
        {QStringLiteral("melodyChannel"), model.nCanalLyrics()},
        {QStringLiteral("minLineGap"), static_cast<qint64>(model.MinLineGap())},
        {QStringLiteral("syllables"), syllables},
        {QStringLiteral("lines"), lines},
    };
}

QString charsetName(int detectedCharset)
{
    switch (detectedCharset) {
    case CharsetDetector::Ansi:
        return QStringLiteral("Windows-1252");
    case CharsetDetector::Dos:
        return QStringLiteral("DOS code page 850");
    case CharsetDetector::Mac:
        return QStringLiteral("Mac OS Roman");
    case CharsetDetector::Utf8:
        return QStringLiteral("UTF-8");
    default:
        return QStringLiteral("unknown (read as Windows-1252)");
    }
}

QStringList analysisSummary(const SongAnalysis &song)
{
    const lyrics::LyricsModel &model = song.lyrics;
    const int channel = model.nCanalLyrics();
    QStringList out{
        song.file,
        QStringLiteral("  Title:          ") + model.ConvertCharset(model.TagTitle()),
        QStringLiteral("  Artist:         ") + model.ConvertCharset(model.TagArtist()),
        QStringLiteral("  Length:         %1 s, %2 ticks")
            .arg(text::formatNumber(lengthSeconds(*song.stream), u"0.000"))
            .arg(song.stream->length(audio::PosUnit::Ticks)),
        QStringLiteral("  Lyrics:         ") + lyricsTrackText(model),
        QStringLiteral("  Encoding:       ") + charsetName(model.charset().DetectedCharset()),
        QStringLiteral("  Melody channel: ") +
            (channel < 0 ? QStringLiteral("none") : QString::number(channel)),
        QStringLiteral("  Syllables:      %1").arg(model.SyllableCount()),
        QStringLiteral("  Lines:          %1").arg(model.LineCount()),
    };
    for (int i = 1; i <= model.LineCount(); ++i) {
        const lyrics::LyricLine &line = model.line(i);
        out << QStringLiteral("  %1  %2  %3")
                   .arg(i, 4)
                   .arg(text::formatNumber(line.LineTime, u"0.000"), 9)
                   .arg(model.ConvertCharset(line.LineText));
    }
    return out;
}

} // namespace melorit::cli
