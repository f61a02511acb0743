#pragma once

#include "WindowTestSupport.h"

#include "playlist/FileChooser.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistWindow.h"
#include "skins/Skins.h"
#include "songlist/SongList.h"

#include <QImage>
#include <QList>
#include <QPoint>

#include <gtest/gtest.h>

#include <deque>
#include <memory>

namespace melorit::windows::test {

// The main window as the playlist window sees it: answers from fields,
// records what it is asked.
class RecordingPlaylistHost final : public playlist::PlaylistHost {
public:
    QString languageFile() const override { return language; }
    void Action_PlaySelected(int line) override { played.append(line); }
    void Action_Repeat() override
    {
        ++repeats;
        if (window) {
            window->DrawSM(54, repeatMode);
        }
    }
    void GereDrop(const QStringList &paths) override { drops.append(paths); }
    bool closingDown() const override { return shuttingDown; }
    void playlistHiddenByUser() override { ++hiddenByUser; }
    bool movingSecondaryWindows() const override { return moving; }
    QPoint mainWindowPos() const override { return mainPos; }
    void setPlaylistOffset(QPoint offsetTwips) override { offsets.append(offsetTwips); }

    QString language;
    playlist::PlaylistWindow *window = nullptr;
    int repeatMode = 2;
    bool shuttingDown = false;
    bool moving = false;
    QPoint mainPos;

    QList<int> played;
    int repeats = 0;
    QList<QStringList> drops;
    int hiddenByUser = 0;
    QList<QPoint> offsets;
};

// Answers the file choosers from a script and keeps the requests.
class ScriptedChooser final : public playlist::FileChooser {
public:
    QStringList chooseFilesToOpen(const playlist::FileDialogRequest &request) override
    {
        requests.push_back(request);
        return takeAnswer();
    }
    QString chooseFileToSave(const playlist::FileDialogRequest &request) override
    {
        requests.push_back(request);
        return takeAnswer().value(0);
    }

    std::deque<QStringList> answers; // an empty answer is a cancel
    std::vector<playlist::FileDialogRequest> requests;

private:
    QStringList takeAnswer()
    {
        if (answers.empty()) {
            return {};
        }
        QStringList answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A playlist window over a playlist with a fixed shuffle series, in French.
class PlaylistWindowTest : public ::testing::Test {
protected:
    PlaylistWindowTest();
    ~PlaylistWindowTest() override;

    // "/songs/1.kar" ... "/songs/n.kar" added (the first becomes current).
    void addSongs(int n);
    // The text of every line, in order.
    QStringList lineTexts() const;
    // Selects these 1-based lines and nothing else.
    void selectLines(const QList<int> &lines);
    // A full click on a button: press, then release at `releaseAt` (the
    // button's own coordinates).
    void click(int button, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               QPoint releaseAt = {12, 12});
    // The picture a button shows, and the one its state should give.
    QImage picture(int button) const;
    QImage expectedPicture(int button, int state) const;

    ProgramFolder folder;
    RecordedMessages messages;
    skins::SkinSet skinSet;
    songlist::SongList songs{12345u};
    RecordingPlaylistHost host;
    ScriptedChooser chooser;
    std::unique_ptr<playlist::PlaylistWindow> window;
};

} // namespace melorit::windows::test
