// The SoundFont identity read from the file's RIFF structure, its failure
// messages, and the two messages of the SoundFont information command.

#include "tools/SoundFontInfo.h"
#include "base/Ini.h"
#include "base/UserMessages.h"
#include "tests/support/SoundFontBuilder.h"
#include "tests/tools/DumpFixtures.h"

#include "tests/support/RecordedMessages.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::testing {
namespace {

using fixtures::Bytes;
using fixtures::SoundFontBuilder;
using tools::readSoundFontInfo;
using tools::SoundFontInfoStatus;

// Offsets in a file of SoundFontBuilder: RIFF size 4, "ifil" 24, its size 28,
// "isng" 36, its size 40, the engine name 44.
constexpr std::size_t kRiffSize = 4;
constexpr std::size_t kIfilSize = 28;
constexpr std::size_t kIsngId = 36;
constexpr std::size_t kIsngSize = 40;

void putLE32(Bytes &bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

tools::SoundFontInfo infoOf(const Bytes &bytes)
{
    return readSoundFontInfo(viewOf(bytes));
}

Bytes riff(const char *form, const Bytes &body)
{
    Bytes out = fixtures::bytesOf("RIFF");
    fixtures::appendLittleEndian(out, static_cast<std::uint32_t>(body.size() + 4), 4);
    Bytes formBytes = fixtures::bytesOf(form);
    out.insert(out.end(), formBytes.begin(), formBytes.end());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

TEST(SoundFontInfo, RealGeneralMidiFont)
{
    const tools::SoundFontInfo info =
        readSoundFontInfo(QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"));
    ASSERT_EQ(info.status, SoundFontInfoStatus::Read);
    EXPECT_EQ(info.engineName, QStringLiteral("EMU8000"));
    EXPECT_EQ(info.major, 2u);
    EXPECT_EQ(info.minor, 1u);
}

TEST(SoundFontInfo, BuiltFontWithItsOwnVersionAndEngine)
{
    SoundFontBuilder font;
    font.addPreset("Sine", 0, 0).setVersion(2, 4).setInfoText("isng", "Synth \xE9t\xE9");
    const tools::SoundFontInfo info = infoOf(font.build());
    ASSERT_EQ(info.status, SoundFontInfoStatus::Read);
    EXPECT_EQ(info.engineName, QStringLiteral("Synth \u00E9t\u00E9"));
    EXPECT_EQ(info.major, 2u);
    EXPECT_EQ(info.minor, 4u);
}

TEST(SoundFontInfo, EachMissingPartHasItsMessage)
{
    const Bytes wave = riff("WAVE", {'f', 'm', 't', ' ', 0, 0, 0, 0});
    EXPECT_EQ(infoOf(wave).status, SoundFontInfoStatus::NoBank);
    EXPECT_EQ(infoOf({}).status, SoundFontInfoStatus::NoBank);
    EXPECT_EQ(infoOf(riff("sfbk", {})).status, SoundFontInfoStatus::NoList);

    SoundFontBuilder noIfil;
    noIfil.addPreset("Sine", 0, 0).removeInfo("ifil");
    EXPECT_EQ(infoOf(noIfil.build()).status, SoundFontInfoStatus::NoIfil);
    SoundFontBuilder noIsng;
    noIsng.addPreset("Sine", 0, 0).removeInfo("isng");
    EXPECT_EQ(infoOf(noIsng.build()).status, SoundFontInfoStatus::NoIsng);

    EXPECT_EQ(tools::soundFontFailureText(SoundFontInfoStatus::NoBank),
              QStringLiteral("No soundfont bank found!"));
    EXPECT_EQ(tools::soundFontFailureText(SoundFontInfoStatus::NoList),
              QStringLiteral("No LIST chunk found!"));
    EXPECT_EQ(tools::soundFontFailureText(SoundFontInfoStatus::NoIfil),
              QStringLiteral("No ifil chunk found!"));
    EXPECT_EQ(tools::soundFontFailureText(SoundFontInfoStatus::NoIsng),
              QStringLiteral("No isng chunk found!"));
    EXPECT_TRUE(tools::soundFontFailureText(SoundFontInfoStatus::Read).isEmpty());
}

TEST(SoundFontInfo, BankAfterAnotherRiffChunk)
{
    SoundFontBuilder font;
    font.addPreset("Sine", 0, 0);
    Bytes bytes = riff("WAVE", {'d', 'a', 't', 'a', 1, 0, 0, 0, 0x7F, 0}); // odd data, padded
    const Bytes sf2 = font.build();
    bytes.insert(bytes.end(), sf2.begin(), sf2.end());
    EXPECT_EQ(infoOf(bytes).status, SoundFontInfoStatus::Read);
}

TEST(SoundFontInfo, TruncatedFiles)
{
    SoundFontBuilder font;
    font.addPreset("Sine", 0, 0);
    const Bytes whole = font.build();
    auto cut = [&](std::size_t size) { return infoOf(Bytes(whole.begin(), whole.begin() + size)); };
    EXPECT_EQ(cut(10).status, SoundFontInfoStatus::NoBank);
    EXPECT_EQ(cut(12).status, SoundFontInfoStatus::NoList);
    EXPECT_EQ(cut(30).status, SoundFontInfoStatus::NoIfil);
    EXPECT_EQ(cut(kIsngId).status, SoundFontInfoStatus::NoIsng);
    // Inside the engine name: the bytes that are there.
    const tools::SoundFontInfo partial = cut(47);
    EXPECT_EQ(partial.status, SoundFontInfoStatus::Read);
    EXPECT_EQ(partial.engineName, QStringLiteral("EMU"));
    for (std::size_t size = 0; size <= 64; ++size) {
        cut(size);
    }
}

TEST(SoundFontInfo, ChunkSizesThatLie)
{
    SoundFontBuilder font;
    font.addPreset("Sine", 0, 0);
    const Bytes good = font.build();

    Bytes bigRiff = good;
    putLE32(bigRiff, kRiffSize, 0xFFFFFFFF);
    EXPECT_EQ(infoOf(bigRiff).status, SoundFontInfoStatus::Read);

    // The RIFF chunk ends before "isng": the search stops at its end.
    Bytes smallRiff = good;
    putLE32(smallRiff, kRiffSize, kIsngId - 8);
    EXPECT_EQ(infoOf(smallRiff).status, SoundFontInfoStatus::NoIsng);

    Bytes bigIsng = good;
    putLE32(bigIsng, kIsngSize, 0xFFFFFFF0);
    const tools::SoundFontInfo name = infoOf(bigIsng);
    EXPECT_EQ(name.status, SoundFontInfoStatus::Read);
    EXPECT_EQ(name.engineName, QStringLiteral("EMU8000"));

    // Without a zero byte the name runs to the end of the file.
    const Bytes tail = fixtures::bytesOf("EMU8000!");
    Bytes unterminated(good.begin(), good.begin() + kIsngSize + 4);
    unterminated.insert(unterminated.end(), tail.begin(), tail.end());
    putLE32(unterminated, kIsngSize, 0x7FFFFFFF);
    EXPECT_EQ(infoOf(unterminated).engineName, QStringLiteral("EMU8000!"));

    Bytes bigIfil = good;
    putLE32(bigIfil, kIfilSize, 0xFFFFFFF0);
    EXPECT_EQ(infoOf(bigIfil).status, SoundFontInfoStatus::NoIsng);
}

TEST(SoundFontInfo, ShortVersionChunkIsReadAsFourBytes)
{
    // Four bytes are read whatever the chunk's size: the minor word comes
    // from the next chunk's identifier, and the search goes on after the
    // two-byte chunk.
    SoundFontBuilder font;
    font.addPreset("Sine", 0, 0).setInfoRaw("ifil", {0x02, 0x00});
    const tools::SoundFontInfo info = infoOf(font.build());
    EXPECT_EQ(info.status, SoundFontInfoStatus::Read);
    EXPECT_EQ(info.major, 2u);
    EXPECT_EQ(info.minor, 0x7369u); // "is"
    EXPECT_EQ(info.engineName, QStringLiteral("EMU8000"));
}

TEST(SoundFontInfo, CorpusFonts)
{
    const std::pair<const char *, SoundFontInfoStatus> fonts[] = {
        {"sf2/sf_spec_test.sf2", SoundFontInfoStatus::Read},
        {"sf2/VintageDreamsWaves-v2.sf3", SoundFontInfoStatus::Read},
        {"sf2/mrtenz_invalid.sf2", SoundFontInfoStatus::NoBank},
        {"sf2/SoundFont-Spec-Test-LICENSE", SoundFontInfoStatus::NoBank}};
    for (const auto &[name, status] : fonts) {
        const QString path = QStringLiteral(MELORIT_CORPUS_DIR "/") + QLatin1StringView(name);
        EXPECT_EQ(readSoundFontInfo(path).status, status) << name;
    }
    const tools::SoundFontInfo sf3 =
        readSoundFontInfo(QStringLiteral(MELORIT_CORPUS_DIR "/sf2/VintageDreamsWaves-v2.sf3"));
    EXPECT_EQ(sf3.major, 3u);
    EXPECT_EQ(sf3.minor, 0u);
    EXPECT_EQ(readSoundFontInfo(QStringLiteral(MELORIT_CORPUS_DIR "/sf2")).status,
              SoundFontInfoStatus::NotOpened);
    EXPECT_EQ(readSoundFontInfo(QStringLiteral("/no/such/font.sf2")).status,
              SoundFontInfoStatus::NotOpened);
}

TEST(SoundFontInfoText, IdentityWithTheVersionTemplate)
{
    tools::SoundFontInfo info;
    info.engineName = QStringLiteral("EMU8000");
    info.major = 2;
    info.minor = 1;
    EXPECT_EQ(tools::soundFontIdentityText(QStringLiteral("/f/Chorium.sf2"), info,
                                           QStringLiteral("Version %1 (%2)")),
              QStringLiteral("/f/Chorium.sf2\r\nEMU8000\r\nVersion 2.1 (%2)"));
}

class ShowSoundFontInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_language = m_dir.filePath(QStringLiteral("xx.lng"));
        ASSERT_FALSE(WriteIni(QStringLiteral("Options"), QStringLiteral("SfVersion"),
                              QStringLiteral("Version SoundFont : %1"), m_language)
                         .isEmpty());
    }
    QString writeFont(const QString &name, const Bytes &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(viewOf(bytes).toByteArray());
        return path;
    }

    QTemporaryDir m_dir;
    QString m_language;
    RecordedMessages m_sink;
};

TEST_F(ShowSoundFontInfo, OneMessageSaysWhatTheLoadedFontIs)
{
    SoundFontBuilder font;
    font.addPreset("Sine", 0, 0).setVersion(2, 1);
    const QString path = writeFont(QStringLiteral("Fl\u00FBte.sf2"), font.build());
    // A bank without a name of its own goes by its file's; texts the language
    // file lacks are the English ones.
    tools::ShowSoundFontInfo(tools::LoadedFont{path, QString(), 1}, m_language);
    ASSERT_EQ(m_sink.messages.size(), 1u);
    EXPECT_EQ(m_sink.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(m_sink.messages[0].text,
              QStringLiteral("Name: Fl\u00FBte\r\nVersion SoundFont : 2.1\r\nFile: ") + path +
                  QStringLiteral("\r\nSize: %1 bytes\r\nPresets: 1").arg(QFileInfo(path).size()));

    // Without a readable version the other facts still show.
    m_sink.messages.clear();
    SoundFontBuilder noVersion;
    noVersion.addPreset("Sine", 0, 0).removeInfo("ifil");
    const QString other = writeFont(QStringLiteral("b.sf2"), noVersion.build());
    tools::ShowSoundFontInfo(tools::LoadedFont{other, QStringLiteral("Bank"), 1}, m_language);
    ASSERT_EQ(m_sink.messages.size(), 1u);
    EXPECT_TRUE(m_sink.messages[0].text.startsWith(u"Name: Bank\r\nFile: "));
}

} // namespace
} // namespace melorit::testing
