// Settings, lyrics and list files when the disk fills, the file is read-only,
// the folder is not writable or the writer is killed; songs that vanish.

#include "audio/MidiStream.h"
#include "base/Ini.h"
#include "export/LyricsFileWriter.h"
#include "lyrics/LyricsModel.h"
#include "lyrics/StreamLyricsSource.h"
#include "songlist/ListFile.h"
#include "tests/faults/FaultHelpers.h"
#include "tests/support/MidiFileBuilder.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace melorit;
using faults::fileBytes;
using faults::putFile;

namespace {

const QString S = QStringLiteral("Reglage");

QString in(const QString &folder, const char *name)
{
    return QDir(folder).filePath(QString::fromUtf8(name));
}

// A settings file of many keys, so that writing it takes a while.
QByteArray bigSettings(char fill)
{
    QByteArray text = "[Reglage]\r\nFlip=start\r\n";
    for (int i = 0; i < 3000; ++i) {
        text += "Key" + QByteArray::number(i) + '=' + QByteArray(40, fill) + "\r\n";
    }
    return text;
}

} // namespace

TEST(Settings, AReadOnlyFileIsNeverReplaced)
{
    const QString file = in(faults::freshFolder(), "Melorit.ini");
    const QByteArray before = "[Reglage]\r\nVolume=80\r\n";
    ASSERT_TRUE(putFile(file, before));
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    EXPECT_EQ(WriteIni(S, QStringLiteral("Volume"), QStringLiteral("20"), file), QString());
    EXPECT_EQ(fileBytes(file), before);
    EXPECT_EQ(ReadIni(S, QStringLiteral("Volume"), file), QStringLiteral("80"));
    EXPECT_EQ(QDir(QFileInfo(file).path()).entryList(QDir::Files).size(), 1);
}

