#include "tools/DumpText.h"

#include "tools/MidiBuffer.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace melorit::tools {
namespace {

constexpr qsizetype kBytesPerLine = 16;
constexpr qsizetype kHexColumnWidth = 3 * kBytesPerLine;

char shownChar(unsigned char byte)
{
    return byte < 32 || byte == 255 ? ' ' : static_cast<char>(byte);
}

} // namespace

DumpText &DumpText::operator<<(QByteArrayView text)
{
    m_text.append(text);
    return *this;
}

DumpText &DumpText::operator<<(char c)
{
    m_text.append(c);
    return *this;
}

DumpText &DumpText::operator<<(Spaced number)
{
    if (number.value >= 0) {
        m_text.append(' ');
    }
    return *this << Plain{number.value};
}

DumpText &DumpText::operator<<(Plain number)
{
    std::array<char, 24> digits;
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), number.value);
    m_text.append(digits.data(), result.ptr - digits.data());
    return *this;
}

void DumpText::DumpLine(QByteArrayView text)
{
    *this << text;
    endLine();
}

void DumpText::DumpField(QByteArrayView text)
{
    *this << text;
    endField();
}

void DumpText::HexDump(const MidiBuffer &buffer, qsizetype first, qsizetype last)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    first = std::max<qsizetype>(first, 0);
    last = std::min(last, buffer.size() - 1);
    for (qsizetype lineStart = first; lineStart <= last; lineStart += kBytesPerLine) {
        const qsizetype count = std::min(kBytesPerLine, last - lineStart + 1);
        std::array<char, kHexColumnWidth + 1 + kBytesPerLine> line;
        line.fill(' ');
        for (qsizetype i = 0; i < count; ++i) {
            const unsigned char byte = buffer.at(lineStart + i);
            line[3 * i] = kDigits[byte >> 4];
            line[3 * i + 1] = kDigits[byte & 15];
            line[kHexColumnWidth + 1 + i] = shownChar(byte);
        }
        m_text.append(line.data(), kHexColumnWidth + 1 + count);
        endLine();
    }
}

} // namespace melorit::tools
