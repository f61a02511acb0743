#include "engine/SongSettings.h"

#include "base/Ini.h"
#include "base/ProgramPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace melorit;
using namespace melorit::engine;

namespace {

class SongSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString file(const QString &name = QStringLiteral("song.mst")) const
    {
        return m_dir.filePath(name);
    }

    void writeRaw(const QByteArray &bytes) const
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QString raw(const QString &section, const QString &key) const
    {
        return ReadIni(section, key, file());
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SongSettingsTest, FileNameReplacesTheSongExtension)
{
    EXPECT_EQ(mst::SongSettingsFile(QStringLiteral("/m/Chanson d'été.kar")),
              QStringLiteral("/m/Chanson d'été.mst"));
    EXPECT_EQ(mst::SongSettingsFile(QStringLiteral("/m/a.b.mid")), QStringLiteral("/m/a.b.mst"));
    EXPECT_EQ(mst::SongSettingsFile(QStringLiteral("/m.d/song")), QStringLiteral("/m.d/song.mst"));
    EXPECT_EQ(mst::SongSettingsFile(QString()), QString());
}

TEST_F(SongSettingsTest, MissingFileAndMissingKeysGiveTheDefaults)
{
    EXPECT_EQ(mst::readGain(file()), 0);
    EXPECT_EQ(mst::readTempo(file()), 0);
    EXPECT_EQ(mst::readTranspose(file()), 0);
    EXPECT_EQ(mst::readVolume(file(), 4).volume, 100);
    EXPECT_FALSE(mst::readVolume(file(), 4).muted);
    EXPECT_FALSE(mst::readMute(file(), 4));
    EXPECT_FALSE(mst::readCC(file(), 7).has_value());
    EXPECT_EQ(mst::readLyricsZoom(file()), 5);

    writeRaw("[Volume]\nCh2=\n[Lyrics]\nZoom=\n");
    EXPECT_EQ(mst::readVolume(file(), 2).volume, 100);
    EXPECT_EQ(mst::readLyricsZoom(file()), 5);
}

TEST_F(SongSettingsTest, ZeroVolumeReadsAsMutedAtUnity)
{
    writeRaw("[Volume]\nCh3=0\nCh4=150\nCh5=0.4\n");
    const auto ch3 = mst::readVolume(file(), 3);
    EXPECT_EQ(ch3.volume, 100);
    EXPECT_TRUE(ch3.muted);
    EXPECT_EQ(mst::readVolume(file(), 4).volume, 150);
    EXPECT_FALSE(mst::readVolume(file(), 4).muted);
    // 0.4 rounds to 0: muted as well.
    EXPECT_TRUE(mst::readVolume(file(), 5).muted);
}

TEST_F(SongSettingsTest, NumbersAreLeadingNumbersRoundedHalfToEven)
{
    writeRaw("[Gain]\nSlider=2.5\n[Transpose]\nSlider=-3 semitones\n[Volume]\nCh0=120abc\n"
             "Ch1=  80\n[CC]\nCC5=64.5\nCC6=x\n");
    EXPECT_EQ(mst::readGain(file()), 2);
    EXPECT_EQ(mst::readTranspose(file()), -3);
    EXPECT_EQ(mst::readVolume(file(), 0).volume, 120);
    EXPECT_EQ(mst::readVolume(file(), 1).volume, 80);
    EXPECT_EQ(mst::readCC(file(), 5), 64);
    // A value that is present but not a number is an override of 0.
    EXPECT_EQ(mst::readCC(file(), 6), 0);
}

TEST_F(SongSettingsTest, TempoAcceptsCommaAndPoint)
{
    writeRaw("[Tempo]\nSlider=-12,5\n");
    EXPECT_EQ(mst::readTempo(file()), -125);
    writeRaw("[Tempo]\nSlider=3.7\n");
    EXPECT_EQ(mst::readTempo(file()), 37);
    writeRaw("[Tempo]\nSlider=0,05\n"); // 0.5 per mille, half to even
    EXPECT_EQ(mst::readTempo(file()), 0);
}

TEST_F(SongSettingsTest, ValuesOutsideTheirRangeAreBroughtIntoIt)
{
    writeRaw("[Gain]\nSlider=99\n[Transpose]\nSlider=-40\n[Tempo]\nSlider=-900\n"
             "[Volume]\nCh1=1000\nCh2=-5\n[Lyrics]\nZoom=12\n");
    EXPECT_EQ(mst::readGain(file()), 20);
    EXPECT_EQ(mst::readTranspose(file()), -12);
    EXPECT_EQ(mst::readTempo(file()), -2500);
    EXPECT_EQ(mst::readVolume(file(), 1).volume, 200);
    // Below 0 is 0, which stands for a muted channel.
    EXPECT_TRUE(mst::readVolume(file(), 2).muted);
    EXPECT_EQ(mst::readLyricsZoom(file()), 9);
}

TEST_F(SongSettingsTest, WritesUseTheFileFormats)
{
    ASSERT_TRUE(mst::writeGain(file(), -5));
    ASSERT_TRUE(mst::writeTempo(file(), -125));
    ASSERT_TRUE(mst::writeTranspose(file(), 12));
    ASSERT_TRUE(mst::writeVolume(file(), 7, 100));
    ASSERT_TRUE(mst::writeMute(file(), 7, true));
    ASSERT_TRUE(mst::writeCC(file(), 100, 1));
    ASSERT_TRUE(mst::writeLyricsZoom(file(), 7));
    EXPECT_EQ(raw(QStringLiteral("Gain"), QStringLiteral("Slider")), QStringLiteral("-5"));
    EXPECT_EQ(raw(QStringLiteral("Tempo"), QStringLiteral("Slider")), QStringLiteral("-12.5"));
    EXPECT_EQ(raw(QStringLiteral("Transpose"), QStringLiteral("Slider")), QStringLiteral("12"));
    EXPECT_EQ(raw(QStringLiteral("Volume"), QStringLiteral("Ch7")), QStringLiteral("100"));
    EXPECT_EQ(raw(QStringLiteral("Mute"), QStringLiteral("Ch7")), QStringLiteral("1"));
    EXPECT_EQ(raw(QStringLiteral("CC"), QStringLiteral("CC100")), QStringLiteral("1"));
    EXPECT_EQ(raw(QStringLiteral("Lyrics"), QStringLiteral("Zoom")), QStringLiteral("7"));
    EXPECT_EQ(mst::readLyricsZoom(file()), 7);

    mst::writeTempo(file(), 0);
    EXPECT_EQ(raw(QStringLiteral("Tempo"), QStringLiteral("Slider")), QStringLiteral("0.0"));
    mst::writeTempo(file(), -5);
    EXPECT_EQ(raw(QStringLiteral("Tempo"), QStringLiteral("Slider")), QStringLiteral("-0.5"));
    EXPECT_EQ(mst::readTempo(file()), -5);
    mst::writeGain(file(), 0);
    EXPECT_EQ(raw(QStringLiteral("Gain"), QStringLiteral("Slider")), QStringLiteral("0"));
}

TEST_F(SongSettingsTest, RemovedOverrideIsStoredEmptyAndReadsAsNone)
{
    mst::writeCC(file(), 70, 12);
    EXPECT_EQ(mst::readCC(file(), 70), 12);
    mst::writeCC(file(), 70, -1);
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.contains("CC70="));
    EXPECT_FALSE(bytes.contains("CC70=12"));
    EXPECT_FALSE(mst::readCC(file(), 70).has_value());
}

