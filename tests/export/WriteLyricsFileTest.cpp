// Writing the ".kok" lyrics file: bytes on disk, replacement, failures.

#include "tests/export/KokFixture.h"

#include <QDir>
#include <QFile>

using namespace melorit;
using namespace melorit::testing;

namespace {

using WriteFile = KokTest;

} // namespace

TEST_F(WriteFile, TextAndAFinalCrLfReplaceTheFile)
{
    open(songWith({{0.5, "Hel"}, {0.75, "lo "}, {1.0, "/w\xF6rld"}}));
    const QString path = m_dir.filePath(QStringLiteral("chanson \u00E9t\u00E9.kok"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'x'));
    old.close();

    RecordedMessages messages;
    ASSERT_TRUE(exporting::WriteLyricsFile(m_stream->file(), m_model, path, {}));
    EXPECT_EQ(readAll(path), QByteArray("Hel;0,5000;lo ;0,7500;\r\nw\xF6rld;1,0000;\r\n"));
    EXPECT_TRUE(messages.messages.empty());
    // Nothing but the file is left in the folder.
    EXPECT_EQ(QDir(m_dir.path()).entryList({QStringLiteral("*.kok*")}, QDir::Files).size(), 1);
}

TEST_F(WriteFile, NothingToWriteGivesOneLineBreak)
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().note(0, 60, 100, 0, 480);
    open(file);
    const QString path = m_dir.filePath(QStringLiteral("empty.kok"));
    ASSERT_TRUE(exporting::WriteLyricsFile(m_stream->file(), m_model, path, {}));
    EXPECT_EQ(readAll(path), QByteArray("\r\n"));
}

TEST_F(WriteFile, AFileThatCannotBeWrittenIsReported)
{
    open(songWith({{0.5, "la"}}));
    // The folder of the target is a plain file.
    const QString blocker = m_dir.filePath(QStringLiteral("not-a-folder"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString path = blocker + QStringLiteral("/song.kok");

    RecordedMessages messages;
    EXPECT_FALSE(exporting::WriteLyricsFile(m_stream->file(), m_model, path, {}));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(messages.messages[0].text.contains(path));
    EXPECT_EQ(messages.messages[0].title, QStringLiteral("Error"));
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(readAll(blocker), QByteArray());
}
