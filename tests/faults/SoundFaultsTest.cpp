// Damaged SoundFonts and a missing sound device: refused or worked around
// without a crash and without anything printed behind the user's back.

#include "audio/Device.h"
#include "audio/MidiStream.h"
#include "audio/SoundFont.h"
#include "tests/faults/FaultHelpers.h"
#include "tests/support/MidiFileBuilder.h"
#include "tests/support/SoundFontBuilder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace melorit;
using namespace melorit::audio;

namespace {

constexpr const char *kGeneralMidiFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

QByteArray sineFont()
{
    fixtures::SoundFontBuilder font;
    font.addPreset("Sine A", 0, 0);
    const auto bytes = font.build();
    return QByteArray(reinterpret_cast<const char *>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

// Loads a file and gives what was printed meanwhile.
QByteArray loadQuietly(const QString &path, std::shared_ptr<SoundFont> &font)
{
    return faults::stderrOf([&] { font = SoundFont::load(path.toStdString()); });
}

} // namespace

TEST(DamagedSoundFont, TruncatedFontsAreRefusedSilently)
{
    const QString folder = faults::freshFolder();
    const QByteArray whole = sineFont();
    QByteArray general = faults::fileBytes(QString::fromUtf8(kGeneralMidiFont));
    ASSERT_FALSE(general.isEmpty());
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"header-only.sf2", whole.left(12)},           {"half.sf2", whole.left(whole.size() / 2)},
        {"one-short.sf2", whole.chopped(1)},           {"general-start.sf2", general.left(100000)},
        {"general-almost.sf2", general.chopped(4096)},
    };
    for (const auto &c : cases) {
        const QString path = QDir(folder).filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(faults::putFile(path, c.bytes));
        std::shared_ptr<SoundFont> font;
        EXPECT_EQ(loadQuietly(path, font), QByteArray()) << c.name;
        EXPECT_FALSE(font) << c.name;
        EXPECT_EQ(lastError(), Error::FileForm) << c.name;
    }
    // The whole font still loads after the failures.
    const QString good = QDir(folder).filePath(QStringLiteral("whole.sf2"));
    ASSERT_TRUE(faults::putFile(good, whole));
    std::shared_ptr<SoundFont> font;
    EXPECT_EQ(loadQuietly(good, font), QByteArray());
    EXPECT_TRUE(font);
}

TEST(DamagedSoundFont, FilesThatAreNotSoundFontsAreRefusedSilently)
{
    const QString folder = faults::freshFolder();
    fixtures::MidiFileBuilder midi(0, 480);
    midi.addTrack().note(0, 60, 100, 0, 480);
    const auto midiBytes = midi.build();
    QByteArray garbled = sineFont();
    // Every chunk id after the RIFF header garbled, sizes kept.
    for (qsizetype i = 12; i + 4 <= garbled.size(); ++i) {
        if (garbled.mid(i, 4) == "LIST" || garbled.mid(i, 4) == "pdta" ||
            garbled.mid(i, 4) == "phdr" || garbled.mid(i, 4) == "shdr") {
            garbled[i] = 'X';
        }
    }
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty.sf2", {}},
        {"text.sf2", "[Reglage]\r\nVolume=80\r\n"},
        {"song.sf2", QByteArray(reinterpret_cast<const char *>(midiBytes.data()),
                                static_cast<qsizetype>(midiBytes.size()))},
        {"dls.sf2",
         QByteArray("RIFF\x20\0\0\0DLS colh\x04\0\0\0\x01\0\0\0", 24) + QByteArray(16, 'z')},
        {"garbled.sf2", garbled},
    };
    for (const auto &c : cases) {
        const QString path = QDir(folder).filePath(QString::fromUtf8(c.name));
        ASSERT_TRUE(faults::putFile(path, c.bytes));
        std::shared_ptr<SoundFont> font;
        EXPECT_EQ(loadQuietly(path, font), QByteArray()) << c.name;
        EXPECT_FALSE(font) << c.name;
        EXPECT_NE(lastError(), Error::Ok) << c.name;
    }
}

TEST(NoSoundDevice, ADriverThatFailsFallsBackToSilentPlaying)
{
    setenv("SDL_AUDIODRIVER", "melorit-no-such-driver", 1);
    std::shared_ptr<const MidiFile> file;
    {
        fixtures::MidiFileBuilder midi(0, 480);
        midi.addTrack().note(0, 60, 100, 0, 4800);
        file = readMidi(midi.build()).file;
    }
    ASSERT_TRUE(file);
    QByteArray printed;
    bool started = false;
    printed = faults::stderrOf([&] { started = Init(); });
    ASSERT_TRUE(started) << errorName(static_cast<int>(lastError()));
    EXPECT_TRUE(isDummyDevice());
    EXPECT_TRUE(printed.contains("no usable sound device")) << printed.constData();
    MidiStream::Options options;
    options.decode = false;
    auto stream = MidiStream::open(file, options);
    ASSERT_TRUE(stream);
    ASSERT_TRUE(stream->play(false));
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_GT(stream->position(PosUnit::Bytes), 0u) << "the clock runs without a device";
    stream.reset();
    Free();
}
