#include "ExportDialogFixture.h"

#include "export/ExportDialog.h"
#include "export/ExportDialogs.h"

#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace melorit::exporting::test {
namespace {

using windows::test::u8;

class ExportDialogsTest : public ExportDialogFixture {
protected:
    ExportDialogs dialogs() const
    {
        const QString language = english();
        return ExportDialogs([language] { return language; }, nullptr, config());
    }
};

TEST_F(ExportDialogsTest, CancelledDialogGivesNoChoice)
{
    ExportDialogs asking = dialogs();
    whenModal<ExportDialog>([](ExportDialog *dialog) { dialog->Btn_Abandon()->click(); });
    EXPECT_FALSE(asking.exportDialog(mst(), QStringLiteral("A"), QStringLiteral("T")));
}

TEST_F(ExportDialogsTest, ValidatedDialogGivesTheSavedSettingsAndTags)
{
    setWave(QStringLiteral("Encoding"), QStringLiteral("1"));
    setWave(QStringLiteral("Rate"), QStringLiteral("256"));
    ExportDialogs asking = dialogs();
    whenModal<ExportDialog>([](ExportDialog *dialog) {
        dialog->RecFolder()->setText(QStringLiteral("/srv/karaoke"));
        dialog->TextAlbum()->setText(QStringLiteral("Live"));
        dialog->Btn_Validation()->click();
    });
    const auto choice = asking.exportDialog(mst(), QStringLiteral("Barbara"), QString());
    ASSERT_TRUE(choice);
    EXPECT_FALSE(choice->batch);
    EXPECT_EQ(choice->settings.Encoding, 1);
    EXPECT_EQ(u8(choice->settings.Rate), "256");
    EXPECT_EQ(choice->settings.SaveFolder, QStringLiteral("/srv/karaoke") + QDir::separator());
    EXPECT_EQ(u8(choice->tags.Artist), "Barbara");
    EXPECT_EQ(u8(choice->tags.Album), "Live");
    EXPECT_EQ(u8(tag(QStringLiteral("Album"))), "Live");
}

TEST_F(ExportDialogsTest, ChoosingTheBatchIsReported)
{
    ExportDialogs asking = dialogs();
    whenModal<ExportDialog>([](ExportDialog *dialog) {
        whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        dialog->Btn_Tous()->click();
    });
    const auto choice = asking.exportDialog(mst(), QString(), QString());
    ASSERT_TRUE(choice);
    EXPECT_TRUE(choice->batch);
}

TEST_F(ExportDialogsTest, DuringABatchTheDialogAnswersItself)
{
    setTag(QStringLiteral("Genre"), QStringLiteral("Rock"));
    ExportDialogs asking = dialogs();
    asking.setBatchEncode(true);
    const ModalGuard guard;
    const auto choice = asking.exportDialog(mst(), QStringLiteral("A"), QStringLiteral("T"));
    ASSERT_TRUE(choice);
    EXPECT_TRUE(choice->batch);
    EXPECT_EQ(u8(choice->tags.Genre), "Rock");
    EXPECT_EQ(u8(choice->tags.Title), "T");
    EXPECT_EQ(u8(tag(QStringLiteral("Titre"))), "T");
}

TEST_F(ExportDialogsTest, OverwriteQuestionHasNoAsDefault)
{
    ExportDialogs asking = dialogs();
    bool noIsDefault = false;
    QString text;
    QString title;
    whenModal<QMessageBox>([&](QMessageBox *box) {
        noIsDefault = box->defaultButton() == box->button(QMessageBox::No);
        text = box->text();
        title = box->windowTitle();
        box->defaultButton()->click();
    });
    EXPECT_FALSE(
        asking.confirmOverwrite(QStringLiteral("Replace /x.mp3?"), QStringLiteral("File exists")));
    EXPECT_TRUE(noIsDefault);
    EXPECT_EQ(u8(text), "Replace /x.mp3?");
    EXPECT_EQ(u8(title), "File exists");

    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
    EXPECT_TRUE(asking.confirmOverwrite(QStringLiteral("Replace?"), QStringLiteral("File")));
}

} // namespace
} // namespace melorit::exporting::test
