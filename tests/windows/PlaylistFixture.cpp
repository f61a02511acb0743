#include "PlaylistFixture.h"

#include "skins/ButtonFrames.h"
#include "skins/PictureButton.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTest>
#include <QTreeView>

namespace melorit::windows::test {

PlaylistWindowTest::PlaylistWindowTest() : skinSet(skins::LoadSkins())
{
    host.language = folder.french();
    window = std::make_unique<playlist::PlaylistWindow>(songs, host, skinSet, &chooser);
    host.window = window.get();
}

PlaylistWindowTest::~PlaylistWindowTest()
{
    host.window = nullptr;
    host.shuttingDown = true;
    window.reset();
}

void PlaylistWindowTest::addSongs(int n)
{
    QStringList paths;
    for (int i = 1; i <= n; ++i) {
        paths.append(QStringLiteral("/songs/%1.kar").arg(i));
    }
    songs.addSongs(paths, false);
}

QStringList PlaylistWindowTest::lineTexts() const
{
    QStringList texts;
    for (int line = 1; line <= window->lines().count(); ++line) {
        texts.append(window->lines().lineText(line));
    }
    return texts;
}

void PlaylistWindowTest::selectLines(const QList<int> &lines)
{
    QItemSelectionModel *selection = window->PlayListe()->selectionModel();
    selection->clearSelection();
    for (int line : lines) {
        selection->select(window->lines().index(line - 1), QItemSelectionModel::Select);
    }
    if (!lines.isEmpty()) {
        selection->setCurrentIndex(window->lines().index(lines.front() - 1),
                                   QItemSelectionModel::NoUpdate);
    }
}

void PlaylistWindowTest::click(int button, Qt::KeyboardModifiers modifiers, QPoint releaseAt)
{
    QWidget *target = window->PicSM(button);
    ASSERT_NE(target, nullptr);
    QTest::mousePress(target, Qt::LeftButton, modifiers, QPoint(12, 12));
    QTest::mouseRelease(target, Qt::LeftButton, modifiers, releaseAt);
}

QImage PlaylistWindowTest::picture(int button) const
{
    return window->PicSM(button)->picture().toImage();
}

QImage PlaylistWindowTest::expectedPicture(int button, int state) const
{
    const auto frame = skins::playlistButtonFrame(button, state);
    return frame ? skins::framePixmap(skinSet, *frame).toImage() : QImage();
}

} // namespace melorit::windows::test
