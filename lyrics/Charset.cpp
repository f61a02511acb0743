#include "lyrics/Charset.h"

#include "base/CodePages.h"

#include <algorithm>
#include <iterator>

namespace melorit::lyrics {
namespace {

constexpr unsigned char kAnsiSet[] = {224, 231, 233, 232, 234, 235, 249};
constexpr unsigned char kDosSet[] = {133, 135, 130, 138, 136, 137, 151};
constexpr unsigned char kMacSet[] = {136, 141, 142, 143, 144, 145, 157};

template <std::size_t N> bool inSet(const unsigned char (&set)[N], unsigned char b)
{
    return std::find(std::begin(set), std::end(set), b) != std::end(set);
}

// The class a byte votes for: the last matching test wins, so ANSI before
// DOS before Mac (byte 136 is in both the DOS and the Mac set: DOS).
int classOf(unsigned char b)
{
    int cls = -1;
    if (inSet(kMacSet, b)) {
        cls = 2;
    }
    if (inSet(kDosSet, b)) {
        cls = 1;
    }
    if (inSet(kAnsiSet, b)) {
        cls = 0;
    }
    return cls;
}

bool inAnySet(unsigned char b)
{
    return classOf(b) >= 0;
}

// Length of the valid multi-byte UTF-8 sequence at p[i], 0 when there is none.
int utf8SequenceAt(const QByteArray &text, qsizetype i)
{
    const auto b = static_cast<unsigned char>(text[i]);
    const int length = b >= 0xF0 && b <= 0xF4 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > text.size() || b > 0xF4) {
        return 0;
    }
    return codepages::isValidUtf8(QByteArrayView(text).sliced(i, length)) ? length : 0;
}

} // namespace

void CharsetDetector::reset()
{
    std::fill(std::begin(m_counts), std::end(m_counts), 0);
    m_detected = Unknown;
    m_utf8Seen = false;
    m_utf8Conflict = false;
}

void CharsetDetector::DetectCharset(const QByteArray &text)
{
    if (text == "*RAZ*") {
        reset();
        return;
    }
    bool anyHigh = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 128) {
            continue;
        }
        anyHigh = true;
        const int cls = classOf(b);
        if (cls >= 0) {
            ++m_counts[cls];
        }
    }
    for (qsizetype i = 0; i < text.size();) {
        const int sequence = utf8SequenceAt(text, i);
        if (sequence > 0) {
            m_utf8Seen = true;
            i += sequence;
            continue;
        }
        if (inAnySet(static_cast<unsigned char>(text[i]))) {
            m_utf8Conflict = true;
        }
        ++i;
    }
    if (!anyHigh) {
        return;
    }
    m_detected = Unknown;
    int best = 0;
    for (int cls = 0; cls < 3; ++cls) {
        if (m_counts[cls] > best) {
            best = m_counts[cls];
            m_detected = cls;
        }
    }
    if (m_utf8Seen && !m_utf8Conflict) {
        m_detected = Utf8;
    }
}

QString CharsetDetector::ConvertCharset(const QByteArray &text) const
{
    switch (m_detected) {
    case Dos:
        return codepages::decode(text, codepages::CodePage::Dos850);
    case Mac:
        return codepages::decode(text, codepages::CodePage::MacRoman);
    case Utf8: {
        // Valid sequences as UTF-8, any stray byte as Windows-1252.
        QString out;
        for (qsizetype i = 0; i < text.size();) {
            const int sequence = utf8SequenceAt(text, i);
            if (sequence > 0) {
                out += QString::fromUtf8(QByteArrayView(text).sliced(i, sequence));
                i += sequence;
            } else {
                out += codepages::charOf(codepages::CodePage::Windows1252,
                                         static_cast<unsigned char>(text[i]));
                ++i;
            }
        }
        return out;
    }
    default:
        return codepages::decodeWindows1252(text);
    }
}

} // namespace melorit::lyrics
