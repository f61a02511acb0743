// DumpMidi on real files: where the listing goes, what a dump leaves behind
// when the song cannot be read, and dumps in a row.

#include "tests/support/MidiFileBuilder.h"
#include "tests/tools/DumpFixtures.h"
#include "tools/MidiDump.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::testing {
namespace {

using tools::DumpMidi;
using tools::DumpStatus;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

fixtures::Bytes song(const char *name)
{
    fixtures::MidiFileBuilder file(1, 96);
    file.addTrack().trackName(name).note(0, 60, 90, 0, 96);
    return file.build();
}

class MidiDumpFile : public ::testing::Test {
protected:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString writeSong(const QString &name, const fixtures::Bytes &bytes) const
    {
        const QString file = path(name);
        EXPECT_TRUE(writeAll(file, viewOf(bytes).toByteArray()));
        return file;
    }

    QTemporaryDir m_dir;
};

TEST_F(MidiDumpFile, ListingGoesBesideTheSongAndReplacesAnOldOne)
{
    const fixtures::Bytes bytes = song("One");
    const QString file = writeSong(QStringLiteral("Ch\u00E8re \u00E2me.kar"), bytes);
    ASSERT_TRUE(writeAll(file + QStringLiteral(".txt"), QByteArray(100000, 'x')));

    const tools::DumpResult result = DumpMidi(file);
    EXPECT_EQ(result.status, DumpStatus::Listed);
    EXPECT_EQ(result.listingPath, file + QStringLiteral(".txt"));
    EXPECT_EQ(readAll(result.listingPath), tools::listMidi(viewOf(bytes), file).text);
    EXPECT_TRUE(readAll(result.listingPath).startsWith("/"));
    EXPECT_TRUE(readAll(result.listingPath).contains("Ch\xE8re \xE2me.kar\r\n"));
}

TEST_F(MidiDumpFile, TwoDumpsInARowWriteTwoWholeListings)
{
    const QString first = writeSong(QStringLiteral("a.mid"), song("First"));
    const QString second = writeSong(QStringLiteral("b.mid"), song("Second"));
    ASSERT_EQ(DumpMidi(first).status, DumpStatus::Listed);
    const QByteArray firstListing = readAll(first + QStringLiteral(".txt"));
    ASSERT_EQ(DumpMidi(second).status, DumpStatus::Listed);

    EXPECT_EQ(readAll(first + QStringLiteral(".txt")), firstListing);
    EXPECT_TRUE(firstListing.endsWith("====[ End of file ]====\r\n"));
    EXPECT_TRUE(firstListing.contains("\"First\""));
    EXPECT_FALSE(firstListing.contains("\"Second\""));
    const QByteArray secondListing = readAll(second + QStringLiteral(".txt"));
    EXPECT_TRUE(secondListing.startsWith(second.toUtf8() + "\r\nFormat 1\r\n"));
    EXPECT_EQ(secondListing.count("====[ End of file ]===="), 1);

    // The same song again: the listing is replaced, not appended to.
    ASSERT_EQ(DumpMidi(second).status, DumpStatus::Listed);
    EXPECT_EQ(readAll(second + QStringLiteral(".txt")), secondListing);
}

TEST_F(MidiDumpFile, UnreadableSongsStopAfterTheFirstLine)
{
    const QString missing = path(QStringLiteral("missing.mid"));
    const QString empty = writeSong(QStringLiteral("empty.mid"), {});
    const QString text = writeSong(QStringLiteral("text.mid"), fixtures::bytesOf("hello"));
    const QString folder = path(QStringLiteral("folder.mid"));
    ASSERT_TRUE(QDir().mkpath(folder));

    const std::pair<QString, DumpStatus> cases[] = {{missing, DumpStatus::NotReadable},
                                                    {empty, DumpStatus::Empty},
                                                    {text, DumpStatus::NotMidi},
                                                    {folder, DumpStatus::NotReadable}};
    for (const auto &[file, status] : cases) {
        const tools::DumpResult result = DumpMidi(file);
        EXPECT_EQ(result.status, status) << file.toStdString();
        EXPECT_EQ(readAll(file + QStringLiteral(".txt")), file.toUtf8() + "\r\n");
        EXPECT_FALSE(tools::dumpStatusText(status).isEmpty());
    }
}

TEST_F(MidiDumpFile, ListingThatCannotBeWritten)
{
    const QString file = writeSong(QStringLiteral("song.mid"), song("One"));
    // A folder where the listing file should go.
    ASSERT_TRUE(QDir().mkpath(file + QStringLiteral(".txt")));
    const tools::DumpResult result = DumpMidi(file);
    EXPECT_EQ(result.status, DumpStatus::WriteFailed);
    EXPECT_TRUE(result.listingPath.isEmpty());
}

TEST(MidiDumpNoFile, EmptyNameWritesNothing)
{
    const tools::DumpResult result = DumpMidi(QString());
    EXPECT_EQ(result.status, DumpStatus::NotReadable);
    EXPECT_TRUE(result.listingPath.isEmpty());
    EXPECT_FALSE(QFile::exists(QStringLiteral(".txt")));
}

} // namespace
} // namespace melorit::testing
