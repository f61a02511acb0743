// "melorit-cli convert --loudness": the converted song measured by ffmpeg's
// EBU R128 meter, an independent one.

#include "tests/cli/CliRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

using namespace melorit::testing;

namespace {

using LoudnessConvert = CliTest;

const QString kFont = QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
// 54 s, -27.7 LUFS and a true peak of -17.2 dBTP as rendered through TimGM6mb.
const QString kCorpusSong = QStringLiteral(MELORIT_CORPUS_DIR "/karaoke/twinkle.kar");

struct Measure {
    double lufs = 0;
    double peak = 0; // dBTP
};

// The last summary of ffmpeg's ebur128 filter.
Measure measure(const QString &file)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-nostats"), QStringLiteral("-i"), file, QStringLiteral("-af"),
                  QStringLiteral("ebur128=peak=true"), QStringLiteral("-f"), QStringLiteral("null"),
                  QStringLiteral("-")});
    EXPECT_TRUE(ffmpeg.waitForFinished(60000));
    const QString log = QString::fromUtf8(ffmpeg.readAllStandardError());
    const auto last = [&log](const QString &pattern) {
        QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(log);
        double value = 1e9;
        while (it.hasNext()) {
            value = it.next().captured(1).toDouble();
        }
        return value;
    };
    return {last(QStringLiteral(R"(\n\s+I:\s+(-?[\d.]+) LUFS)")),
            last(QStringLiteral(R"(\n\s+Peak:\s+(-?[\d.]+) dBFS)"))};
}

struct Converted {
    CliRun run;
    QString output;
};

// A report beside the outputs: at<LUFS>.json.
Converted convert(const QString &outDir, const QString &song, const QString &format,
                  const QString &lufs)
{
    const CliRun run =
        runCli({QStringLiteral("convert"), QStringLiteral("--format"), format,
                QStringLiteral("--soundfont"), kFont, QStringLiteral("--out-dir"), outDir,
                QStringLiteral("--scheme=at") + lufs, QStringLiteral("--no-kok"),
                QStringLiteral("--loudness"), lufs, QStringLiteral("--report"),
                QDir(outDir).filePath(QStringLiteral("at%1.json").arg(lufs)), song});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QRegularExpressionMatch output =
        QRegularExpression(QStringLiteral(" -> (.*\\.") + format + u')').match(run.out);
    return {run, output.captured(1)};
}

TEST_F(LoudnessConvert, SongsReachTheTargetWithTheirTruePeakUnderTheCeiling)
{
    const Converted demo =
        convert(m_dir.path(), demoSong(), QStringLiteral("wav"), QStringLiteral("-20"));
    EXPECT_TRUE(demo.run.out.contains(QStringLiteral("(loudness -20.0 LUFS, gain ")))
        << demo.run.out.toStdString();
    const Measure d = measure(demo.output);
    EXPECT_NEAR(d.lufs, -20.0, 0.5);
    EXPECT_LE(d.peak, -1.0);

    // About 12 dB up, through lame.
    const Converted corpus =
        convert(m_dir.path(), kCorpusSong, QStringLiteral("mp3"), QStringLiteral("-16"));
    EXPECT_FALSE(corpus.run.out.contains(QStringLiteral("held"))) << corpus.run.out.toStdString();
    EXPECT_NEAR(measure(corpus.output).lufs, -16.0, 0.5);
}

TEST_F(LoudnessConvert, ATargetThatWouldClipIsHeldAtTheCeilingAndSaidSo)
{
    // The demo's peak sits 13 dB over its loudness, the corpus song's 10.5 dB.
    for (const auto &[song, target] : {std::pair{demoSong(), QStringLiteral("-10")},
                                       std::pair{kCorpusSong, QStringLiteral("-8")}}) {
        const Converted held = convert(m_dir.path(), song, QStringLiteral("wav"), target);
        EXPECT_TRUE(held.run.out.contains(
            QStringLiteral("held at the -1 dBTP true-peak ceiling: %1.0 LUFS would clip")
                .arg(target)))
            << held.run.out.toStdString();
        const Measure m = measure(held.output);
        EXPECT_LE(m.peak, -1.0) << song.toStdString();
        EXPECT_GE(m.peak, -1.5) << song.toStdString();
        EXPECT_LT(m.lufs, target.toDouble() - 1.0) << song.toStdString();
        QFile report(m_dir.filePath(QStringLiteral("at%1.json").arg(target)));
        ASSERT_TRUE(report.open(QIODevice::ReadOnly));
        const QJsonObject loudness =
            QJsonDocument::fromJson(report.readAll()).object()[u"songs"][0][u"loudness"].toObject();
        EXPECT_TRUE(loudness[u"held"].toBool()) << song.toStdString();
        EXPECT_NEAR(loudness[u"lufs"].toDouble(), m.lufs, 0.3) << song.toStdString();
    }
}

TEST_F(LoudnessConvert, ATargetOutOfRangeIsAUsageError)
{
    for (const QString &bad : {QStringLiteral("-3"), QStringLiteral("loud")}) {
        const CliRun run =
            runCli({QStringLiteral("convert"), QStringLiteral("--loudness"), bad, demoSong()});
        EXPECT_EQ(run.status, 2) << bad.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("--loudness"))) << run.err.toStdString();
    }
}

} // namespace
