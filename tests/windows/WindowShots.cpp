// Pictures of the playlist window, the options dialog and the about box in
// French and in English, for the documentation: window_shots <folder>.
#include "base/ProgramPaths.h"
#include "engine/Transport.h"
#include "playlist/PlaylistHost.h"
#include "playlist/PlaylistWindow.h"
#include "skins/DarkLook.h"
#include "skins/SkinPalette.h"
#include "skins/Skins.h"
#include "songlist/SongList.h"
#include "tools/OptionsDlg.h"
#include "tools/OptionsHost.h"
#include "tools/frmAbout.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QPainter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

using namespace melorit;

namespace {

const QStringList kSongs{
    QStringLiteral("/karaoke/Au_clair_de_la_lune.kar"),
    QStringLiteral("/karaoke/La_Vie_en_rose.kar"),
    QStringLiteral("/karaoke/Les_Champs-Élysées.kar"),
    QStringLiteral("/karaoke/Non,_je_ne_regrette_rien.mid"),
    QStringLiteral("/karaoke/Fly_Me_to_the_Moon.kar"),
    QStringLiteral("/karaoke/Sur_le_pont_d'Avignon.mid"),
    QStringLiteral("/karaoke/Hey_Jude.kar"),
    QStringLiteral("/karaoke/Frère%20Jacques.kar"),
    QStringLiteral("/karaoke/Yesterday.kar"),
    QStringLiteral("/karaoke/Comme_d'habitude.kar"),
    QStringLiteral("/karaoke/Moon_River.midi"),
    QStringLiteral("/karaoke/Douce_France.kar"),
};

class Host final : public playlist::PlaylistHost, public tools::OptionsHost {
public:
    explicit Host(QString file) : m_file(std::move(file)) {}
    QString languageFile() const override { return m_file; }
    void Action_PlaySelected(int) override {}
    void Action_Repeat() override {}
    void GereDrop(const QStringList &) override {}
    bool closingDown() const override { return true; }
    void playlistHiddenByUser() override {}
    bool movingSecondaryWindows() const override { return true; }
    QPoint mainWindowPos() const override { return {}; }
    void setPlaylistOffset(QPoint) override {}
    QString languageCode() const override { return QFileInfo(m_file).baseName(); }
    void reloadAllLanguages(const QString &) override {}
    bool autoMute() const override { return true; }
    void setAutoMute(bool) override {}
    void ChangeSF2() override {}
    std::optional<tools::LoadedFont> loadedFont() const override { return std::nullopt; }

private:
    QString m_file;
};

bool save(const QImage &image, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

QImage grab(QWidget &window)
{
    window.show();
    QApplication::processEvents();
    return window.grab().toImage();
}

QImage playlistShot(const skins::SkinSet &skins, Host &host)
{
    songlist::SongList songs(7u);
    playlist::PlaylistWindow window(songs, host, skins);
    songs.addSongs(kSongs, false);
    const QStringList singers{QStringLiteral("Anna"), QStringLiteral("Ben"),
                              QStringLiteral("Chloé"), QStringLiteral("Dave")};
    for (int line = 3; line <= 6; ++line) {
        songs.setSinger(line, singers[line - 3]);
    }
    songs.setCurrentSong(3);
    songs.selectCurrent();
    window.resize(420, 300);
    window.PlayListe()->selectionModel()->setCurrentIndex(
        window.lines().index(5), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    window.DrawSM(54, 2);
    return grab(window);
}

// The tabs side by side.
QImage optionsShot(Host &host, const QString &languageFile)
{
    tools::OptionsDlg dialog(host);
    dialog.setSoundFontStatus(engine::soundFontStatusText(
        languageFile, engine::FontStatus{QStringLiteral("TimGM6mb.sf2"), 1'874'312, 5'969'788}));
    QList<QImage> pages;
    for (int tab = 0; tab < dialog.SSTab1()->count(); ++tab) {
        dialog.SSTab1()->setCurrentIndex(tab);
        pages.append(grab(dialog));
    }
    constexpr int kGap = 12;
    const auto count = static_cast<int>(pages.size());
    QImage sheet(pages[0].width() * count + kGap * (count - 1), pages[0].height(),
                 QImage::Format_RGB32);
    sheet.fill(QColor(skins::palette::kOutline));
    QPainter painter(&sheet);
    for (int i = 0; i < pages.size(); ++i) {
        painter.drawImage(i * (pages[0].width() + kGap), 0, pages[i]);
    }
    return sheet;
}

QImage aboutShot(const QString &languageFile)
{
    tools::frmAbout about([languageFile] { return languageFile; });
    return grab(about);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    melorit::skins::applyDarkLook(); // as the program shows them
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_shots <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir config;
    paths::setProgramFolder(QStringLiteral(MELORIT_OUTPUT_DIR));
    paths::setConfigFile(config.filePath(QStringLiteral("Melorit.ini")));
    const skins::SkinSet skins = skins::LoadSkins();
    bool ok = skins.isComplete();
    for (const QString &code : {QStringLiteral("fr"), QStringLiteral("en")}) {
        const QString file = paths::programFile(code + QStringLiteral(".lng"));
        Host host(file);
        ok = save(playlistShot(skins, host), folder, QStringLiteral("playlist-%1.png").arg(code)) &&
             ok;
        ok =
            save(optionsShot(host, file), folder, QStringLiteral("options-%1.png").arg(code)) && ok;
        ok = save(aboutShot(file), folder, QStringLiteral("about-%1.png").arg(code)) && ok;
    }
    return ok ? 0 : 1;
}
