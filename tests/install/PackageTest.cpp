// The Debian package of this build folder, as scripts/package makes it: what
// Debian asks of a package (copyright, changelog, manual pages, no ldconfig in
// maintainer scripts) and lintian's verdict when lintian is installed.
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status = -1;
    QString out;
};

Outcome run(const QString &program, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Outcome result;
    if (!process.waitForFinished(300000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAll());
    return result;
}

} // namespace

TEST(DebianPackage, HoldsWhatDebianAsksAndLintianFindsNoFault)
{
    if (QStandardPaths::findExecutable(QStringLiteral("dpkg-shlibdeps")).isEmpty()) {
        GTEST_SKIP() << "building the package needs dpkg-dev";
    }
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const Outcome cpack =
        run(QStringLiteral(MELORIT_CPACK_COMMAND),
            {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
             QStringLiteral(MELORIT_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"),
             folder.path()});
    ASSERT_EQ(cpack.status, 0) << cpack.out.toStdString();
    const QStringList debs = QDir(folder.path()).entryList({QStringLiteral("melorit_*.deb")});
    ASSERT_EQ(debs.size(), 1) << cpack.out.toStdString();
    const QString deb = folder.filePath(debs.first());

    const Outcome contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb});
    for (const char *file :
         {"./usr/share/doc/melorit/copyright", "./usr/share/doc/melorit/changelog.gz",
          "./usr/share/man/man1/melorit.1.gz", "./usr/share/man/man1/melorit-cli.1.gz"}) {
        EXPECT_TRUE(contents.out.contains(QString::fromUtf8(file))) << file;
    }
    const Outcome control = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-I"), deb});
    EXPECT_FALSE(control.out.contains(QStringLiteral("postinst")) ||
                 control.out.contains(QStringLiteral("postrm")))
        << "the private library needs no ldconfig: " << control.out.toStdString();

    if (QStandardPaths::findExecutable(QStringLiteral("lintian")).isEmpty()) {
        GTEST_SKIP() << "lintian is not installed (scripts/setup installs it)";
    }
    const Outcome lintian = run(QStringLiteral("lintian"), {deb});
    EXPECT_EQ(lintian.status, 0) << lintian.out.toStdString();
    for (const QString &line : lintian.out.split(u'\n')) {
        EXPECT_FALSE(line.startsWith(QStringLiteral("E: "))) << line.toStdString();
    }
    for (const char *tag :
         {"no-copyright-file", "no-changelog", "no-manual-page", "maintscript-calls-ldconfig",
          "extended-description-line-too-long", "copyright-"}) {
        EXPECT_FALSE(lintian.out.contains(QString::fromUtf8(tag))) << lintian.out.toStdString();
    }
}
