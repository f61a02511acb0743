#pragma once

#include "audio/Encoder.h"
#include "export/ExportSettings.h"
#include "export/LyricsTimeline.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace melorit::engine {
class Player;
}

// The MP4 encoder of a rendering: ffmpeg fed like the audio encoders, and
// the lyrics it draws, written to a temporary ASS file before it starts and
// kept until this object goes (after the encoder has stopped).
namespace melorit::exporting {

class VideoEncoding {
public:
    // Starts ffmpeg on the player's rendering stream, the lyrics timed as
    // the lyrics files are (options). nullptr when it cannot start, and
    // problem() says why in a line for the user.
    audio::EncoderHandle start(engine::Player &player, const ExportSettings &settings,
                               const SongTags &tags, const LyricsFileOptions &options,
                               const QString &outputPath);
    const QString &problem() const { return m_problem; }

private:
    bool writeLyrics(engine::Player &player, const ExportSettings &settings, const SongTags &tags,
                     const LyricsFileOptions &options);

    std::unique_ptr<QTemporaryDir> m_scratch;
    QString m_lyricsPath;
    QString m_problem;
};

// The user's line for an encoder program that did not start.
QString encoderNotStarted(int encoding);

} // namespace melorit::exporting
