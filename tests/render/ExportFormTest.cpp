#include "export/ExportForm.h"
#include "base/Ini.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace melorit::exporting {
namespace {

class Answer : public ExportQuestions {
public:
    explicit Answer(bool yes) : m_yes(yes) {}
    bool confirmBatch(const QString &text, const QString &title) override
    {
        ++asked;
        lastText = text;
        lastTitle = title;
        return m_yes;
    }
    int asked = 0;
    QString lastText;
    QString lastTitle;

private:
    bool m_yes;
};

class ExportFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString config() const { return m_dir.filePath(QStringLiteral("Melorit.ini")); }
    QString mst() const { return m_dir.filePath(QStringLiteral("Chanson d\u00e9j\u00e0.mst")); }
    QString wave(const QString &key) const
    {
        return ReadIni(QStringLiteral("Wave"), key, config());
    }
    QString lyrics(const QString &key) const
    {
        return ReadIni(QStringLiteral("Lyrics"), key, config());
    }
    QString tag(const QString &key) const { return ReadIni(QStringLiteral("Tags"), key, mst()); }
    ExportForm loaded(const QString &artist = {}, const QString &title = {})
    {
        ExportForm form(mst(), config());
        form.Form_Load(artist, title);
        return form;
    }

    QTemporaryDir m_dir;
};

TEST_F(ExportFormTest, OpensWithStoredSettingsAndTags)
{
    WriteIni(QStringLiteral("Wave"), QStringLiteral("SaveFolder"), QStringLiteral("/music/"),
             config());
    WriteIni(QStringLiteral("Wave"), QStringLiteral("SaveScheme"), QStringLiteral("%A - %T"),
             config());
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Encoding"), QStringLiteral("2"), config());
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Rate"), QStringLiteral("192"), config());
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("MakeFile"), QStringLiteral(" 0 "), config());
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("MaxLength"), QStringLiteral(" 40 "),
             config());
    WriteIni(QStringLiteral("Tags"), QStringLiteral("Ann\u00e9e"), QStringLiteral("1982"), mst());
    WriteIni(QStringLiteral("Tags"), QStringLiteral("Genre"), QStringLiteral("My own"), mst());

    const ExportForm form = loaded();
    EXPECT_EQ(form.RecFolder, QStringLiteral("/music/"));
    EXPECT_EQ(form.GenericName, QStringLiteral("%A - %T"));
    EXPECT_EQ(form.Encoding, 2);
    EXPECT_EQ(form.rateText(), QStringLiteral("192"));
    EXPECT_FALSE(form.CheckKOK);
    EXPECT_EQ(form.LyricsMax, QStringLiteral("40"));
    EXPECT_EQ(form.Tags.Year, QStringLiteral("1982"));
    EXPECT_EQ(form.Tags.Genre, QStringLiteral("My own"));
}

TEST_F(ExportFormTest, EmptyRateOpensAs128AndUnknownRateSelectsNothing)
{
    EXPECT_EQ(loaded().rateText(), QStringLiteral("128"));
    EXPECT_TRUE(loaded().CheckKOK); // "MakeFile" missing: on
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Rate"), QStringLiteral("999"), config());
    ExportForm form = loaded();
    EXPECT_EQ(form.RateIndex, -1);
    form.Btn_Validation_Click();
    EXPECT_EQ(wave(QStringLiteral("Rate")), QString());
    EXPECT_EQ(loaded().rateText(), QStringLiteral("128"));
}

TEST_F(ExportFormTest, SongTagsFillOnlyEmptyFields)
{
    ExportForm fresh = loaded(QStringLiteral("Song Artist"), QStringLiteral("Song Title"));
    EXPECT_EQ(fresh.Tags.Artist, QStringLiteral("Song Artist"));
    EXPECT_EQ(fresh.Tags.Title, QStringLiteral("Song Title"));

    WriteIni(QStringLiteral("Tags"), QStringLiteral("Titre"), QStringLiteral("Saved"), mst());
    const ExportForm saved = loaded(QStringLiteral("Song Artist"), QStringLiteral("Song Title"));
    EXPECT_EQ(saved.Tags.Artist, QStringLiteral("Song Artist"));
    EXPECT_EQ(saved.Tags.Title, QStringLiteral("Saved"));
}

