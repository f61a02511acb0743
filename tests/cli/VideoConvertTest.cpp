// "melorit-cli convert --format mp4": karaoke videos made by the real
// ffmpeg, checked with ffprobe and with frames taken out of them.

#include "export/VideoLyrics.h"
#include "tests/cli/CliRun.h"
#include "tests/support/MediaProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace melorit;
using namespace melorit::testing;

namespace {

using Video = CliTest;

const QString kFont = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
// Small frames keep the tests fast; the layout scales with the height.
constexpr exporting::VideoSize kSmall{320, 180};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList convertArgs(const QString &format, const QString &outDir, const QStringList &more)
{
    return QStringList{QStringLiteral("convert"),
                       QStringLiteral("--format"),
                       format,
                       QStringLiteral("--soundfont"),
                       kFont,
                       QStringLiteral("--out-dir"),
                       outDir,
                       QStringLiteral("--video-size=320x180")} +
           more;
}

// The time of the first syllable of the second line of a ".kok" file.
double secondLineStart(const QByteArray &kok)
{
    int line = 0;
    for (const QByteArray &text : kok.split('\n')) {
        const qsizetype semicolon = text.indexOf(';');
        if (semicolon >= 0 && ++line == 2) {
            const QByteArray time = text.mid(semicolon + 1).split(';').front();
            return QByteArray(time).replace(',', '.').toDouble();
        }
    }
    return -1;
}

bool yellow(int r, int g, int b)
{
    return r >= 200 && g >= 200 && b <= 100;
}

bool white(int r, int g, int b)
{
    return r >= 220 && g >= 220 && b >= 220;
}

} // namespace

TEST_F(Video, LastsAsLongAsTheWavAndColoursASyllableWhenItIsSung)
{
    // A section of the demo song at a faster tempo: the video follows the
    // ".kok" timing, punch and tempo included.
    const QString song = m_dir.filePath(QStringLiteral("song.kar"));
    ASSERT_TRUE(QFile::copy(demoSong(), song));
    writeFile(m_dir.filePath(QStringLiteral("song.mst")),
              "[Tempo]\r\nSlider=10\r\n[Marqueurs]\r\nMarche=1\r\nDebut=8.000\r\nFin=16.000\r\n");
    const QString out = m_dir.filePath(QStringLiteral("out"));
    const CliRun wav = runCli(convertArgs(QStringLiteral("wav"), out, {song}));
    ASSERT_EQ(wav.status, 0) << wav.err.toStdString();
    const CliRun mp4 = runCli(convertArgs(QStringLiteral("mp4"), out, {song}));
    ASSERT_EQ(mp4.status, 0) << mp4.err.toStdString();
    const QString video = out + QStringLiteral("/song.mp4");
    EXPECT_EQ(mp4.out, song + QStringLiteral(" -> ") + video + QStringLiteral(" + ") + out +
                           QStringLiteral("/song.kok\n"));

    const MediaInfo info = probeMedia(video);
    EXPECT_EQ(info.codecs, (QStringList{QStringLiteral("h264"), QStringLiteral("aac")}));
    const double wavSeconds =
        static_cast<double>(QFileInfo(out + QStringLiteral("/song.wav")).size() - 44) / 176400.0;
    ASSERT_GT(wavSeconds, 5.0);
    EXPECT_NEAR(info.duration, wavSeconds, 0.1);

    // The second line is on the lower row; before its first syllable it is
    // there, unsung, and once the syllable starts it takes the sung colour.
    const double sung = secondLineStart(readAll(out + QStringLiteral("/song.kok")));
    ASSERT_GT(sung, 0.5);
    const exporting::VideoTextBand row = exporting::videoLyricsRow(kSmall, 1);
    const QByteArray before = grabFrame(video, sung - 0.06);
    const QByteArray after = grabFrame(video, sung + 0.06);
    ASSERT_EQ(before.size(), kSmall.width * kSmall.height * 3);
    ASSERT_EQ(after.size(), before.size());
    EXPECT_GT(countPixels(before, kSmall.width, row.top, row.bottom, white), 20);
    EXPECT_EQ(countPixels(before, kSmall.width, row.top, row.bottom, yellow), 0);
    EXPECT_GT(countPixels(after, kSmall.width, row.top, row.bottom, yellow), 20);
}