TEST(Settings, AWriterKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    const QString file = in(faults::freshFolder(), "Melorit.ini");
    ASSERT_TRUE(putFile(file, bigSettings('a')));
    // The two versions the writer goes back and forth between.
    const QString a(40, u'a');
    const QString b(40, u'b');
    std::mt19937 random(15);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 25; ++round) {
        const QByteArray before = fileBytes(file);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) {
                for (int k = 0; k < 3000; k += 97) {
                    WriteIni(S, QStringLiteral("Key%1").arg(k), i % 2 ? a : b, file);
                }
            }
        }
        usleep(30000 + random() % 120000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const QByteArray after = fileBytes(file);
        ASSERT_TRUE(after.startsWith("[Reglage]\r\nFlip=start\r\n")) << "round " << round;
        ASSERT_EQ(after.size(), before.size()) << "a torn file in round " << round;
        ASSERT_TRUE(after.endsWith("\r\n"));
        ASSERT_EQ(after.count('\n'), before.count('\n'));
        (after == before ? sawOld : sawNew)++;
    }
    EXPECT_GT(sawNew, 0) << "the writer never got to write";

    // The next write clears the temporary files killed writers left once they
    // are a minute old, and nothing else.
    const QDir folder = QFileInfo(file).dir();
    ASSERT_TRUE(putFile(in(folder.path(), "Melorit.ini.backup"), "mine"));
    ASSERT_TRUE(
        putFile(in(folder.path(), "Melorit.ini.partial-Ab12Cd"), "left by a killed writer"));
    const QDateTime longAgo = QDateTime::currentDateTimeUtc().addSecs(-120);
    for (const QFileInfo &left : folder.entryInfoList(QDir::Files)) {
        QFile touched(left.filePath());
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        ASSERT_TRUE(touched.setFileTime(longAgo, QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(putFile(in(folder.path(), "Melorit.ini.partial-Zz9yY8"), "a writer at work"));
    ASSERT_FALSE(WriteIni(S, QStringLiteral("Key0"), QStringLiteral("c"), file).isEmpty());
    QStringList kept = folder.entryList(QDir::Files);
    kept.sort();
    EXPECT_EQ(kept,
              (QStringList{QStringLiteral("Melorit.ini"), QStringLiteral("Melorit.ini.backup"),
                           QStringLiteral("Melorit.ini.partial-Zz9yY8")}));
}

TEST(Settings, AFolderThatIsNotWritableKeepsTheFileAndSaysNo)
{
    const QString folder = faults::freshFolder();
    const QString file = in(folder, "Melorit.ini");
    const QByteArray before = "[Reglage]\r\nVolume=80\r\n";
    ASSERT_TRUE(putFile(file, before));
    QFile::setPermissions(file, QFileDevice::Permissions(0x7777));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    const int status = faults::runAsOtherUser([&] {
        return WriteIni(S, QStringLiteral("Volume"), QStringLiteral("20"), file).isEmpty() ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(fileBytes(file), before);
}

namespace {

struct LyricSong {
    std::unique_ptr<audio::MidiStream> stream;
    lyrics::LyricsModel model;
};

std::unique_ptr<LyricSong> lyricSong()
{
    fixtures::MidiFileBuilder file(1, 480);
    auto &words = file.addTrack();
    for (int i = 0; i < 40; ++i) {
        words.at(static_cast<std::uint32_t>(i * 240)).lyric(i % 8 == 0 ? "/la " : "la ");
    }
    file.addTrack().note(0, 60, 100, 0, 9600);
    auto read = audio::readMidi(file.build());
    auto song = std::make_unique<LyricSong>();
    song->stream = read.file ? audio::MidiStream::open(read.file, {}) : nullptr;
    if (!song->stream) {
        return nullptr;
    }
    const lyrics::StreamLyricsSource source(*song->stream);
    song->model.resetForNewSong();
    song->model.InitLyrics(source);
    return song;
}

} // namespace

TEST(LyricsFile, AFullDiskLeavesTheOlderFileAndIsReported)
{
    auto song = lyricSong();
    ASSERT_TRUE(song);
    ASSERT_GE(song->model.LyricsTrack(), 0);
    const QString kok = in(faults::freshFolder(), "song.kok");
    const QByteArray older = "old;0,0000;\r\n";
    ASSERT_TRUE(putFile(kok, older));
    const int status = faults::runInChild(
        [&] {
            return exporting::WriteLyricsFile(song->stream->file(), song->model, kok, {}) ? 1 : 0;
        },
        64);
    EXPECT_EQ(status, 0) << "the cut write was taken for a success";
    EXPECT_EQ(fileBytes(kok), older);
    EXPECT_EQ(QDir(QFileInfo(kok).path()).entryList(QDir::Files).size(), 1) << "a leftover";
    // Without the limit the same call writes the whole text.
    ASSERT_TRUE(exporting::WriteLyricsFile(song->stream->file(), song->model, kok, {}));
    EXPECT_GT(fileBytes(kok).size(), 64);
}

TEST(LyricsFile, AFolderThatIsNotWritableIsReported)
{
    auto song = lyricSong();
    ASSERT_TRUE(song);
    const QString folder = faults::freshFolder();
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    const QString kok = in(folder, "song.kok");
    const int status = faults::runAsOtherUser([&] {
        return exporting::WriteLyricsFile(song->stream->file(), song->model, kok, {}) ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_FALSE(QFile::exists(kok));
}

TEST(ListFile, SongsNamedLikeCommentsOrUtf8SurviveAWriteAndARead)
{
    // Found by fuzzing: a song in the list's folder whose name starts with
    // "#" came back as a comment, and Windows-1252 names that happen to be
    // valid UTF-8 ("Ã©") came back as other names.
    const QString list = in(faults::freshFolder(), "songs.m3u");
    const QString folder = QFileInfo(list).path() + u'/';
    const QStringList songs{
        folder + QStringLiteral("#1 hit.kar"), folder + QStringLiteral("f~`\u00C3\u00A9.mid"),
        folder + QStringLiteral(" spaced .mid"), QStringLiteral("/elsewhere/caf\u00E9.kar")};
    ASSERT_TRUE(songlist::writeListFile(songs, list));
    EXPECT_EQ(songlist::readListFile(list), songs);
    // The ordinary case is unchanged: relative, Windows-1252.
    const QStringList plain{folder + QStringLiteral("caf\u00E9.kar")};
    ASSERT_TRUE(songlist::writeListFile(plain, list));
    EXPECT_EQ(fileBytes(list), QByteArray("caf\xE9.kar\r\n"));
}

TEST(ListFile, AReadOnlyListIsNotReplaced)
{
    const QString list = in(faults::freshFolder(), "songs.m3u");
    ASSERT_TRUE(putFile(list, "a.kar\r\n"));
    ASSERT_TRUE(QFile::setPermissions(list, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    EXPECT_FALSE(songlist::writeListFile({QStringLiteral("/x/b.kar")}, list));
    EXPECT_EQ(fileBytes(list), "a.kar\r\n");
}

TEST(Songs, ASongThatVanishedAfterTheListingIsReportedNotPlayed)
{
    const QString folder = faults::freshFolder();
    const QString list = in(folder, "songs.m3u");
    const QString song = in(folder, "gone.kar");
    fixtures::MidiFileBuilder file(0, 480);
    file.addTrack().note(0, 60, 100, 0, 480);
    ASSERT_TRUE(file.writeTo(song.toStdString()));
    ASSERT_TRUE(putFile(list, "gone.kar\r\n"));
    const auto listed = songlist::readListFile(list);
    ASSERT_TRUE(listed);
    ASSERT_EQ(listed->size(), 1);
    ASSERT_TRUE(QFile::remove(song));
    EXPECT_FALSE(audio::MidiStream::openFile(listed->front().toStdString(), {}));
    EXPECT_EQ(audio::lastError(), audio::Error::FileOpen);
    // A file replaced by a folder of the same name, or by an empty file.
    ASSERT_TRUE(QDir().mkdir(song));
    EXPECT_FALSE(audio::MidiStream::openFile(song.toStdString(), {}));
    EXPECT_NE(audio::lastError(), audio::Error::Ok);
    ASSERT_TRUE(QDir().rmdir(song));
    ASSERT_TRUE(putFile(song, {}));
    EXPECT_FALSE(audio::MidiStream::openFile(song.toStdString(), {}));
    EXPECT_EQ(audio::lastError(), audio::Error::FileForm);
}
