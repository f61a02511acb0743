// Pictures of the export dialog in French and in English, for the
// documentation: export_shots <folder>.
#include "base/Ini.h"
#include "base/ProgramPaths.h"
#include "export/ExportDialog.h"
#include "skins/DarkLook.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdio>

using namespace melorit;

namespace {

bool shoot(const QString &languageFile, const QString &songSettings, const QString &config,
           const QString &path)
{
    exporting::ExportDialog dialog(songSettings, QStringLiteral("\u00c9dith Piaf"),
                                   QStringLiteral("La Vie en rose"), languageFile, config);
    dialog.show();
    QApplication::processEvents();
    if (!dialog.grab().toImage().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    melorit::skins::applyDarkLook(); // as the program shows it
    if (argc < 2) {
        std::fprintf(stderr, "usage: export_shots <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir work;
    const QString config = work.filePath(QStringLiteral("Melorit.ini"));
    const QString song = work.filePath(QStringLiteral("La Vie en rose.mst"));
    WriteIni(QStringLiteral("Wave"), QStringLiteral("SaveFolder"),
             QStringLiteral("/home/chanteur/Karaok\u00e9/"), config);
    WriteIni(QStringLiteral("Wave"), QStringLiteral("SaveScheme"), QStringLiteral("%A/%A - %T"),
             config);
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Encoding"), QStringLiteral("3"), config);
    WriteIni(QStringLiteral("Wave"), QStringLiteral("Rate"), QStringLiteral("192"), config);
    WriteIni(QStringLiteral("Lyrics"), QStringLiteral("MaxLength"), QStringLiteral("40"), config);
    WriteIni(QStringLiteral("Video"), QStringLiteral("Colour"), QStringLiteral("#1e3c78"), config);
    WriteIni(QStringLiteral("Tags"), QStringLiteral("Album"), QStringLiteral("Best of"), song);
    WriteIni(QStringLiteral("Tags"), QStringLiteral("Ann\u00e9e"), QStringLiteral("1947"), song);
    WriteIni(QStringLiteral("Tags"), QStringLiteral("Genre"), QStringLiteral("Chanson"), song);
    paths::setProgramFolder(QStringLiteral(MELORIT_OUTPUT_DIR));
    bool ok = true;
    for (const QString &code : {QStringLiteral("fr"), QStringLiteral("en")}) {
        const QString language = paths::programFile(code + QStringLiteral(".lng"));
        ok = shoot(language, song, config,
                   folder.filePath(QStringLiteral("export-%1.png").arg(code))) &&
             ok;
    }
    return ok ? 0 : 1;
}
