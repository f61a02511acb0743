#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "base/UserMessages.h"
#include "tests/support/RecordedMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace melorit;

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override { paths::setConfigFile({}); }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QString write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }

    static QByteArray contents(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;
    melorit::testing::RecordedMessages m_sink;
};

const QString S = QStringLiteral("Wave");
const QString K = QStringLiteral("Rate");

} // namespace

TEST_F(IniTest, NamesMatchWithoutRegardToCase)
{
    const QString f =
        write(QStringLiteral("a.ini"), "[PlayList]\r\nShow=1\r\n[Melorit]\r\nLng=fr\r\n");
    EXPECT_EQ(ReadIni(QStringLiteral("playlist"), QStringLiteral("SHOW"), f), u"1");
    EXPECT_EQ(ReadIni(QStringLiteral("MELORIT"), QStringLiteral("lng"), f), u"fr");
    WriteIni(QStringLiteral("MELORIT"), QStringLiteral("LNG"), QStringLiteral("en"), f);
    EXPECT_EQ(contents(f), QByteArray("[PlayList]\r\nShow=1\r\n[Melorit]\r\nLng=en\r\n"));
}

TEST_F(IniTest, MissingFileSectionOrKeyReadsEmpty)
{
    const QString f = write(QStringLiteral("a.ini"), "[Wave]\nRate=128\n");
    EXPECT_EQ(ReadIni(S, K, path(QStringLiteral("none.ini"))), QString());
    EXPECT_EQ(ReadIni(QStringLiteral("Nope"), K, f), QString());
    EXPECT_EQ(ReadIni(S, QStringLiteral("Nope"), f), QString());
    EXPECT_TRUE(m_sink.messages.empty());
}

TEST_F(IniTest, ValuesAreTrimmedUnquotedAndCut)
{
    const QByteArray longValue(200, 'x');
    const QString f =
        write(QStringLiteral("a.ini"),
              "[S]\n  A  =  spaced  \nB=\"abc\"\nC=\" padded \"\nD=\"half\nE=" + longValue +
                  "\nF=\"\"\n");
    const QString sec = QStringLiteral("S");
    EXPECT_EQ(ReadIni(sec, QStringLiteral("A"), f), u"spaced");
    EXPECT_EQ(ReadIni(sec, QStringLiteral("B"), f), u"abc");
    EXPECT_EQ(ReadIni(sec, QStringLiteral("C"), f), u" padded ");
    EXPECT_EQ(ReadIni(sec, QStringLiteral("D"), f), u"\"half");
    EXPECT_EQ(ReadIni(sec, QStringLiteral("E"), f), QString(127, u'x'));
    EXPECT_EQ(ReadIni(sec, QStringLiteral("F"), f), QString());
}

TEST_F(IniTest, QuotedValueWrittenReadsBackWithoutQuotes)
{
    const QString f = path(QStringLiteral("q.ini"));
    EXPECT_EQ(WriteIni(S, K, QStringLiteral("\"abc\""), f), u"\"abc\"");
    EXPECT_EQ(ReadIni(S, K, f), u"abc");
}

TEST_F(IniTest, EmptySectionOrKeyIsReportedAndGivesEmpty)
{
    const QString f = path(QStringLiteral("e.ini"));
    EXPECT_EQ(ReadIni(QString(), K, f), QString());
    EXPECT_EQ(WriteIni(S, QString(), QStringLiteral("1"), f), QString());
    ASSERT_EQ(m_sink.messages.size(), 2u);
    EXPECT_EQ(m_sink.messages[0].text, u"Section Or Key To Read Not Specified !!!");
    EXPECT_EQ(m_sink.messages[1].text, u"Section Or Key To Write Not Specified !!!");
    EXPECT_EQ(m_sink.messages[0].title, u"INI");
    EXPECT_EQ(m_sink.messages[1].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(QFile::exists(f));
}

TEST_F(IniTest, WritingCreatesFileAndSectionAndKeepsEverythingElse)
{
    const QString f = path(QStringLiteral("new.ini"));
    EXPECT_EQ(WriteIni(S, K, QStringLiteral("128"), f), u"128");
    EXPECT_EQ(contents(f), QByteArray("[Wave]\r\nRate=128\r\n"));

    const QByteArray original = "; settings\n[Main]\nX=10\n\n[Wave]\nEncoding=1\n\n# end\n";
    const QString g = write(QStringLiteral("keep.ini"), original);
    WriteIni(S, K, QStringLiteral("192"), g);
    WriteIni(QStringLiteral("Main"), QStringLiteral("X"), QStringLiteral("20"), g);
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("MakeFile"), QStringLiteral("0"), g);
    EXPECT_EQ(contents(g), QByteArray("; settings\n[Main]\nX=20\n\n[Wave]\nEncoding=1\nRate=192\n"
                                      "\n# end\n[Lyrics]\nMakeFile=0\n"));
}

TEST_F(IniTest, EveryWriteReachesTheDiskAtOnce)
{
    const QString f = path(QStringLiteral("now.ini"));
    for (int i = 0; i < 5; ++i) {
        WriteIni(S, K, QString::number(i), f);
        EXPECT_EQ(ReadIni(S, K, f), QString::number(i));
    }
}

