#include "PlaylistFixture.h"

#include "base/Ini.h"
#include "songlist/ListFile.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

using namespace melorit;
using namespace melorit::windows::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(PlaylistWindowTest, LoadingListsReadsEachAndRemembersTheFolder)
{
    QTemporaryDir lists;
    const QString first = lists.filePath(QStringLiteral("soirée.m3u"));
    const QString second = lists.filePath(QStringLiteral("b.mpl"));
    folder.write(first, "#EXTM3U\r\n#EXTINF:1,x\r\nA_song.kar\r\nnotes.txt\r\n");
    folder.write(second, "/abs/B.MID\r\nsub\\c.midi\r\n");
    chooser.answers = {{first, second}};
    click(50);

    ASSERT_EQ(chooser.requests.size(), 1u);
    const playlist::FileDialogRequest &request = chooser.requests.front();
    EXPECT_EQ(u8(request.title), "Charger une liste de lecture");
    EXPECT_EQ(u8(request.filter), "Listes de lecture (.mpl, .m3u) (*.mpl *.m3u);;"
                                  "Listes Melorit (.mpl) (*.mpl);;Listes M3U (.m3u) (*.m3u)");
    EXPECT_EQ(request.folder, QString()) << "no list folder yet";
    EXPECT_EQ(songs.songs(), (QStringList{lists.filePath(QStringLiteral("A_song.kar")),
                                          QStringLiteral("/abs/B.MID"),
                                          lists.filePath(QStringLiteral("sub/c.midi"))}));
    EXPECT_EQ(lineTexts(), (QStringList{QStringLiteral("-> A song"), QStringLiteral("    B"),
                                        QStringLiteral("    c")}));
    const QString listFolder = lists.path() + u'/';
    EXPECT_EQ(ReadIni(QStringLiteral("Lst"), QStringLiteral("Path")), listFolder);
    EXPECT_TRUE(messages.messages.empty());

    // The next chooser opens there; a cancel changes nothing.
    click(50);
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(chooser.requests.back().folder, listFolder);
    EXPECT_EQ(songs.count(), 3);
}

TEST_F(PlaylistWindowTest, AListThatCannotBeReadIsReportedAndTheOthersStillCome)
{
    QTemporaryDir lists;
    const QString good = lists.filePath(QStringLiteral("good.m3u"));
    folder.write(good, "x.kar\r\n");
    const QString missing = lists.filePath(QStringLiteral("gone.m3u"));
    chooser.answers = {{missing, good}};
    window->Action_LoadList();
    EXPECT_EQ(songs.songs(), QStringList{lists.filePath(QStringLiteral("x.kar"))});
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_TRUE(messages.messages[0].text.contains(QDir::toNativeSeparators(missing)));
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
}

TEST_F(PlaylistWindowTest, SavingWritesTheListBesideItsSongs)
{
    QTemporaryDir lists;
    const QString target = lists.filePath(QStringLiteral("out.mpl"));
    songs.addSongs({lists.filePath(QStringLiteral("a/b.mid")), QStringLiteral("/elsewhere/c.kar")},
                   false);
    chooser.answers = {{target}};
    click(51);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(u8(chooser.requests[0].title), "Enregistrer la liste de lecture");
    EXPECT_EQ(u8(chooser.requests[0].filter),
              "Liste Melorit (.mpl) (*.mpl);;Liste M3U (.m3u) (*.m3u)");
    EXPECT_EQ(readAll(target), QByteArray("a/b.mid\r\n/elsewhere/c.kar\r\n"));
    EXPECT_EQ(ReadIni(QStringLiteral("Lst"), QStringLiteral("Path")), lists.path() + u'/');
    // Read back, the list gives the same songs.
    EXPECT_EQ(songlist::readListFile(target).value_or(QStringList()), songs.songs());

    // A list that cannot be written is reported, not taken for saved.
    chooser.answers = {{lists.filePath(QStringLiteral("no/such/folder/x.m3u"))}};
    window->Action_SaveList();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].icon, MessageIcon::Critical);
}

