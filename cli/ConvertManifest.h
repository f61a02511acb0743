#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// What each output of melorit-cli convert was made from, kept in the output
// folder (".melorit-manifest.jsonl", one JSON object a line, one line per
// output file), so that a run skips the songs already converted with the
// same inputs and settings and carries on after one that was killed.
namespace melorit::cli {

// One file a conversion reads, as it was when the conversion started.
struct InputFile {
    QString role; // "song", "settings" (the song's ".mst"), "soundfont"
    QString path;
    bool exists = false;
    qint64 size = 0;
    qint64 modified = 0; // milliseconds since the epoch
    QString sha256;      // of the content, hex; "" when absent

    QJsonObject toJson() const;
    static InputFile fromJson(const QJsonObject &object);
};

// The file now, its content hashed (hashes of unchanged files are kept for
// the process, so a SoundFont is read once a run). Inputs compare by
// content: a song touched or copied elsewhere is still the same song. Any
// thread.
InputFile describeInput(const QString &role, const QString &path);

// What a conversion is made from: its input files and a digest of its
// settings.
struct ConversionInputs {
    QList<InputFile> files;
    QString settings;
};

// The digest of every setting a conversion depends on: the export sections
// of the configuration file ("Wave", "Lyrics", "Video", whatever keys they
// hold), the automatic muting, and the command line's conversion options
// (name and value each) as given.
QString settingsDigest(const QString &configFile, const QStringList &options);

class Manifest {
public:
    // The manifest of the folder that holds an output.
    static QString pathFor(const QString &outputPath);

    enum class State {
        Unknown,  // no line for the output: not written by a conversion
        Stale,    // written by one, from other inputs or settings, or changed
        UpToDate, // every output of the song is there as written, same inputs
    };
    struct Check {
        State state = State::Unknown;
        double seconds = 0;  // audio seconds recorded with the output
        QStringList outputs; // the song's files recorded, the audio file first
    };
    // How the audio output and the lyrics files recorded with it stand.
    static Check check(const QString &audioOutput, const ConversionInputs &now);

    // Records the files of one conversion (temporary and final name, the
    // audio file last), complete but not yet under their final names,
    // replacing their earlier lines. Processes and threads writing the same
    // manifest take turns (a lock file beside it); the manifest is replaced
    // atomically. False when it cannot be written.
    static bool record(const QList<std::pair<QString, QString>> &files,
                       const ConversionInputs &inputs, double seconds);
};

} // namespace melorit::cli
