#pragma once

#include <QByteArray>
#include <QString>

namespace melorit::lyrics {

// Which encoding lyric bytes were written in, voted on the accented letters
// à ç é è ê ë ù of each 8-bit encoding. Modern files write UTF-8, which the
// vote cannot see: texts whose high bytes all form valid UTF-8 sequences
// (with no lone byte of the vote's letters) are taken as UTF-8.
class CharsetDetector {
public:
    enum Charset : int { Unknown = -1, Ansi = 0, Dos = 1, Mac = 2, Utf8 = 3 };

    // Adds one text to the statistics; "*RAZ*" resets them instead.
    void DetectCharset(const QByteArray &text);
    void reset();

    int DetectedCharset() const { return m_detected; }
    void setDetectedCharset(int charset) { m_detected = charset; }

    // The text for display, decoded in the detected encoding (Windows-1252
    // when unknown).
    QString ConvertCharset(const QByteArray &text) const;

private:
    int m_counts[3] = {0, 0, 0};
    int m_detected = Unknown;
    bool m_utf8Seen = false;
    bool m_utf8Conflict = false;
};

} // namespace melorit::lyrics
