#include "PlaylistFixture.h"

#include "base/Geometry.h"
#include "base/Ini.h"
#include "base/KeyMods.h"
#include "skins/PictureButton.h"
#include "songlist/ListFile.h"

#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <QUrl>

using namespace melorit;
using namespace melorit::windows::test;

namespace {

QString iniValue(const char *section, const char *key)
{
    return ReadIni(QString::fromLatin1(section), QString::fromLatin1(key));
}

} // namespace

TEST_F(PlaylistWindowTest, LinesShowTheSongsWithTheMarkOnTheCurrentOne)
{
    songs.addSongs({QStringLiteral("/k/Les_Feuilles%20mortes.kar"),
                    QStringLiteral("/k/Hey%7Ejude.mid"), QStringLiteral("/k/plain.midi")},
                   false);
    EXPECT_EQ(lineTexts(),
              (QStringList{QStringLiteral("-> Les Feuilles mortes"), QStringLiteral("    Hey~jude"),
                           QStringLiteral("    plain")}));
    EXPECT_EQ(window->MarkedLine(), 1);
    EXPECT_EQ(window->PlayListe()->model()->rowCount(), 3);
    EXPECT_EQ(window->PlayListe()->model()->index(1, 0).data().toString(), u"    Hey~jude");
}

TEST_F(PlaylistWindowTest, SelectingMovesTheMarkAndZeroOnlyRemovesIt)
{
    addSongs(3);
    window->PlayListSelect(3);
    EXPECT_EQ(lineTexts(), (QStringList{QStringLiteral("    1"), QStringLiteral("    2"),
                                        QStringLiteral("-> 3")}));
    window->PlayListSelect(0);
    EXPECT_EQ(window->MarkedLine(), 0);
    EXPECT_EQ(lineTexts(), (QStringList{QStringLiteral("    1"), QStringLiteral("    2"),
                                        QStringLiteral("    3")}));
    EXPECT_EQ(songs.count(), 3) << "the songs stay";
    window->PlayListSelect(2);
    window->PlayListSelect(4);
    EXPECT_EQ(window->MarkedLine(), 0) << "a line beyond the list takes the mark off";
    EXPECT_FALSE(lineTexts().join(QString()).contains(u"->"));
}

