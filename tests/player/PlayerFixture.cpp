#include "PlayerFixture.h"

#include "tests/support/MidiFileBuilder.h"
#include "tests/support/SoundFontBuilder.h"

namespace melorit::engine::test {

void PlayerTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_sineFont = writeFont(QStringLiteral("sine.sf2"), {{0, 0}});
}

QString PlayerTest::writeFile(const QString &name, const fixtures::Bytes &bytes) const
{
    const QString file = path(name);
    fixtures::writeFile(file.toStdString(), bytes);
    return file;
}

QString PlayerTest::writeShortSong(const QString &name, int quarters) const
{
    fixtures::MidiFileBuilder file(1, 480);
    file.addTrack().tempo(500000);
    file.addTrack().programChange(0, 0).note(0, 69, 100, 0,
                                             static_cast<std::uint32_t>(quarters * 480));
    return writeFile(name, file.build());
}

QString PlayerTest::writeFont(const QString &name,
                              const std::vector<std::pair<int, int>> &presets) const
{
    fixtures::SoundFontBuilder font;
    for (const auto &[bank, program] : presets) {
        font.addPreset("P" + std::to_string(bank) + "-" + std::to_string(program), bank, program,
                       69);
    }
    const QString file = path(name);
    font.writeTo(file.toStdString());
    return file;
}

PlayerSettings PlayerTest::defaultSettings() const
{
    PlayerSettings settings;
    settings.configFile = path(QStringLiteral("Melorit.ini"));
    settings.languageFile = QStringLiteral(MELORIT_SOURCE_DIR "/resources/lang/en.lng");
    settings.programFolder = m_dir.path();
    settings.systemFonts = {m_sineFont};
    settings.output = PlayerOutput::Pull;
    return settings;
}

std::unique_ptr<Player> PlayerTest::makePlayer(PlayerSettings settings)
{
    return std::make_unique<Player>(std::move(settings), &m_view, &m_dialogs);
}

bool PlayerTest::pullToSongChange(Player &player, double maxSeconds) const
{
    const int starts = m_view.songStarts;
    const auto blocks = static_cast<int>(maxSeconds * 44100 * 4 / 4096);
    for (int i = 0; i < blocks; ++i) {
        player.pull(4096);
        if (m_view.songStarts != starts || player.stream() == nullptr) {
            return true;
        }
    }
    return false;
}

void PlayerTest::pullSeconds(Player &player, double seconds) const
{
    const auto blocks = static_cast<int>(seconds * 44100 * 4 / 4096);
    for (int i = 0; i < blocks; ++i) {
        player.pull(4096);
    }
}

} // namespace melorit::engine::test
