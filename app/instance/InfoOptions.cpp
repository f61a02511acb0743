#include "app/instance/InfoOptions.h"

#include <QtGlobal>

#include <cstdio>

namespace melorit::instance {

InfoRequest parseInfoOptions(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument == u"--") {
            break;
        }
        if (argument == u"--help" || argument == u"-h") {
            return InfoRequest::Help;
        }
        if (argument == u"--version" || argument == u"-v") {
            return InfoRequest::Version;
        }
    }
    return InfoRequest::None;
}

QString helpText()
{
    return QStringLiteral(
        "usage: melorit [OPTION]... [SONG]...\n"
        "\n"
        "Plays MIDI and karaoke songs (.mid, .kar) through a SoundFont with their\n"
        "lyrics, and turns them into backing tracks (WAV, MP3, Ogg Vorbis) with a\n"
        "timed lyrics file. The songs given are added to the playlist and the\n"
        "first one is played; \".m3u\" and \".mpl\" lists may be given too.\n"
        "\n"
        "When Melorit is already running for this user and this configuration,\n"
        "the songs are handed to it through a local socket and added to its\n"
        "playlist, and no second window opens.\n"
        "\n"
        "Options:\n"
        "  --lyrics-fullscreen  show the lyrics full screen from the start, on\n"
        "                 the screen chosen in the options (by default the\n"
        "                 largest one without the main window): for a party\n"
        "                 screen or a kiosk\n"
        "  -h, --help     print this help and exit\n"
        "  -v, --version  print the version and exit\n"
        "  --             every following argument is a song, even one that\n"
        "                 starts with \"-\"\n"
        "\n"
        "The configuration file, Melorit.ini, is kept in the program's folder\n"
        "when it runs from a build folder, otherwise in ~/.config/melorit/\n"
        "($XDG_CONFIG_HOME/melorit/). Converting without a window:\n"
        "melorit-cli --help.");
}

QString versionText()
{
    return QStringLiteral("Melorit %1 (Qt %2)")
        .arg(QStringLiteral(MELORIT_VERSION_TEXT), QString::fromLatin1(qVersion()));
}

std::optional<int> handleInfoOptions(const QStringList &arguments)
{
    QString text;
    switch (parseInfoOptions(arguments)) {
    case InfoRequest::None:
        return std::nullopt;
    case InfoRequest::Help:
        text = helpText();
        break;
    case InfoRequest::Version:
        text = versionText();
        break;
    }
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
    return 0;
}

std::optional<int> handleInfoOptions(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return handleInfoOptions(arguments);
}

} // namespace melorit::instance