TEST_F(PlaylistWindowTest, AddingSongsUsesTheExtensionsOfTheLanguageFile)
{
    const QString songFolder = folder.path() + QStringLiteral("/karaoke/");
    chooser.answers = {
        {songFolder + QStringLiteral("un.kar"), songFolder + QStringLiteral("deux.mid")}};
    click(48);
    ASSERT_EQ(chooser.requests.size(), 1u);
    EXPECT_EQ(u8(chooser.requests[0].title), "Ajouter des morceaux");
    EXPECT_EQ(
        u8(chooser.requests[0].filter),
        "Fichiers MIDI et karaoké (mid,kar,midi) (*.mid *.kar *.midi);;Tous les fichiers (*)");
    EXPECT_EQ(songs.count(), 2);
    EXPECT_EQ(songs.CurrentSong(), 1) << "nothing was current: the first song is";
    EXPECT_EQ(ReadIni(QStringLiteral("Mid"), QStringLiteral("Path")), songFolder);

    // Play now: the first added song becomes current at once.
    chooser.answers = {{songFolder + QStringLiteral("trois.kar")}};
    EXPECT_TRUE(window->Action_Plus(true));
    EXPECT_EQ(chooser.requests.back().folder, songFolder);
    EXPECT_EQ(songs.CurrentSong(), 3);
    EXPECT_EQ(window->MarkedLine(), 3);

    // Cancelled: nothing happens.
    EXPECT_FALSE(window->Action_Plus(true));
    EXPECT_EQ(songs.count(), 3);
    EXPECT_EQ(songs.CurrentSong(), 3);
}

TEST_F(PlaylistWindowTest, TheFoldersOfAnEarlierRunAreWhereTheChoosersOpen)
{
    WriteIni(QStringLiteral("Lst"), QStringLiteral("Path"), QStringLiteral("/lists/"));
    WriteIni(QStringLiteral("Mid"), QStringLiteral("Path"), QStringLiteral("/songs/"));
    playlist::PlaylistWindow fresh(songs, host, skinSet, &chooser);
    fresh.Action_LoadList();
    fresh.Action_Plus(false);
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_EQ(u8(chooser.requests[0].folder), "/lists/");
    EXPECT_EQ(u8(chooser.requests[1].folder), "/songs/");
    host.shuttingDown = true;
}

TEST(FileChooser, DefaultSuffixComesFromTheFirstPattern)
{
    EXPECT_EQ(playlist::defaultSuffixOf(QStringLiteral("Liste Melorit (*.mpl)")), u"mpl");
    EXPECT_EQ(playlist::defaultSuffixOf(QStringLiteral("Listes (*.m3u *.mpl)")), u"m3u");
    EXPECT_EQ(playlist::defaultSuffixOf(QStringLiteral("Tous les fichiers (*)")), QString());
    EXPECT_EQ(playlist::defaultSuffixOf(QString()), QString());
}

namespace {

// The desktop's save dialog answered as a user would: the list type chosen
// in the type box (by its position), then a name typed and accepted.
QString saveWithDialog(const QString &folder, int typeIndex, const QString &typed)
{
    QTimer::singleShot(0, [typeIndex, typed] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            ADD_FAILURE() << "no save dialog";
            return;
        }
        auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        types->setCurrentIndex(typeIndex);
        Q_EMIT types->activated(typeIndex);
        Q_EMIT types->textActivated(types->currentText());
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
        dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
            ->button(QDialogButtonBox::Save)
            ->click();
    });
    playlist::DialogFileChooser chooser;
    return chooser.chooseFileToSave(
        {QStringLiteral("Save"), folder,
         QStringLiteral("Liste Melorit (.mpl) (*.mpl);;Liste M3U (.m3u) (*.m3u)")});
}

} // namespace

TEST(FileChooser, ANameWithoutExtensionGetsTheChosenListTypes)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    EXPECT_EQ(u8(saveWithDialog(folder, 0, QStringLiteral("party"))), u8(folder) + "party.mpl");
    EXPECT_EQ(u8(saveWithDialog(folder, 1, QStringLiteral("party"))), u8(folder) + "party.m3u");
    EXPECT_EQ(u8(saveWithDialog(folder, 0, QStringLiteral("party.m3u"))), u8(folder) + "party.m3u")
        << "a list type typed by the user stays";
    EXPECT_EQ(u8(saveWithDialog(folder, 0, QStringLiteral("vol. 2"))), u8(folder) + "vol. 2.mpl");
}
