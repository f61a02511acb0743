#include "PlayerFixture.h"

#include "base/Ini.h"

#include <QFile>
#include <QFileInfo>

namespace melorit::engine::test {
namespace {

using FontTest = PlayerTest;

TEST_F(FontTest, StartTakesTheConfiguredFontFirst)
{
    const QString configured = writeFont(QStringLiteral("mine.sf2"), {{0, 5}});
    writeFont(QStringLiteral("Chorium.SF2"), {{0, 1}});
    WriteIni(QStringLiteral("SF2"), QStringLiteral("Base"), configured,
             path(QStringLiteral("Melorit.ini")));
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    EXPECT_EQ(player->FontPath(), configured);
    EXPECT_EQ(player->PresetName(0, 5), QStringLiteral("P0-5"));
    EXPECT_TRUE(m_dialogs.chooserCalls.empty());
}

TEST_F(FontTest, StartFallsBackToChoriumThenTheSystemFontThenTheChooser)
{
    const QString config = path(QStringLiteral("Melorit.ini"));
    WriteIni(QStringLiteral("SF2"), QStringLiteral("Base"), path(QStringLiteral("gone.sf2")),
             config);
    const QString chorium = writeFont(QStringLiteral("Chorium.SF2"), {{0, 1}});
    auto player = makePlayer(defaultSettings());
    player->loadStartFont();
    EXPECT_EQ(player->FontPath(), chorium);
    EXPECT_EQ(ReadIni(QStringLiteral("SF2"), QStringLiteral("Base"), config), chorium);
    EXPECT_EQ(ReadIni(QStringLiteral("SF2"), QStringLiteral("Path"), config), m_dir.path() + u'/');

    ASSERT_TRUE(QFile::remove(chorium));
    ASSERT_TRUE(QFile::remove(config));
    auto second = makePlayer(defaultSettings());
    second->loadStartFont();
    EXPECT_EQ(second->FontPath(), m_sineFont);

    PlayerSettings none = defaultSettings();
    none.systemFonts = {path(QStringLiteral("no-gm.sf2"))};
    ASSERT_TRUE(QFile::remove(config));
    // The configured font has gone: the chooser opens where it was.
    WriteIni(QStringLiteral("SF2"), QStringLiteral("Base"), QStringLiteral("/fonts/last/gone.sf2"),
             config);
    WriteIni(QStringLiteral("SF2"), QStringLiteral("Path"), QStringLiteral("/fonts/last/"), config);
    const QString chosen = writeFont(QStringLiteral("chosen.sf2"), {{0, 2}});
    m_dialogs.answer = chosen;
    auto third = makePlayer(none);
    third->loadStartFont();
    ASSERT_EQ(m_dialogs.chooserCalls.size(), 1u);
    EXPECT_EQ(m_dialogs.chooserCalls[0][0], QStringLiteral("/fonts/last/"));
    EXPECT_EQ(m_dialogs.chooserCalls[0][2], QStringLiteral("Choose a SoundFont"));
    EXPECT_EQ(third->FontPath(), chosen);
}

TEST_F(FontTest, CancellingTheChooserChangesNothing)
{
    auto player = makePlayer(defaultSettings());
    ASSERT_TRUE(player->ReplaceFont(m_sineFont));
    player->ChangeSF2();
    ASSERT_EQ(m_dialogs.chooserCalls.size(), 1u);
    EXPECT_EQ(m_dialogs.chooserCalls[0][0], m_dir.path() + u'/');
    EXPECT_EQ(player->FontPath(), m_sineFont);
}

TEST_F(FontTest, LoadingTheSameFontAgainChangesAndRewritesNothing)
{
    const QString config = path(QStringLiteral("Melorit.ini"));
    auto player = makePlayer(defaultSettings());
    ASSERT_TRUE(player->ReplaceFont(m_sineFont));
    const auto font = player->font();
    ASSERT_TRUE(QFile::remove(config));
    const int refreshes = m_view.presetRefreshes;
    EXPECT_FALSE(player->ReplaceFont(m_sineFont));
    EXPECT_EQ(player->font(), font);
    EXPECT_FALSE(QFileInfo::exists(config));
    EXPECT_EQ(m_view.presetRefreshes, refreshes);
}

TEST_F(FontTest, AFileThatIsNotAFontKeepsThePreviousOne)
{
    auto player = makePlayer(defaultSettings());
    ASSERT_TRUE(player->ReplaceFont(m_sineFont));
    const QString bad = writeFile(QStringLiteral("bad.sf2"), {'R', 'I', 'F', 'F'});
    EXPECT_FALSE(player->ReplaceFont(bad));
    EXPECT_EQ(player->FontPath(), m_sineFont);
    EXPECT_EQ(
        ReadIni(QStringLiteral("SF2"), QStringLiteral("Base"), path(QStringLiteral("Melorit.ini"))),
        m_sineFont);
}

TEST_F(FontTest, MaxBankIsTheHighestMelodicBankAndDrumsLeaveItAlone)
{
    auto player = makePlayer(defaultSettings());
    ASSERT_TRUE(player->ReplaceFont(writeFont(QStringLiteral("b8.sf2"), {{0, 0}, {8, 4}})));
    EXPECT_EQ(player->MaxBank(), 8);
    EXPECT_EQ(player->PresetName(8, 4), QStringLiteral("P8-4"));
    EXPECT_EQ(player->PresetName(8, 5), QString());
    ASSERT_TRUE(player->ReplaceFont(writeFont(QStringLiteral("drums.sf2"), {{128, 0}})));
    EXPECT_EQ(player->MaxBank(), 8);
    EXPECT_EQ(player->PresetName(128, 0), QStringLiteral("P128-0"));
    EXPECT_EQ(player->PresetName(8, 4), QString());
}

} // namespace
} // namespace melorit::engine::test
