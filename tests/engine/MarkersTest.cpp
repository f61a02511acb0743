#include "engine/Markers.h"

#include "Recorders.h"
#include "base/Ini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::engine;

namespace {

class MarkersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_file = m_dir.filePath(QStringLiteral("Chanson é.mst"));
    }
    void writeRaw(const QByteArray &bytes) const
    {
        QFile f(m_file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString stored(const char *key) const
    {
        return ReadIni(QStringLiteral("Marqueurs"), QString::fromLatin1(key), m_file);
    }

    QTemporaryDir m_dir;
    QString m_file;
};

} // namespace

TEST_F(MarkersTest, SavedWithThreeDecimalsAndReadBack)
{
    SaveMarqueurs(m_file, Markers{30.25, 61.0006, true});
    EXPECT_EQ(stored("Marche"), QStringLiteral("1"));
    EXPECT_EQ(stored("Debut"), QStringLiteral("30.250"));
    EXPECT_EQ(stored("Fin"), QStringLiteral("61.001"));

    Markers read;
    LoadMarqueurs(m_file, read);
    EXPECT_DOUBLE_EQ(read.PunchIn, 30.25);
    EXPECT_DOUBLE_EQ(read.PunchOut, 61.001);
    EXPECT_TRUE(read.PunchActive);

    SaveMarqueurs(m_file, Markers{0, 0, false});
    EXPECT_EQ(stored("Marche"), QStringLiteral("0"));
    EXPECT_EQ(stored("Debut"), QStringLiteral("0.000"));
    LoadMarqueurs(m_file, read);
    EXPECT_FALSE(read.PunchActive);
    EXPECT_EQ(read.PunchIn, 0.0);
}

TEST_F(MarkersTest, CommaTimesAreRead)
{
    writeRaw("[Marqueurs]\nMarche=1\nDebut=12,5\nFin=80,125\n");
    Markers read;
    LoadMarqueurs(m_file, read);
    EXPECT_DOUBLE_EQ(read.PunchIn, 12.5);
    EXPECT_DOUBLE_EQ(read.PunchOut, 80.125);
    EXPECT_TRUE(read.PunchActive);
}

TEST_F(MarkersTest, ASongWithoutAStoredStartHasNoMarkersAndNoSongKeepsThem)
{
    const Markers previous{5, 9, true};
    Markers m = previous;
    LoadMarqueurs(QString(), m); // no song
    EXPECT_EQ(m.PunchIn, 5);
    EXPECT_TRUE(m.PunchActive);
    // Another song's markers never carry over.
    LoadMarqueurs(m_file, m); // no file yet
    EXPECT_FALSE(m.PunchActive);
    EXPECT_EQ(m.PunchIn, 0.0);
    EXPECT_EQ(m.PunchOut, 0.0);
    m = previous;
    writeRaw("[Marqueurs]\nMarche=1\nDebut=\nFin=20\n");
    LoadMarqueurs(m_file, m);
    EXPECT_FALSE(m.PunchActive);
    EXPECT_EQ(m.PunchOut, 0.0);
    // "Marche" other than "1" is off.
    writeRaw("[Marqueurs]\nMarche=yes\nDebut=1\n");
    LoadMarqueurs(m_file, m);
    EXPECT_FALSE(m.PunchActive);
    EXPECT_EQ(m.PunchIn, 1.0);
    EXPECT_EQ(m.PunchOut, 0.0);
}

TEST_F(MarkersTest, NothingIsSavedWithoutASong)
{
    SaveMarqueurs(QString(), Markers{1, 2, true});
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(MarkersTest, TipsShowTheTimesAtTheTempoFactor)
{
    const QString lng = test::englishLanguageFile();
    const Markers m{10, 0, true};
    EXPECT_EQ(markerTip(lng, MarkerEnd::Start, m, 0.8, QStringLiteral(",")),
              QStringLiteral("Start: 0:08,000 (click to change)"));
    EXPECT_EQ(markerTip(lng, MarkerEnd::End, m, 0.8, QStringLiteral(",")),
              QStringLiteral("Set the end marker"));
    EXPECT_EQ(markerTip(lng, MarkerEnd::Start, Markers{0, 75.5, true}, 1.0, QStringLiteral(".")),
              QStringLiteral("Set the start marker"));
    EXPECT_EQ(markerTip(lng, MarkerEnd::End, Markers{0, 75.5, true}, 1.0, QStringLiteral(".")),
              QStringLiteral("End: 1:15.500 (click to change)"));
}
