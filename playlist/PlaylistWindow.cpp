#include "playlist/PlaylistWindow.h"

#include "base/Ini.h"
#include "base/KeyMods.h"
#include "base/Language.h"
#include "base/WindowOffset.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistLayout.h"
#include "playlist/PlaylistWindowKeys.h"
#include "skins/ButtonFrames.h"
#include "skins/PictureButton.h"
#include "skins/Skins.h"
#include "skins/WindowPalette.h"
#include "songlist/SongList.h"

#include <QCloseEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QTreeView>
#include <QUrl>

namespace melorit::playlist {
namespace {

// The buttons from top to bottom.
enum Button {
    kAddButton = 48,
    kRemoveButton,
    kLoadButton,
    kSaveButton,
    kPlayButton,
    kShuffleButton,
    kRepeatButton,
};
static_assert(kAddButton == skins::kFirstPlaylistButton);
static_assert(kRepeatButton == skins::kPlaylistRepeatButton);

QStringList singers(const songlist::SongList &songs)
{
    QStringList names;
    names.reserve(songs.count());
    for (int i = 1; i <= songs.count(); ++i) {
        names.append(songs.singer(i));
    }
    return names;
}

} // namespace

PlaylistWindow::PlaylistWindow(songlist::SongList &songs, PlaylistHost &host,
                               const skins::SkinSet &skins, FileChooser *chooser, QWidget *parent)
    : QWidget(parent, Qt::Window), m_songs(songs), m_host(host), m_skins(skins),
      m_ownChooser(chooser ? nullptr : std::make_unique<DialogFileChooser>(this)),
      m_chooser(chooser ? chooser : m_ownChooser.get())
{
    setPalette(skins::windowPalette());
    setAutoFillBackground(true);
    setAcceptDrops(true);
    m_listFolder = ReadIni(keys::kListFolderSection, keys::kFolderKey);
    m_songFolder = ReadIni(keys::kSongFolderSection, keys::kFolderKey);
    buildList();
    buildButtons();
    followSongs();
    resize(layout::kInitialSize);
    DispMiscButtons();
    LoadLanguage();
}

PlaylistWindow::~PlaylistWindow() = default;

void PlaylistWindow::buildList()
{
    m_list = new QTreeView(this);
    m_list->setModel(&m_lines);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Only the singer's cell is editable: a double click there (or F2, or a
    // click on the selected line's cell) names the singer; elsewhere it plays.
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::SelectedClicked);
    // Every line has the same height: the view lays out ten thousand lines
    // without measuring each.
    m_list->setUniformRowHeights(true);
    m_list->setFrameShape(QFrame::NoFrame);
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(PlaylistLines::kSongColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(PlaylistLines::kSingerColumn, QHeaderView::Interactive);
    header->resizeSection(PlaylistLines::kSingerColumn, layout::kSingerColumnWidth);
    // Fixed pitch keeps the names in one column behind "-> " and four spaces.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setGeometry(layout::kListLeft, 0, layout::kInitialSize.width() - layout::kListLeft,
                        layout::kInitialSize.height());
    connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.column() != PlaylistLines::kSongColumn) {
            return; // the singer's cell is being edited
        }
        m_list->setCurrentIndex(index);
        Action_PlayIt();
    });
    connect(&m_lines, &PlaylistLines::singerEdited, &m_songs, &songlist::SongList::setSinger);
}

void PlaylistWindow::buildButtons()
{
    for (int index = skins::kFirstPlaylistButton; index <= skins::kLastPlaylistButton; ++index) {
        auto *button = new skins::PictureButton(index, this);
        button->setGeometry(layout::buttonRect(index));
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &skins::PictureButton::pressed, this, &PlaylistWindow::buttonPressed);
        connect(button, &skins::PictureButton::released, this, &PlaylistWindow::buttonReleased);
        m_buttons[static_cast<std::size_t>(index - skins::kFirstPlaylistButton)] = button;
    }
}

void PlaylistWindow::followSongs()
{
    m_lines.reset(m_songs.songs(), singers(m_songs));
    m_lines.select(m_songs.mark());
    connect(&m_songs, &songlist::SongList::songAdded, this, &PlaylistWindow::songAdded);
    connect(&m_songs, &songlist::SongList::singerChanged, this,
            [this](int line) { m_lines.setSinger(line, m_songs.singer(line)); });
    connect(&m_songs, &songlist::SongList::listChanged, this, &PlaylistWindow::rebuildLines);
    connect(&m_songs, &songlist::SongList::markMoved, this, &PlaylistWindow::PlayListSelect);
}

void PlaylistWindow::rebuildLines()
{
    // Lines go or change places: the list shows the same stretch of lines
    // as before rather than jumping back to the top.
    const int scrolled = m_list->verticalScrollBar()->value();
    m_lines.reset(m_songs.songs(), singers(m_songs));
    m_lines.select(m_songs.mark());
    m_list->doItemsLayout();
    m_list->verticalScrollBar()->setValue(scrolled);
}

