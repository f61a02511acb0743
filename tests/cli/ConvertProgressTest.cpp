// The status line of the songs being converted, and the bars a terminal
// shows while melorit-cli convert runs.

#include "cli/ConvertProgress.h"
#include "tests/cli/CliRun.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <map>

using namespace melorit;
using melorit::cli::progressLine;
using melorit::cli::ProgressSlot;

TEST(ProgressLine, OneSongHasItsNameABarAndItsPercent)
{
    EXPECT_EQ(progressLine({{QStringLiteral("song.kar"), 500}}, 80),
              QStringLiteral("song.kar [##########----------]  50%"));
    EXPECT_EQ(progressLine({{QStringLiteral("a.kar"), 0}}, 80),
              QStringLiteral("a.kar [--------------------]   0%"));
    // Out of range values are held to the bar's ends.
    EXPECT_EQ(progressLine({{QStringLiteral("a.kar"), 1200}}, 80),
              QStringLiteral("a.kar [####################] 100%"));
    EXPECT_EQ(progressLine({}, 80), QString());
}

TEST(ProgressLine, SeveralSongsShareTheWidthAndNeverExceedIt)
{
    const std::vector<ProgressSlot> slots{{QStringLiteral("first song with a long name.kar"), 250},
                                          {QStringLiteral("second.kar"), 1000},
                                          {QStringLiteral("third.kar"), 999}};
    for (int width : {20, 40, 79, 120, 200}) {
        const QString line = progressLine(slots, width);
        EXPECT_LE(line.size(), width) << width;
        EXPECT_TRUE(line.contains(QStringLiteral(" 25%"))) << line.toStdString();
    }
    const QString wide = progressLine(slots, 120);
    EXPECT_TRUE(wide.contains(QStringLiteral("second.kar [")));
    EXPECT_TRUE(wide.contains(QStringLiteral("] 100%")));
    // 99.9 % is not shown as done.
    EXPECT_TRUE(wide.contains(QStringLiteral("]  99%")));
    // A name too long for its share is shortened with an ellipsis.
    EXPECT_TRUE(wide.startsWith(QStringLiteral("first song"))) << wide.toStdString();
    EXPECT_TRUE(wide.contains(QStringLiteral("... ["))) << wide.toStdString();
    // Too narrow for names: the bars stay.
    EXPECT_FALSE(progressLine(slots, 40).contains(QStringLiteral("second")));
}

namespace {

using ConvertDisplay = melorit::testing::CliTest;

QString quoted(const QString &s)
{
    return u'\'' + QString(s).replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

} // namespace

TEST_F(ConvertDisplay, OnATerminalEachSongHasABarAndFinishedFilesAreListed)
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty()) {
        GTEST_SKIP() << "no script(1) to give the program a terminal";
    }
    QStringList songs;
    for (const char *name : {"a.kar", "b.kar"}) {
        songs << m_dir.filePath(QLatin1StringView(name));
        ASSERT_TRUE(QFile::copy(demoSong(), songs.last()));
    }
    QString command =
        QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli convert --format wav "
                                          "--soundfont /usr/share/sounds/sf2/TimGM6mb.sf2 "
                                          "--scheme= --jobs 2 --out-dir ") +
        quoted(m_dir.filePath(QStringLiteral("out")));
    for (const QString &song : songs) {
        command += u' ' + quoted(song);
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(script, {QStringLiteral("-qec"), command, QStringLiteral("/dev/null")});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0);
    const QString out = QString::fromUtf8(process.readAll());
    // Bars redrawn in place, for both songs at once.
    static const QRegularExpression bothBars(QStringLiteral(
        "\r\x1b\\[K([ab])\\.kar \\[[#-]+\\] +\\d+%  (?!\\1)[ab]\\.kar \\[[#-]+\\] +\\d+%"));
    EXPECT_TRUE(out.contains(bothBars)) << out.toStdString();
    // Each song's bar only moves forward. (How near the end the last drawing
    // falls depends on the timing; the bar's own text is tested above.)
    static const QRegularExpression bar(QStringLiteral("([ab])\\.kar \\[[#-]+\\] +(\\d+)%"));
    std::map<QString, int> last;
    for (const QRegularExpressionMatch &m : bar.globalMatch(out)) {
        const int percent = m.captured(2).toInt();
        EXPECT_LE(percent, 100);
        EXPECT_GE(percent, last[m.captured(1)]) << m.captured(0).toStdString();
        last[m.captured(1)] = percent;
    }
    EXPECT_EQ(last.size(), 2u);
    // Each finished file on a line of its own: after a line break or after
    // the bar was cleared.
    for (const QString &song : songs) {
        const QRegularExpression finished(QStringLiteral("(\n|\x1b\\[K)") +
                                          QRegularExpression::escape(song) +
                                          QStringLiteral(" -> [^\r\n]*\r?\n"));
        EXPECT_TRUE(out.contains(finished)) << out.toStdString();
    }
    // The status line is gone at the end.
    EXPECT_TRUE(out.endsWith(QStringLiteral("\r\x1b[K")) || out.endsWith(u'\n'))
        << out.right(80).toStdString();
}
