#pragma once

#include "audio/MidiStream.h"
#include "lyrics/LyricsModel.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

namespace melorit::cli {

// A song opened as a decoding stream and analysed as opening it in the
// program does: lyrics track and mark type, syllables and lines, title and
// artist, text encoding and melody channel.
struct SongAnalysis {
    QString file;
    std::unique_ptr<audio::MidiStream> stream;
    lyrics::LyricsModel lyrics;
};

struct AnalysisResult {
    std::unique_ptr<SongAnalysis> song; // null on failure
    QString error;                      // why the song could not be opened
};

// Each song gets a fresh model, so what is printed for a song never depends
// on the song analysed before it.
AnalysisResult analyseSong(const QString &path);

// The analysis as one JSON object: texts after ConvertCharset.
QJsonObject analysisJson(const SongAnalysis &song);

// The readable summary: title, artist, encoding, melody channel, the lines.
QStringList analysisSummary(const SongAnalysis &song);

// The name of a DetectedCharset value.
QString charsetName(int detectedCharset);

} // namespace melorit::cli
