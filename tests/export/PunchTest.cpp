// Times of the ".kok" lyrics file against the rendered section and the tempo
// factor: each time is where the syllable is heard in the audio file.

#include "tests/export/KokFixture.h"

using namespace melorit;
using namespace melorit::testing;

namespace {

class Punch : public KokTest {
protected:
    // A 100 s song with syllables around a section from 30 s to 60 s.
    void SetUp() override
    {
        open(songWith({{10, "a"},
                       {29, "b"},
                       {30, "c"},
                       {31.25, "d"},
                       {45, "e"},
                       {59.9, "f"},
                       {60.5, "g"},
                       {61, "h"}},
                      false, 100));
    }

    QByteArray section(double in, double out, double ratio = 1.0, bool active = true) const
    {
        exporting::LyricsFileOptions options;
        options.PunchActive = active;
        options.PunchIn = in;
        options.PunchOut = out;
        options.TempoRatio = ratio;
        return kok(options);
    }
};

QByteArray bytes(const char *text)
{
    return QByteArray(text);
}

} // namespace

TEST_F(Punch, TimesCountFromThePunchIn)
{
    EXPECT_EQ(section(30, 0), bytes("c;0,0000;d;1,2500;e;15,0000;f;29,9000;g;30,5000;h;31,0000;"));
    // Syllables past the punch-out are not in the file.
    EXPECT_EQ(section(30, 60), bytes("c;0,0000;d;1,2500;e;15,0000;f;29,9000;"));
    // A punch-out alone: the section starts at the song's start.
    EXPECT_EQ(section(0, 45), bytes("a;10,0000;b;29,0000;c;30,0000;d;31,2500;e;45,0000;"));
}

TEST_F(Punch, InactiveOrIgnoredMarkersChangeNothing)
{
    const QByteArray whole = section(0, 0);
    EXPECT_EQ(whole, bytes("a;10,0000;b;29,0000;c;30,0000;d;31,2500;e;45,0000;f;59,9000;"
                           "g;60,5000;h;61,0000;"));
    EXPECT_EQ(section(30, 60, 1.0, false), whole);
    // The rendering ignores a start at or past the song's end and an end at
    // or before the start (the song then plays from 0, or to its end).
    EXPECT_EQ(section(100, 0), whole);
    EXPECT_EQ(section(150, 160), whole);
    EXPECT_EQ(section(0, 100), whole);
    EXPECT_EQ(section(30, 20), section(30, 0));
    EXPECT_EQ(section(30, 30), section(30, 0));
}

TEST_F(Punch, TempoFactorScalesTheHeardTimes)
{
    // 0.8: the song plays faster, a syllable at 10 s is heard at 8 s.
    EXPECT_EQ(section(0, 0, 0.8, false),
              bytes("a;8,0000;b;23,2000;c;24,0000;d;25,0000;e;36,0000;f;47,9200;g;48,4000;"
                    "h;48,8000;"));
    // From the punch-in at 30 s: 0.8 x (t - 30); the section holds 30 s of
    // audio, which at 0.8 reach the song's 67.5 s.
    EXPECT_EQ(section(30, 60, 0.8),
              bytes("c;0,0000;d;1,0000;e;12,0000;f;23,9200;g;24,4000;h;24,8000;"));
    // 1.25 (slower): the 30 s section ends at the song's 54 s.
    EXPECT_EQ(section(30, 60, 1.25), bytes("c;0,0000;d;1,5625;e;18,7500;"));
}

TEST_F(Punch, SectionWithoutSyllablesGivesAnEmptyText)
{
    EXPECT_EQ(section(62, 90), QByteArray());
    EXPECT_EQ(section(11, 20), QByteArray());
}