TEST_F(Video, TitlesAndPathsWithSpecialCharactersReachFfmpegIntact)
{
    // Quotes, colons, commas, semicolons, backslashes, brackets, percent
    // signs and letters beyond ASCII: in the tags, in the output's name
    // (from the tags), in the background image's path and in the path of
    // the lyrics file the filter graph reads (the temporary folder).
    const QString special = QStringLiteral("It's \"x\": a, b; [c] {d} (e) \\f\\ 100%d é漢");
    const QString folder = m_dir.filePath(special);
    ASSERT_TRUE(QDir().mkpath(folder + QStringLiteral("/tmp")));
    const QString song = m_dir.filePath(QStringLiteral("song.kar"));
    ASSERT_TRUE(QFile::copy(demoSong(), song));
    const QString title = QStringLiteral("Ti:tle, \"quoted\" [1] \\ 'n' ; été");
    const QString artist = QStringLiteral("Ar\\tist: {a,b} Ünïcødé");
    writeFile(m_dir.filePath(QStringLiteral("song.mst")),
              "[Tags]\r\nArtiste=" + artist.toUtf8() + "\r\nTitre=" + title.toUtf8() +
                  "\r\n[Marqueurs]\r\nMarche=1\r\nDebut=4.000\r\nFin=6.000\r\n");
    // A red picture, 4 x 4, as a binary PPM.
    const QString image = folder + QStringLiteral("/back %d [1].ppm");
    writeFile(image, QByteArray("P6\n4 4\n255\n") + QByteArray("\xFF\x00\x00", 3).repeated(16));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), folder + QStringLiteral("/tmp"));
    const CliRun run = runCli(convertArgs(QStringLiteral("mp4"), folder,
                                          {QStringLiteral("--scheme=%A - %T"),
                                           QStringLiteral("--background"), image, song}),
                              environment);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString video =
        folder + u'/' + artist + QStringLiteral(" - ") + title + QStringLiteral(".mp4");
    const MediaInfo info = probeMedia(video);
    ASSERT_EQ(info.codecs, (QStringList{QStringLiteral("h264"), QStringLiteral("aac")}))
        << video.toStdString();
    EXPECT_EQ(info.tags.value(QStringLiteral("title")), title);
    EXPECT_EQ(info.tags.value(QStringLiteral("artist")), artist);
    // The picture fills the frame: red above the lyrics and the title card.
    const QByteArray frame = grabFrame(video, 1.0);
    const auto red = [](int r, int g, int b) { return r >= 200 && g <= 60 && b <= 60; };
    EXPECT_EQ(countPixels(frame, kSmall.width, 0, 20, red), kSmall.width * 20);
    // The title card is drawn over it.
    EXPECT_GT(countPixels(frame, kSmall.width, 60, 120, white), 50);
    // Nothing is left in the temporary folder.
    EXPECT_TRUE(QDir(folder + QStringLiteral("/tmp")).isEmpty());
}

TEST_F(Video, WithoutFfmpegTheUserIsToldWhatIsMissing)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), m_dir.filePath(QStringLiteral("nothing")));
    const CliRun run =
        runCli(convertArgs(QStringLiteral("mp4"), m_dir.path(), {demoSong()}), environment);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("ffmpeg: not found"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("Debian package: ffmpeg")));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(QStringLiteral("au-clair-de-la-lune.mp4"))));

    for (const QString &bad :
         {QStringLiteral("--video-size=321x180"), QStringLiteral("--video-size=big"),
          QStringLiteral("--background=#12345"),
          QStringLiteral("--background=no-such-picture.png")}) {
        EXPECT_EQ(
            runCli(convertArgs(QStringLiteral("mp4"), m_dir.path(), {bad, demoSong()})).status, 2)
            << bad.toStdString();
    }
}