TEST_F(PlaylistWindowTest, ButtonsDrawDownWhilePressedAndUpAfterwards)
{
    for (int button = 48; button <= 54; ++button) {
        EXPECT_EQ(picture(button), expectedPicture(button, 0)) << "button " << button;
        EXPECT_FALSE(picture(button).isNull());
    }
    EXPECT_NE(expectedPicture(48, 0), expectedPicture(48, 1));
    QTest::mousePress(window->PicSM(53), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(picture(53), expectedPicture(53, 1));
    QTest::mouseRelease(window->PicSM(53), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(picture(53), expectedPicture(53, 0));
}

TEST_F(PlaylistWindowTest, ReleasingOutsideTheButtonRunsNothingButDrawsItUp)
{
    addSongs(3);
    selectLines({2});
    for (const QPoint outside : {QPoint(25, 12), QPoint(12, -1), QPoint(-3, 30)}) {
        for (int button = 48; button <= 53; ++button) {
            click(button, Qt::ShiftModifier, outside);
            EXPECT_EQ(picture(button), expectedPicture(button, 0)) << "button " << button;
        }
        click(54, Qt::NoModifier, outside);
        EXPECT_EQ(picture(54), expectedPicture(54, 0)) << "the repeat mode shows again";
    }
    EXPECT_TRUE(chooser.requests.empty()) << "no file chooser opened";
    EXPECT_EQ(songs.count(), 3);
    EXPECT_EQ(songs.songs(),
              (QStringList{QStringLiteral("/songs/1.kar"), QStringLiteral("/songs/2.kar"),
                           QStringLiteral("/songs/3.kar")}))
        << "no shuffle";
    EXPECT_TRUE(host.played.isEmpty());
    EXPECT_EQ(host.repeats, 0);

    // The edge itself still counts as inside.
    click(52, Qt::NoModifier, QPoint(24, 24));
    EXPECT_EQ(host.played, QList<int>{2});
}

TEST_F(PlaylistWindowTest, RemoveTakesTheSelectedLinesAndShiftClearsAll)
{
    addSongs(5);
    songs.setCurrentSong(4);
    songs.selectCurrent();
    QSignalSpy titles(&songs, &songlist::SongList::titleChanged);
    selectLines({1, 3});
    click(49);
    EXPECT_EQ(lineTexts(), (QStringList{QStringLiteral("    2"), QStringLiteral("-> 4"),
                                        QStringLiteral("    5")}));
    EXPECT_EQ(songs.CurrentSong(), 2) << "the same song stays current";
    EXPECT_GE(titles.count(), 1) << "the title is refreshed";
    EXPECT_EQ(keyMods(), KeyMods{}) << "no modifier recorded";

    click(49, Qt::ShiftModifier);
    EXPECT_EQ(songs.count(), 0);
    EXPECT_EQ(window->lines().count(), 0);
    EXPECT_EQ(songs.CurrentSong(), 0);
    EXPECT_EQ(window->MarkedLine(), 0);
    EXPECT_TRUE(keyMods().shift) << "the release records the modifiers";
}

TEST_F(PlaylistWindowTest, RemovingTheMarkedLastLineLeavesNoCurrentSong)
{
    addSongs(3);
    songs.setCurrentSong(3);
    songs.selectCurrent();
    ASSERT_EQ(window->MarkedLine(), 3);
    selectLines({3});
    click(49);
    EXPECT_EQ(songs.CurrentSong(), 0);
    EXPECT_EQ(window->MarkedLine(), 0);
    EXPECT_EQ(lineTexts(), (QStringList{QStringLiteral("    1"), QStringLiteral("    2")}));

    // With nothing selected the command removes nothing.
    window->PlayListe()->selectionModel()->clearSelection();
    click(49);
    EXPECT_EQ(songs.count(), 2);
}

TEST_F(PlaylistWindowTest, RemovingLinesKeepsTheListWhereItWasScrolled)
{
    addSongs(300);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTreeView *list = window->PlayListe();
    list->scrollTo(window->lines().index(250), QAbstractItemView::PositionAtTop);
    const int scrolled = list->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    selectLines({260});
    click(49);
    ASSERT_EQ(songs.count(), 299);
    EXPECT_EQ(list->verticalScrollBar()->value(), scrolled);
    click(53);
    EXPECT_EQ(list->verticalScrollBar()->value(), scrolled) << "nor does a shuffle move it";
}

TEST_F(PlaylistWindowTest, ShuffleKeepsTheCurrentSongMarked)
{
    addSongs(8);
    songs.setCurrentSong(5);
    songs.selectCurrent();
    click(53);
    ASSERT_EQ(songs.count(), 8);
    EXPECT_NE(songs.songs().first(), u"/songs/1.kar") << "with this seed the order changes";
    EXPECT_EQ(songs.song(songs.CurrentSong()), u"/songs/5.kar");
    EXPECT_EQ(window->MarkedLine(), songs.CurrentSong());
    EXPECT_EQ(window->lines().lineText(window->MarkedLine()), u"-> 5");
    for (int line = 1; line <= 8; ++line) {
        EXPECT_TRUE(
            window->lines().lineText(line).endsWith(songlist::SongDisplayName(songs.song(line))))
            << "line " << line << " shows its song";
    }
}

TEST_F(PlaylistWindowTest, PlayingGoesToTheMainWindowWithTheLine)
{
    addSongs(4);
    click(52);
    EXPECT_TRUE(host.played.isEmpty()) << "no line chosen, nothing to play";
    selectLines({3});
    click(52);
    EXPECT_EQ(host.played, QList<int>{3});

    QTreeView *list = window->PlayListe();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect second = list->visualRect(window->lines().index(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(host.played, (QList<int>{3, 2}));
}

TEST_F(PlaylistWindowTest, SingersAreNamedInTheirColumnInPlace)
{
    addSongs(3);
    songs.setSinger(2, QStringLiteral("Anna"));
    QTreeView *list = window->PlayListe();
    const auto cell = [&](int line, int column) {
        return list->model()->index(line - 1, column).data().toString();
    };
    EXPECT_EQ(cell(2, 1), u"Anna");
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), u"Chanteur");

    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QRect third = list->visualRect(list->model()->index(2, 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, third.center());
    auto *editor = list->viewport()->findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr) << "the cell opened for editing";
    QTest::keyClicks(editor, QStringLiteral("Ben"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the delegate commits once back in the event loop
    EXPECT_EQ(songs.singer(3), u"Ben");
    EXPECT_EQ(cell(3, 1), u"Ben");
    EXPECT_TRUE(host.played.isEmpty()) << "a double click on the singer edits, it does not play";

    click(53); // the names go along with their songs
    for (int line = 1; line <= 3; ++line) {
        EXPECT_EQ(cell(line, 1), songs.singer(line)) << line;
    }
}

TEST_F(PlaylistWindowTest, RepeatButtonRunsTheMainWindowsCommandWhichDrawsIt)
{
    host.repeatMode = 2;
    click(54);
    EXPECT_EQ(host.repeats, 1);
    EXPECT_EQ(picture(54), expectedPicture(54, 2)) << "left as the command drew it";
    EXPECT_NE(expectedPicture(54, 2), expectedPicture(54, 0));
    click(54, Qt::NoModifier, QPoint(30, 30));
    EXPECT_EQ(host.repeats, 1);
    EXPECT_EQ(picture(54), expectedPicture(54, 2)) << "released outside: the mode shows again";
    host.repeatMode = 0;
    click(54);
    EXPECT_EQ(picture(54), expectedPicture(54, 0));
}

TEST_F(PlaylistWindowTest, ResizingFollowsTheWindowDownTo160Pixels)
{
    QTreeView *list = window->PlayListe();
    EXPECT_EQ(list->pos(), QPoint(32, 0));
    window->show(); // a hidden window gets its resize events when shown
    window->resize(400, 300);
    EXPECT_EQ(list->size(), QSize(368, 300));
    window->resize(150, 120);
    EXPECT_EQ(list->size(), QSize(368, 300)) << "too small: the list keeps its size";
    window->resize(159, 200);
    EXPECT_EQ(list->size(), QSize(368, 200)) << "only the height follows";
    window->resize(160, 159);
    EXPECT_EQ(list->size(), QSize(128, 200)) << "only the width follows";
    for (int button = 48; button <= 54; ++button) {
        EXPECT_EQ(window->PicSM(button)->geometry(), QRect(4, 4 + 24 * (button - 48), 24, 24));
    }
}

TEST_F(PlaylistWindowTest, ClosingHidesTheWindowUnlessTheProgramShutsDown)
{
    addSongs(2);
    WriteIni(QStringLiteral("PlayList"), QStringLiteral("Show"), QStringLiteral("1"));
    window->show();
    EXPECT_FALSE(window->close()) << "the close is refused";
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(iniValue("Playlist", "Show"), u"0");
    EXPECT_EQ(host.hiddenByUser, 1);
    EXPECT_EQ(window->lines().count(), 2) << "hiding keeps the lines";

    window->show();
    WriteIni(QStringLiteral("PlayList"), QStringLiteral("Show"), QStringLiteral("1"));
    host.shuttingDown = true;
    EXPECT_TRUE(window->close());
    EXPECT_EQ(iniValue("PlayList", "Show"), u"1") << "shutting down keeps the setting";
    EXPECT_EQ(host.hiddenByUser, 1);
}

TEST_F(PlaylistWindowTest, MovesStoreTheOffsetFromTheMainWindowInTwips)
{
    host.mainPos = QPoint(100, 50);
    window->show();
    host.offsets.clear();
    window->move(130, 90);
    window->MemoPosition();
    ASSERT_FALSE(host.offsets.isEmpty());
    const QPoint expected(geometry::pixelsToTwips(window->pos().x() - 100),
                          geometry::pixelsToTwips(window->pos().y() - 50));
    EXPECT_EQ(host.offsets.back(), expected);
    EXPECT_EQ(iniValue("PlayList", "X"), QString::number(expected.x()));
    EXPECT_EQ(iniValue("PlayList", "Y"), QString::number(expected.y()));

    host.moving = true;
    host.offsets.clear();
    host.mainPos = QPoint(0, 0);
    window->MemoPosition();
    EXPECT_TRUE(host.offsets.isEmpty()) << "the main window is moving it along";
    EXPECT_EQ(iniValue("PlayList", "X"), QString::number(expected.x()));
}

TEST_F(PlaylistWindowTest, DroppedFilesGoToTheMainWindow)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/music/Été.kar")),
                  QUrl(QStringLiteral("https://example.org/x.mid")),
                  QUrl::fromLocalFile(QStringLiteral("/sf/font.sf2"))});
    QDragEnterEvent enter(QPoint(100, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(100, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.get(), &drop);
    ASSERT_EQ(host.drops.size(), 1);
    EXPECT_EQ(host.drops.front(),
              (QStringList{QStringLiteral("/music/Été.kar"), QStringLiteral("/sf/font.sf2")}));
    EXPECT_EQ(songs.count(), 0) << "the main window decides what to add";

    QMimeData text;
    text.setText(QStringLiteral("not a file"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, {});
    QCoreApplication::sendEvent(window.get(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(PlaylistWindowTest, TextsFollowTheLanguageFile)
{
    EXPECT_EQ(u8(window->windowTitle()), "Liste de lecture");
    EXPECT_EQ(u8(window->PicSM(48)->toolTip()), "Ajouter Midi");
    EXPECT_EQ(u8(window->PicSM(53)->toolTip()), "Aléatoire");
    host.language = folder.english();
    window->LoadLanguage();
    EXPECT_EQ(u8(window->windowTitle()), "Playlist");
    EXPECT_EQ(u8(window->PicSM(48)->toolTip()), "Add MIDI files");
    EXPECT_EQ(u8(window->PicSM(54)->toolTip()), "Repeat");

    // A language file without the playlist's texts leaves them empty.
    host.language = folder.write(QStringLiteral("xx.lng"), "[MELORIT]\r\nLng=xx\r\n");
    window->LoadLanguage();
    EXPECT_TRUE(window->windowTitle().isEmpty());
    EXPECT_TRUE(window->PicSM(49)->toolTip().isEmpty());
}