TEST_F(ExportFormTest, ValidationSavesEverySettingAndTag)
{
    ExportForm form = loaded();
    form.RecFolder = QStringLiteral("  /home/me/Music  ");
    form.GenericName = QStringLiteral("  %A/%T ");
    form.Encoding = 1;
    form.RateIndex = static_cast<int>(bitRates().indexOf(QStringLiteral("256")));
    form.CheckKOK = false;
    form.LyricsMax = QStringLiteral("32");
    form.Tags.Artist = QStringLiteral("\u00c9dith \"la M\u00f4me\"");
    form.Tags.Comment = QStringLiteral("comment");
    EXPECT_EQ(form.Btn_Validation_Click(), ExportOutcome::Validated);

    EXPECT_EQ(wave(QStringLiteral("SaveFolder")),
              QStringLiteral("/home/me/Music") + QDir::separator());
    EXPECT_EQ(wave(QStringLiteral("SaveScheme")), QStringLiteral("%A/%T"));
    EXPECT_EQ(wave(QStringLiteral("Encoding")), QStringLiteral("1"));
    EXPECT_EQ(wave(QStringLiteral("Rate")), QStringLiteral("256"));
    EXPECT_EQ(lyrics(QStringLiteral("MakeFile")), QStringLiteral("0"));
    EXPECT_EQ(lyrics(QStringLiteral("MaxLength")), QStringLiteral("32"));
    EXPECT_EQ(tag(QStringLiteral("Artiste")), QStringLiteral("\u00c9dith \"la M\u00f4me\""));
    EXPECT_EQ(tag(QStringLiteral("Commentaire")), QStringLiteral("comment"));

    const ExportSettings back = ReadExportSettings(config());
    EXPECT_EQ(back.Encoding, 1);
    EXPECT_FALSE(back.MakeFile);
    EXPECT_EQ(back.MaxLength, 32);
    EXPECT_EQ(ReadTags(mst()).Artist, form.Tags.Artist);
}

TEST_F(ExportFormTest, EmptyFolderStaysEmptyAndFolderFieldGetsItsSeparator)
{
    ExportForm form = loaded();
    form.RecFolder = QStringLiteral("   ");
    form.Btn_Validation_Click();
    EXPECT_EQ(wave(QStringLiteral("SaveFolder")), QString());

    form.RecFolder = QStringLiteral(" /data/Music ");
    form.RecFolder_Validate();
    EXPECT_EQ(form.RecFolder, QStringLiteral("/data/Music") + QDir::separator());
    form.RecFolder_Validate();
    EXPECT_EQ(form.RecFolder, QStringLiteral("/data/Music") + QDir::separator());
}

TEST_F(ExportFormTest, LineLengthOutsideTheRangeIsSavedAsZero)
{
    const struct {
        const char16_t *typed;
        const char16_t *kept;
    } cases[] = {{u"150", u"0"},   {u"-3", u"0"},   {u"abc", u"0"}, {u"99", u"99"},
                 {u"99.4", u"99"}, {u"99.6", u"0"}, {u"2.5", u"2"}, {u"3.5", u"4"},
                 {u"70000", u"0"}, {u"", u"0"}};
    for (const auto &c : cases) {
        ExportForm form = loaded();
        form.LyricsMax = QString::fromUtf16(c.typed);
        form.Btn_Validation_Click();
        EXPECT_EQ(form.LyricsMax, QString::fromUtf16(c.kept)) << form.LyricsMax.toStdString();
        EXPECT_EQ(lyrics(QStringLiteral("MaxLength")), QString::fromUtf16(c.kept));
    }
}

TEST_F(ExportFormTest, UnknownEncodingIsSavedAsWav)
{
    ExportForm form = loaded();
    form.Encoding = 5;
    form.Btn_Validation_Click();
    EXPECT_EQ(wave(QStringLiteral("Encoding")), QStringLiteral("0"));
}

TEST_F(ExportFormTest, BatchAnsweredNoSavesNothingAndStaysOpen)
{
    ExportForm form = loaded();
    form.GenericName = QStringLiteral("%T");
    form.Tags.Title = QStringLiteral("New");
    Answer no(false);
    EXPECT_EQ(form.Btn_Tous_Click(no), ExportOutcome::Open);
    EXPECT_EQ(no.asked, 1);
    EXPECT_FALSE(QFile::exists(config()));
    EXPECT_FALSE(QFile::exists(mst()));

    Answer yes(true);
    EXPECT_EQ(form.Btn_Tous_Click(yes), ExportOutcome::BatchAll);
    EXPECT_EQ(wave(QStringLiteral("SaveScheme")), QStringLiteral("%T"));
    EXPECT_EQ(tag(QStringLiteral("Titre")), QStringLiteral("New"));
}

