// The playlist window with a list of 10 000 songs: loading the ".m3u" until
// the window has painted it, scrolling to its end, moving the mark,
// shuffling, and removing every line. Prints the median and worst time of
// each step over the runs (offscreen, no display needed).
//
//     playlist_bench [runs]

#include "base/ProgramPaths.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistWindow.h"
#include "skins/Skins.h"
#include "songlist/SongList.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace melorit;
using Clock = std::chrono::steady_clock;

constexpr int kSongs = 10000;

class Host final : public playlist::PlaylistHost {
public:
    QString languageFile() const override { return paths::programFile(QStringLiteral("fr.lng")); }
    void Action_PlaySelected(int) override {}
    void Action_Repeat() override {}
    void GereDrop(const QStringList &) override {}
    bool closingDown() const override { return true; }
    void playlistHiddenByUser() override {}
    bool movingSecondaryWindows() const override { return true; }
    QPoint mainWindowPos() const override { return {}; }
    void setPlaylistOffset(QPoint) override {}
};

class OneList final : public playlist::FileChooser {
public:
    explicit OneList(QString file) : m_file(std::move(file)) {}
    QStringList chooseFilesToOpen(const playlist::FileDialogRequest &) override { return {m_file}; }
    QString chooseFileToSave(const playlist::FileDialogRequest &) override { return {}; }

private:
    QString m_file;
};

QString writeList(const QTemporaryDir &dir)
{
    QByteArray text = "#EXTM3U\r\n";
    for (int i = 1; i <= kSongs; ++i) {
        text += "#EXTINF:180,Artist " + QByteArray::number(i % 97) + "\r\n";
        text += "Karaok\xe9\\Artist_" + QByteArray::number(i % 97) + "\\Song_number_" +
                QByteArray::number(i) + ".kar\r\n";
    }
    const QString path = dir.filePath(QStringLiteral("big.m3u"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        std::exit(1);
    }
    return path;
}

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the step, then lets the window lay out and paint what it shows.
template <typename Step> double timed(QWidget &window, Step step)
{
    const auto start = Clock::now();
    step();
    QApplication::processEvents();
    window.repaint();
    return msSince(start);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    paths::setProgramFolder(QStringLiteral(MELORIT_OUTPUT_DIR));
    paths::setConfigFile(dir.filePath(QStringLiteral("Melorit.ini")));
    const QString list = writeList(dir);
    const skins::SkinSet skins = skins::LoadSkins();
    Host host;
    OneList chooser(list);

    std::map<std::string, std::vector<double>> times;
    for (int run = 0; run < runs; ++run) {
        songlist::SongList songs(7u + static_cast<unsigned>(run));
        playlist::PlaylistWindow window(songs, host, skins, &chooser);
        window.resize(420, 600);
        window.show();
        QApplication::processEvents();
        QTreeView *view = window.PlayListe();
        times["load 10000-line .m3u and paint"].push_back(
            timed(window, [&] { window.Action_LoadList(); }));
        if (songs.count() != kSongs) {
            return 1;
        }
        times["scroll to the end and paint"].push_back(
            timed(window, [&] { view->scrollToBottom(); }));
        times["move the mark to line 9999"].push_back(timed(window, [&] {
            songs.setCurrentSong(9999);
            songs.selectCurrent();
        }));
        times["shuffle"].push_back(timed(window, [&] { window.Action_Shuffle(); }));
        times["select all and remove"].push_back(timed(window, [&] {
            view->selectAll();
            window.Action_Moins();
        }));
        if (songs.count() != 0) {
            return 1;
        }
    }
    std::printf("%d songs, %d runs (median / worst, ms)\n", kSongs, runs);
    for (auto &[step, values] : times) {
        std::sort(values.begin(), values.end());
        std::printf("  %-34s %8.1f %8.1f\n", step.c_str(), values[values.size() / 2],
                    values.back());
    }
    return 0;
}
