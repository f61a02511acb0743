// melorit-cli sf2-info FILE: the identity of a SoundFont.

#include "base/Ini.h"
#include "base/Language.h"
#include "cli/Command.h"
#include "cli/Console.h"
#include "tools/SoundFontInfo.h"

namespace melorit::cli {
namespace {

constexpr const char *kName = "sf2-info";

constexpr const char *kUsage =
    "usage: melorit-cli sf2-info [--language FILE] SOUNDFONT\n"
    "\n"
    "Prints the SoundFont's path, the sound engine it was made for (\"isng\")\n"
    "and its format version (\"ifil\"), or why they cannot be read.\n"
    "\n"
    "  --language FILE  language file that gives the version line\n"
    "                   (default: the configured language of the program)\n"
    "\n"
    "Exit status: 0 when the identity was printed, 1 when the file cannot be\n"
    "opened or is not a SoundFont with those chunks, 2 for a usage error.";

const QString kLanguageOption = QStringLiteral("--language");

QString versionTemplate(const Arguments &args)
{
    QString languageFile = args.options.value(kLanguageOption);
    if (languageFile.isEmpty()) {
        languageFile = chooseLanguageFile(configuredLanguageCode()).file;
    }
    const QString text = tools::soundFontVersionTemplate(languageFile);
    // Without a language text the version still shows, on its own.
    return text.isEmpty() ? QStringLiteral("%1") : text;
}

int runSf2Info(const QStringList &arguments)
{
    const CommandStart start =
        startCommand(kName, kUsage, arguments, Values::ExactlyOne,
                     QStringLiteral("give exactly one SoundFont file"), {kLanguageOption});
    if (start.exit) {
        return *start.exit;
    }
    const Arguments &args = start.args;

    const QString &path = args.values.first();
    const tools::SoundFontInfo info = tools::readSoundFontInfo(path);
    if (info.status == tools::SoundFontInfoStatus::NotOpened) {
        reportError(path + QStringLiteral(": the file cannot be opened"));
        return kExitFailure;
    }
    if (info.status != tools::SoundFontInfoStatus::Read) {
        reportError(path + QStringLiteral(": ") + tools::soundFontFailureText(info.status));
        return kExitFailure;
    }
    QString text = tools::soundFontIdentityText(path, info, versionTemplate(args));
    printLine(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    return kExitOk;
}

const CommandRegistration kRegistration({kName, "print the identity of a SoundFont file", kUsage,
                                         runSf2Info});

} // namespace
} // namespace melorit::cli
