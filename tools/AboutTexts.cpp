#include "tools/AboutTexts.h"

#include "base/Language.h"
#include "base/TextUtil.h"

namespace melorit::tools {
namespace {

const QString kSection = QStringLiteral("About");

QString versionText(const ProgramVersion &version)
{
    return QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision);
}

} // namespace

AboutTexts loadAboutTexts(const QString &languageFile, const ProgramVersion &version)
{
    const auto text = [&languageFile](const QString &key) {
        return languageText(languageFile, kSection, key);
    };
    const auto withBreaks = [&text](const QString &key) {
        return text::barsToLineBreaks(text(key));
    };
    const QString title = kApplicationTitle.toString();
    AboutTexts texts;
    texts.caption = text::fillPlaceholders(text(QStringLiteral("Caption")), title);
    texts.version =
        text::fillPlaceholders(text(QStringLiteral("Version")), QString::number(version.major),
                               QString::number(version.minor), QString::number(version.revision));
    texts.title = title;
    texts.description = withBreaks(QStringLiteral("Description"));
    texts.copyright = text(QStringLiteral("Copyright"));
    texts.ok = text(QStringLiteral("cmdOK"));
    texts.sysInfo = text(QStringLiteral("SysInfo"));
    texts.disclaimer = withBreaks(QStringLiteral("Disclaimer"));
    for (int part = 1; part <= 4; ++part) {
        texts.disclaimer += withBreaks(QStringLiteral("Disclaimer") + QString::number(part));
    }
    texts.creditsInfo = withBreaks(QStringLiteral("CopyrightInfo"));
    texts.creditsTitle = text(QStringLiteral("CopyrightTitle"));
    return texts;
}

QStringList creditsLines(const ProgramVersion &version, const ComponentVersions &libraries)
{
    return {
        QStringLiteral("Melorit %1, karaoke player and converter, © 2025 the Melorit developers")
            .arg(versionText(version)),
        QStringLiteral("FluidSynth %1, SoundFont synthesizer, © Peter Hanappe, Josh Green, "
                       "Tom Moebert and contributors (LGPL 2.1)\n"
                       "SDL %2, audio output, © Sam Lantinga and contributors (zlib licence)")
            .arg(libraries.fluidsynth, libraries.sdl),
        QStringLiteral("LAME, MP3 encoder, © the LAME project (LGPL), lame.sourceforge.io"),
        QStringLiteral("Ogg Vorbis tools (oggenc) with libvorbis, Ogg Vorbis encoder, "
                       "© Xiph.Org Foundation and contributors, xiph.org"),
    };
}

QString creditsText(const QString &creditsInfo, const QStringList &lines)
{
    if (!creditsInfo.contains(QStringLiteral("%1"))) {
        return creditsInfo;
    }
    return text::fillPlaceholders(creditsInfo, lines.value(0), lines.value(1), lines.value(2),
                                  lines.value(3));
}

} // namespace melorit::tools
