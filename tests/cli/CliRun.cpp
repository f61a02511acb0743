#include "tests/cli/CliRun.h"

#include <QProcess>

namespace melorit::testing {

CliRun runCli(const QStringList &arguments)
{
    return runCli(arguments, QProcessEnvironment::systemEnvironment());
}

CliRun runCli(const QStringList &arguments, const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MELORIT_OUTPUT_DIR "/melorit-cli"), arguments);
    CliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

fixtures::MidiFileBuilder songWith(std::initializer_list<Syl> syllables)
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    auto &words = file.addTrack();
    for (const Syl &s : syllables) {
        words.at(s.tick).text(s.text);
    }
    return file;
}

QString CliTest::write(const QString &name, const fixtures::MidiFileBuilder &song)
{
    const QString path = m_dir.filePath(name);
    EXPECT_TRUE(song.writeTo(path.toStdString()));
    return path;
}

QString CliTest::demoSong() const
{
    return QStringLiteral(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar");
}

} // namespace melorit::testing
