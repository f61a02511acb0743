// "Lyrics"/"Formats": read with the other export settings, shown and saved
// by the export dialog's content.

#include "base/Ini.h"
#include "export/ExportForm.h"
#include "export/ExportSettings.h"
#include "export/LyricsFormats.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace melorit;
using namespace melorit::exporting;

namespace {

class FormatsSetting : public ::testing::Test {
protected:
    QString config() const { return m_dir.filePath(QStringLiteral("Melorit.ini")); }
    QString mst() const { return m_dir.filePath(QStringLiteral("song.mst")); }
    void store(const QString &formats)
    {
        WriteIni(QStringLiteral("Lyrics"), QStringLiteral("Formats"), formats, config());
    }
    QString stored() const
    {
        return ReadIni(QStringLiteral("Lyrics"), QStringLiteral("Formats"), config());
    }
    ExportForm loaded()
    {
        ExportForm form(mst(), config());
        form.Form_Load({}, {});
        return form;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(FormatsSetting, MissingOrUnknownMeansTheKokAlone)
{
    EXPECT_EQ(formatsToWrite(ReadExportSettings(config()).Formats),
              std::vector<LyricsFormat>{LyricsFormat::Kok});
    store(QStringLiteral("srt, txt"));
    EXPECT_EQ(formatsToWrite(ReadExportSettings(config()).Formats),
              std::vector<LyricsFormat>{LyricsFormat::Kok});
    const ExportForm form = loaded();
    EXPECT_TRUE(form.CheckFormatKok);
    EXPECT_FALSE(form.CheckFormatLrc);
    EXPECT_FALSE(form.CheckFormatAss);
}

TEST_F(FormatsSetting, StoredListIsReadAndShown)
{
    store(QStringLiteral("ass, LRC,foo"));
    EXPECT_EQ(formatsToWrite(ReadExportSettings(config()).Formats),
              (std::vector<LyricsFormat>{LyricsFormat::Lrc, LyricsFormat::Ass}));
    const ExportForm form = loaded();
    EXPECT_FALSE(form.CheckFormatKok);
    EXPECT_TRUE(form.CheckFormatLrc);
    EXPECT_TRUE(form.CheckFormatAss);
}

TEST_F(FormatsSetting, TheDialogSavesTheTickedFormats)
{
    ExportForm form = loaded();
    form.CheckFormatKok = true;
    form.CheckFormatAss = true;
    EXPECT_EQ(form.Btn_Validation_Click(), ExportOutcome::Validated);
    EXPECT_EQ(stored(), QStringLiteral("kok,ass"));

    // Nothing ticked keeps the default rather than a list that names none.
    form.CheckFormatKok = false;
    form.CheckFormatAss = false;
    form.MemoParam();
    EXPECT_EQ(stored(), QStringLiteral("kok"));

    // A cancel saves nothing.
    store(QStringLiteral("lrc"));
    ExportForm cancelled = loaded();
    cancelled.CheckFormatAss = true;
    EXPECT_EQ(cancelled.Btn_Abandon_Click(), ExportOutcome::Cancelled);
    EXPECT_EQ(stored(), QStringLiteral("lrc"));
}
