#include "tools/DumpText.h"

#include "tools/MidiBuffer.h"

#include <algorithm>

namespace melorit::tools {
namespace {

constexpr qsizetype kBytesPerLine = 16;
constexpr qsizetype kHexColumnWidth = 3 * kBytesPerLine;

char shownChar(unsigned char byte)
{
    return byte < 32 || byte == 255 ? ' ' : static_cast<char>(byte);
}

} // namespace

void DumpText::DumpLine(QByteArrayView text)
{
    m_text.append(text);
    m_text.append("\r\n");
}

void DumpText::DumpField(QByteArrayView text)
{
    m_text.append(text);
    m_text.append('\t');
}

void DumpText::HexDump(const MidiBuffer &buffer, qsizetype first, qsizetype last)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, buffer.size() - 1);
    QByteArray hex;
    QByteArray chars;
    for (qsizetype pos = first; pos <= last; ++pos) {
        const unsigned char byte = buffer.at(pos);
        hex.append(kDigits[byte >> 4]).append(kDigits[byte & 15]).append(' ');
        chars.append(shownChar(byte));
        if (chars.size() == kBytesPerLine) {
            hexLine(hex, chars);
            hex.clear();
            chars.clear();
        }
    }
    if (!chars.isEmpty())
        hexLine(hex, chars);
}

void DumpText::hexLine(QByteArrayView hex, QByteArrayView chars)
{
    m_text.append(hex);
    m_text.append(kHexColumnWidth - hex.size(), ' ');
    m_text.append(' ');
    m_text.append(chars);
    m_text.append("\r\n");
}

QByteArray spaced(qint64 value)
{
    return value < 0 ? QByteArray::number(value) : ' ' + QByteArray::number(value);
}

QByteArray plain(qint64 value)
{
    return QByteArray::number(value);
}

} // namespace melorit::tools
