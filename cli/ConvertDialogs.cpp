#include "cli/ConvertDialogs.h"

#include "cli/ConvertProgress.h"
#include "export/ExportForm.h"
#include "export/OutputNaming.h"
#include "export/VideoSettings.h"

namespace melorit::cli {

CliDialogs::CliDialogs(const Overrides &overrides, QString configFile, QString languageFile,
                       ConvertProgress &progress, const ManifestContext &manifest)
    : m_overrides(overrides), m_configFile(std::move(configFile)),
      m_languageFile(std::move(languageFile)), m_progress(progress), m_manifest(manifest)
{
}

void CliDialogs::startSong(const QString &song)
{
    m_song = song;
    m_inputs = {};
    m_check = {};
    m_upToDate = false;
    m_errors.clear();
}

void CliDialogs::message(const UserMessage &message)
{
    const QString text = QString(message.text).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    m_errors << text;
    m_progress.error(text);
}

std::optional<exporting::RenderDialogs::Choice>
CliDialogs::exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                         const QString &tagTitle)
{
    // The dialog answered with OK as it opens, without saving anything:
    // the settings and tags the program's road converts with.
    exporting::ExportForm form(songSettingsFile, m_configFile, m_languageFile);
    form.Form_Load(tagArtist, tagTitle);
    Choice choice{form.settings(), form.Tags};
    applyOverrides(choice.settings);
    noteInputs(songSettingsFile, choice);
    return choice;
}

// The options given, over the stored settings.
void CliDialogs::applyOverrides(exporting::ExportSettings &s) const
{
    s.Encoding = m_overrides.encoding.value_or(s.Encoding);
    s.Rate = m_overrides.rate.value_or(s.Rate);
    s.SaveFolder = m_overrides.outDir.value_or(s.SaveFolder);
    s.SaveScheme = m_overrides.scheme.value_or(s.SaveScheme);
    s.MaxLength = m_overrides.maxLength.value_or(s.MaxLength);
    if (m_overrides.lyricsFormats) {
        s.Formats = *m_overrides.lyricsFormats;
        s.MakeFile = true;
    }
    if (m_overrides.noKok) {
        s.MakeFile = false;
    }
    if (m_overrides.loudness) {
        s.Normalize = true;
        s.Loudness = *m_overrides.loudness;
    }
    s.Video.Size = m_overrides.videoSize.value_or(s.Video.Size);
    if (const std::optional<QString> &background = m_overrides.background) {
        const bool colour = exporting::isVideoColour(*background);
        s.Video.Colour = colour ? *background : s.Video.Colour;
        s.Video.Image = colour ? QString() : *background;
    }
}

bool CliDialogs::confirmOverwrite(const QString &, const QString &)
{
    if (m_manifest.force) {
        return true;
    }
    m_upToDate = m_check.state == Manifest::State::UpToDate;
    return m_check.state == Manifest::State::Stale || (!m_upToDate && m_overrides.overwrite);
}

void CliDialogs::noteInputs(const QString &songSettingsFile, const Choice &choice)
{
    m_inputs.files = {describeInput(QStringLiteral("song"), m_song),
                      describeInput(QStringLiteral("settings"), songSettingsFile),
                      describeInput(QStringLiteral("soundfont"), m_manifest.fontPath)};
    m_inputs.settings = m_manifest.settings;
    const QString output =
        exporting::BuildOutputPaths(m_song, choice.settings, choice.tags).OutputPath;
    m_check = Manifest::check(output, m_inputs);
}

} // namespace melorit::cli