void PlaylistWindow::PlayListAdd(const QString &path)
{
    m_lines.append(path);
}

void PlaylistWindow::songAdded(const QString &path)
{
    // The entry just appended is the last one, with its singer.
    m_lines.append(path, m_songs.singer(m_songs.count()));
}

void PlaylistWindow::PlayListSelect(int line)
{
    m_lines.select(line);
}

skins::PictureButton *PlaylistWindow::PicSM(int index) const
{
    if (index < skins::kFirstPlaylistButton || index > skins::kLastPlaylistButton) {
        return nullptr;
    }
    return m_buttons[static_cast<std::size_t>(index - skins::kFirstPlaylistButton)];
}

void PlaylistWindow::DrawSM(int button, int state)
{
    if (button == kRepeatButton) {
        m_repeatState = state;
    }
    showState(button, state);
}

void PlaylistWindow::showState(int button, int state)
{
    skins::PictureButton *target = PicSM(button);
    const auto frame = skins::playlistButtonFrame(button, state);
    if (target && frame) {
        target->setPicture(skins::framePixmap(m_skins, *frame));
    }
}

void PlaylistWindow::DispMiscButtons()
{
    for (int index = skins::kFirstPlaylistButton; index <= skins::kLastPlaylistButton; ++index) {
        DrawSM(index, 0);
    }
}

void PlaylistWindow::LoadLanguage()
{
    const QString file = m_host.languageFile();
    const auto text = [&file](QLatin1StringView key) {
        return languageText(file, keys::kSection, key);
    };
    setWindowTitle(text(keys::kCaptionKey));
    m_lines.setHeaders(text(keys::kSongColumnKey), text(keys::kSingerColumnKey));
    for (skins::PictureButton *button : m_buttons) {
        button->setToolTip(
            languageText(file, keys::kSection, indexedKey(keys::kButtonTipStem, button->index())));
    }
    m_loadFilter = text(keys::kLoadFilterKey);
    m_loadTitle = text(keys::kLoadTitleKey);
    m_saveFilter = text(keys::kSaveFilterKey);
    m_saveTitle = text(keys::kSaveTitleKey);
    m_songFilter = text(keys::kSongFilterKey);
    m_songTitle = text(keys::kSongTitleKey);
    m_extensions = languageText(file, keys::kMainSection, keys::kExtensionsKey).toLower();
}

void PlaylistWindow::MemoPosition()
{
    if (m_host.movingSecondaryWindows()) {
        return;
    }
    const QPoint offset = windowOffsetTwips(pos(), m_host.mainWindowPos());
    m_host.setPlaylistOffset(offset);
    writeWindowOffset(keys::kSection, offset);
}

void PlaylistWindow::buttonPressed(int index)
{
    showState(index, 1);
}

void PlaylistWindow::buttonReleased(int index, Qt::MouseButton, bool inside,
                                    Qt::KeyboardModifiers modifiers)
{
    refreshKeyMods(shiftArgument(modifiers));
    if (inside) {
        runButton(index, modifiers);
    }
    // The repeat command draws its button itself, with the new mode; without
    // the command the button shows the mode it showed before the press.
    if (index != kRepeatButton) {
        DrawSM(index, 0);
    } else if (!inside) {
        showState(index, m_repeatState);
    }
}

void PlaylistWindow::runButton(int index, Qt::KeyboardModifiers modifiers)
{
    switch (index) {
    case kAddButton:
        Action_Plus(false);
        break;
    case kRemoveButton:
        if (modifiers.testFlag(Qt::ShiftModifier)) {
            Action_Poubelle();
        } else {
            Action_Moins();
        }
        break;
    case kLoadButton:
        Action_LoadList();
        break;
    case kSaveButton:
        Action_SaveList();
        break;
    case kPlayButton:
        Action_PlayIt();
        break;
    case kShuffleButton:
        Action_Shuffle();
        break;
    case kRepeatButton:
        m_host.Action_Repeat();
        break;
    default:
        break;
    }
}

void PlaylistWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_list->resize(layout::listSize(size(), m_list->size()));
}

void PlaylistWindow::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    MemoPosition();
}

void PlaylistWindow::closeEvent(QCloseEvent *event)
{
    if (m_host.closingDown()) {
        event->accept();
        return;
    }
    // The user closed it: it only hides, keeping its lines and mark.
    event->ignore();
    hide();
    WriteIni(keys::kSection, keys::kShowKey, keys::kHiddenValue);
    m_host.playlistHiddenByUser();
}

namespace {

QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data) {
        return files;
    }
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

} // namespace

void PlaylistWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void PlaylistWindow::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    m_host.GereDrop(files);
}

} // namespace melorit::playlist
