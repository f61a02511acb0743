// Every MIDI and karaoke file of the shared corpus, written by other people
// and by other programs, gets a whole listing.

#include "tools/MidiDump.h"

#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

namespace melorit::testing {
namespace {

QByteArray listingOfCorpusFile(const QString &relative, bool *headerFound = nullptr)
{
    QFile file(QStringLiteral(MELORIT_CORPUS_DIR "/") + relative);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const tools::MidiListing listing = tools::listMidi(file.readAll(), relative);
    if (headerFound) {
        *headerFound = listing.headerFound;
    }
    return listing.text;
}

TEST(MidiDumpCorpus, EveryFileIsListedToItsEnd)
{
    QDirIterator it(QStringLiteral(MELORIT_CORPUS_DIR),
                    {QStringLiteral("*.mid"), QStringLiteral("*.kar")}, QDir::Files,
                    QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QByteArray bytes = file.readAll();
        const tools::MidiListing listing = tools::listMidi(bytes, path);
        ++files;
        const bool midiHeader =
            bytes.startsWith(QByteArray("MThd\0\0\0\6", 8)) && bytes.size() >= 14;
        EXPECT_EQ(listing.headerFound, midiHeader) << path.toStdString();
        if (listing.headerFound) {
            EXPECT_TRUE(listing.text.endsWith("\r\n====[ End of file ]====\r\n"))
                << path.toStdString();
        } else {
            EXPECT_EQ(listing.text, path.toUtf8() + "\r\n") << path.toStdString();
        }
    }
    EXPECT_GE(files, 80);
}

TEST(MidiDumpCorpus, DamagedFilesStopWhereTheRulesSay)
{
    const QByteArray missingByte =
        listingOfCorpusFile(QStringLiteral("midi/jazz-soft/test-corrupt-file-missing-byte.mid"));
    EXPECT_TRUE(missingByte.contains("MTrk Chunk\r\nIncorrect length : 246\r\n"));
    EXPECT_TRUE(missingByte.endsWith("\tGoto TrackEnd\r\n==[ End of MTrk Chunk ]==\r\n"
                                     "====[ End of file ]====\r\n"));

    const QByteArray junk =
        listingOfCorpusFile(QStringLiteral("midi/jazz-soft/test-non-midi-track.mid"));
    EXPECT_TRUE(junk.contains("Junk Chunk\r\nUnknown Junk Chunk\r\n==[ End of Junk Chunk ]==\r\n"));

    bool headerFound = true;
    EXPECT_EQ(
        listingOfCorpusFile(QStringLiteral("midi/jazz-soft/test-empty-file.mid"), &headerFound),
        "midi/jazz-soft/test-empty-file.mid\r\n");
    EXPECT_FALSE(headerFound);
}

TEST(MidiDumpCorpus, KaraokeTextsAreListedAsStored)
{
    const QByteArray twinkle = listingOfCorpusFile(QStringLiteral("karaoke/twinkle.kar"));
    EXPECT_TRUE(twinkle.contains("\tText \"@KMIDI KARAOKE FILE\"\r\n"));
    EXPECT_EQ(twinkle.count("\r\nTrack "), 6);
    EXPECT_TRUE(twinkle.contains("Track 6\r\n"));
}

} // namespace
} // namespace melorit::testing