TEST_F(SongSettingsTest, WithoutAFileNothingIsWritten)
{
    EXPECT_FALSE(mst::writeGain(QString(), 5));
    EXPECT_FALSE(mst::writeMute(QString(), 1, true));
    EXPECT_EQ(mst::readGain(QString()), 0);
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(SongSettingsTest, WrittenValuesReadBackInAFolderWithAccents)
{
    QDir(m_dir.path()).mkdir(QStringLiteral("Chansons été"));
    const QString path = m_dir.filePath(QStringLiteral("Chansons été/Ça ira.mst"));
    mst::writeGain(path, 7);
    mst::writeTempo(path, 37);
    mst::writeVolume(path, 15, 180);
    EXPECT_EQ(mst::readGain(path), 7);
    EXPECT_EQ(mst::readTempo(path), 37);
    EXPECT_EQ(mst::readVolume(path, 15).volume, 180);
}

// A song in a folder the user cannot write (as another user, since root may
// write anywhere): its settings go to the user's data folder under the song's
// own path, starting from those that came with it, and are read from there.
TEST_F(SongSettingsTest, ASongInAFolderTheUserCannotWriteKeepsItsSettingsInTheDataFolder)
{
    const QString shared = file(QStringLiteral("shared"));
    const QString data = file(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(shared) && QDir().mkpath(data));
    const QString song = shared + QStringLiteral("/song.kar");
    const QString beside = shared + QStringLiteral("/song.mst");
    ASSERT_TRUE(mst::writeGain(beside, 5));
    const QString kept = data + beside;
    constexpr uid_t kNobody = 65534;
    ASSERT_EQ(::chmod(QFile::encodeName(data).constData(), 0777), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755), 0);
    const bool root = ::geteuid() == 0;
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), root ? 0755 : 0555), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        paths::setSongSettingsFolder(data);
        const bool dropped = !root || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
        const QString settings = mst::SongSettingsFile(song);
        int faults = dropped ? 0 : 1;
        faults |= settings == kept ? 0 : 2;
        faults |= mst::readGain(settings) == 5 ? 0 : 4; // what came with the song
        faults |= mst::writeGain(settings, -7) ? 0 : 8;
        faults |= mst::readGain(mst::SongSettingsFile(song)) == -7 ? 0 : 16;
        _exit(faults);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ::chmod(QFile::encodeName(shared).constData(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(mst::readGain(beside), 5) << "the shared file is left as it was";
    EXPECT_EQ(mst::readGain(kept), -7);
    // Once kept there, the settings are read from there by anyone.
    paths::setSongSettingsFolder(data);
    EXPECT_EQ(mst::SongSettingsFile(song), kept);
    // A song in a folder that can be written keeps its file beside it.
    EXPECT_EQ(mst::SongSettingsFile(file(QStringLiteral("own.kar"))),
              file(QStringLiteral("own.mst")));
    paths::setSongSettingsFolder({});
}
