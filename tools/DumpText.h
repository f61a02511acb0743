#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace melorit::tools {

class MidiBuffer;

// The listing being built: Windows-1252 bytes with CR LF line ends, written
// to its file in one go once complete.
class DumpText {
public:
    // Text followed by CR LF.
    void DumpLine(QByteArrayView text);
    // Text followed by a tab and no line break: the next text continues the
    // same line (the tick field that starts every event line).
    void DumpField(QByteArrayView text);
    // The bytes from position first to last inclusive, 16 a line: upper-case
    // hexadecimal pairs each followed by a space, padded to 48 characters,
    // one space, then the bytes themselves with those below 32 and 255 shown
    // as spaces. Nothing when first > last; the buffer's cursor stays put.
    void HexDump(const MidiBuffer &buffer, qsizetype first, qsizetype last);

    const QByteArray &bytes() const { return m_text; }

private:
    void hexLine(QByteArrayView hex, QByteArrayView chars);

    QByteArray m_text;
};

// A number with a leading space when it is not negative: 1 -> " 1", -3 -> "-3".
QByteArray spaced(qint64 value);
// A number with no leading space.
QByteArray plain(qint64 value);

} // namespace melorit::tools
