#pragma once

#include "cli/ConvertJobs.h"
#include "cli/ConvertManifest.h"
#include "engine/PlayerDialogs.h"
#include "export/SongRenderer.h"

#include <QString>
#include <QStringList>

namespace melorit::cli {

class ConvertProgress;

// What the manifest needs to know of a run.
struct ManifestContext {
    bool force = false;
    QString fontPath;
    QString settings; // digest
};

// The export dialog of one job of melorit-cli convert, answered from the
// stored settings and the options; whether an existing output is replaced
// is answered from the manifest of its folder. Messages go to the progress
// display and are kept for the song's report. Job thread.
class CliDialogs final : public engine::PlayerDialogs, public exporting::RenderDialogs {
public:
    CliDialogs(const Overrides &overrides, QString configFile, QString languageFile,
               ConvertProgress &progress, const ManifestContext &manifest);

    // Before each song.
    void startSong(const QString &song);
    const ConversionInputs &inputs() const { return m_inputs; }
    const Manifest::Check &check() const { return m_check; }
    // The outputs were found up to date and left as they are.
    bool upToDate() const { return m_upToDate; }
    // What went wrong with the song, one message a line.
    QString errors() const { return m_errors.join(u'\n'); }

    std::optional<QString> chooseFile(const QString &, const QString &, const QString &) override
    {
        return std::nullopt;
    }
    void message(const UserMessage &message) override;
    std::optional<Choice> exportDialog(const QString &songSettingsFile, const QString &tagArtist,
                                       const QString &tagTitle) override;
    // Outputs the manifest shows up to date stay; those a conversion wrote
    // from other inputs are replaced; others (not written by a conversion)
    // only with --overwrite.
    bool confirmOverwrite(const QString &, const QString &) override;

private:
    void applyOverrides(exporting::ExportSettings &s) const;
    // What the song will be made from, as it is before it is converted.
    void noteInputs(const QString &songSettingsFile, const Choice &choice);

    const Overrides &m_overrides;
    QString m_configFile;
    QString m_languageFile;
    ConvertProgress &m_progress;
    const ManifestContext &m_manifest;
    QString m_song;
    ConversionInputs m_inputs;
    Manifest::Check m_check;
    bool m_upToDate = false;
    QStringList m_errors;
};

} // namespace melorit::cli