TEST_F(IniTest, LineBreaksCannotSmuggleInKeys)
{
    const QString f = path(QStringLiteral("inj.ini"));
    WriteIni(S, K, QStringLiteral("1\r\n[Main]\nX=5"), f);
    EXPECT_EQ(ReadIni(QStringLiteral("Main"), QStringLiteral("X"), f), QString());
    EXPECT_EQ(ReadIni(S, K, f), u"1 [Main] X=5");
}

TEST_F(IniTest, ReadsWindows1252AndRewritesAsUtf8)
{
    const QString f = write(QStringLiteral("old.ini"), "[Tags]\r\nTitle=Fr\xE8re Jacques\r\n");
    EXPECT_EQ(ReadIni(QStringLiteral("Tags"), QStringLiteral("Title"), f), u"Frère Jacques");
    WriteIni(QStringLiteral("Tags"), QStringLiteral("Artist"), QStringLiteral("Noël"), f);
    EXPECT_EQ(contents(f),
              QByteArray("[Tags]\r\nTitle=Fr\xC3\xA8re Jacques\r\nArtist=No\xC3\xABl\r\n"));
    EXPECT_EQ(ReadIni(QStringLiteral("Tags"), QStringLiteral("Title"), f), u"Frère Jacques");
}

TEST_F(IniTest, Utf8ByteOrderMarkIsKept)
{
    const QString f = write(QStringLiteral("bom.ini"), "\xEF\xBB\xBF[S]\nA=\xC3\xA9\n");
    EXPECT_EQ(ReadIni(QStringLiteral("S"), QStringLiteral("A"), f), u"é");
    WriteIni(QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("2"), f);
    EXPECT_EQ(contents(f), QByteArray("\xEF\xBB\xBF[S]\nA=\xC3\xA9\nB=2\n"));
}

TEST_F(IniTest, UnusableFilesReadEmptyAndAreNeverReplaced)
{
    const QByteArray garbage("[Wave]\nRate=1\0\x01\x02\xFF", 16);
    const QString bin = write(QStringLiteral("garbage.ini"), garbage);
    EXPECT_EQ(ReadIni(S, K, bin), QString());
    EXPECT_EQ(WriteIni(S, K, QStringLiteral("2"), bin), QString());
    EXPECT_EQ(contents(bin), garbage);

    const QString folder = path(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(ReadIni(S, K, folder), QString());
    EXPECT_EQ(WriteIni(S, K, QStringLiteral("2"), folder), QString());
    EXPECT_TRUE(QFileInfo(folder).isDir());

    QByteArray huge = "[Wave]\nRate=1\n";
    huge.append(QByteArray(9 * 1024 * 1024, ';'));
    const QString big = write(QStringLiteral("huge.ini"), huge);
    EXPECT_EQ(ReadIni(S, K, big), QString());
    EXPECT_EQ(WriteIni(S, K, QStringLiteral("2"), big), QString());
    EXPECT_EQ(QFileInfo(big).size(), huge.size());

    const QString missingFolder = path(QStringLiteral("no/such/dir/x.ini"));
    EXPECT_EQ(WriteIni(S, K, QStringLiteral("2"), missingFolder), QString());
}

TEST_F(IniTest, AFailedWriteLeavesThePreviousContent)
{
    const QByteArray before = "[Wave]\r\nRate=128\r\n";
    const QString f = write(QStringLiteral("full.ini"), before);
    // A child process whose files may not grow past 32 bytes: the rewrite
    // fails part way, as on a full disk.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{32, 32};
        setrlimit(RLIMIT_FSIZE, &limit);
        const QString result = WriteIni(S, QStringLiteral("Comment"), QString(100, u'c'), f);
        _exit(result.isEmpty() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was reported as a success";
    EXPECT_EQ(contents(f), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 1) << "temporary file left";
}

TEST_F(IniTest, LinksStayLinks)
{
    const QString target = write(QStringLiteral("real.ini"), "[Wave]\nRate=1\n");
    const QString link = path(QStringLiteral("link.ini"));
    ASSERT_TRUE(QFile::link(target, link));
    WriteIni(S, K, QStringLiteral("2"), link);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadIni(S, K, target), u"2");
}

TEST_F(IniTest, EmptyFileNameMeansTheConfigurationFile)
{
    const QString config = path(QStringLiteral("Melorit.ini"));
    paths::setConfigFile(config);
    WriteIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), QStringLiteral("en"));
    EXPECT_EQ(ReadIni(QStringLiteral("MELORIT"), QStringLiteral("Lng")), u"en");
    EXPECT_EQ(ReadIni(QStringLiteral("Melorit"), QStringLiteral("Lng"), config), u"en");
}

TEST_F(IniTest, ConfigurationLivesBesideTheProgramWhenWritable)
{
    paths::setProgramFolder(m_dir.path());
    EXPECT_EQ(paths::configFile(), path(QStringLiteral("Melorit.ini")));
    paths::setProgramFolder({});
}
