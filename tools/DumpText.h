#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace melorit::tools {

class MidiBuffer;

// A number with a leading space when it is not negative: 1 -> " 1", -3 -> "-3".
struct Spaced {
    qint64 value;
};
// A number with no leading space.
struct Plain {
    qint64 value;
};

// The listing being built: Windows-1252 bytes with CR LF line ends, written
// to its file in one go once complete. Texts and numbers are appended in
// place, so listing a large file costs no allocation per event.
class DumpText {
public:
    DumpText &operator<<(QByteArrayView text);
    DumpText &operator<<(char c);
    DumpText &operator<<(Spaced number);
    DumpText &operator<<(Plain number);

    // Ends the line with CR LF.
    void endLine() { m_text.append("\r\n", 2); }
    // Ends a field with a tab and no line break: the next text continues the
    // same line (the tick field that starts every event line).
    void endField() { m_text.append('\t'); }

    void DumpLine(QByteArrayView text);
    void DumpField(QByteArrayView text);

    // The bytes from position first to last inclusive, 16 a line: upper-case
    // hexadecimal pairs each followed by a space, padded to 48 characters,
    // one space, then the bytes themselves with those below 32 and 255 shown
    // as spaces. Nothing when first > last; the buffer's cursor stays put.
    void HexDump(const MidiBuffer &buffer, qsizetype first, qsizetype last);

    const QByteArray &bytes() const { return m_text; }

private:
    QByteArray m_text;
};

} // namespace melorit::tools
