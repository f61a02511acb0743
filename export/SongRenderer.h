#pragma once

#include "audio/LoudnessEncoder.h"
#include "engine/SongRendering.h"
#include "export/ExportSettings.h"
#include "export/OutputNaming.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

// The conversion of one song into a WAV, MP3, Ogg Vorbis or MP4 (karaoke
// video) file with its ".kok" lyrics file beside it: the rendering road of
// OpenSong(false).
namespace melorit::exporting {

// What a conversion needs a person for. The export window answers with its
// dialog, the command line from "Melorit.ini" and its options, the tests
// directly. UI thread.
class RenderDialogs {
public:
    virtual ~RenderDialogs() = default;

    struct Choice {
        ExportSettings settings;
        SongTags tags;
        // The person chose this song and all the following playlist entries.
        bool batch = false;
    };
    // The export dialog of a song: its settings file holds the tags; the
    // song's own artist and title are in readable text. Nothing when the
    // person cancels.
    virtual std::optional<Choice> exportDialog(const QString &songSettingsFile,
                                               const QString &tagArtist,
                                               const QString &tagTitle) = 0;
    // The output file exists: may it be replaced? (Yes or No, No by default.)
    virtual bool confirmOverwrite(const QString &text, const QString &title) = 0;
};

enum class RenderOutcome {
    NoSong,       // empty playlist
    ReadError,    // the song cannot be opened ("MidiReadError" reported)
    Cancelled,    // the export dialog was cancelled
    Kept,         // the output exists and was not to be replaced
    EncoderError, // the encoder could not start ("Problème d'encodage")
    EncoderDied,  // the encoder stopped during the conversion
    Stopped,      // the stream was stopped from outside (cancel)
    Converted,    // the whole song (or its punched section) was converted
};

struct RenderReport {
    RenderOutcome outcome = RenderOutcome::NoSong;
    OutputPaths paths;
    bool lyricsFileWritten = false;
    QStringList lyricsFilePaths; // the lyrics files written, in format order
    QString encoderError;        // what the encoder said when it failed
    // The gain that matched the song's loudness, when it was asked for and
    // the whole song was rendered.
    std::optional<audio::LoudnessGain> loudness;
};

class SongRenderer final : public engine::SongRendering {
public:
    explicit SongRenderer(RenderDialogs &dialogs) : m_dialogs(dialogs) {}

    // In a batch (this flag or the player's BatchEncode) the overwrite
    // question is not asked: the file is replaced.
    void setBatch(bool batch) { m_batch = batch; }
    // Staged: the audio and lyrics files are written under temporary names
    // beside their final ones and renamed when the conversion is complete;
    // an incomplete one leaves nothing (see StagedOutputs). Off: the files
    // are written under their final names and a cancel keeps the truncated
    // audio file.
    void setStaged(bool staged) { m_staged = staged; }
    // Called between two blocks of the conversion (the window lets its
    // messages run there); may stop the player.
    void setBetweenBlocks(std::function<void()> hook) { m_betweenBlocks = std::move(hook); }
    // Staged only: called with the complete files (temporary and final
    // names, the audio file last) before they get their final names; false
    // abandons them (the conversion then fails).
    using BeforeCommit = std::function<bool(const QList<std::pair<QString, QString>> &files)>;
    void setBeforeCommit(BeforeCommit hook) { m_beforeCommit = std::move(hook); }

    void render(engine::Player &player) override;
    const RenderReport &lastReport() const { return m_report; }

private:
    void renderSong(engine::Player &player);
    void showOutcome(engine::Player &player) const;
    bool preRead(engine::Player &player, QString &tagArtist, QString &tagTitle);
    bool mayWrite(engine::Player &player);
    void convertStaged(engine::Player &player, const ExportSettings &settings,
                       const SongTags &tags);
    // Converts into the files of target; the report names the final ones.
    void convert(engine::Player &player, const ExportSettings &settings, const SongTags &tags,
                 const OutputPaths &target);
    audio::EncoderHandle matchLoudness(engine::Player &player, const ExportSettings &settings,
                                       audio::EncoderHandle encoder, const QString &outputPath);
    void renderBlocks(engine::Player &player, audio::Encoder &encoder);
    void replayMatched(engine::Player &player);

    RenderDialogs &m_dialogs;
    bool m_batch = false;
    bool m_staged = false;
    std::function<void()> m_betweenBlocks;
    BeforeCommit m_beforeCommit;
    RenderReport m_report;
    std::shared_ptr<audio::LoudnessEncoder> m_loudness; // during a matched conversion
};

} // namespace melorit::exporting