TEST_F(ExportFormTest, BatchQuestionTextsComeFromTheLanguageFile)
{
    const QString language = m_dir.filePath(QStringLiteral("en.lng"));
    WriteIni(QStringLiteral("Tags"), QStringLiteral("ConfirmAll"),
             QStringLiteral("Convert all?|Sure?"), language);
    WriteIni(QStringLiteral("Tags"), QStringLiteral("Tous"), QStringLiteral("To the end"),
             language);
    ExportForm form(mst(), config(), language);
    form.Form_Load({}, {});
    Answer no(false);
    form.Btn_Tous_Click(no);
    EXPECT_EQ(no.lastText, QStringLiteral("Convert all?\nSure?"));
    EXPECT_EQ(no.lastTitle, QStringLiteral("To the end"));

    ExportForm noLanguage = loaded();
    noLanguage.Btn_Tous_Click(no);
    EXPECT_EQ(no.lastTitle, QStringLiteral("Jusqu'\u00e0 la fin de la liste"));
}

TEST_F(ExportFormTest, CancelSavesNothing)
{
    ExportForm form = loaded();
    form.Tags.Title = QStringLiteral("x");
    EXPECT_EQ(form.Btn_Abandon_Click(), ExportOutcome::Cancelled);
    EXPECT_FALSE(QFile::exists(config()));
    EXPECT_FALSE(QFile::exists(mst()));
}

TEST_F(ExportFormTest, TimerValidatesOnlyDuringABatchWithWhatItOpenedWith)
{
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Encoding"), QStringLiteral("1"), config());
    ExportForm form = loaded(QStringLiteral("From"), QStringLiteral("Song"));
    EXPECT_EQ(form.Timer1_Timer(false), ExportOutcome::Open);
    EXPECT_FALSE(QFile::exists(mst()));
    EXPECT_EQ(form.Timer1_Timer(true), ExportOutcome::BatchAll);
    EXPECT_EQ(tag(QStringLiteral("Artiste")), QStringLiteral("From"));
    EXPECT_EQ(tag(QStringLiteral("Titre")), QStringLiteral("Song"));
    EXPECT_EQ(wave(QStringLiteral("Encoding")), QStringLiteral("1"));
    EXPECT_EQ(wave(QStringLiteral("Rate")), QStringLiteral("128"));
}

TEST(ExportSettings, ReadingTakesNumbersOfTexts)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ini = dir.filePath(QStringLiteral("Melorit.ini"));
    ExportSettings empty = ReadExportSettings(ini);
    EXPECT_EQ(empty.Encoding, 0);
    EXPECT_TRUE(empty.MakeFile);
    EXPECT_EQ(empty.MaxLength, 0);
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Encoding"), QStringLiteral("2 (ogg)"), ini);
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("MakeFile"), QStringLiteral("no"), ini);
    const ExportSettings read = ReadExportSettings(ini);
    EXPECT_EQ(read.Encoding, 2);
    EXPECT_TRUE(read.MakeFile);
}

TEST(ExportSettings, EffectiveRateFallsBackTo128)
{
    EXPECT_EQ(effectiveRate(QStringLiteral("192")), QStringLiteral("192"));
    EXPECT_EQ(effectiveRate(QString()), QStringLiteral("128"));
    EXPECT_EQ(effectiveRate(QStringLiteral("fast")), QStringLiteral("128"));
    EXPECT_EQ(effectiveRate(QStringLiteral("-5")), QStringLiteral("128"));
}

TEST(ExportSettings, ListsOfTheDialog)
{
    EXPECT_EQ(bitRates().size(), 14);
    EXPECT_EQ(bitRates().front(), QStringLiteral("32"));
    EXPECT_EQ(bitRates().back(), QStringLiteral("320"));
    ASSERT_EQ(genreNames().size(), 148);
    EXPECT_EQ(genreNames().front(), QStringLiteral("A Cappella"));
    EXPECT_EQ(genreNames().at(genreNames().indexOf(QStringLiteral("Rock")) + 1),
              QStringLiteral("Rock & Roll"));
    EXPECT_EQ(genreNames().back(), QStringLiteral("Vocal"));
    QStringList names = genreNames();
    EXPECT_EQ(names.removeDuplicates(), 0);
}

} // namespace
} // namespace melorit::exporting
