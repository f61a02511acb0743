#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace melorit::tools {

// A readable listing of a Standard MIDI File: its header, every chunk and
// every event of every track, and the sections of "CASM" chunks. Text bytes
// from the file are listed as they are; the listing is Windows-1252 with
// CR LF line ends.
struct MidiListing {
    QByteArray text;
    // False when the bytes do not start with an "MThd" header of length 6:
    // the listing then holds its first line only.
    bool headerFound = false;
};

// Lists the bytes of a file; firstLine (the song's path) opens the listing.
// Any input gives a listing: nothing is read past the end of the bytes and
// malformed parts end where the listing says so.
MidiListing listMidi(QByteArrayView bytes, const QString &firstLine);

enum class DumpStatus {
    Listed,      // the whole file was listed
    NotMidi,     // no MIDI header: the listing stops after its first line
    Empty,       // an empty file: the listing stops after its first line
    NotReadable, // the file could not be read: the listing stops after its first line
    TooLarge,    // larger than kMaxMidiFileSize: the listing stops after its first line
    WriteFailed, // the listing file could not be written
};

struct DumpResult {
    DumpStatus status = DumpStatus::NotReadable;
    QString listingPath; // "" when nothing was written
};

// The listing's file: the song's path followed by ".txt".
QString listingPathOf(const QString &fileName);

// Writes the listing of the file to fileName + ".txt", replacing it. The
// listing is built in memory and written in one go, so a failed dump never
// leaves a partial listing behind. An empty fileName writes nothing.
DumpResult DumpMidi(const QString &fileName);

// A one-line description of a status other than Listed, for the command line.
QString dumpStatusText(DumpStatus status);

} // namespace melorit::tools
