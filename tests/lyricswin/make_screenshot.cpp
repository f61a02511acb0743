// Renders the lyrics window on the demo song in the middle of a line and
// saves the frame: lyricswin-screenshot <output.png> [width height]
// Run it under an X server (xvfb-run) with QT_QPA_PLATFORM=xcb.
#include "lyrics/LyricsScene.h"
#include "lyrics/OGLWin.h"
#include "lyrics/VueOpenGL.h"
#include "tests/lyricswin/SongFixture.h"
#include "tests/lyricswin/WindowTestSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace melorit;

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: lyricswin-screenshot <output.png> [width height]\n");
        return 2;
    }
    QApplication app(argc, argv);
    const int width = argc >= 4 ? std::atoi(argv[2]) : 800;
    const int height = argc >= 4 ? std::atoi(argv[3]) : 450;

    lyricswin::AnalysedSong song;
    if (!song.openFile(MELORIT_SOURCE_DIR "/resources/demo/au-clair-de-la-lune.kar")) {
        std::fprintf(stderr, "cannot open the demo song\n");
        return 1;
    }
    // The middle of the fifth line: its third syllable is being sung.
    const lyrics::LyricsModel &model = song.model();
    int syllable = 1;
    while (syllable < model.SyllableCount() && model.syllable(syllable).Line < 5) {
        ++syllable;
    }
    syllable += 2;
    song.seekBytes(static_cast<std::uint64_t>(model.syllable(syllable).BytePos) + 4 * 441 * 12);

    QTemporaryDir config;
    lyrics::LyricsWindowHost host;
    host.model = &model;
    host.currentTick = [&song] { return song.tick(); };
    host.listening = [] { return true; };
    host.configFile = config.filePath(QStringLiteral("Melorit.ini"));
    host.songSettingsFile = [&config] { return config.filePath(QStringLiteral("song.mst")); };
    lyrics::OGLWin window(host);
    if (!window.openGLReady()) {
        return 1;
    }
    window.setWindowTitle(QStringLiteral("Paroles"));
    window.resize(width, height);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    window.DisplayLyrics(model.syllable(syllable).MarkIndex);
    window.scene().fadeFlash(0.35f);
    const QImage frame = window.view()->grabFramebuffer();
    window.Unload();
    return frame.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
